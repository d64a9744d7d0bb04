#include "core/Currency.h"
#include "core/DataModule.h"
#include "core/EstimateColumns.h"
#include "core/EstimateDocument.h"
#include "core/EstimateRecord.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace vek;

namespace {

constexpr int RecordSize = 448;
const QString SampleProject = QStringLiteral("시험공사 견적");
const double RateOf1_1Percent = 1.1 * 0.01; // 0.011000000000000001, as the rate dialog computes it

QString RightTrimmed(QString text)
{
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

// Every stored row in table order (RID), each its 44 columns: NULL as such, numbers as their
// value with four decimals (the precision of a document), texts without the blanks that
// pad them in transfer.
QList<QVariantList> StoredRows(TempDatabase &db)
{
    QSqlQuery query = db.module().SQLConect.select(
        QStringLiteral("select %1 from NDTAIL order by RID").arg(EstimateColumns().join(u',')));
    QList<QVariantList> rows;
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < query.record().count(); ++i) {
            const QVariant value = query.value(i);
            if (query.isNull(i))
                row.append(QVariant());
            else if (value.typeId() == QMetaType::Double)
                row.append(Currency::fromDouble(value.toDouble()).toDouble());
            else if (value.typeId() == QMetaType::QString)
                row.append(RightTrimmed(value.toString()));
            else
                row.append(value);
        }
        rows.append(row);
    }
    return rows;
}

// An estimate with every level and row kind, texts at their capacities, numbers with more
// than four decimals, a row marked for a move and a rate of 1.1 % linking two rows.
void StoreEveryKindOfRow(TempDatabase &db)
{
    const QString name30 = QString(15, u'철');
    const QString note100 = QString(50, u'가');
    const QList<QVariantHash> rows = {
        {{"ACODE", 1}, {"UNIT", "식"}, {"NOADD", "토목공사"}, {"INO", 1}, {"PCST11", 1234567.891}, {"CSTTAL", 1234567.891},
         {"TAG", "A"}, {"ABFS", "A"}, {"SUB", 1}, {"ODRF", 1}, {"ETC", "가나다"}},
        {{"ACODE", 2}, {"NOADD", "제경비"}, {"TAG", "R"}, {"ABFS", "A"}, {"NORT", 1}, {"ODRF", 2}},
        {{"ACODE", 3}, {"TAG", "T"}, {"ABFS", "A"}, {"ICD1", 3}, {"ODRF", 3}},
        {{"ACODE", 1}, {"BCODE", 1}, {"NOADD", note100}, {"TAG", "B"}, {"ABFS", "B"}, {"SUB", 1}, {"ODRF", 1}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"NOADD", "터파기"}, {"TAG", "F"}, {"ABFS", "F"}, {"ODRF", 1},
         {"PAGEA", "ab"}, {"PAGEB", "1234"}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"NAME", name30}, {"STAN", QString(20, u'x')}, {"UNIT", "㎥"},
         {"NOADD", "2*3.5"}, {"INO", 7.00005}, {"PCST11", 65000.5}, {"PCST12", 455003.5}, {"PRT1", RateOf1_1Percent},
         {"TAG", "N"}, {"ABFS", "S"}, {"ODRF", 1}, {"MVE", "T"}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"NAME", "거푸집"}, {"INO", 10}, {"LCST11", 1234.56789},
         {"TAG", "D"}, {"ABFS", "S"}, {"ICD1", 1}, {"ICD2", 2}, {"ICD3", 3}, {"ODRF", 2}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"NAME", "공구손료"}, {"NORT", 1}, {"PRT1", RateOf1_1Percent},
         {"PCST11", 5005.04}, {"TAG", "R"}, {"ABFS", "S"}, {"ODRF", 3}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"TAG", "T"}, {"ABFS", "S"}, {"ICD1", 1}, {"ODRF", 4},
         {"CSTTAL", -0.03125}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"NAME", "보통인부"}, {"TAG", "M"}, {"ABFS", "S"}, {"NORT", 3},
         {"ODRF", 5}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"NAME", "제외"}, {"TAG", "E"}, {"ABFS", "S"}, {"ODRF", 6}},
        {{"NAME", "목재"}, {"ICD1", 1}, {"ICD2", 2}, {"ICD3", 3}, {"RECV", 1234.5}, {"LRTE", 0.5}, {"TAG", "N"},
         {"ABFS", "X"}, {"ODRF", 1}, {"PCSTA", 1.5}, {"PCSTB", -2.5}, {"PCSTC", 99999999.9999}},
        {{"NAME", "못"}, {"ICD1", 1}, {"ICD2", 2}, {"ICD3", 3}, {"TAG", "N"}, {"ABFS", "X"}, {"ODRF", 2}},
        {{"NAME", "재료비"}, {"NOADD", "1+2"}, {"TAG", "E"}, {"ABFS", "W"}, {"ODRF", 1}},
    };
    for (const QVariantHash &row : rows)
        db.insertRow(row);
}

QByteArray Sample()
{
    return ReadTestFile(TestFixturePath(QStringLiteral("SampleEstimate.Vek")));
}

QByteArray WithByte(QByteArray bytes, int offset, char value)
{
    bytes[offset] = value;
    return bytes;
}

// The sample's rows as its layout script writes them; other columns 0 or empty.
QList<QVariantList> SampleRows()
{
    const QString cut = QString(14, u'가') + u'x';
    const QList<QVariantHash> rows = {
        {{"ACODE", 1}, {"UNIT", "식"}, {"NOADD", "토목공사"}, {"INO", 1.0}, {"PCST11", 1000.0}, {"PCST12", 1000.0},
         {"LCST11", 500.0}, {"LCST12", 500.0}, {"CSTTAL", 1500.0}, {"TAG", "A"}, {"ABFS", "A"}, {"SUB", 1}, {"ODRF", 1}},
        {{"ACODE", 1}, {"BCODE", 1}, {"UNIT", "식"}, {"ETC", "비고"}, {"NOADD", "기초공사"}, {"INO", 2.0}, {"TAG", "B"},
         {"ABFS", "B"}, {"ODRF", 1}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"UNIT", "식"}, {"NOADD", "터파기"}, {"INO", 1.0}, {"TAG", "F"},
         {"ABFS", "F"}, {"ODRF", 1}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"NAME", "레미콘"}, {"STAN", "25-240-15"}, {"UNIT", "㎥"},
         {"NOADD", "2*3.5"}, {"INO", 7.0}, {"PCST11", 65000.5}, {"PCST12", 455003.5}, {"PRT1", 0.011},
         {"PAGEA", "12"}, {"PAGEB", "3"}, {"TAG", "N"}, {"ABFS", "S"}, {"ODRF", 1}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"NAME", "거푸집"}, {"UNIT", "㎡"}, {"INO", 10.0},
         {"LCST11", 1234.5678}, {"TAG", "D"}, {"ABFS", "S"}, {"ICD1", 1}, {"ICD2", 2}, {"ICD3", 3}, {"ODRF", 2}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"NAME", "공구손료"}, {"UNIT", "식"}, {"NORT", 1},
         {"PRT1", 0.011}, {"TAG", "R"}, {"ABFS", "S"}, {"ODRF", 3}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"TAG", "T"}, {"ABFS", "S"}, {"ICD1", 1}, {"ODRF", 4}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"NAME", "보통인부"}, {"NORT", 3}, {"TAG", "M"}, {"ABFS", "S"},
         {"ODRF", 5}},
        {{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"NAME", "제외항목"}, {"CSTTAL", -0.0312}, {"TAG", "E"},
         {"ABFS", "S"}, {"ODRF", 6}, {"SUB", 1}},
        {{"NAME", cut}, {"ICD1", 1}, {"ICD2", 2}, {"ICD3", 3}, {"RECV", 1234.5}, {"LRTE", 0.0005}, {"TAG", "N"},
         {"ABFS", "X"}, {"ODRF", 1}},
        {{"NAME", "재료비"}, {"NOADD", "1+2"}, {"TAG", "E"}, {"ABFS", "W"}, {"ODRF", 1}},
    };
    QList<QVariantList> result;
    for (const QVariantHash &row : rows)
        result.append(EstimateRowValues(row));
    return result;
}

} // namespace

class TestEstimateDocument : public QObject {
    Q_OBJECT
private slots:
    void opensADocumentLaidOutByHand()
    {
        TempDatabase db;
        StoreEveryKindOfRow(db);
        QCOMPARE(ReadEstimateDocument(TestFixturePath(QStringLiteral("SampleEstimate.Vek"))), SampleProject);

        const QList<QVariantList> stored = StoredRows(db);
        const QList<QVariantList> expected = SampleRows();
        QCOMPARE(stored.size(), expected.size());
        const QStringList &columns = EstimateColumns();
        for (int r = 0; r < stored.size(); ++r)
            for (int c = 0; c < columns.size(); ++c) {
                const QVariant &got = stored[r][c];
                const QVariant &want = expected[r][c];
                const bool same = want.typeId() == QMetaType::QString ? got.toString() == want.toString()
                                                                      : got.toDouble() == want.toDouble();
                QVERIFY2(same, qPrintable(QStringLiteral("row %1 %2: %3, not %4")
                                              .arg(r + 1).arg(columns[c], got.toString(), want.toString())));
            }
    }

    void aSavedEstimateOpensAfterARestartAsItWas()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("견적.Vek"));
        const QString project = QStringLiteral("서울 지하철 9호선 정거장 신축공사"); // 33 bytes
        QList<QVariantList> before;
        {
            TempDatabase db;
            StoreEveryKindOfRow(db);
            before = StoredRows(db);
            WriteEstimateDocument(path, project);
            QVERIFY(!db.module().TnDtail.isActive());
        }
        const QByteArray saved = ReadTestFile(path);
        QCOMPARE(saved.size(), RecordSize * (before.size() + 1));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("견적.Vek")});

        TempDatabase fresh;
        QCOMPARE(ReadEstimateDocument(path), QStringLiteral("서울 지하철 9호선 정거장 신축"));
        QList<QVariantList> expected = before;
        const int mve = EstimateColumns().indexOf("MVE");
        for (QVariantList &row : expected)
            row[mve] = QStringLiteral("F");
        QCOMPARE(StoredRows(fresh), expected);

        // Both rows of the 1.1 % rate still hold the one same value.
        const QVariant rate = fresh.scalar(QStringLiteral("select PRT1 from NDTAIL where TAG='R' and ABFS='S'"));
        QCOMPARE(fresh.scalar(QStringLiteral("select count(*) from NDTAIL where PRT1=?"), {rate}).toInt(), 2);

        // Saved again, the document is the same to the byte.
        const QString again = folder.filePath(QStringLiteral("again.Vek"));
        WriteEstimateDocument(again, QStringLiteral("서울 지하철 9호선 정거장 신축"));
        QCOMPARE(ReadTestFile(again), saved);
    }

    void refusesWhatIsNoWholeDocumentAndChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray sample = Sample();
        QVERIFY(sample.size() == 12 * RecordSize);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("447 bytes") << sample.left(447);
        QTest::newRow("a byte short") << sample.chopped(1);
        QTest::newRow("a byte over") << sample + 'x';
        QTest::newRow("its last record missing") << sample.chopped(RecordSize);
        QTest::newRow("896 zero bytes") << QByteArray(2 * RecordSize, '\0');
        QTest::newRow("a text file") << QByteArray("ACODE;BCODE;NAME\n1;0;레미콘\n").leftJustified(2 * RecordSize, ' ');
        QTest::newRow("a row before the header")
            << sample.mid(RecordSize, RecordSize) + sample.left(RecordSize) + sample.mid(2 * RecordSize);
        QTest::newRow("a second header") << sample.chopped(RecordSize) + sample.left(RecordSize);
        QTest::newRow("NAME length 31") << WithByte(sample, 4 * RecordSize + 12, 31);
        QTest::newRow("header NAME length 31") << WithByte(sample, 12, 31);
        QTest::newRow("ABFS Q") << WithByte(sample, 3 * RecordSize + 410, 'Q');
    }
    void refusesWhatIsNoWholeDocumentAndChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        TempDatabase db;
        StoreEveryKindOfRow(db);
        const QList<QVariantList> before = StoredRows(db);
        const QString path = db.home().filePath(QStringLiteral("broken.Vek"));
        QVERIFY(WriteTestFile(path, bytes));
        try {
            ReadEstimateDocument(path);
            QFAIL("the file was read");
        } catch (const DocumentError &error) {
            QCOMPARE(error.message(), QStringLiteral(" 내역서파일이 아니거나 손상된 파일입니다.\n") + path);
        }
        QCOMPARE(StoredRows(db), before);
    }

    void aHeaderThatCountsNoRowsOpens()
    {
        TempDatabase db;
        const QString path = db.home().filePath(QStringLiteral("uncounted.Vek"));
        QByteArray bytes = Sample();
        bytes.replace(432, 4, QByteArray(4, '\0'));
        QVERIFY(WriteTestFile(path, bytes));
        QList<int> progress;
        QCOMPARE(ReadEstimateDocument(path, [&progress](int percent) { progress.append(percent); }), SampleProject);
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from NDTAIL")).toInt(), 11);
        // Without a count the gauge counts against 100 rows.
        QCOMPARE(progress, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    }

    void aFileThatCannotBeReadChangesNothing()
    {
        TempDatabase db;
        StoreEveryKindOfRow(db);
        const QList<QVariantList> before = StoredRows(db);
        const QString path = db.home().filePath(QStringLiteral("missing.Vek"));
        try {
            ReadEstimateDocument(path);
            QFAIL("a missing file was read");
        } catch (const DocumentError &error) {
            QVERIFY2(error.message().startsWith(QStringLiteral(" 파일을 읽을 수 없습니다.\n") + path + u'\n'),
                     error.what());
        }
        QCOMPARE(StoredRows(db), before);
    }

    void aRowTheDatabaseRefusesTakesBackTheWholeRead()
    {
        TempDatabase db;
        const QString path = db.home().filePath(QStringLiteral("refused.Vek"));
        QByteArray bytes = TEstimateRecord::Header(QStringLiteral("공사"), 3);
        for (const char *name : {"첫째", "둘째", "거부"})
            bytes += TEstimateRecord::FromRow(EstimateRowValues({{"NAME", name}, {"TAG", "N"}, {"ABFS", "X"}}));
        QVERIFY(WriteTestFile(path, bytes));
        StoreEveryKindOfRow(db);
        const QList<QVariantList> before = StoredRows(db);
        WorkConnection &connection = db.module().SQLConect;
        connection.execute(QStringLiteral("CREATE EXCEPTION REFUSED_ROW 'refused by the test'"));
        QVERIFY(connection.commit());
        connection.execute(QStringLiteral("CREATE TRIGGER REFUSE_ROW FOR NDTAIL BEFORE INSERT AS BEGIN "
                                          "IF (NEW.NAME = '거부') THEN EXCEPTION REFUSED_ROW; END"));
        QVERIFY(connection.commit());
        try {
            ReadEstimateDocument(path);
            QFAIL("the refused row was read");
        } catch (const DocumentError &error) {
            QVERIFY2(error.message().contains(QStringLiteral("refused by the test")), error.what());
        }
        QVERIFY(!connection.inTransaction());
        QCOMPARE(StoredRows(db), before);
    }

    void aFailedSaveLeavesTheOldFileAsItWas_data()
    {
        QTest::addColumn<QString>("target");    // relative to a temporary folder
        QTest::addColumn<bool>("outOfRange");   // a CSTTAL of 1e300 in the rows
        QTest::newRow("a number beyond the fixed-point range") << "old.Vek" << true;
        QTest::newRow("a folder that is a plain file") << "plain/new.Vek" << false;
        QTest::newRow("a target that is a folder") << "folder.Vek" << false;
    }
    void aFailedSaveLeavesTheOldFileAsItWas()
    {
        QFETCH(QString, target);
        QFETCH(bool, outOfRange);
        TempDatabase db;
        StoreEveryKindOfRow(db);
        if (outOfRange) {
            db.module().SQLConect.execute(QStringLiteral("update NDTAIL set CSTTAL=? where ABFS='S' and TAG='D'"), {1e300});
            QVERIFY(db.module().SQLConect.commit());
        }
        QTemporaryDir folder;
        const QByteArray old = Sample();
        QVERIFY(WriteTestFile(folder.filePath(QStringLiteral("old.Vek")), old));
        QVERIFY(WriteTestFile(folder.filePath(QStringLiteral("plain")), "not a folder"));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder.Vek")));
        const QStringList entries = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

        const QString path = folder.filePath(target);
        try {
            WriteEstimateDocument(path, QStringLiteral("공사"));
            QFAIL("the save did not fail");
        } catch (const DocumentError &error) {
            QVERIFY2(error.message().startsWith(QStringLiteral(" 파일을 저장할 수 없습니다.\n") + path + u'\n'), error.what());
            if (outOfRange)
                QVERIFY2(error.message().contains(QStringLiteral("CSTTAL")), error.what());
        }
        QCOMPARE(ReadTestFile(folder.filePath(QStringLiteral("old.Vek"))), old);
        QCOMPARE(ReadTestFile(folder.filePath(QStringLiteral("plain"))), QByteArray("not a folder"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), entries);
        QVERIFY(QDir(folder.filePath(QStringLiteral("folder.Vek"))).isEmpty());
        QVERIFY(!db.module().TnDtail.isActive());
    }

    void tellsTheProgressOfASaveInWholePercent()
    {
        TempDatabase db;
        for (int i = 1; i <= 3; ++i)
            db.insertRow({{"ACODE", i}, {"TAG", "A"}, {"ABFS", "A"}, {"ODRF", i}});
        QList<int> progress;
        WriteEstimateDocument(db.home().filePath(QStringLiteral("three.Vek")), QString(),
                              [&progress](int percent) { progress.append(percent); });
        QCOMPARE(progress, (QList<int>{33, 67, 100}));
    }
};

VEK_TEST(TestEstimateDocument)
#include "tst_EstimateDocument.moc"
