#include "components/ArrowButton.h"
#include "components/Container.h"
#include "components/CurrencyEdit.h"
#include "components/DBNavigator.h"
#include "components/DataGrid.h"
#include "components/EffectLabel.h"
#include "components/ImeGrid.h"
#include "components/SpeedButton.h"
#include "components/ToolButton.h"
#include "core/DataModule.h"
#include "core/Environment.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "core/TextUtils.h"
#include "tests/support/GridClicks.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WhileModalShown.h"
#include "tests/unitprice/BreakdownFixture.h"
#include "tests/unitprice/CostSheetFixture.h"
#include "unitprice/BreakdownScreen.h"
#include "unitprice/RateDialog.h"

#include <QDialog>
#include <QLabel>
#include <QTest>

#include <memory>

using namespace vek;

namespace {

QList<double> Footer(const TSudetaif &screen)
{
    return {screen.LCSTPTm->Value(), screen.LCSTPLm->Value(), screen.LCSTPCm->Value(), screen.LCSTTOT->Value()};
}

int RightDistance(QWidget *window, QWidget *control)
{
    return window->width() - control->mapTo(window, QPoint()).x();
}

} // namespace

// The breakdown screen's edit page over the real database: its place and look, what
// each way of closing writes, the Enter navigation and keys, and the move mode.
class TestBreakdownScreen : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;
    std::unique_ptr<TSudetaif> screen;
    UnexpectedMessages unexpected;

    THDBGrid *grid() { return screen->GrdDetail; }
    QWidget *editor() { return grid()->cellDelegate().editor(); }
    Dataset &rows() { return dMf->Tdtail; }
    double item(const QString &column) { return db->scalar("select " + column + " from NDTAIL where ABFS='S'").toDouble(); }

    void open()
    {
        OpenItemOf(*db, TestKey);
        screen = std::make_unique<TSudetaif>(nullptr, 0);
        screen->setGeometry(100, 80, 1060, 560);
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        screen->activateWindow();
        grid()->setFocus();
    }
    void gotoCell(int row, int column) { grid()->setCurrentIndex(grid()->model()->index(row, column)); }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(editor() ? editor() : static_cast<QWidget *>(grid()), Qt::Key(key), modifiers);
    }
    void type(const QString &text)
    {
        for (QChar ch : text)
            QTest::keyClick(editor() ? editor() : static_cast<QWidget *>(grid()), ch.toLatin1());
    }
    void doubleClick(int row)
    {
        gotoCell(row, TSudetaif::ColName);
        DoubleClickCell(grid(), grid()->currentIndex());
    }

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        InsertUnitPriceItem(*db, TestKey, 1, 2);
        InsertMode = false;
        DataChanged = false;
        unexpected.Start();
    }
    void cleanup()
    {
        screen.reset();
        EntryPoints() = ScreenEntryPoints();
        QVERIFY(!Sudetaif);
        db.reset();
        QCOMPARE(unexpected.Stop(), QStringList());
    }

    // The line-item screen's entry point opens page 0 modally at its place, titled by the
    // item, with the footer computed and the right-hand controls at their distances;
    // Sudetaif names the screen while it lives.
    void theEntryPointOpensTheEditPage()
    {
        InsertFooterExample(*db);
        db->insertRow({{"NAME", QStringLiteral("콘크리트 타설")}, {"STAN", "25-210-12"}, {"UNIT", "m3"}, {"INO", 3},
                       {"TAG", "D"}, {"ABFS", "S"}, {"ACODE", 0}, {"ICD1", 5}, {"ICD2", 6}, {"ICD3", 7}});
        OpenItemOf(*db, TestKey);
        ConnectBreakdownScreens();
        QRect geometry;
        QString title;
        QList<int> distances;
        QList<double> footer;
        bool announced = false;
        int column = -1;
        WhenModalShown<TSudetaif>([&](TSudetaif *shown) {
            geometry = shown->geometry();
            title = shown->TopLabel->text();
            distances = {RightDistance(shown, shown->mExit0), RightDistance(shown, shown->sClose0),
                         RightDistance(shown, shown->DrPnl), RightDistance(shown, shown->DBNav0),
                         RightDistance(shown, shown->EdLbl0)};
            footer = Footer(*shown);
            announced = Sudetaif == shown && &Sudetaif->ShownRows() == &dMf->Tdtail;
            column = shown->GrdDetail->SelectedIndex();
            QTest::mouseClick(shown->mExit0, Qt::LeftButton);
        });
        OpenScreen(EntryPoints().BreakdownScreen, PlacedScreenSetup{nullptr, QRect(40, 60, 1000, 520)});
        QCOMPARE(geometry, QRect(40, 60, 1000, 520));
        QCOMPARE(title, QStringLiteral("대가명: 콘크리트 타설") + QString(22, ' ') + QStringLiteral("규격: 25-210-12")
                            + QString(12, ' ') + QStringLiteral("[m3]"));
        QCOMPARE(distances, (QList<int>{26, 53, 113, 198, 42}));
        QCOMPARE(footer, (QList<double>{4999, 103700, 10, 108710}));
        QVERIFY(announced);
        QCOMPARE(column, int(TSudetaif::ColQuantity));
        QVERIFY(!dMf->Tdtail.isActive());
        QCOMPARE(db->scalar("select sum(LCST11) from NDTAIL where ABFS='S'").toDouble(), 0.0);
    }

    // Both grids show the breakdown's 13 columns with their titles (blanks included) and
    // widths; the commands carry their hints; the footer shows whole units.
    void theGridsAndCommandsAsTheScreenShowsThem()
    {
        InsertFooterExample(*db);
        open();
        const auto columns = [](const DataGridBase *grid) {
            QStringList shown;
            for (int i = 0; i < grid->datasetModel().columnCount(); ++i) {
                const DatasetColumn &column = grid->datasetModel().column(i);
                shown.append(QStringLiteral("%1|%2|%3").arg(column.field, column.title).arg(column.width));
            }
            return shown;
        };
        const QStringList edit = columns(grid());
        QCOMPARE(edit, (QStringList{"rOdr|No|30", QStringLiteral("NAME|명             칭|175"),
                                    QStringLiteral("STAN|규        격|120"), QStringLiteral("UNIT|단위|30"),
                                    QStringLiteral("INO|수량|49"), QStringLiteral("PCST11|자재단가|70"),
                                    QStringLiteral("PCST22|자재금액|75"), QStringLiteral("LCST11|노무단가|70"),
                                    QStringLiteral("LCST22|노무금액|75"), QStringLiteral("SCST11|경비단가|70"),
                                    QStringLiteral("SCST22|경비금액|75"), QStringLiteral("TCST32|계|75"),
                                    QStringLiteral("ETC|비        고|90")}));
        QCOMPARE(columns(screen->GrdDeaB).at(1), QStringLiteral("NAME|명               칭|170"));
        QCOMPARE(grid()->datasetModel().column(TSudetaif::ColQuantity).color, QColor(Qt::white));
        QCOMPARE(grid()->toolTip() + grid()->statusTip(),
                 QStringLiteral("자료추가F2 /지급설정F3 /비율산F8 /이동F9 /특수문자 F11 /Alt+Z 복사").repeated(2));
        QCOMPARE(screen->AppDt0->statusTip(),
                 QStringLiteral("기초자료를 호출하지 않고 타이프로 직접자료를 추가합니다.  F2키와 동일..."));
        QCOMPARE(screen->sF8Btn->toolTip() + "|" + screen->sF8Btn->statusTip(),
                 QStringLiteral("비율산|비율산 내용을  입력합니다. F8키와 동일..."));
        QCOMPARE(screen->dlCalc->toolTip() + "|" + screen->dlCalc->statusTip(),
                 QStringLiteral("금액정렬|일위대가 금액을 재계산합니다."));
        QCOMPARE(screen->rSCost->statusTip(),
                 QStringLiteral("전제 또는 지정된 자료의 금액을  임의의 비율값을 적용하여 일괄조정합니다."));
        QCOMPARE(screen->slExl1->toolTip() + "|" + screen->slExl1->statusTip(),
                 QStringLiteral("엑셀전송|현재내역서 내용을 액셀프로그램으로 자료를 전송합니다."));
        QCOMPARE(screen->DrPnl->Caption(), QStringLiteral("    Down"));
        QCOMPARE(screen->LCSTPTm->DisplayFormat(), QStringLiteral(",0.;-,0."));
        QCOMPARE(screen->LCSTTOT->DisplayText(), QStringLiteral("108,710"));
    }

    // A quantity typed and left by mouse reaches the items through sClose0, recomputed;
    // mExit0 leaves the items as they were and drops a cell still being edited.
    void onlyTheCloseButtonWritesTheItems()
    {
        InsertFooterExample(*db);
        open();
        gotoCell(0, TSudetaif::ColQuantity);
        type("5");
        gotoCell(2, TSudetaif::ColName); // left by mouse: no Enter
        screen->sClose0->DoClick();
        QVERIFY(!screen->isVisible());
        QCOMPARE(item("LCST11"), 125000.0 + 1600 + 2600);
        QCOMPARE(item("LCST12"), 2 * (125000.0 + 1600 + 2600));
        QVERIFY(DataChanged);
        screen.reset();

        DataChanged = false;
        open();
        gotoCell(0, TSudetaif::ColQuantity);
        type("7");
        QVERIFY(editor());
        QTest::mouseClick(screen->mExit0, Qt::LeftButton);
        QVERIFY(!screen->isVisible());
        QCOMPARE(item("LCST11"), 125000.0 + 1600 + 2600);
        QCOMPARE(db->scalar("select INO from NDTAIL where ABFS='X' and ODRF=1").toDouble(), 5.0);
    }

    // Enter by column, both directions: the amount columns recompute the footer first.
    void enterNavigation_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("nextRow");
        QTest::addColumn<int>("nextColumn");
        const int right = TSudetaif::Right;
        const int down = TSudetaif::Down;
        QTest::newRow("name right") << right << 1 << 0 << 2;
        QTest::newRow("name down") << down << 1 << 1 << 1;
        QTest::newRow("unit right") << right << 3 << 0 << 4;
        QTest::newRow("remark right stays") << right << 12 << 0 << 12;
        QTest::newRow("remark down") << down << 12 << 1 << 12;
        QTest::newRow("quantity right") << right << 4 << 0 << 5;
        QTest::newRow("quantity down") << down << 4 << 1 << 4;
        QTest::newRow("material price right") << right << 5 << 0 << 7;
        QTest::newRow("labour price right") << right << 7 << 0 << 9;
        QTest::newRow("expense price right") << right << 9 << 0 << 12;
        QTest::newRow("expense price down") << down << 9 << 1 << 9;
        QTest::newRow("number column down") << down << 0 << 0 << 1;
        QTest::newRow("material amount down") << down << 6 << 0 << 7;
        QTest::newRow("total right") << right << 11 << 0 << 12;
    }
    void enterNavigation()
    {
        QFETCH(int, direction);
        QFETCH(int, column);
        QFETCH(int, nextRow);
        QFETCH(int, nextColumn);
        InsertFooterExample(*db);
        open();
        screen->SetEnterDirection(direction);
        gotoCell(0, column);
        const bool amount = column == 4 || column == 5 || column == 7 || column == 9;
        if (amount)
            type("2");
        key(Qt::Key_Return);
        QCOMPARE(rows().recNo(), nextRow);
        QCOMPARE(grid()->SelectedIndex(), nextColumn);
        if (amount) {
            QVERIFY(DataChanged);
            QVERIFY(screen->LCSTTOT->Value() != 108710);
        }
    }

    // A rate row takes no typing; Down on the last row adds no row; F3, F11 and Alt+Z do
    // nothing on an empty breakdown.
    void keysThatChangeNothing()
    {
        InsertFooterExample(*db);
        open();
        gotoCell(3, TSudetaif::ColName);
        type("abc");
        key(Qt::Key_Return);
        QVERIFY(!editor());
        QCOMPARE(db->scalar("select NAME from NDTAIL where TAG='R'").toString(), QStringLiteral("공구손료"));
        key(Qt::Key_Down);
        QCOMPARE(rows().recNo(), 3);
        QCOMPARE(rows().recordCount(), 4);
        screen.reset();

        db->module().SQLConect.execute("delete from NDTAIL where ABFS='X'");
        QVERIFY(db->module().SQLConect.commit());
        open();
        MessageAnswerer answers;
        for (int k : {int(Qt::Key_F3), int(Qt::Key_F11)})
            key(k);
        key(Qt::Key_Z, Qt::AltModifier);
        QCOMPARE(answers.beeps(), 3);
        QCOMPARE(db->scalar("select count(*) from NDTAIL where ABFS='X'").toInt(), 0);
        QVERIFY(!DataChanged);
    }

    // F2 on an empty breakdown in insert mode makes row 1 and leaves the cursor on its
    // name; F3 twice gives the row its material price back.
    void rowsByKey()
    {
        open();
        InsertMode = true;
        key(Qt::Key_F2);
        QCOMPARE(StoredOrder(*db, TestKey), QStringList{"@1"});
        QCOMPARE(grid()->SelectedIndex(), int(TSudetaif::ColName));
        QCOMPARE(screen->EnterDirection(), int(TSudetaif::Right));
        gotoCell(0, TSudetaif::ColMaterialPrice);
        type("300");
        key(Qt::Key_Return);
        key(Qt::Key_F3);
        QCOMPARE(db->scalar("select RECV from NDTAIL where ABFS='X'").toDouble(), 300.0);
        key(Qt::Key_F3);
        QCOMPARE(db->scalar("select PCST11 from NDTAIL where ABFS='X'").toDouble(), 300.0);
        QCOMPARE(db->scalar("select RECV from NDTAIL where ABFS='X'").toDouble(), 0.0);
    }

    // Delete asks first: No keeps the row, Yes deletes it and closes the gap.
    void deleteAsksFirst()
    {
        InsertNumberedRows(*db, TestKey, 3);
        open();
        gotoCell(1, TSudetaif::ColName);
        MessageAnswerer answers(false);
        key(Qt::Key_Delete);
        QCOMPARE(answers.texts(), QStringList{QStringLiteral(" 정말로 삭제하시겠습니까??")});
        QCOMPARE(StoredOrder(*db, TestKey).size(), 3);
        answers.queueAnswer(true);
        screen->DelDt0->DoClick();
        QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"r1@1", "r3@2"}));
        QCOMPARE(screen->LCSTPLm->Value(), 400.0);
    }

    // The move mode: F9 shows the move look, a double click marks, CpyPst cuts and then
    // pastes before the current row; the look comes back.
    void theMoveModeCutsAndPastes()
    {
        InsertNumberedRows(*db, TestKey, 4);
        open();
        key(Qt::Key_F9);
        QVERIFY(screen->TagLabel->isVisible());
        QVERIFY(screen->CpyPst->isVisible());
        QVERIFY(!screen->sClose0->isVisible());
        QVERIFY(!screen->DrPnl->isVisible());
        QVERIFY(!screen->AppDt0->isEnabled());
        QVERIFY(!screen->DBNav0->isEnabled());
        doubleClick(3);
        doubleClick(1);
        QCOMPARE(rows().asString("rOdr"), QStringLiteral("▶"));
        screen->CpyPst->DoClick();
        QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"r1@1", "r3@2"}));
        QVERIFY(!screen->CpyPst->Flat());
        // Keys that need the normal mode do nothing meanwhile; F3, F11 and Alt+Z beep.
        {
            MessageAnswerer answers;
            for (int k : {int(Qt::Key_F2), int(Qt::Key_F3), int(Qt::Key_F8), int(Qt::Key_F11)})
                key(k);
            key(Qt::Key_Z, Qt::AltModifier);
            QCOMPARE(answers.beeps(), 3);
        }
        QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"r1@1", "r3@2"}));
        gotoCell(0, TSudetaif::ColName);
        screen->CpyPst->DoClick();
        QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"r2@1", "r4@2", "r1@3", "r3@4"}));
        QVERIFY(!screen->TagLabel->isVisible());
        QVERIFY(screen->sClose0->isVisible());
        QVERIFY(screen->AppDt0->isEnabled());
        QCOMPARE(grid()->SelectedIndex(), int(TSudetaif::ColQuantity));
    }

    // F9 after a cut, and mExit0 after a cut, put the rows back where they were.
    void aCancelledCutPutsTheRowsBack()
    {
        InsertNumberedRows(*db, TestKey, 4);
        for (bool byClose : {false, true}) {
            open();
            key(Qt::Key_F9);
            doubleClick(1);
            doubleClick(2);
            screen->CpyPst->DoClick();
            QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"r1@1", "r4@2"}));
            if (byClose)
                QTest::mouseClick(screen->mExit0, Qt::LeftButton);
            else
                key(Qt::Key_F9);
            QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"r1@1", "r2@2", "r3@3", "r4@4"}));
            QCOMPARE(db->scalar("select count(*) from NDTAIL where MVE='T'").toInt(), 0);
            screen.reset();
        }
    }

    // The shut-down closes the screen first: cut rows go back before the database goes.
    void theMainWindowsCloseClosesTheScreenFirst()
    {
        InsertNumberedRows(*db, TestKey, 3);
        OpenItemOf(*db, TestKey);
        QWidget main;
        auto *lineItems = new QDialog(&main);
        screen = std::make_unique<TSudetaif>(lineItems, 0);
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        grid()->setFocus();
        key(Qt::Key_F9);
        doubleClick(1);
        screen->CpyPst->DoClick();
        QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"r1@1", "r3@2"}));
        main.close();
        QVERIFY(!screen->isVisible());
        QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"r1@1", "r2@2", "r3@3"}));
        QVERIFY(!Sudetaif);
        screen.reset();
    }

    // The bulk adjustment opens the item dialog's page 1 with its title; a single selected
    // row is no choice and is cleared.
    void theBulkAdjustmentOpensTheItemDialog()
    {
        InsertNumberedRows(*db, TestKey, 3);
        open();
        ItemDialogSetup given;
        int selectedThen = -1;
        EntryPoints().ItemDialog = [&](const ItemDialogSetup &setup) {
            given = setup;
            selectedThen = int(Sudetaif->SelectedRows().size());
        };
        grid()->SetRowSelected(1, true);
        InputKind = 0;
        screen->rSCost->DoClick();
        QCOMPARE(given.page, 1);
        QCOMPARE(given.title, CenterText(QStringLiteral("금 액 일 괄 조 정"), 40));
        QCOMPARE(given.geometry.size(), QSize(195, 180));
        QCOMPARE(InputKind, 1);
        QCOMPARE(selectedThen, 0);
    }

    // The Enter direction starts as the ini file says and is never written back; Insert
    // and F9 reach the main window's insert/append switch.
    void theScreenUsesTheMainWindowsSettings()
    {
        InsertNumberedRows(*db, TestKey, 2);
        QVERIFY(WriteIniInteger("VekFree.ini", QStringLiteral("작업환경"), "ArrowTag", 1));
        QStringList calls;
        MainWindowLinks().SetInputMode = [&calls](const QString &mode) { calls.append(mode); };
        MainWindowLinks().MsgbarClick = [&calls] { calls.append("toggle"); };
        open();
        QCOMPARE(screen->EnterDirection(), int(TSudetaif::Right));
        QCOMPARE(screen->DrPnl->Caption(), QStringLiteral("    Right"));
        screen->ArrowBtnClick();
        QCOMPARE(screen->DrPnl->Caption(), QStringLiteral("    Down"));
        key(Qt::Key_Insert);
        key(Qt::Key_F9);
        QCOMPARE(calls, (QStringList{"toggle", QStringLiteral("추가")}));
        QTest::mouseClick(screen->mExit0, Qt::LeftButton);
        MainWindowLinks() = MainWindowLink();
        QCOMPARE(ReadIniInteger("VekFree.ini", QStringLiteral("작업환경"), "ArrowTag", 0), 1);
    }

    // F8, the rate button and a double click on a rate row open the rate-row dialog on the
    // breakdown; a fifth rate row is refused before it opens.
    void rateRowsGoThroughTheRateDialog()
    {
        InsertNumberedRows(*db, TestKey, 2);
        AddPlaceRow(*db, TestPlace, {{"NAME", "rate"}, {"ODRF", 3}, {"TAG", "R"}, {"NORT", 1}, {"PRT1", 0.1}});
        open();
        QStringList titles;
        const auto look = [&titles](TInBsDtf &dialog) {
            QCOMPARE(dialog.Place().kind, RatePlace::BreakdownRows);
            QCOMPARE(dialog.Place().Keys(), TestKey.values());
            titles.append(dialog.TopTitle->text());
        };
        WhileModalShown(InBsDtf, std::function<void(TInBsDtf &)>(look));
        key(Qt::Key_F8);
        WhileModalShown(InBsDtf, std::function<void(TInBsDtf &)>(look));
        screen->sF8Btn->DoClick();
        WhileModalShown(InBsDtf, std::function<void(TInBsDtf &)>(look));
        doubleClick(2);
        QCOMPARE(titles, (QStringList{QStringLiteral("     비율산 등록"), QStringLiteral("     비율산 등록"),
                                      QStringLiteral("     비율산 수정")}));
        screen.reset();

        for (int slot = 2; slot <= 4; ++slot)
            AddPlaceRow(*db, TestPlace,
                               {{"NAME", "rate"}, {"ODRF", 2 + slot}, {"TAG", "R"}, {"NORT", slot}, {"PRT1", 0.1}});
        open();
        MessageAnswerer answers;
        key(Qt::Key_F8);
        QCOMPARE(answers.texts(), QStringList{QStringLiteral("비율산은 4항목 이상 등록할 수 없습니다.")});
        QVERIFY(!InBsDtf);
    }

    // F1 shows the edit page's help.
    void helpShowsThePagesHelp()
    {
        open();
        MessageAnswerer answers;
        key(Qt::Key_F1);
        QCOMPARE(answers.texts(),
                 QStringList{QStringLiteral("Newsleaf.dll 파일에 문제가 있거나 Dll 파일을 찾을 수 없습니다")});
    }
};

VEK_TEST(TestBreakdownScreen)
#include "tst_BreakdownScreen.moc"
