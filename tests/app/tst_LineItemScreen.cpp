#include "app/LineItemScreen.h"

#include "app/BulkAdjustment.h"
#include "app/ItemDialog.h"
#include "app/MainWindow.h"
#include "app/TotalBar.h"
#include "app/WorkItemList.h"
#include "components/ArrowButton.h"
#include "components/Container.h"
#include "components/CurrencyEdit.h"
#include "components/DataGrid.h"
#include "components/DBNavigator.h"
#include "components/ImeGrid.h"
#include "components/ShadowLabel.h"
#include "components/SpeedButton.h"
#include "core/DataModule.h"
#include "core/Environment.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "core/WorkDatabase.h"
#include "export/ExcelRun.h"
#include "tests/support/GridClicks.h"
#include "tests/support/LineItemNode.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WhileModalShown.h"
#include "tests/support/WorkbookReader.h"
#include "unitprice/RateDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QButtonGroup>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace vek;

namespace {

const QString CloseQuestion = QStringLiteral(" 현재의 작업을 끝마치겠습니까 ?");
const QString DeleteQuestion = QStringLiteral(" 정말로 삭제하시겠습니까??");

// Runs step against the item dialog once its modal run has started; the step closes it.
void WhileDialogShown(const std::function<void(TInPutf &)> &step)
{
    QTimer::singleShot(0, [step] {
        QVERIFY(InPutf);
        step(*InPutf);
        if (InPutf)
            InPutf->mExit0Click();
    });
}

void WhileRateDialogShown(const std::function<void(TInBsDtf &)> &step)
{
    WhileModalShown(InBsDtf, step);
}

// In the rate-row dialog: the rows at marks marked by double click, the name, the group
// and the percentage given, then Apply.
void ApplyRate(TInBsDtf &dialog, const QList<int> &marks, const QString &name, int group, double percentage)
{
    for (int row : marks)
        DoubleClickCell(dialog.detaileR, dialog.detaileR->model()->index(row, 1));
    dialog.EtRname->setEditText(name);
    dialog.SetTarget(group);
    dialog.EtRate->SetValue(percentage);
    dialog.mOk0Click();
}

void Commit(QWidget *target, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(target, &event);
}

} // namespace

// The line-item screen over a small group's list, shown as its opener shows it, with every
// message box answered.
class TestLineItemScreen : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;
    std::unique_ptr<LineItemNode> node;
    std::unique_ptr<MessageAnswerer> answers;
    std::unique_ptr<Tmainf> main;
    std::unique_ptr<TSlstFm> screen;

    THDBGrid *grid() { return screen->GrdSlst; }
    QWidget *editor() { return grid()->cellDelegate().editor(); }
    Dataset &rows() { return dMf->TSlst; }
    QString current() { return rows().asString("NAME"); }

    void open()
    {
        screen = std::make_unique<TSlstFm>(main.get());
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        screen->activateWindow();
        grid()->setFocus();
    }

    // The cell at row (a place in the list) and column becomes current.
    void gotoCell(int row, int column) { grid()->setCurrentIndex(grid()->model()->index(row, column)); }
    void gotoName(const QString &name, int column = TSlstFm::ColName)
    {
        const int row = int(node->names().indexOf(name));
        QVERIFY2(row >= 0, qPrintable(name));
        gotoCell(row, column);
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(editor() ? editor() : static_cast<QWidget *>(grid()), Qt::Key(key), modifiers);
    }
    // Types text as keys: the first opens the cell's editor, the others go into it.
    void type(const QString &text)
    {
        for (QChar ch : text)
            QTest::keyClick(editor() ? editor() : static_cast<QWidget *>(grid()), ch.toLatin1());
    }
    void doubleClick(const QString &name)
    {
        gotoName(name);
        DoubleClickCell(grid(), grid()->currentIndex());
    }
    int count() { return db->scalar("select count(*) from NDTAIL where ABFS='S' and TAG<>'M'").toInt(); }

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        node = std::make_unique<LineItemNode>(*db, 2);
        answers = std::make_unique<MessageAnswerer>(false);
        main = std::make_unique<Tmainf>();
        InsertMode = false;
        DataChanged = false;
    }
    void cleanup()
    {
        EntryPoints().RateDialog = nullptr;
        screen.reset();
        main.reset();
        answers.reset();
        node.reset();
        db.reset();
    }

    // The right-hand controls keep their distance from the right edge, and the footer
    // boxes stand under the amount columns, also after a resize.
    void layoutFollowsTheRightEdge()
    {
        open();
        QCOMPARE(screen->size(), QSize(1095, 661));
        screen->resize(1280, 700);
        QCOMPARE(screen->sClose->x(), 1280 - 53);
        QCOMPARE(screen->HelpBtn->x(), 1280 - 82);
        QCOMPARE(screen->DrPnl->x(), 1280 - 89);
        QCOMPARE(screen->DBNav0->x(), 1280 - 171);
        QCOMPARE(screen->FootPnl->EndMark->x(), 1280 - 54);
        const QPoint column = grid()->viewport()->mapTo(screen.get(), QPoint(grid()->columnViewportPosition(TSlstFm::ColLabour), 0));
        QCOMPARE(screen->FootPnl->LLCST11->mapTo(screen.get(), QPoint()).x(), column.x());
        QCOMPARE(grid()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("명             칭"));
        QCOMPARE(grid()->columnWidth(TSlstFm::ColRemark), 93);
    }

    // The screen has no caption: its title band moves it, also from its labels.
    void theTitleBandMovesTheScreen()
    {
        open();
        const QPoint start = screen->pos();
        QWidget *label = screen->LjName;
        QTest::mousePress(label, Qt::LeftButton, {}, {10, 5});
        QMouseEvent move(QEvent::MouseMove, QPointF(40, 25), label->mapToGlobal(QPointF(40, 25)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &move);
        QTest::mouseRelease(label, Qt::LeftButton, {}, {40, 25});
        QCOMPARE(screen->pos(), start + QPoint(30, 20));
    }

    // On an empty list F2 switches to append mode and adds row 1; the keys that need a row
    // do nothing.
    void anEmptyListTakesOnlyANewRow()
    {
        open();
        for (int k : {Qt::Key_F3, Qt::Key_F11, Qt::Key_Delete, Qt::Key_F9})
            key(k);
        key(Qt::Key_Z, Qt::AltModifier);
        type("a");
        QCOMPARE(count(), 0);
        QVERIFY(answers->requests().isEmpty());
        // F3, F11 and Alt+Z beep; Delete and F9 stay silent.
        QCOMPARE(answers->beeps(), 3);
        QVERIFY(!screen->TagLabel->isVisibleTo(screen.get()));

        InsertMode = true;
        key(Qt::Key_F2);
        QVERIFY(!InsertMode);
        QCOMPARE(node->orders(), QList<int>{1});
        QCOMPARE(grid()->currentIndex(), grid()->model()->index(0, TSlstFm::ColName));
        QCOMPARE(screen->EnterDirection(), int(TSlstFm::Right));
        QCOMPARE(screen->DrPnl->Caption(), QStringLiteral("    Right"));
    }

    // F2 in insert mode on row 5 puts the new row there, current; Alt+Z copies the texts of
    // the current row, but not of a rate row.
    void newRowsByKey()
    {
        node->addNumbered(6);
        node->add("rate", "R", 7, {{"NORT", 1}});
        open();
        gotoName("5", TSlstFm::ColQuantity);
        InsertMode = true;
        key(Qt::Key_F2);
        QCOMPARE(node->names(), (QStringList{"1", "2", "3", "4", "", "5", "6", "rate"}));
        QCOMPARE(rows().asInteger("ODRF"), 5);
        QCOMPARE(grid()->currentIndex().row(), 4);

        gotoName("rate");
        key(Qt::Key_Z, Qt::AltModifier);
        QCOMPARE(count(), 8);
        gotoName("6");
        key(Qt::Key_Z, Qt::AltModifier);
        QCOMPARE(node->names(), (QStringList{"1", "2", "3", "4", "", "5", "6", "6", "rate"}));
        QCOMPARE(current(), QStringLiteral("6"));
        QCOMPARE(rows().asInteger("ODRF"), 7);
    }

    void downOnTheLastRowAddsNothing()
    {
        node->addNumbered(3);
        open();
        gotoName("3", TSlstFm::ColQuantity);
        key(Qt::Key_Down);
        QCOMPARE(count(), 3);
        QCOMPARE(current(), QStringLiteral("3"));
        gotoName("1", TSlstFm::ColQuantity);
        key(Qt::Key_Down);
        QCOMPARE(current(), QStringLiteral("2"));
    }

    // While a cell is being edited Esc and Delete belong to the editor; otherwise Esc asks
    // to close and Delete (also with Ctrl) asks to delete.
    void escAndDeleteWhileEditing()
    {
        node->addNumbered(3);
        open();
        gotoName("2");
        type("xy");
        QVERIFY(editor());
        key(Qt::Key_Left);
        key(Qt::Key_Delete);
        QCOMPARE(qobject_cast<QLineEdit *>(editor())->text(), QStringLiteral("x"));
        key(Qt::Key_Escape);
        QVERIFY(!editor());
        QVERIFY(answers->requests().isEmpty());
        QVERIFY(screen->isVisible());
        QCOMPARE(node->names(), (QStringList{"1", "2", "3"}));

        key(Qt::Key_Escape);
        key(Qt::Key_Delete);
        key(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(answers->texts(), (QStringList{CloseQuestion, DeleteQuestion, DeleteQuestion}));
        QVERIFY(screen->isVisible());
        QCOMPARE(count(), 3);
    }

    // Deleting row 3 of 10 by key leaves the old row 4 current as row 3.
    void deleteByKey()
    {
        node->addNumbered(10);
        open();
        gotoName("3", TSlstFm::ColQuantity);
        answers->queueAnswer(true);
        key(Qt::Key_Delete);
        QCOMPARE(node->orders(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
        QCOMPARE(current(), QStringLiteral("4"));
        QCOMPARE(grid()->currentIndex(), grid()->model()->index(2, TSlstFm::ColQuantity));
    }

    // Subtotal, rate and left-out rows take no key and no Korean commit; a unit-price
    // item's prices take none either, its name and quantity do.
    void theTypingGuard_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("takes");
        QTest::newRow("subtotal name") << "T" << int(TSlstFm::ColName) << false;
        QTest::newRow("rate quantity") << "R" << int(TSlstFm::ColQuantity) << false;
        QTest::newRow("left out name") << "E" << int(TSlstFm::ColName) << false;
        QTest::newRow("unit-price material price") << "D" << int(TSlstFm::ColMaterialPrice) << false;
        QTest::newRow("unit-price labour price") << "D" << int(TSlstFm::ColLabourPrice) << false;
        QTest::newRow("unit-price name") << "D" << int(TSlstFm::ColName) << true;
        QTest::newRow("unit-price quantity") << "D" << int(TSlstFm::ColQuantity) << true;
        QTest::newRow("ordinary expense price") << "N" << int(TSlstFm::ColExpensePrice) << true;
        QTest::newRow("ordinary remark") << "N" << int(TSlstFm::ColRemark) << true;
        QTest::newRow("ordinary material amount") << "N" << int(TSlstFm::ColMaterial) << false;
    }
    void theTypingGuard()
    {
        QFETCH(QString, tag);
        QFETCH(int, column);
        QFETCH(bool, takes);
        node->add("row", tag, 1, {{"INO", 1}, {"PCST11", 100}, {"LCST11", 10}, {"ICD1", 1}});
        open();
        const double price = node->column("row", "PCST11").toDouble();
        gotoCell(0, column);
        QCOMPARE(screen->CellTakesKeys(column), takes);
        // A Korean letter into a text cell, a digit into a number cell.
        const bool text = column == TSlstFm::ColName || column == TSlstFm::ColRemark;
        Commit(grid(), text ? QStringLiteral("한") : QStringLiteral("7"));
        QCOMPARE(editor() != nullptr, takes);
        if (editor())
            key(Qt::Key_Escape);
        type("7");
        QCOMPARE(editor() != nullptr, takes);
        if (editor())
            key(Qt::Key_Escape);
        QCOMPARE(node->column("row", "NAME").toString(), QStringLiteral("row"));
        QCOMPARE(node->column("row", "INO").toDouble(), 1.0);
        QCOMPARE(node->column("row", "PCST11").toDouble(), price);
    }

    // Enter in a number column recalculates the list and goes down, or with direction
    // Right on to the next price and the remark; a unit-price item's quantity always goes
    // down; text columns go right or down; read-only columns pass Enter to the right.
    void enterNavigation()
    {
        node->add("a", "N", 1);
        node->add("b", "N", 2);
        node->add("unit", "D", 3);
        open();
        gotoName("a", TSlstFm::ColQuantity);
        type("3");
        key(Qt::Key_Return);
        QCOMPARE(current(), QStringLiteral("b"));
        gotoName("a", TSlstFm::ColMaterialPrice);
        type("100");
        key(Qt::Key_Return);
        QCOMPARE(node->column("a", "PCST12").toDouble(), 300.0);
        QCOMPARE(screen->FootPnl->LPCST11->Value(), 300.0);
        QVERIFY(DataChanged);

        screen->ArrowBtnClick();
        QCOMPARE(screen->EnterDirection(), int(TSlstFm::Right));
        gotoName("a", TSlstFm::ColQuantity);
        QList<int> visited;
        for (int i = 0; i < 4; ++i) {
            key(Qt::Key_Return);
            visited.append(grid()->currentIndex().column());
        }
        QCOMPARE(visited, (QList<int>{TSlstFm::ColMaterialPrice, TSlstFm::ColLabourPrice, TSlstFm::ColExpensePrice,
                                      TSlstFm::ColRemark}));
        QCOMPARE(current(), QStringLiteral("a"));
        gotoName("a", TSlstFm::ColName);
        key(Qt::Key_Return);
        QCOMPARE(grid()->currentIndex().column(), int(TSlstFm::ColSpec));
        gotoName("a", TSlstFm::ColMaterial);
        key(Qt::Key_Return);
        QCOMPARE(grid()->currentIndex().column(), int(TSlstFm::ColLabourPrice));
        gotoName("unit", TSlstFm::ColQuantity);
        gotoName("b", TSlstFm::ColQuantity);
        key(Qt::Key_Down);
        QCOMPARE(current(), QStringLiteral("unit"));
        type("2");
        key(Qt::Key_Return);
        QCOMPARE(node->column("unit", "INO").toDouble(), 2.0);
        QCOMPARE(grid()->currentIndex().column(), int(TSlstFm::ColQuantity));

        screen->ArrowBtnClick();
        QCOMPARE(screen->DrPnl->Caption(), QStringLiteral("    Down"));
        gotoName("a", TSlstFm::ColName);
        key(Qt::Key_Return);
        QCOMPARE(current(), QStringLiteral("b"));
        QCOMPARE(grid()->currentIndex().column(), int(TSlstFm::ColName));
    }

    void insertSwitchesTheInsertMode()
    {
        node->addNumbered(2);
        open();
        key(Qt::Key_Insert);
        QVERIFY(InsertMode);
        key(Qt::Key_Insert);
        QVERIFY(!InsertMode);
        QCOMPARE(count(), 2);
    }

    // F9, marks by double click, the cut and the paste: the tool bar follows the move.
    // While cut rows wait, F9 and Alt+S are refused, and closing the window gives the rows
    // back at the end of the list.
    void movesThroughTheScreen()
    {
        node->addNumbered(5);
        CurrentFileName = db->home().filePath("doc.Vek");
        open();
        key(Qt::Key_F9);
        QVERIFY(screen->TagLabel->isVisibleTo(screen.get()));
        QVERIFY(!screen->sClose->isVisibleTo(screen.get()));
        QVERIFY(screen->CpyPst->isVisibleTo(screen.get()));
        QVERIFY(!screen->AppDt0->isEnabled());
        QVERIFY(!screen->DBNav0->button(TDBNavigator::nbLast)->isEnabled());
        for (const char *name : {"4", "2"})
            doubleClick(name);
        QCOMPARE(db->scalar("select count(*) from NDTAIL where MVE='T'").toInt(), 2);
        key(Qt::Key_F2);
        key(Qt::Key_Escape);
        QCOMPARE(count(), 5);
        QVERIFY(answers->requests().isEmpty());

        screen->CpyPstClick();
        QCOMPARE(node->names(), (QStringList{"1", "3", "5"}));
        QVERIFY(!screen->CpyPst->Flat());
        const int beeps = answers->beeps();
        key(Qt::Key_F9);
        key(Qt::Key_S, Qt::AltModifier);
        QCOMPARE(answers->beeps(), beeps + 2);
        QVERIFY(!QFile::exists(CurrentFileName));
        QCOMPARE(screen->List.moveState(), LineItemList::CutWaiting);

        screen->close();
        QVERIFY(!screen->isVisible());
        QCOMPARE(node->names(), (QStringList{"1", "3", "5", "2", "4"}));
        QCOMPARE(node->orders(), (QList<int>{1, 2, 3, 4, 5}));
    }

    // The main window closing (the shut-down) closes the screen first: the rows that wait
    // in the move file are back in the list before the database goes.
    void aShutDownDuringAMoveKeepsEveryRow()
    {
        node->addNumbered(3);
        open();
        key(Qt::Key_F9);
        doubleClick("1");
        screen->CpyPstClick();
        QCOMPARE(node->names(), (QStringList{"2", "3"}));
        main->close();
        QVERIFY(!screen->isVisible());
        QVERIFY(!db->module().SQLConect.isOpen());
        db->module().Connect(WorkDatabasePath());
        QCOMPARE(node->names(), (QStringList{"2", "3", "1"}));
        QCOMPARE(node->orders(), (QList<int>{1, 2, 3}));
    }

    void pasteEndsTheMove()
    {
        node->addNumbered(4);
        open();
        key(Qt::Key_F9);
        doubleClick("4");
        screen->CpyPstClick();
        gotoName("1");
        screen->CpyPstClick();
        QCOMPARE(node->names(), (QStringList{"4", "1", "2", "3"}));
        QVERIFY(!screen->TagLabel->isVisibleTo(screen.get()));
        QVERIFY(screen->sClose->isVisibleTo(screen.get()));
        QVERIFY(!grid()->MultiSelect());
        QCOMPARE(grid()->currentIndex().column(), int(TSlstFm::ColQuantity));
        QCOMPARE(current(), QStringLiteral("4"));
    }

    // Alt+S saves every row and stays; the close afterwards writes new totals into the
    // parent and marks the document changed again.
    void saveThenClose()
    {
        node->add("a", "N", 1,
                  {{"INO", 2}, {"PCST11", 1000}, {"LCST11", 10}, {"PCST12", 2000}, {"LCST12", 20}, {"CSTTAL", 2020}});
        CurrentFileName = db->home().filePath("doc.Vek");
        open();
        key(Qt::Key_S, Qt::AltModifier);
        QVERIFY(screen->isVisible());
        const int stored = db->scalar("select count(*) from NDTAIL").toInt();
        QCOMPARE(QFile(CurrentFileName).size(), qint64(448 * (stored + 1)));
        QVERIFY(!DataChanged);

        answers->queueAnswer(true);
        screen->sClose->DoClick();
        QVERIFY(!screen->isVisible());
        QCOMPARE(answers->texts(), QStringList{CloseQuestion});
        QVERIFY(DataChanged);
        QCOMPARE(node->column(QString(), "PCST11").toDouble(), 2000.0);
        QCOMPARE(node->column(QString(), "CSTTAL").toDouble(), 2 * 2020.0);
        QVERIFY(!dMf->TSlst.isActive());
        QCOMPARE(SlstFm, nullptr);
        QCOMPARE(ReadIniInteger("VekFree.ini", QStringLiteral("작업환경"), QStringLiteral("ArrowTag"), 0), 2);
    }

    // The export writes the list as its own workbook, named by the screen's path number and
    // titled with the node's name.
    void exportWritesTheList()
    {
        node->add("레미콘", "N", 1, {{"INO", 2}, {"PCST11", 1000}, {"PCST12", 2000}, {"CSTTAL", 2000}});
        CurrentFileName = UntitledFileName;
        const PrinterQuestion previous = SetPrinterQuestion([] { return true; });
        open();
        screen->LsNo->SetCaption("01-02-03");
        screen->LjName->SetCaption(" 철근콘크리트");
        screen->slExcl->DoClick();
        SetPrinterQuestion(previous);
        const QString path = QDir(db->home().filePath("Work")).filePath("이름없음 01-02-03내역서.xlsx");
        QVERIFY(answers->texts().isEmpty());
        const WorkbookReader book(path);
        QCOMPARE(book.sheetNames().value(0), QStringLiteral("01-02-03내역서"));
        QCOMPARE(book.cell("01-02-03내역서", "B3").value("value").toString(), QStringLiteral("레미콘"));
    }

    // The work-item list's drill-down opens the screen on the work item, named by its order
    // and title, in append mode; its close rolls the list up into the work item.
    void theDrillDownOpensTheScreen()
    {
        node.reset();
        db.reset();
        db = std::make_unique<TempDatabase>();
        node = std::make_unique<LineItemNode>(*db, 0);
        node->add("a", "N", 1, {{"INO", 1}, {"LCST11", 700}, {"LCST12", 700}, {"CSTTAL", 700}});
        InstallLineItemScreen();
        InsertMode = true;
        QStringList seen;
        QTimer::singleShot(0, [&] {
            seen = {SlstFm->LsNo->Caption(), SlstFm->LjName->Caption(), InsertMode ? "삽입" : "추가",
                    QString::number(dMf->TSlst.recordCount())};
            answers->queueAnswer(true);
            SlstFm->sClose->DoClick();
        });
        main->WorkItems->DrillDown();
        EntryPoints().LineItemScreen = nullptr;
        QCOMPARE(seen, (QStringList{"01", " 공종", "추가", "1"}));
        QCOMPARE(SlstFm, nullptr);
        QCOMPARE(node->column(QString(), "LCST11").toDouble(), 700.0);
        QCOMPARE(node->column(QString(), "CSTTAL").toDouble(), 1400.0);
    }

    // A double click on a unit-price item opens its breakdown over the screen, the close
    // button flat meanwhile; the prices the breakdown leaves come into the list. Other
    // rows open nothing, and in move mode the double click marks.
    void aUnitPriceItemOpensItsBreakdown()
    {
        node->add("unit", "D", 1, {{"INO", 2}, {"ICD1", 1}, {"ICD2", 2}, {"ICD3", 3}});
        node->add("plain", "N", 2);
        db->insertRow({{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 1}, {"ICD2", 2}, {"ICD3", 3}, {"PCST12", 100}});
        open();
        screen->setGeometry(QRect(10, 20, 1000, 600));
        QList<QRect> places;
        QStringList seen;
        EntryPoints().BreakdownScreen = [&](const PlacedScreenSetup &setup) {
            places.append(setup.geometry);
            seen = {dMf->TSlst.asString("NAME"), screen->sClose->Flat() ? "flat" : "raised"};
            db->module().SQLConect.execute("update NDTAIL set PCST12=250 where ABFS='X'");
            QVERIFY(db->module().SQLConect.commit());
        };
        doubleClick("plain");
        QVERIFY(places.isEmpty());
        doubleClick("unit");
        QCOMPARE(places, QList<QRect>{QRect(58, 59, 952, 575)});
        QCOMPARE(seen, (QStringList{"unit", "flat"}));
        QVERIFY(!screen->sClose->Flat());
        QCOMPARE(node->column("unit", "PCST12").toDouble(), 500.0);
        QCOMPARE(screen->FootPnl->LPCST11->Value(), 500.0);

        key(Qt::Key_F9);
        doubleClick("unit");
        EntryPoints().BreakdownScreen = nullptr;
        QCOMPARE(places.size(), 1);
        QCOMPARE(node->column("unit", "MVE").toString().trimmed(), QStringLiteral("T"));
    }

    // F8 and the rate button open the rate-row dialog for a new rate row, and the list
    // prices the row from the rows marked there; a double click on the rate row opens it for
    // a change with its rows marked.
    void rateRowsThroughTheDialog()
    {
        ConnectRateDialog();
        node->add("1", "N", 1, {{"INO", 1}, {"PCST11", 1000}, {"PCST12", 1000}, {"CSTTAL", 1000}});
        node->add("2", "N", 2, {{"INO", 1}, {"LCST11", 500}, {"LCST12", 500}, {"CSTTAL", 500}});
        node->add("3", "N", 3, {{"INO", 2}, {"SCST11", 100}, {"SCST12", 200}, {"CSTTAL", 200}});
        open();
        QString title;
        WhileRateDialogShown([&](TInBsDtf &dialog) { title = dialog.TopTitle->text(); });
        QTest::mouseClick(screen->sF8Btn, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("     비율산 등록"));

        WhileRateDialogShown([](TInBsDtf &dialog) { ApplyRate(dialog, {0, 1}, "공구손료", TInBsDtf::Material, 10); });
        key(Qt::Key_F8);
        QCOMPARE(node->names(), (QStringList{"1", "2", "3", "공구손료"}));
        QCOMPARE(node->column("공구손료", "PCST12").toDouble(), 150.0);
        QCOMPARE(screen->FootPnl->LPCST11->Value(), 1150.0);

        QStringList marks;
        double percentage = 0;
        WhileRateDialogShown([&](TInBsDtf &dialog) {
            title = dialog.TopTitle->text();
            percentage = dialog.EtRate->Value();
            for (int row = 0; row < dialog.iTRate.recordCount(); ++row)
                marks << dialog.iTRate.displayTextOf(row, dialog.iTRate.fieldIndex("rOdr"));
            ApplyRate(dialog, {}, "공구손료", TInBsDtf::Material, 20);
        });
        doubleClick("공구손료");
        QCOMPARE(title, QStringLiteral("     비율산 수정"));
        QCOMPARE(percentage, 10.0);
        QCOMPARE(marks, (QStringList{"▶", "▶", "3"}));
        QCOMPARE(node->column("공구손료", "PCST12").toDouble(), 300.0);
        QVERIFY(answers->requests().isEmpty());
    }

    // Deleting a rate row unties the rows it covered, also when it came with a document
    // whose rate row carries an ICD3; the rows of another rate row keep theirs.
    void deletingARateRowUntiesItsRows()
    {
        node->add("1", "N", 1, {{"INO", 1}, {"PCST11", 1000}, {"PCST12", 1000}, {"PRT1", 0.03}});
        node->add("2", "N", 2, {{"INO", 1}, {"LCST11", 500}, {"LCST12", 500}, {"PRT1", 0.03}, {"LRT2", 0.05}});
        node->add("3", "N", 3, {{"INO", 2}, {"SCST11", 100}, {"SCST12", 200}, {"LRT2", 0.05}});
        node->add("공구손료", "R", 4, {{"NORT", 1}, {"PRT1", 0.03}, {"ICD3", 5}});
        node->add("잡자재비", "R", 5, {{"NORT", 2}, {"LRT2", 0.05}});
        open();
        gotoName("공구손료");
        answers->queueAnswer(true);
        key(Qt::Key_Delete);
        QCOMPARE(node->names(), (QStringList{"1", "2", "3", "잡자재비"}));
        for (const char *name : {"1", "2", "3"})
            QCOMPARE(node->column(name, "PRT1").toDouble(), 0.0);
        QCOMPARE(node->column("2", "LRT2").toDouble(), 0.05);
        QCOMPARE(node->column("3", "LRT2").toDouble(), 0.05);
        QCOMPARE(node->column("잡자재비", "LCST12").toDouble(), 35.0);
    }

    // A row covered at 1.1 % and moved keeps its rate: the move file gives back four
    // decimals, which is how the dialog stores the rate.
    void aCoveredRowCutAndPastedKeepsItsRate()
    {
        ConnectRateDialog();
        node->add("1", "N", 1, {{"INO", 1}, {"PCST11", 1000}, {"PCST12", 1000}, {"CSTTAL", 1000}});
        node->add("2", "N", 2);
        node->add("3", "N", 3);
        open();
        WhileRateDialogShown([](TInBsDtf &dialog) { ApplyRate(dialog, {0}, "공구손료", TInBsDtf::Material, 1.1); });
        key(Qt::Key_F8);
        QCOMPARE(node->column("공구손료", "PCST12").toDouble(), 11.0);

        key(Qt::Key_F9);
        doubleClick("1");
        screen->CpyPstClick();
        gotoName("3");
        screen->CpyPstClick();
        QCOMPARE(node->names(), (QStringList{"2", "1", "3", "공구손료"}));
        QVERIFY(node->column("1", "PRT1").toDouble() == node->column("공구손료", "PRT1").toDouble());
        QCOMPARE(node->column("공구손료", "PCST12").toDouble(), 11.0);
        QVERIFY(answers->requests().isEmpty());
    }

    // 증감 opens the item dialog's bulk adjustment over this list: the rows selected in the
    // grid, or the whole list when at most one row is selected; the footer follows.
    void bulkAdjustmentThroughTheItemDialog_data()
    {
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<QList<double>>("material");
        QTest::newRow("none") << QStringList() << QList<double>{1100, 2200, 3300};
        QTest::newRow("the cursor's row alone") << QStringList{"b"} << QList<double>{1100, 2200, 3300};
        QTest::newRow("two rows") << QStringList{"a", "c"} << QList<double>{1100, 2000, 3300};
    }
    void bulkAdjustmentThroughTheItemDialog()
    {
        QFETCH(QStringList, selected);
        QFETCH(QList<double>, material);
        node->add("a", "N", 1, {{"INO", 1}, {"PCST11", 1000}, {"PCST12", 1000}, {"CSTTAL", 1000}});
        node->add("b", "N", 2, {{"INO", 1}, {"PCST11", 2000}, {"PCST12", 2000}, {"CSTTAL", 2000}});
        node->add("c", "N", 3, {{"INO", 1}, {"PCST11", 3000}, {"PCST12", 3000}, {"CSTTAL", 3000}});
        ConnectItemDialog();
        open();
        QCOMPARE(SlstFmHook, static_cast<ListScreenHook *>(screen.get()));
        for (const QString &name : selected) {
            gotoName(name);
            QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              grid()->visualRect(grid()->currentIndex()).center());
        }
        QCOMPARE(grid()->SelectedCount(), selected.size());
        bool shown = false;
        WhileDialogShown([&shown](TInPutf &dialog) {
            shown = true;
            QCOMPARE(dialog.Page(), 1);
            QCOMPARE(InputKind, 1);
            dialog.BulGrupItems->button(int(BulkTarget::Material))->click();
            dialog.EdtBiul->SetValue(10);
            dialog.mOk1Click();
        });
        screen->rSCost->DoClick();
        EntryPoints().ItemDialog = nullptr;
        QVERIFY(shown);
        double sum = 0;
        for (int i = 0; i < 3; ++i) {
            const QString name = QStringList{"a", "b", "c"}.at(i);
            QCOMPARE(node->column(name, "PCST11").toDouble(), material.at(i));
            QCOMPARE(node->column(name, "CSTTAL").toDouble(), material.at(i));
            sum += material.at(i);
        }
        QCOMPARE(screen->FootPnl->LPCST11->Value(), sum);
        QCOMPARE(screen->FootPnl->LCSTTAL->Value(), sum);
        screen.reset();
        QCOMPARE(SlstFmHook, nullptr);
    }

    // 합계 and F10 open the sum menu; its subtotal row joins the list and is summed at
    // once. On an empty list neither 증감 nor the sum menu opens the dialog.
    void sumMenuThroughTheItemDialog()
    {
        int opened = 0;
        EntryPoints().ItemDialog = [&opened](const ItemDialogSetup &) { ++opened; };
        open();
        key(Qt::Key_F10);
        screen->SmBtn0->DoClick();
        screen->rSCost->DoClick();
        QCOMPARE(opened, 0);
        screen.reset();

        node->add("a", "N", 1, {{"INO", 2}, {"LCST11", 500}, {"LCST12", 1000}, {"CSTTAL", 1000}});
        node->add("b", "N", 2, {{"INO", 1}, {"SCST11", 250.5}, {"SCST12", 250.5}, {"CSTTAL", 250.5}});
        ConnectItemDialog();
        open();
        gotoName("b");
        WhileDialogShown([](TInPutf &dialog) {
            QCOMPARE(dialog.Page(), 2);
            dialog.BtnbSum1->click();
        });
        key(Qt::Key_F10);
        EntryPoints().ItemDialog = nullptr;
        QCOMPARE(node->names().size(), 3);
        const QString subtotal = node->names().at(2);
        QCOMPARE(node->column(subtotal, "TAG").toString().trimmed(), QStringLiteral("T"));
        QCOMPARE(node->column(subtotal, "LCST12").toDouble(), 1000.0);
        QCOMPARE(node->column(subtotal, "SCST12").toDouble(), 250.5);
        QCOMPARE(node->column(subtotal, "CSTTAL").toDouble(), 1250.5);
        QCOMPARE(screen->FootPnl->LCSTTAL->Value(), 1250.0);
    }

    void closeIsAsked()
    {
        node->addNumbered(2);
        open();
        answers->queueAnswer(false);
        screen->sClose->DoClick();
        QVERIFY(screen->isVisible());
        QVERIFY(dMf->TSlst.isActive());
    }
};

VEK_TEST(TestLineItemScreen)
#include "tst_LineItemScreen.moc"
