#include "core/Currency.h"
#include "core/EstimateColumns.h"
#include "core/EstimateRecord.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

namespace {

// Expected records are laid out here byte by byte, never by the codec under test.
class Bytes {
public:
    Bytes() : bytes_(448, '\0') {}

    Bytes &integer(int offset, qint64 value, int size = 4)
    {
        for (int i = 0; i < size; ++i)
            bytes_[offset + i] = char((quint64(value) >> (8 * i)) & 0xFF);
        return *this;
    }
    Bytes &fixed(int offset, qint64 raw) { return integer(offset, raw, 8); }
    Bytes &byte(int offset, char value)
    {
        bytes_[offset] = value;
        return *this;
    }
    Bytes &text(int offset, const QByteArray &cp949)
    {
        bytes_[offset] = char(cp949.size());
        for (int i = 0; i < cp949.size(); ++i)
            bytes_[offset + 1 + i] = cp949[i];
        return *this;
    }
    const QByteArray &data() const { return bytes_; }

private:
    QByteArray bytes_;
};

// A row with its own value in every one of the 44 columns.
QVariantList DistinctRow()
{
    const QString noadd = QStringLiteral("12.5*2").leftJustified(100, u' ');
    return {1, 2, 3, QStringLiteral("철근 가공"), QStringLiteral("D10-D25"), QStringLiteral("ton"),
            QStringLiteral("비고").leftJustified(13, u' '), noadd,
            12.5, 1000.25, 12503.125, 2000.5, 25006.25, 300.75, 3759.375, 41268.75,
            0.01, 0.02, 0.03, 0.04, 0.05, 0.06, 0.07, 0.08, 0.09, 0.1, 0.11, 0.12,
            4, 11, 12, 13, 5.5, 6.5, 7.5, QStringLiteral("p1"), QStringLiteral("p2  "),
            QStringLiteral("D"), QStringLiteral("S"), QStringLiteral("T"), 1, 1234.5, 8.5, 44};
}

QByteArray DistinctRowBytes()
{
    Bytes b;
    b.integer(0, 1).integer(4, 2).integer(8, 3);
    b.text(12, QByteArray::fromHex("c3b6b1d920b0a1b0f8"));
    b.text(43, "D10-D25").text(64, "ton");
    b.text(69, QByteArray::fromHex("baf1b0ed") + QByteArray(11, ' '));
    b.text(85, QByteArray("12.5*2") + QByteArray(94, ' '));
    const qint64 amounts[] = {125000, 10002500, 125031250, 20005000, 250062500, 3007500, 37593750, 412687500};
    for (int i = 0; i < 8; ++i)
        b.fixed(192 + 8 * i, amounts[i]);
    for (int i = 0; i < 12; ++i)
        b.fixed(256 + 8 * i, 100 * (i + 1));
    b.integer(352, 4).integer(356, 11).integer(360, 12).integer(364, 13);
    b.fixed(368, 55000).fixed(376, 65000).fixed(384, 75000);
    b.text(392, "p1").text(397, "p2  ");
    b.text(407, "D").text(409, "S").byte(413, 1);
    b.fixed(416, 12345000).fixed(424, 85000).integer(432, 44);
    return b.data();
}

QVariantList RowWith(const QString &column, const QVariant &value)
{
    QVariantList row = EstimateRowValues({});
    row[EstimateColumns().indexOf(column)] = value;
    return row;
}

QVariant Decoded(const QByteArray &record, const QString &column)
{
    return TEstimateRecord::ToRow(record.constData()).at(EstimateColumns().indexOf(column));
}

} // namespace

class TestEstimateRecord : public QObject {
    Q_OBJECT
private slots:
    void writesEveryFieldAtItsOffsetAndReadsItBack()
    {
        const QByteArray record = TEstimateRecord::FromRow(DistinctRow());
        const QByteArray expected = DistinctRowBytes();
        QCOMPARE(record.size(), 448);
        for (int offset = 0; offset < 448; ++offset)
            QVERIFY2(record[offset] == expected[offset], qPrintable(QStringLiteral("byte %1").arg(offset)));

        QCOMPARE(TEstimateRecord::Classify(record.constData()), TEstimateRecord::Kind::Row);
        QVariantList back = DistinctRow();
        back[EstimateColumns().indexOf("MVE")] = QStringLiteral("F"); // never stored
        QCOMPARE(TEstimateRecord::ToRow(expected.constData()), back);
    }

    void writesNullAsZeroAndEmpty()
    {
        QVariantList nulls;
        for (int i = 0; i < 44; ++i)
            nulls.append(QVariant());
        QCOMPARE(TEstimateRecord::FromRow(nulls), QByteArray(448, '\0'));
    }

    void roundsMoneyToFourDecimalsTiesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("0.03125 down to even") << 0.03125 << qint64(312);
        QTest::newRow("0.09375 up to even") << 0.09375 << qint64(938);
        QTest::newRow("-0.03125") << -0.03125 << qint64(-312);
        QTest::newRow("1234.5") << 1234.5 << qint64(12345000);
        QTest::newRow("1.1 percent as computed") << 0.011000000000000001 << qint64(110);
    }
    void roundsMoneyToFourDecimalsTiesToEven()
    {
        QFETCH(double, value);
        QFETCH(qint64, raw);
        const QByteArray record = TEstimateRecord::FromRow(RowWith("RECV", value));
        QCOMPARE(record.mid(416, 8), Bytes().fixed(0, raw).data().left(8));
        QCOMPARE(Decoded(record, "RECV").toDouble(), double(raw) / 10000);
    }

    void refusesANumberBeyondTheFixedPointRange()
    {
        try {
            TEstimateRecord::FromRow(RowWith("CSTTAL", 1e300));
            QFAIL("1e300 was written");
        } catch (const NumberError &error) {
            QVERIFY2(QString::fromUtf8(error.what()).startsWith("CSTTAL"), error.what());
        }
    }

    void cutsTextsToTheirFieldOnALetterBoundary_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("field"); // length byte and the 30 bytes after it
        const QByteArray ga = QByteArray::fromHex("b0a1");
        QTest::newRow("15 letters fill it") << QString(15, u'가') << char(30) + ga.repeated(15);
        QTest::newRow("16 letters: 15 kept") << QString(16, u'가') << char(30) + ga.repeated(15);
        QTest::newRow("A and 15 letters: byte 42 stays 0")
            << QStringLiteral("A") + QString(15, u'가') << char(29) + ('A' + ga.repeated(14)) + '\0';
        QTest::newRow("outside CP949 as ?")
            << QStringLiteral("a😀b") << QByteArray("\x03" "a?b") + QByteArray(27, '\0');
        QTest::newRow("empty") << QString() << QByteArray(31, '\0');
    }
    void cutsTextsToTheirFieldOnALetterBoundary()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, field);
        const QByteArray record = TEstimateRecord::FromRow(RowWith("NAME", name));
        QCOMPARE(record.mid(12, 31), field.leftJustified(31, '\0'));
        QCOMPARE(record[43], '\0'); // STAN untouched
    }

    void readsATextCutInHalfALetterWithoutThatByte_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("name");
        const QByteArray ga = QByteArray::fromHex("b0a1");
        QTest::newRow("lead byte last")
            << char(30) + ('x' + ga.repeated(14) + char(0xB0)) << QStringLiteral("x") + QString(14, u'가');
        QTest::newRow("only a lead byte") << QByteArray("\x01\xb0") << QString();
        QTest::newRow("whole letters") << char(4) + QByteArray::fromHex("b0f8bbe7") << QStringLiteral("공사");
        QTest::newRow("bytes past the length ignored") << QByteArray("\x02" "ab" "cd") << QStringLiteral("ab");
    }
    void readsATextCutInHalfALetterWithoutThatByte()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, name);
        QByteArray record = TEstimateRecord::FromRow(EstimateRowValues({{"ABFS", "S"}}));
        record.replace(12, field.size(), field);
        QCOMPARE(Decoded(record, "NAME").toString(), name);
    }

    void storesSubAsTheFlagSubIsOne_data()
    {
        QTest::addColumn<QVariant>("sub");
        QTest::addColumn<char>("flag");
        QTest::newRow("1") << QVariant(1) << char(1);
        QTest::newRow("0") << QVariant(0) << char(0);
        QTest::newRow("2 is no 1") << QVariant(2) << char(0);
        QTest::newRow("NULL") << QVariant() << char(0);
    }
    void storesSubAsTheFlagSubIsOne()
    {
        QFETCH(QVariant, sub);
        QFETCH(char, flag);
        QCOMPARE(TEstimateRecord::FromRow(RowWith("SUB", sub))[413], flag);
    }

    void readsAnySetFlagAsOneAndIgnoresUnusedBytes()
    {
        QByteArray record = TEstimateRecord::FromRow(DistinctRow());
        record[413] = char(0x7F);
        for (int offset : {186, 191, 402, 403, 406, 411, 412, 414, 415, 436, 443, 444, 447})
            record[offset] = char(0x5A);
        QVariantList expected = DistinctRow();
        expected[EstimateColumns().indexOf("MVE")] = QStringLiteral("F");
        QCOMPARE(TEstimateRecord::ToRow(record.constData()), expected);
    }

    void writesTheHeader()
    {
        const QString project = QString(24, u'공'); // the box allows 48 bytes
        const QByteArray header = TEstimateRecord::Header(project, 51038);
        const QByteArray expected = Bytes()
                                        .text(12, QByteArray::fromHex("b0f8").repeated(15))
                                        .text(64, "V1.7")
                                        .text(407, "G")
                                        .text(409, "G")
                                        .integer(432, 51038)
                                        .data();
        QCOMPARE(header, expected);
        QCOMPARE(TEstimateRecord::Classify(header.constData()), TEstimateRecord::Kind::Header);
        QCOMPARE(TEstimateRecord::HeaderName(header.constData()), QString(15, u'공'));
        QCOMPARE(TEstimateRecord::HeaderRowCount(header.constData()), 51038);
    }

    void tellsHeadersRowsAndOtherRecordsApart_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<int>("kind");
        const auto row = [](const char *level) { return TEstimateRecord::FromRow(EstimateRowValues({{"ABFS", level}})); };
        const auto invalid = int(TEstimateRecord::Kind::Invalid);
        for (const char *level : {"A", "B", "F", "S", "X", "W"})
            QTest::newRow(level) << row(level) << int(TEstimateRecord::Kind::Row);
        QTest::newRow("header") << TEstimateRecord::Header("공사", 3) << int(TEstimateRecord::Kind::Header);
        QTest::newRow("ABFS Q") << row("Q") << invalid;
        QTest::newRow("ABFS G under TAG N") << TEstimateRecord::FromRow(EstimateRowValues({{"ABFS", "G"}, {"TAG", "N"}}))
                                            << invalid;
        QTest::newRow("no ABFS") << QByteArray(448, '\0') << invalid;
        QByteArray longName = row("S");
        longName[12] = char(31);
        QTest::newRow("NAME length 31") << longName << invalid;
        QByteArray longHeaderNote = TEstimateRecord::Header("공사", 3);
        longHeaderNote[85] = char(101);
        QTest::newRow("header NOADD length 101") << longHeaderNote << invalid;
        QByteArray reserved = row("S");
        reserved[402] = char(0xFF); // the reserved text is never read
        QTest::newRow("reserved text ignored") << reserved << int(TEstimateRecord::Kind::Row);
    }
    void tellsHeadersRowsAndOtherRecordsApart()
    {
        QFETCH(QByteArray, record);
        QFETCH(int, kind);
        QCOMPARE(int(TEstimateRecord::Classify(record.constData())), kind);
    }
};

VEK_TEST(TestEstimateRecord)
#include "tst_EstimateRecord.moc"
