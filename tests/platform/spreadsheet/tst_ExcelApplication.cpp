#include "platform/spreadsheet/ExcelApplication.h"
#include "platform/spreadsheet/SpreadsheetError.h"
#include "platform/spreadsheet/XlsxFile.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WorkbookReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace vek;

using Calls = std::function<void(ExcelApplication &)>;
Q_DECLARE_METATYPE(Calls)

namespace {

const QJsonValue Null(QJsonValue::Null);
// What the table expects where the file holds nothing.
const QJsonValue Absent = QStringLiteral("<absent>");

// The value at path in the reader's answer: the first segment names the sheet, the others
// walk its objects and arrays ("Sheet1/cells/B1/font/color"); Absent where there is none.
QJsonValue At(const WorkbookReader &book, const QString &path)
{
    const QStringList steps = path.split(u'/');
    QJsonValue value = book.sheet(steps.first());
    for (const QString &step : steps.mid(1)) {
        bool index = false;
        const int i = step.toInt(&index);
        value = index && value.isArray() ? value.toArray().at(i) : value.toObject().value(step);
    }
    return value.isUndefined() ? Absent : value;
}

QJsonObject Side(const char *style, const QJsonValue &colour)
{
    return {{"style", style}, {"color", colour}};
}

const QJsonObject HairBlack = Side("hair", "000000");

} // namespace

class TestExcelApplication : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // The calls made on a new workbook, written and read back.
    WorkbookReader written(const Calls &calls)
    {
        ExcelApplication app;
        app.WorkBooks().add();
        calls(app);
        const QString path = dir_.filePath(QStringLiteral("book.xlsx"));
        WriteXlsx(app.workbook(1), path);
        return WorkbookReader(path);
    }

private slots:
    void callsReachTheFile_data()
    {
        QTest::addColumn<Calls>("calls");
        QTest::addColumn<QJsonObject>("expected");

        QTest::newRow("red in the low byte") << Calls([](ExcelApplication &app) {
            app.Cells(1, 2).Font().setColor(255);
            app.Range("C1").interior().setColor(16711680);
        }) << QJsonObject{{"Sheet1/cells/B1/font/color", "FF0000"}, {"Sheet1/cells/C1/fill", "0000FF"}};
        QTest::newRow("0 is black") << Calls([](ExcelApplication &app) {
            app.Columns().Font().setColor(0);
            app.Cells(3, 3).Borders().setColor(0);
        }) << QJsonObject{{"Sheet1/columns/0/font/color", "000000"},
                          {"Sheet1/cells/C3/border/left", Side("thin", "000000")}};
        QTest::newRow("bold kept under a later font name") << Calls([](ExcelApplication &app) {
            app.Cells(1, 2).Font().setBold(true);
            app.Columns().Font().setName("굴림");
            app.Columns().Font().setSize(9);
        }) << QJsonObject{{"Sheet1/cells/B1/font/bold", true},
                          {"Sheet1/cells/B1/font/name", "굴림"},
                          {"Sheet1/cells/B1/font/size", 9},
                          {"Sheet1/columns/0/font/name", "굴림"}};
        QTest::newRow("a later cell starts from its column") << Calls([](ExcelApplication &app) {
            app.Columns().Font().setName("굴림");
            app.Columns(2).Font().setBold(true);
            app.Cells(7, 2).setValue(QStringLiteral("x"));
            app.Cells(7, 3).setValue(QStringLiteral("y"));
        }) << QJsonObject{{"Sheet1/cells/B7/font/name", "굴림"}, {"Sheet1/cells/B7/font/bold", true},
                          {"Sheet1/cells/C7/font/name", "굴림"}, {"Sheet1/cells/C7/font/bold", false}};
        QTest::newRow("font style 굵게") << Calls([](ExcelApplication &app) {
            app.Range("B1").Font().setFontStyle("굵게");
        }) << QJsonObject{{"Sheet1/cells/B1/font/bold", true}, {"Sheet1/cells/B1/font/italic", false}};
        QTest::newRow("weight 1 is hair, shared by the cell below") << Calls([](ExcelApplication &app) {
            app.Cells(2, 2).Borders().Item(xlBottom).setWeight(xlHairline);
        }) << QJsonObject{{"Sheet1/cells/B2/border/bottom", Side("hair", "auto")},
                          {"Sheet1/cells/B3/border/top", Side("hair", "auto")},
                          {"Sheet1/cells/B2/border/top", Null}};
        QTest::newRow("A3's right is B3's left") << Calls([](ExcelApplication &app) {
            app.Cells(3, 1).Borders().Item(xlRight).setWeight(xlHairline);
            app.Cells(3, 1).Borders().Item(xlRight).setColor(0);
        }) << QJsonObject{{"Sheet1/cells/A3/border/right", HairBlack}, {"Sheet1/cells/B3/border/left", HairBlack}};
        QTest::newRow("grid of a range") << Calls([](ExcelApplication &app) {
            app.Range("B2", "C3").Cells().Borders().setLineStyle(xlContinuous);
            app.Range("B2", "C3").Cells().Borders().setColor(0);
            app.Range("B2", "C3").Cells().Borders().setWeight(xlHairline);
        }) << QJsonObject{{"Sheet1/cells/B2/border/left", HairBlack}, {"Sheet1/cells/C3/border/bottom", HairBlack},
                          {"Sheet1/cells/A2/border/right", HairBlack}, {"Sheet1/cells/B4/border/top", HairBlack},
                          {"Sheet1/cells/D3/border/left", HairBlack}, {"Sheet1/cells/B1/border/bottom", HairBlack},
                          {"Sheet1/cells/A2/border/left", Null}};
        QTest::newRow("outer and inner items") << Calls([](ExcelApplication &app) {
            app.Range("B2:D4").Borders().Item(xlTop).setLineStyle(xlContinuous);
            app.Range("B2:D4").Borders().Item(xlLeft).setWeight(xlMedium);
            app.Range("B2:D4").Borders().Item(xlInsideVertical).setWeight(xlThick);
            app.Range("B2:D4").Borders().Item(xlInsideHorizontal).setColor(255);
        }) << QJsonObject{{"Sheet1/cells/C2/border/top", Side("thin", "auto")},
                          {"Sheet1/cells/C1/border/bottom", Side("thin", "auto")},
                          {"Sheet1/cells/B3/border/left", Side("medium", "auto")},
                          {"Sheet1/cells/B3/border/right", Side("thick", "auto")},
                          {"Sheet1/cells/D3/border/right", Null},
                          {"Sheet1/cells/C3/border/bottom", Side("thin", "FF0000")},
                          {"Sheet1/cells/C4/border/bottom", Null}};
        QTest::newRow("white borders everywhere, black grid over them") << Calls([](ExcelApplication &app) {
            app.Columns().Borders().setColor(16777215);
            app.Range("B2", "B2").Cells().Borders().setWeight(xlHairline);
            app.Range("B2", "B2").Cells().Borders().setColor(0);
            app.Cells(9, 5).setValue(QStringLiteral("later"));
        }) << QJsonObject{{"Sheet1/columns/0/border/left", Side("thin", "FFFFFF")},
                          {"Sheet1/cells/E9/border/top", Side("thin", "FFFFFF")},
                          {"Sheet1/cells/B2/border/right", Side("hair", "000000")},
                          {"Sheet1/cells/C2/border/left", Side("hair", "000000")},
                          {"Sheet1/cells/C2/border/right", Side("thin", "FFFFFF")}};
        QTest::newRow("line style none removes the line") << Calls([](ExcelApplication &app) {
            app.Range("B2").Borders().setLineStyle(xlContinuous);
            app.Range("B2").Borders().Item(xlLeft).setLineStyle(xlLineStyleNone);
        }) << QJsonObject{{"Sheet1/cells/B2/border/left", Null},
                          {"Sheet1/cells/A2", Absent},
                          {"Sheet1/cells/B2/border/right", Side("thin", "auto")}};
        QTest::newRow("alignments and fill") << Calls([](ExcelApplication &app) {
            app.Columns().setVerticalAlignment(xlCenter);
            app.Cells(2, 2).setHorizontalAlignment(xlCenter);
            app.Cells(2, 3).setHorizontalAlignment(xlRight);
            app.Cells(2, 4).setHorizontalAlignment(xlLeft);
            app.Range("B2", "D2").interior().setColor(12632256);
        }) << QJsonObject{{"Sheet1/cells/B2/horizontal", "center"}, {"Sheet1/cells/C2/horizontal", "right"},
                          {"Sheet1/cells/D2/horizontal", "left"}, {"Sheet1/cells/D2/vertical", "center"},
                          {"Sheet1/cells/C2/fill", "C0C0C0"}, {"Sheet1/columns/0/vertical", "center"}};
        QTest::newRow("typed values") << Calls([](ExcelApplication &app) {
            app.Cells(1, 1).setValue(QStringLiteral("=1+2"));
            app.Cells(1, 2).setValue(QStringLiteral("1-2"));
            app.Cells(1, 3).setValue(QStringLiteral("(5)"));
            app.Cells(1, 4).setValue(QStringLiteral("  지   급     "));
            app.Cells(1, 5).setValue(1234.0);
            app.Cells(1, 5).setNumberFormat("#,##0");
            app.Cells(1, 6).setValue(0.25);
            app.Cells(1, 7).setValue(QString());
            app.Cells(1, 8).setValue(QStringLiteral("tab\there"));
        }) << QJsonObject{{"Sheet1/cells/A1/value", "=1+2"}, {"Sheet1/cells/A1/type", "s"},
                          {"Sheet1/cells/B1/value", "1-2"}, {"Sheet1/cells/B1/type", "s"},
                          {"Sheet1/cells/C1/value", "(5)"}, {"Sheet1/cells/D1/value", "  지   급     "},
                          {"Sheet1/cells/E1/value", 1234}, {"Sheet1/cells/E1/type", "n"},
                          {"Sheet1/cells/E1/number_format", "#,##0"}, {"Sheet1/cells/F1/value", 0.25},
                          {"Sheet1/cells/F1/number_format", "General"}, {"Sheet1/cells/G1", Absent},
                          {"Sheet1/cells/H1/value", "tab\there"}};
        QTest::newRow("merge shows the top-left value") << Calls([](ExcelApplication &app) {
            app.Cells(1, 2).setValue(QStringLiteral("title"));
            app.Cells(1, 3).setValue(QStringLiteral("gone"));
            app.WorkSheets(1).Range("B1:M1").Merge();
        }) << QJsonObject{{"Sheet1/merged", QJsonArray{"B1:M1"}}, {"Sheet1/cells/B1/value", "title"},
                          {"Sheet1/cells/C1/value", Null}};
        QTest::newRow("widths and every row's height") << Calls([](ExcelApplication &app) {
            app.Columns().Font().setName("굴림");
            app.Columns(1).setRowheight(17);
            app.Columns(1).setColumnWidth(1);
            app.Columns(2).setColumnWidth(20);
            app.Cells(3, 2).setValue(QStringLiteral("x"));
        }) << QJsonObject{{"Sheet1/default_row_height", 17}, {"Sheet1/rows/3", 17},
                          {"Sheet1/columns/0/min", 1}, {"Sheet1/columns/0/max", 1},
                          {"Sheet1/columns/0/width", 1.7109375}, {"Sheet1/columns/1/width", 20.7109375},
                          {"Sheet1/columns/2/min", 3}, {"Sheet1/columns/2/max", 16384},
                          {"Sheet1/columns/2/font/name", "굴림"}, {"Sheet1/columns/3", Absent}};
        QTest::newRow("page set-up in inches") << Calls([](ExcelApplication &app) {
            app.WorkBooks(1).WorkSheets(1).PageSetup().setPaperSize(xlPaperA4);
            app.WorkBooks(1).WorkSheets(1).PageSetup().setOrientation(xlLandscape);
            app.WorkBooks(1).WorkSheets(1).PageSetup().setTopMargin(60);
            app.WorkBooks(1).WorkSheets(1).PageSetup().setBottomMargin(47);
            app.WorkBooks(1).WorkSheets(1).PageSetup().setLeftMargin(65);
        }) << QJsonObject{{"Sheet1/page/paper_size", 9}, {"Sheet1/page/orientation", "landscape"},
                          {"Sheet1/page/margins/top", 60.0 / 72}, {"Sheet1/page/margins/bottom", 47.0 / 72},
                          {"Sheet1/page/margins/left", 65.0 / 72}, {"Sheet1/page/margins/right", 0.7},
                          {"Sheet2/page/orientation", Null}};
        QTest::newRow("nothing set, nothing printed extra") << Calls([](ExcelApplication &app) {
            app.Cells(30, 2).setValue(QStringLiteral("x"));
        }) << QJsonObject{{"Sheet1/print_title_rows", Null}, {"Sheet1/print_title_cols", Null},
                          {"Sheet1/row_breaks", QJsonArray()}, {"Sheet1/col_breaks", QJsonArray()},
                          {"Sheet1/page/margins/top", 0.75}, {"Sheet1/default_row_height", 15}};
        QTest::newRow("a sheet added after the active one") << Calls([](ExcelApplication &app) {
            app.WorkSheets(2).Select();
            app.Sheets().Add(app.ActiveSheet());
            app.Cells(1, 1).setValue(QStringLiteral("on the new sheet"));
            app.WorkSheets(3).setName("셋째");
        }) << QJsonObject{{"Sheet1/cells/A1", Absent},
                          {"셋째/cells/A1/value", "on the new sheet"},
                          {"셋째/selected", true}, {"Sheet1/selected", false}, {"Sheet2/selected", false},
                          {"Sheet3/selected", false}};
        QTest::newRow("a sheet by name, in any case") << Calls([](ExcelApplication &app) {
            app.WorkSheets(1).setName("원가계산서");
            app.WorkSheets(2).setName("Totals");
            app.WorkSheets("원가계산서").Range("B1").setValue(QStringLiteral("by name"));
            app.WorkBooks(1).WorkSheets("TOTALS").Select();
        }) << QJsonObject{{"원가계산서/cells/B1/value", "by name"}, {"Totals/selected", true}};
        QTest::newRow("one selected sheet") << Calls([](ExcelApplication &app) {
            app.WorkBooks(1).WorkSheets(3).Select();
            app.Range("C3").setValue(QStringLiteral("third"));
        }) << QJsonObject{{"Sheet1/selected", false}, {"Sheet2/selected", false}, {"Sheet3/selected", true},
                          {"Sheet3/cells/C3/value", "third"}};
    }
    void callsReachTheFile()
    {
        QFETCH(Calls, calls);
        QFETCH(QJsonObject, expected);
        const WorkbookReader book = written(calls);
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            const QJsonValue actual = At(book, it.key());
            if (actual != it.value())
                QFAIL(qPrintable(QStringLiteral("%1: %2 instead of %3")
                                     .arg(it.key(), QJsonDocument(QJsonArray{actual}).toJson(QJsonDocument::Compact),
                                          QJsonDocument(QJsonArray{it.value()}).toJson(QJsonDocument::Compact))));
        }
    }

    void sheetsInOrderWithTheActiveOneLast()
    {
        const WorkbookReader book = written([](ExcelApplication &app) {
            app.WorkBooks(1).WorkSheets(1).setName("01내역서");
            app.Sheets().Add(app.ActiveSheet());
            app.Sheets().Add(app.ActiveSheet());
            app.WorkSheets(1).Select();
        });
        QCOMPARE(book.sheetNames(), (QStringList{"01내역서", "Sheet4", "Sheet5", "Sheet2", "Sheet3"}));
        QCOMPARE(book.activeSheet(), QStringLiteral("01내역서"));
    }

    // Column runs in the file never overlap and together cover what was set.
    void columnRunsDoNotOverlap()
    {
        const WorkbookReader book = written([](ExcelApplication &app) {
            app.Columns().Borders().setColor(16777215);
            const int widths[] = {1, 20, 13, 3, 5, 7, 8, 7, 8, 7, 8, 8, 9};
            for (int i = 0; i < 13; ++i)
                app.Columns(i + 1).setColumnWidth(widths[i]);
            app.Columns(20).Font().setBold(true);
        });
        int next = 1;
        for (const QJsonValue &column : book.sheet("Sheet1").value("columns").toArray()) {
            QCOMPARE(column.toObject().value("min").toInt(), next);
            next = column.toObject().value("max").toInt() + 1;
        }
        QCOMPARE(next, 16385);
        QCOMPARE(book.column("Sheet1", 20).value("font").toObject().value("bold"), QJsonValue(true));
        QCOMPARE(book.column("Sheet1", 21).value("font").toObject().value("bold"), QJsonValue(false));
        QCOMPARE(book.column("Sheet1", 13).value("width"), QJsonValue(9.7109375));
    }

    void refusedCalls_data()
    {
        QTest::addColumn<Calls>("calls");
        QTest::newRow("duplicate name in another case") << Calls([](ExcelApplication &app) {
            app.WorkSheets(1).setName("Sheet2");
            app.WorkSheets(3).setName("sheet2");
        });
        QTest::newRow("name of 32 characters") << Calls([](ExcelApplication &app) {
            app.WorkSheets(1).setName(QString(32, u'가'));
        });
        QTest::newRow("name with a colon") << Calls([](ExcelApplication &app) { app.WorkSheets(1).setName("01:02"); });
        QTest::newRow("name with a slash") << Calls([](ExcelApplication &app) { app.WorkSheets(1).setName("01/02"); });
        QTest::newRow("empty name") << Calls([](ExcelApplication &app) { app.WorkSheets(1).setName(""); });
        QTest::newRow("apostrophe at the end") << Calls([](ExcelApplication &app) { app.WorkSheets(1).setName("a'"); });
        QTest::newRow("missing sheet") << Calls([](ExcelApplication &app) { app.WorkBooks(1).WorkSheets(4).Select(); });
        QTest::newRow("missing sheet name") << Calls([](ExcelApplication &app) { app.WorkSheets("Sheet9").Select(); });
        QTest::newRow("missing workbook") << Calls([](ExcelApplication &app) { app.WorkBooks(2); });
        QTest::newRow("row 0") << Calls([](ExcelApplication &app) { app.Range("B0").setValue(1.0); });
        QTest::newRow("digits first") << Calls([](ExcelApplication &app) { app.Range("1B").setValue(1.0); });
        QTest::newRow("past the last column") << Calls([](ExcelApplication &app) { app.Range("XFE1").setValue(1.0); });
        QTest::newRow("cell 0, 1") << Calls([](ExcelApplication &app) { app.Cells(0, 1).setValue(1.0); });
        QTest::newRow("overlapping merge") << Calls([](ExcelApplication &app) {
            app.Range("B1:M1").Merge();
            app.Range("A1", "B2").Merge();
        });
        QTest::newRow("unknown border item") << Calls([](ExcelApplication &app) {
            app.Range("B2").Borders().Item(99).setWeight(xlThin);
        });
        QTest::newRow("item of an item") << Calls([](ExcelApplication &app) {
            app.Range("B2").Borders().Item(xlTop).Item(xlLeft);
        });
        QTest::newRow("colour past white") << Calls([](ExcelApplication &app) { app.Cells(1, 1).Font().setColor(16777216); });
        QTest::newRow("negative colour") << Calls([](ExcelApplication &app) { app.Range("A1").interior().setColor(-1); });
        QTest::newRow("line style 7") << Calls([](ExcelApplication &app) { app.Range("A1").Borders().setLineStyle(7); });
        QTest::newRow("weight 3") << Calls([](ExcelApplication &app) { app.Range("A1").Borders().setWeight(3); });
        QTest::newRow("orientation 3") << Calls([](ExcelApplication &app) {
            app.WorkSheets(1).PageSetup().setOrientation(3);
        });
        QTest::newRow("unknown font style") << Calls([](ExcelApplication &app) {
            app.Range("A1").Font().setFontStyle("두껍게");
        });
        QTest::newRow("value into a whole column") << Calls([](ExcelApplication &app) {
            app.Columns(2).setValue(QStringLiteral("x"));
        });
        QTest::newRow("not a number") << Calls([](ExcelApplication &app) {
            app.Cells(1, 1).setValue(std::numeric_limits<double>::quiet_NaN());
        });
    }
    void refusedCalls()
    {
        QFETCH(Calls, calls);
        ExcelApplication app;
        app.WorkBooks().add();
        QVERIFY_THROWS_EXCEPTION(SpreadsheetError, calls(app));
    }

    void nothingWithoutAWorkbook()
    {
        ExcelApplication app;
        QVERIFY_THROWS_EXCEPTION(SpreadsheetError, app.Columns().Font().setBold(true));
        QVERIFY_THROWS_EXCEPTION(SpreadsheetError, app.WorkSheets(1));
    }

    // A refused name leaves the sheet as it was.
    void refusedNameKeepsTheOldOne()
    {
        const WorkbookReader book = written([](ExcelApplication &app) {
            app.WorkSheets(1).setName("01내역서");
            QVERIFY_THROWS_EXCEPTION(SpreadsheetError, app.WorkSheets(2).setName("01내역서"));
        });
        QCOMPARE(book.sheetNames(), (QStringList{"01내역서", "Sheet2", "Sheet3"}));
    }

    // Every member call passes invoke() by name, in the order made.
    void everyCallPassesInvoke()
    {
        struct Recording : ExcelApplication {
            QStringList members;
            void invoke(const char *member) override { members.append(QString::fromLatin1(member)); }
        } app;
        app.WorkBooks().add();
        app.Columns().Borders().setColor(0);
        app.Range("B1", "M1").Borders().Item(xlBottom).setWeight(xlHairline);
        app.setVisible(true);
        QCOMPARE(app.members, (QStringList{"WorkBooks", "add", "Columns", "Borders", "Color", "Range", "Borders",
                                           "Item", "Weight", "Visible"}));
        QVERIFY(app.isVisible());
    }
};

VEK_TEST(TestExcelApplication)
#include "tst_ExcelApplication.moc"
