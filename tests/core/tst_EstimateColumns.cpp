#include "core/Cp949Text.h"
#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/EstimateColumns.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

#include <algorithm>

using namespace vek;

class TestEstimateColumns : public QObject {
    Q_OBJECT
private slots:
    void insertRoundTripsEveryColumn()
    {
        TempDatabase db;
        // Korean text at each column's full CP949 capacity (a Korean letter is 2 bytes).
        const QHash<QString, QString> texts = {
            {"NAME", QString(15, QChar(0xAC00))},           // 30 bytes
            {"STAN", QStringLiteral("규격규격규격규격규격")},   // 20 bytes
            {"UNIT", QStringLiteral("㎥당")},                  // 4 bytes
            {"ETC", QStringLiteral("비고비고비고비x")},         // 15 bytes
            {"NOADD", QString(50, QChar(0xD7A3))},          // 100 bytes
            {"PAGEA", QStringLiteral("쪽a1")},
            {"PAGEB", QStringLiteral("AB12")},
            {"TAG", "D"}, {"ABFS", "S"}, {"MVE", "F"}};
        QVariantList values;
        int k = 0;
        for (const QString &column : EstimateColumns()) {
            ++k;
            if (texts.contains(column))
                values.append(texts.value(column));
            else if (column.endsWith("CODE") || column.startsWith("ICD") || column == "NORT" || column == "SUB"
                     || column == "ODRF")
                values.append(k * 7);
            else
                values.append(k + 0.29 + 1.0 / 3); // a double that no short text holds
        }
        for (const QString &column : texts.keys())
            QVERIFY2(Cp949Width(texts.value(column)) == TextCapacity(column) || column == "PAGEA", qPrintable(column));
        InsertEstimateRow(db.module().SQLConect, values);
        QVERIFY(db.module().SQLConect.commit());

        Dataset &all = db.module().TnDtail;
        all.open();
        QCOMPARE(all.recordCount(), 1);
        for (int i = 0; i < EstimateColumns().size(); ++i) {
            const QString column = EstimateColumns().at(i);
            QCOMPARE(all.fieldName(i), column);
            QVariant got = all.value(column);
            if (texts.contains(column))
                QCOMPARE(got.toString().trimmed(), values.at(i).toString());
            else
                QCOMPARE(got.toDouble(), values.at(i).toDouble());
        }
        // Documents hold the 44 columns, never the row key.
        QCOMPARE(all.fieldCount(), int(EstimateColumns().size()));
        QCOMPARE(all.fieldIndex("RID"), -1);
        // A document's rows go into the table through it all the same.
        all.append();
        for (int i = 0; i < EstimateColumns().size(); ++i)
            all.setValue(EstimateColumns().at(i), values.at(i));
        all.post();
        all.applyUpdates();
        QCOMPARE(db.scalar("select count(distinct RID) from NDTAIL where NOADD=?", {texts.value("NOADD")}).toInt(), 2);
    }

    // A CHAR column reads back within its CP949 byte capacity: its text, then pad blanks
    // up to the capacity and no further.
    void fixedColumnsReadBackWithinTheirCapacity_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("read");
        QTest::newRow("ETC, Korean and ASCII") << "ETC" << "가x" << QStringLiteral("가x") + QString(12, ' ');
        QTest::newRow("ETC, 7 Korean letters") << "ETC" << QString(7, QChar(0xAC00)) << QString(7, QChar(0xAC00)) + ' ';
        QTest::newRow("ETC, full") << "ETC" << QStringLiteral("비고비고비고비x") << QStringLiteral("비고비고비고비x");
        QTest::newRow("NOADD, 50 Korean letters") << "NOADD" << QString(50, QChar(0xD7A3)) << QString(50, QChar(0xD7A3));
        QTest::newRow("NOADD, a formula") << "NOADD" << "2*3" << QStringLiteral("2*3") + QString(97, ' ');
        QTest::newRow("PAGEA") << "PAGEA" << "쪽a" << QStringLiteral("쪽a ");
        QTest::newRow("TAG") << "TAG" << "N" << "N";
        QTest::newRow("MVE, empty") << "MVE" << "" << " ";
    }
    void fixedColumnsReadBackWithinTheirCapacity()
    {
        QFETCH(QString, column);
        QFETCH(QString, stored);
        QFETCH(QString, read);
        TempDatabase db;
        QVariantHash row{{"TAG", "N"}, {"ABFS", "S"}};
        row.insert(column, stored);
        db.insertRow(row);
        Dataset &all = db.module().TnDtail;
        all.open();
        QCOMPARE(all.asString(column), read);
        QCOMPARE(Cp949Width(all.asString(column)), TextCapacity(column));
    }

    void longTextIsCutOnALetterBoundary_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("NAME 31 bytes") << "NAME" << QString("a") + QString(15, QChar(0xAC00))
                                       << QString("a") + QString(14, QChar(0xAC00));
        QTest::newRow("UNIT") << "UNIT" << QStringLiteral("m가나") << QStringLiteral("m가");
        QTest::newRow("ETC") << "ETC" << QString(8, QChar(0xAC00)) << QString(7, QChar(0xAC00));
        QTest::newRow("STAN ascii") << "STAN" << QString(25, 'x') << QString(20, 'x');
        QTest::newRow("PAGEB") << "PAGEB" << QStringLiteral("12345") << QStringLiteral("1234");
    }
    void longTextIsCutOnALetterBoundary()
    {
        QFETCH(QString, column);
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QCOMPARE(FitColumnValue(column, text).toString(), kept);

        TempDatabase db;
        db.insertRow({{column, text}, {"TAG", "N"}, {"ABFS", "S"}});
        db.insertRow({{"TAG", "N"}, {"ABFS", "S"}});
        Dataset rows("rows", &db.module().SQLConect);
        rows.setCommandText("select * from NDTAIL order by RID");
        rows.open();
        QCOMPARE(rows.asString(column).trimmed(), kept);
        // The same cut where a dataset row is set.
        rows.next();
        rows.edit();
        rows.setValue(column, text);
        QCOMPARE(rows.asString(column), kept);
        rows.post();
        rows.refresh();
        QCOMPARE(rows.recNo(), 1);
        QCOMPARE(rows.asString(column).trimmed(), kept);
    }

    void rowsOfADatasetComeInTableOrderByColumnName()
    {
        TempDatabase db;
        db.insertRow({{"ACODE", 4}, {"NAME", "레미콘"}, {"INO", 2.5}, {"TAG", "N"}, {"ABFS", "S"}, {"ODRF", 9}});
        db.insertRow({{"ACODE", 5}, {"NAME", "철근"}, {"TAG", "N"}, {"ABFS", "S"}, {"ODRF", 10}});
        QStringList reversed = EstimateColumns();
        std::reverse(reversed.begin(), reversed.end());
        Dataset &rows = db.module().mvDtail;
        rows.setCommandText(QStringLiteral("select %1 from NDTAIL order by ODRF").arg(reversed.join(u',')));
        rows.open();
        const QList<QVariantList> result = EstimateRowsOf(rows);
        QCOMPARE(result.size(), 2);
        const QStringList &columns = EstimateColumns();
        for (const QVariantList &row : result)
            QCOMPARE(row.size(), 44);
        QCOMPARE(result[0][columns.indexOf("ACODE")].toInt(), 4);
        QCOMPARE(result[0][columns.indexOf("NAME")].toString(), QStringLiteral("레미콘"));
        QCOMPARE(result[0][columns.indexOf("INO")].toDouble(), 2.5);
        QCOMPARE(result[1][columns.indexOf("ODRF")].toInt(), 10);

        rows.setCommandText(QStringLiteral("select NAME, ODRF from NDTAIL"));
        rows.open();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, EstimateRowsOf(rows));
    }
};

VEK_TEST(TestEstimateColumns)
#include "tst_EstimateColumns.moc"
