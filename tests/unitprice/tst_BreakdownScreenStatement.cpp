#include "components/Container.h"
#include "components/ImeGridStringGrid.h"
#include "components/SpeedButton.h"
#include "components/ToolButton.h"
#include "core/EstimateDocument.h"
#include "core/MoneyFormat.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "core/TextUtils.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"
#include "tests/unitprice/CostSheetFixture.h"
#include "unitprice/CostSheetPage.h"
#include "unitprice/BreakdownScreen.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace vek;

namespace {

// The window of the statement over the database, shown (its page loads then) with the
// main totals it is given.
class OpenStatement {
public:
    explicit OpenStatement(const RollupSums &totals) : link(totals)
    {
        window.setGeometry(300, 150, 760, 725);
        window.show();
        active = QTest::qWaitForWindowActive(&window);
    }

    THStringGrid &grid() { return *window.Shet2->dGrid; }
    QString cell(int col, int row) { return TrimText(window.Shet2->Cells(col, row)); }
    // Types into a cell, as a user does.
    void type(int row, int col, const QString &text)
    {
        grid().setCurrentCell(row, col);
        TypeText(&grid(), text);
    }

    MainTotalsLink link;
    TSudetaif window{nullptr, 2};
    bool active = false;
};

const RollupSums FirstTotals = MainTotals(1000000, 2000000, 300000);
const RollupSums LaterTotals = MainTotals(1500000, 2500000, 400000);

} // namespace

// The breakdown screen on its cost-statement page: how the main window opens it, and what reaches
// the estimate table on each way of closing it.
class TestBreakdownScreenStatement : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;
    UnexpectedMessages unexpected;

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        DataChanged = false;
        unexpected.Start();
    }
    void cleanup()
    {
        EntryPoints() = ScreenEntryPoints();
        db.reset();
        QCOMPARE(unexpected.Stop(), QStringList());
    }

    // The main window's entry point opens the window modally at the place it is given,
    // titled, with the strip's close button and the page's close button at their
    // distances from the right edge, the statement loaded.
    void theEntryPointOpensTheWindow()
    {
        MainTotalsLink link(FirstTotals);
        ConnectBreakdownScreens();
        QRect geometry;
        QString title;
        QList<int> rightDistances;
        QList<qint64> amounts;
        QTimer::singleShot(0, [&] {
            auto *window = qobject_cast<TSudetaif *>(QApplication::activeModalWidget());
            if (!window)
                return;
            geometry = window->geometry();
            title = window->TopLabel->text();
            rightDistances = {window->width() - window->mExit0->mapTo(window, QPoint()).x(),
                              window->width() - window->Shet2->sClose2->mapTo(window, QPoint()).x()};
            amounts = ShownAmounts(*window->Shet2);
            QTest::mouseClick(window->mExit0, Qt::LeftButton);
        });
        OpenScreen(EntryPoints().CostStatement,
                   TitledScreenSetup{nullptr, QRect(200, 160, 760, 725), QStringLiteral("공사원가계산서")});
        QCOMPARE(geometry, QRect(200, 160, 760, 725));
        QCOMPARE(title, QStringLiteral("공사원가계산서"));
        QCOMPARE(rightDistances, (QList<int>{26, 53}));
        QCOMPARE(amounts, EdgeCaseAmounts);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The window has no caption: its strip moves it.
    void theStripMovesTheWindow()
    {
        OpenStatement open(FirstTotals);
        const QPoint start = open.window.pos();
        QWidget *strip = open.window.TopPnl;
        QTest::mousePress(strip, Qt::LeftButton, {}, {300, 10});
        QMouseEvent move(QEvent::MouseMove, QPointF(330, 30), strip->mapToGlobal(QPointF(330, 30)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(strip, &move);
        QTest::mouseRelease(strip, Qt::LeftButton, {}, {330, 30});
        QCOMPARE(open.window.pos(), start + QPoint(30, 20));
    }

    // The first opening stores the template; what is computed reaches the table only
    // through sClose2, which stores the whole amounts shown, the formulas, basis texts and
    // remarks, and the text still in the cell's editor.
    void onlyTheCloseButtonOfThePageSavesTheGrid()
    {
        {
            OpenStatement open(FirstTotals);
            QVERIFY(open.active);
            const QMap<int, StoredRow> stored = StoredStatement(*db);
            QCOMPARE(stored.size(), CostSheet::Rows);
            QCOMPARE(stored.value(1).amount, 1000000.0);
            QCOMPARE(stored.value(5).amount, 2000000.0);
            QCOMPARE(stored.value(9).amount, 300000.0);
            QCOMPARE(stored.value(6).amount, 0.0);
            QCOMPARE(stored.value(29).amount, 0.0);
            QCOMPARE(open.cell(2, 29), QString("5,060,743"));
            QTest::mouseClick(open.window.mExit0, Qt::LeftButton);
            QVERIFY(!open.window.isVisible());
            QCOMPARE(StoredStatement(*db), stored);
        }
        OpenStatement open(FirstTotals);
        open.type(8, 2, "4000");
        QTest::keyClick(&open.grid(), Qt::Key_Return);
        open.type(6, 5, "[5]*0.12");
        QTest::keyClick(&open.grid(), Qt::Key_Return);
        open.type(6, 3, QStringLiteral("(5) x 12%"));
        open.type(3, 4, QStringLiteral("rem"));
        open.type(17, 2, "700"); // still in its editor
        open.window.Shet2->sClose2->DoClick();
        QVERIFY(!open.window.isVisible());
        QCOMPARE(open.window.result(), int(QDialog::Accepted));

        const QMap<int, StoredRow> stored = StoredStatement(*db);
        QCOMPARE(stored.value(6), (StoredRow{QStringLiteral("간    접    노    무    비"), 240000,
                                             QStringLiteral("(5) x 12%"), QString(), "[5]*0.12"}));
        QCOMPARE(stored.value(3).remark, QStringLiteral("rem"));
        QCOMPARE(stored.value(8).amount, 4000.0);
        QCOMPARE(stored.value(17).amount, 700.0);
        for (int row = 1; row <= CostSheet::Rows; ++row) {
            if (row != 17)
                QCOMPARE(stored.value(row).amount, double(ParseAmount(open.cell(2, row)).trunc()));
        }
        QVERIFY(DataChanged);
    }

    // mExit0 after typing stores nothing of what was typed.
    void theStripsCloseButtonStoresNothingTyped()
    {
        OpenStatement open(FirstTotals);
        const QMap<int, StoredRow> stored = StoredStatement(*db);
        open.type(2, 2, "5000");
        QTest::keyClick(&open.grid(), Qt::Key_Return);
        open.type(12, 5, "[7]*0.05");
        QTest::keyClick(&open.grid(), Qt::Key_Return);
        open.type(10, 1, "temporary");
        QTest::mouseClick(open.window.mExit0, Qt::LeftButton);
        QVERIFY(!open.window.isVisible());
        QCOMPARE(StoredStatement(*db), stored);
        QVERIFY(!DataChanged);
    }

    // wlCalc stores the main totals in rows 1, 5 and 9 at once, and shows them computed;
    // mExit0 then keeps them, and the rest as stored.
    void theMainTotalsAreStoredAtOnce()
    {
        QMap<int, StoredRow> before;
        {
            OpenStatement open(FirstTotals);
            before = StoredStatement(*db);
        }
        OpenStatement open(LaterTotals);
        open.type(2, 2, "5000");
        QTest::keyClick(&open.grid(), Qt::Key_Return);
        open.window.Shet2->wlCalc->DoClick();
        QCOMPARE(open.cell(2, 1), QString("1,500,000"));
        QCOMPARE(open.cell(2, 5), QString("2,500,000"));
        QCOMPARE(open.cell(2, 9), QString("400,000"));
        QCOMPARE(open.cell(2, 7), QString("2,775,000"));
        QTest::mouseClick(open.window.mExit0, Qt::LeftButton);

        QMap<int, StoredRow> expected = before;
        expected[1].amount = 1500000;
        expected[5].amount = 2500000;
        expected[9].amount = 400000;
        QCOMPARE(StoredStatement(*db), expected);
        QVERIFY(DataChanged);
    }

    // WgaPak puts the template back with the current main totals, over what was typed,
    // without asking.
    void resetReplacesWhatWasTypedWithoutAsking()
    {
        {
            OpenStatement open(FirstTotals);
            open.type(2, 2, "5000");
            open.type(6, 5, "[5]*0.5");
            open.type(6, 4, "note");
            open.window.Shet2->sClose2->DoClick();
        }
        QCOMPARE(StoredStatement(*db).value(2).amount, 5000.0);
        OpenStatement open(LaterTotals);
        QCOMPARE(open.cell(5, 6), QString("[5]*0.5"));
        open.type(3, 2, "9");
        MessageAnswerer answers;
        open.window.Shet2->WgaPak->DoClick();
        QCOMPARE(answers.requests().size(), 0);
        QCOMPARE(ShownAmounts(*open.window.Shet2),
                 Whole(CostStatementAmounts(LaterTotals.material, LaterTotals.labour, LaterTotals.expense)));
        QCOMPARE(open.cell(5, 6), QString("[5]*0.11"));
        QCOMPARE(open.cell(4, 6), QString());

        const QMap<int, StoredRow> stored = StoredStatement(*db);
        for (const CostSheetRow &row : CostSheetTemplate(LaterTotals.material, LaterTotals.labour, LaterTotals.expense))
            QCOMPARE(stored.value(row.row),
                     (StoredRow{row.name, row.amount.toDouble(), row.basis, row.remark, row.formula}));
        QVERIFY(open.window.isVisible());
    }

    // A statement is part of the estimate: written to a document and read back, it opens
    // as it was saved.
    void aStatementTravelsWithTheDocument()
    {
        QStringList saved;
        {
            OpenStatement open(FirstTotals);
            open.type(2, 2, "5000");
            QTest::keyClick(&open.grid(), Qt::Key_Return);
            open.type(6, 5, "[5]*0.5");
            QTest::keyClick(&open.grid(), Qt::Key_Return);
            open.type(11, 4, QStringLiteral("비고 메모"));
            open.type(14, 1, QStringLiteral("연금 보험료"));
            open.window.Shet2->sClose2->DoClick();
            saved = AllCells(*open.window.Shet2);
        }
        const QString path = db->home().filePath(QStringLiteral("원가.Vek"));
        WriteEstimateDocument(path, QStringLiteral("원가계산서 시험"));
        const QMap<int, StoredRow> stored = StoredStatement(*db);
        db->module().SQLConect.execute(QStringLiteral("delete from NDTAIL"));
        QVERIFY(db->module().SQLConect.commit());
        QCOMPARE(ReadEstimateDocument(path), QStringLiteral("원가계산서 시험"));
        QCOMPARE(StoredStatement(*db), stored);

        OpenStatement open(LaterTotals);
        const QStringList shown = AllCells(*open.window.Shet2);
        QCOMPARE(shown.size(), saved.size());
        for (qsizetype i = 0; i < shown.size(); ++i)
            QCOMPARE(TrimText(shown.at(i)), TrimText(saved.at(i)));
    }

    // The save is one command: when the table refuses row 15, the 29 rows stored before
    // all stay, "처리실패!!" shows and the window stays open with what was typed.
    void aRefusedSaveKeepsTheStatementAndTheWindow()
    {
        OpenStatement open(FirstTotals);
        const QMap<int, StoredRow> before = StoredStatement(*db);
        RefuseStatementRowInsert(*db, 15);
        open.type(2, 2, "5000");
        QTest::keyClick(&open.grid(), Qt::Key_Return);
        MessageAnswerer answers;
        open.window.Shet2->sClose2->DoClick();
        QCOMPARE(answers.texts(), QStringList{QStringLiteral("처리실패!!")});
        QCOMPARE(StoredStatement(*db), before);
        QVERIFY(open.window.isVisible());
        QCOMPARE(open.cell(2, 2), QString("5,000"));
        QVERIFY(!DataChanged);
    }

    // F1 asks for the page's help: the help library is not there in the tests, and its
    // message names it.
    void helpShowsThePagesHelp()
    {
        OpenStatement open(FirstTotals);
        MessageAnswerer answers;
        QTest::keyClick(&open.grid(), Qt::Key_F1);
        QCOMPARE(answers.texts(),
                 QStringList{QStringLiteral("Newsleaf.dll 파일에 문제가 있거나 Dll 파일을 찾을 수 없습니다")});
    }
};

VEK_TEST(TestBreakdownScreenStatement)
#include "tst_BreakdownScreenStatement.moc"
