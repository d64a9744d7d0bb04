#include "export/SheetFrame.h"
#include "platform/spreadsheet/ExcelApplication.h"
#include "platform/spreadsheet/XlsxFile.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WorkbookReader.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

using namespace vek;

class TestSheetFrame : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    // The grid runs to the last row of the last printed page, whatever the rows hold.
    void gridDepth_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("lastRow");
        QTest::newRow("none") << 0 << 28;
        QTest::newRow("1") << 1 << 28;
        QTest::newRow("26") << 26 << 28;
        QTest::newRow("27") << 27 << 56;
        QTest::newRow("30") << 30 << 56;
        QTest::newRow("54") << 54 << 56;
        QTest::newRow("55") << 55 << 84;
    }
    void gridDepth()
    {
        QFETCH(int, records);
        QFETCH(int, lastRow);
        const SheetLayout layout{{1, 10, 10, 10}, {"a", "b", "c"}, "B1:D1"};
        ExcelApplication app;
        app.WorkBooks().add();
        QCOMPARE(WriteStandardFrame(app, 1, layout, "title", records), lastRow);
        const QString path = dir_.filePath("frame.xlsx");
        WriteXlsx(app.workbook(1), path);
        const WorkbookReader book(path);

        const auto line = [&](const QString &address, const char *side) {
            return book.cell("Sheet1", address).value("border").toObject().value(side).toObject();
        };
        const QJsonObject hair{{"style", "hair"}, {"color", "000000"}};
        const QString n = QString::number(lastRow);
        const QString below = QString::number(lastRow + 1);
        QCOMPARE(line("D" + n, "bottom"), hair);
        QCOMPARE(line("B" + n, "left"), hair);
        QCOMPARE(line("A" + n, "right"), hair);
        QCOMPARE(line("D" + n, "right"), hair);
        QCOMPARE(line("E" + n, "left"), hair);
        QVERIFY(line("D" + below, "bottom") != hair);
        QVERIFY(line("A" + below, "right") != hair);
        QVERIFY(line("D" + below, "right") != hair);
        QCOMPARE(line("C1", "bottom"), hair);
        QVERIFY(line("A1", "right") != hair);

        const QJsonObject sheet = book.sheet("Sheet1");
        QCOMPARE(sheet.value("merged").toArray(), QJsonArray{"B1:D1"});
        QCOMPARE(sheet.value("row_breaks").toArray(), QJsonArray());
        QCOMPARE(sheet.value("col_breaks").toArray(), QJsonArray());
        QVERIFY(sheet.value("print_title_rows").isNull());
        QVERIFY(sheet.value("print_title_cols").isNull());
    }
};

VEK_TEST(TestSheetFrame)
#include "tst_SheetFrame.moc"
