#include "app/Program.h"
#include "app/MainWindow.h"
#include "app/WorkItemList.h"
#include "components/SpeedButton.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "export/ExcelRun.h"
#include "unitprice/BreakdownOverview.h"
#include "unitprice/BreakdownScreen.h"
#include "unitprice/CostSheetPage.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WhileModalShown.h"
#include "tests/support/WorkbookReader.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>

using namespace vek;

class TestProgram : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        EntryPoints() = ScreenEntryPoints();
        CostSheetExport() = {};
        BreakdownSheetExport() = {};
        BreakdownOverviewExport() = {};
        SetPrinterQuestion({});
        CurrentFileName = UntitledFileName;
    }

    // The work-item list's Excel button writes the whole estimate: titled with the project
    // name, named after the open document, the list back on its row.
    void excelButtonExportsTheWholeEstimate()
    {
        TempDatabase db;
        db.insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 1}, {"ODRF", 1}, {"NOADD", "가설공사"}});
        db.insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 2}, {"ODRF", 2}, {"NOADD", "토공사"}});
        db.insertRow({{"ABFS", "S"}, {"TAG", "N"}, {"ACODE", 2}, {"ODRF", 1}, {"NAME", "터파기"}});
        SetPrinterQuestion([] { return false; });
        CurrentFileName = db.home().filePath("문서/강남 오피스텔.Vek");
        ConnectExports();
        Tmainf window;
        window.dGongSa->setText(QStringLiteral("강남 오피스텔 신축공사"));
        window.WorkItems->OpenList();
        db.module().TAlst.setRecNo(1);

        MessageAnswerer answers;
        window.WorkItems->ExcelBtn0->DoClick();
        const QString path = QDir(db.home().filePath("Work")).filePath("강남 오피스텔 【내역서집계】.xlsx");
        QVERIFY(answers.texts().isEmpty());
        const WorkbookReader book(path);
        QCOMPARE(book.sheetNames(), (QStringList{"【내역서집계】", "02내역서", "Sheet3"}));
        QCOMPARE(book.cell("【내역서집계】", "B1").value("value").toString(),
                 QStringLiteral("공사명:강남 오피스텔 신축공사"));
        QCOMPARE(book.cell("02내역서", "B3").value("value").toString(), QStringLiteral("터파기"));
        QCOMPARE(db.module().TAlst.recNo(), 1);
    }

    // The cost statement's Excel button writes the statement as its grid shows it, an
    // amount typed and not saved included, under the main window's project name.
    void costStatementButtonWritesTheSheet()
    {
        TempDatabase db;
        db.insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 1}, {"ODRF", 1}, {"NOADD", "가설공사"}});
        SetPrinterQuestion([] { return false; });
        ConnectExports();
        Tmainf window;
        window.dGongSa->setText(QStringLiteral("강남 오피스텔 신축공사"));
        const RollupSums totals{Currency::fromRaw(1000000'0000), Currency::fromRaw(2000000'0000),
                                Currency::fromRaw(300000'0000), Currency::fromRaw(3300000'0000)};
        TCostSheetPage page(nullptr, [totals] { return totals; });
        page.LoadCostSheet();
        page.SetCells(CostSheet::AmountCol, 8, QStringLiteral("123,456"));

        MessageAnswerer answers;
        page.slExl2Click();
        QVERIFY(answers.texts().isEmpty());
        const WorkbookReader book(QDir(db.home().filePath("Work")).filePath("이름없음 원가계산서.xlsx"));
        const QString sheet = QStringLiteral("원가계산서");
        QCOMPARE(book.value(sheet, "B3"), QJsonValue("공사명: 강남 오피스텔 신축공사"));
        const QList<Currency> amounts = CostStatementAmounts(totals.material, totals.labour, totals.expense);
        for (int k = 1; k <= 29; ++k) {
            const double shown = k == 8 ? 123456 : double(amounts[k - 1].trunc());
            QCOMPARE(book.value(sheet, "F" + QString::number(k + 4)), QJsonValue(shown));
        }
        QCOMPARE(book.value(sheet, "F5"), QJsonValue(1000000));
        QCOMPARE(book.value(sheet, "D5"), QJsonValue(page.Cells(CostSheet::NameCol, 1)));
        // Nothing was saved: the stored row 8 keeps its amount.
        QVERIFY(db.scalar("select CSTTAL from NDTAIL where ABFS='W' and ODRF=8").toDouble() != 123456);
    }

    // The overview's Excel button writes every breakdown, titled with the project name; the
    // breakdown it opens writes its page-1 sheet with the footer the page shows.
    void breakdownButtonsWriteTheirWorkbooks()
    {
        TempDatabase db;
        db.insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 1}, {"ODRF", 1}, {"NOADD", "골조공사"}});
        db.insertRow({{"ABFS", "S"}, {"TAG", "D"}, {"ACODE", 1}, {"ODRF", 1}, {"NAME", "거푸집"}, {"UNIT", "m2"},
                      {"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}});
        db.insertRow({{"ABFS", "X"}, {"TAG", "N"}, {"ODRF", 1}, {"NAME", "형틀목공"}, {"INO", 0.5}, {"LCST11", 200000},
                      {"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}});
        db.insertRow({{"ABFS", "X"}, {"TAG", "N"}, {"ODRF", 2}, {"NAME", "합판"}, {"INO", 1.1}, {"PCST11", 9000},
                      {"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}});
        SetPrinterQuestion([] { return false; });
        ConnectExports();
        Tmainf window;
        window.dGongSa->setText(QStringLiteral("강남 오피스텔 신축공사"));
        TTreVewf overview;
        overview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&overview));

        MessageAnswerer answers;
        WhenModalShown<TSudetaif>([](TSudetaif *shown) {
            shown->slExl1->DoClick();
            shown->sClose1->DoClick();
        });
        overview.dBtn->DoClick();
        overview.slExl0->DoClick();
        QVERIFY(answers.texts().isEmpty());

        const QDir work(db.home().filePath("Work"));
        const WorkbookReader sheet(work.filePath("이름없음 단위일위대가표.xlsx"));
        QVERIFY(sheet.value("단위일위대가표", "B1").toString().startsWith("대가명: 거푸집 "));
        QCOMPARE(sheet.value("단위일위대가표", "B5"), QJsonValue("      계"));
        QCOMPARE(sheet.value("단위일위대가표", "G5"), QJsonValue(9900));
        QCOMPARE(sheet.value("단위일위대가표", "I5"), QJsonValue(100000));
        const WorkbookReader book(work.filePath("이름없음  일위대가일람표.xlsx"));
        QCOMPARE(book.sheetNames(), (QStringList{" 일위대가일람표", "단위일위대가표", "Sheet3"}));
        QCOMPARE(book.value(" 일위대가일람표", "B1"), QJsonValue("공사명 : 강남 오피스텔 신축공사"));
        QCOMPARE(book.value("단위일위대가표", "B5"), QJsonValue("  금액합계 ▷▶"));
        QCOMPARE(book.value("단위일위대가표", "L5"), QJsonValue(109900));
        QVERIFY(!overview.Tdtail.isActive());
    }
};

VEK_TEST(TestProgram)
#include "tst_Program.moc"
