// Korean typed through a real input method: fcitx5 with its hangul engine (Dubeolsik), real X
// key and mouse events from xdotool, under InputMethodSession.sh. A simulated
// QInputMethodEvent cannot show what goes wrong here: the engine composes asynchronously,
// takes a syllable back one jamo at a time, and drops what it is composing when the focus
// moves inside the window.
#include "app/ItemDialog.h"
#include "components/CurrencyEdit.h"
#include "components/ImeGrid.h"
#include "components/ImeGridStringGrid.h"
#include "components/InputComposition.h"
#include "tests/app/ProgramObjects.h"
#include "tests/components/WorkItemGrid.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestRegistry.h"
#include "unitprice/CostSheetPage.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace vek;

namespace {

constexpr int Patience = 10000; // ms for the engine and the X server to answer

// Runs xdotool on the session's display. The program goes on handling its events
// meanwhile, as it does while a person types: each key reaches it, and the input method,
// in its own time.
bool Xdo(const QStringList &arguments)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), arguments);
    const bool finished = QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, Patience);
    return finished && xdotool.exitStatus() == QProcess::NormalExit && xdotool.exitCode() == 0;
}

// Presses the keys named by X key names ("g k s Return"), one after another as a quick
// typist does.
bool Type(const QString &keys)
{
    return Xdo(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")}
               + keys.split(u' ', Qt::SkipEmptyParts));
}

// Clicks mouse button (1 left, 5 wheel down) at point of widget.
bool Click(QWidget *widget, QPoint point, int button = 1)
{
    const QPoint at = widget->mapToGlobal(point);
    return Xdo({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                QStringLiteral("click"), QString::number(button)});
}

// Watches what the input method sends: the composition shown in the focus object, and
// whether any composition reached a line edit at all.
class CompositionSpy : public QObject {
public:
    CompositionSpy() { qApp->installEventFilter(this); }
    ~CompositionSpy() override { qApp->removeEventFilter(this); }

    void clear()
    {
        preedit_.clear();
        composed_ = false;
        reachedLineEdit_ = false;
    }
    // The composition the input method last showed in the focus object.
    QString preedit() const { return preedit_; }
    // Whether the input method has composed anything since clear().
    bool composed() const { return composed_; }
    bool reachedLineEdit() const { return reachedLineEdit_; }

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (event->type() != QEvent::InputMethod)
            return false;
        const QString preedit = static_cast<QInputMethodEvent *>(event)->preeditString();
        if (receiver == QGuiApplication::focusObject()) {
            preedit_ = preedit;
            composed_ = composed_ || !preedit.isEmpty();
        }
        if (qobject_cast<QLineEdit *>(receiver) && !preedit.isEmpty())
            reachedLineEdit_ = true;
        return false;
    }

private:
    QString preedit_;
    bool composed_ = false;
    bool reachedLineEdit_ = false;
};

QString CellText(const QAbstractItemView &view, int row, int column)
{
    return view.model()->data(view.model()->index(row, column), Qt::EditRole).toString();
}

QPoint CellCentre(const QAbstractItemView &view, int row, int column)
{
    return view.visualRect(view.model()->index(row, column)).center();
}

} // namespace

class TestKoreanTyping : public QObject {
    Q_OBJECT

    CompositionSpy spy;
    // One window for the grids and boxes: fcitx5 makes its input context per window, once.
    std::unique_ptr<QWidget> host;
    QLineEdit *plain = nullptr;

    // Waits until the input method composes in box: the first keys a new window gets may
    // pass raw while fcitx5 still makes its input context.
    bool waitForInputMethod(QLineEdit *box)
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 3 * Patience) {
            box->clear();
            spy.clear();
            if (!Type(QStringLiteral("g")))
                return false;
            const bool answered = QTest::qWaitFor([&] { return spy.preedit() == u"ㅎ" || !box->text().isEmpty(); },
                                                  Patience);
            if (answered && spy.preedit() == u"ㅎ") {
                // Taken back: the engine drops the jamo and the box stays empty.
                return Type(QStringLiteral("BackSpace"))
                       && QTest::qWaitFor([&] { return spy.preedit().isEmpty(); }, Patience) && box->text().isEmpty();
            }
        }
        return false;
    }

    void showInHost(QWidget *widget)
    {
        host->layout()->addWidget(widget);
        widget->show();
        host->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(host.get()));
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
        spy.clear();
    }

    // A data grid over the work-item list showing NAME and the number INO, in the host,
    // with the cell at column of the first row current.
    std::unique_ptr<THDBGrid> showWorkItems(Dataset &list, int column)
    {
        auto grid = std::make_unique<THDBGrid>();
        grid->setDataset(&list);
        grid->setColumns({Column("NAME", QString(), 175), Column("INO")});
        showInHost(grid.get());
        grid->setCurrentIndex(grid->model()->index(0, column));
        return grid;
    }

    // Leaves the cell being typed into: a click on the third row's cell or a wheel turn,
    // once the engine shows composing, else the keys named by move.
    bool moveOn(QAbstractItemView &view, const QString &move, const QString &composing)
    {
        if (move != u"click" && move != u"wheel")
            return Type(move);
        // The engine has answered every key: the move comes while it composes.
        return QTest::qWaitFor([&] { return spy.composed() && spy.preedit() == composing; }, Patience)
               && Click(view.viewport(), CellCentre(view, 2, view.currentIndex().column()), move == u"click" ? 1 : 5);
    }

private slots:
    void initTestCase()
    {
        InputComposition::Watch(); // as the program does when it starts
        host = std::make_unique<QWidget>();
        host->setGeometry(40, 40, 520, 360);
        new QVBoxLayout(host.get());
        plain = new QLineEdit(host.get());
        host->layout()->addWidget(plain);
        host->show();
        host->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(host.get()));
        plain->setFocus();
        QTRY_VERIFY(plain->hasFocus());
        const char *broken = "the input-method harness is broken: fcitx5 with its hangul engine does not compose "
                             "in a plain QLineEdit (Xvfb, session bus, fcitx5 and the Qt fcitx plugin all needed)";
        if (!waitForInputMethod(plain))
            QFAIL(broken);
        QVERIFY(Type(QStringLiteral("g k s r n r Return")));
        if (!QTest::qWaitFor([&] { return plain->text() == u"한국"; }, Patience))
            QFAIL(qPrintable(QStringLiteral("%1; g k s r n r Return gave '%2'").arg(broken, plain->text())));
        plain->hide();
    }

    void cleanupTestCase() { host.reset(); }

    void typesIntoTheDataGrid_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("composing"); // the syllable in composition when the move comes
        QTest::addColumn<QString>("move");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("row"); // the current row afterwards
        QTest::newRow("한국, Enter") << "g k s r n r" << "" << "Return" << "한국" << 0;
        QTest::newRow("가나, two Backspaces, 다") << "r k s k BackSpace BackSpace e k" << "" << "Return" << "가다" << 0;
        QTest::newRow("click on another row while the first syllable composes") << "g k s" << "한" << "click" << "한" << 2;
        QTest::newRow("한 typed, 한 composing, click on another row") << "g k s g k s" << "한" << "click" << "한한" << 2;
        QTest::newRow("a composition taken back whole, click: the old text stays") << "g BackSpace" << "" << "click"
                                                                                  << "미장공사" << 2;
        QTest::newRow("wheel while composing") << "g k s r n r" << "국" << "wheel" << "한국" << 1;
        QTest::newRow("Tab while composing") << "g k s r n r" << "" << "Tab Escape" << "한국" << 0;
        QTest::newRow("Down while composing") << "g k s r n r" << "" << "Down" << "한국" << 1;
    }
    void typesIntoTheDataGrid()
    {
        QFETCH(QString, keys);
        QFETCH(QString, composing);
        QFETCH(QString, move);
        QFETCH(QString, stored);
        QFETCH(int, row);
        TempDatabase db;
        MessageAnswerer answers;
        Dataset &list = OpenWorkItems(db, {"미장공사", "토공사", "철근공사"});
        const std::unique_ptr<THDBGrid> grid = showWorkItems(list, 0);

        QVERIFY(Type(keys));
        QVERIFY(moveOn(*grid, move, composing));
        QTRY_VERIFY_WITH_TIMEOUT(spy.composed(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(list.recNo(), row, Patience);
        QTRY_VERIFY_WITH_TIMEOUT(!grid->cellDelegate().editor(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(list.valueOf(0, list.fieldIndex("NAME")).toString(), stored, Patience);
        QCOMPARE(db.scalar("select NAME from NDTAIL where ABFS='A' and ACODE=1").toString(), stored);
        QCOMPARE(answers.texts(), QStringList());
    }

    void refusesKoreanInANumberCell_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<double>("stored");
        // F2 opens the editor once the keys before it were taken: it shows the old number.
        QTest::newRow("a syllable alone, then F2") << "g k s F2" << 0.0;
        QTest::newRow("a syllable between digits") << "1 g k s 2 Return" << 12.0;
    }
    void refusesKoreanInANumberCell()
    {
        QFETCH(QString, keys);
        QFETCH(double, stored);
        TempDatabase db;
        MessageAnswerer answers;
        Dataset &list = OpenWorkItems(db, {"미장공사", "토공사", "철근공사"});
        const std::unique_ptr<THDBGrid> grid = showWorkItems(list, 1);

        QVERIFY(Type(keys));
        if (keys.endsWith(u"F2")) {
            QTRY_VERIFY_WITH_TIMEOUT(grid->cellDelegate().editor(), Patience);
            QCOMPARE(qobject_cast<QLineEdit *>(grid->cellDelegate().editor())->text(), QStringLiteral("0"));
            QVERIFY(Type(QStringLiteral("Escape")));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!grid->cellDelegate().editor(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(list.valueOf(0, list.fieldIndex("INO")).toDouble(), stored, Patience);
        QVERIFY(!spy.reachedLineEdit());
        QCOMPARE(db.scalar("select INO from NDTAIL where ABFS='A' and ACODE=1").toDouble(), stored);
        QCOMPARE(answers.texts(), QStringList());
    }

    void typesIntoTheStringGrid_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("composing");
        QTest::addColumn<QString>("move");
        QTest::addColumn<QString>("cell");
        QTest::newRow("한국, Enter") << "g k s r n r" << "" << "Return" << "한국";
        QTest::newRow("click on another row while composing") << "g k s r n r" << "국" << "click" << "한국";
    }
    void typesIntoTheStringGrid()
    {
        QFETCH(QString, keys);
        QFETCH(QString, composing);
        QFETCH(QString, move);
        QFETCH(QString, cell);
        auto *sheet = new THStringGrid(3, 5);
        std::unique_ptr<THStringGrid> owner(sheet);
        sheet->SetCells(1, 1, "미장공사");
        showInHost(sheet);
        sheet->setCurrentCell(1, 1);

        QVERIFY(Type(keys));
        QVERIFY(moveOn(*sheet, move, composing));
        QTRY_VERIFY_WITH_TIMEOUT(spy.composed(), Patience);
        QTRY_VERIFY_WITH_TIMEOUT(!sheet->cellDelegate().editor(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(sheet->Cells(1, 1), cell, Patience);
        QCOMPARE(CellText(*sheet, 1, 1), cell);
    }

    // The cost statement's grid: a name takes Korean and Enter moves down; an amount takes
    // only digits; a remark holds 15 bytes, a syllable past that is refused when committed.
    void typesIntoTheCostStatement_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("cell");
        QTest::newRow("a name, Enter") << 2 << 1 << QString() << "g k s r n r Return" << "한국";
        QTest::newRow("Korean between digits of an amount") << 2 << 2 << QString() << "1 g k s 2 Return" << "12";
        QTest::newRow("a remark up to its 15 bytes")
            << 3 << 4 << " " + QString(5, u'가') << "F2 End g k s r n r Return" << QString(5, u'가') + "한국";
        QTest::newRow("a remark past its 15 bytes")
            << 3 << 4 << " " + QString(6, u'가') << "F2 End g k s r n r Return" << QString(6, u'가') + "한";
    }
    void typesIntoTheCostStatement()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(QString, cell);
        TempDatabase db;
        MessageAnswerer answers;
        auto page = std::make_unique<TCostSheetPage>();
        page->LoadCostSheet();
        if (!before.isNull())
            page->SetCells(col, row, before);
        showInHost(page.get());
        page->dGrid->setFocus();
        QTRY_VERIFY(page->dGrid->hasFocus());
        page->dGrid->setCurrentCell(row, col);

        QVERIFY(Type(keys));
        QTRY_COMPARE_WITH_TIMEOUT(page->dGrid->currentRow(), row + 1, Patience);
        QTRY_VERIFY_WITH_TIMEOUT(!page->dGrid->cellDelegate().editor(), Patience);
        QCOMPARE(page->Cells(col, row).trimmed(), cell);
        QCOMPARE(answers.texts(), QStringList());
    }

    void aFocusMovedByTheProgramWhileComposingCommitsOnce_data()
    {
        QTest::addColumn<bool>("fromGrid");
        QTest::newRow("from a line edit") << false;
        QTest::newRow("from a string grid's cell") << true;
    }
    void aFocusMovedByTheProgramWhileComposingCommitsOnce()
    {
        QFETCH(bool, fromGrid);
        auto *sheet = new THStringGrid(3, 3);
        std::unique_ptr<THStringGrid> owner(sheet);
        auto *box = new QLineEdit;
        std::unique_ptr<QLineEdit> boxOwner(box);
        QWidget *from = fromGrid ? static_cast<QWidget *>(sheet) : box;
        QWidget *to = fromGrid ? static_cast<QWidget *>(box) : sheet;
        host->layout()->addWidget(to);
        to->show();
        showInHost(from);
        sheet->setCurrentCell(1, 1);

        QVERIFY(Type(QStringLiteral("g k s r n r")));
        QTRY_VERIFY_WITH_TIMEOUT(spy.preedit() == u"국", Patience);
        to->setFocus();
        const auto typed = [&] { return fromGrid ? sheet->Cells(1, 1) : box->text(); };
        QTRY_COMPARE_WITH_TIMEOUT(typed(), QStringLiteral("한국"), Patience);
        QVERIFY(!sheet->cellDelegate().editor());
        // The engine has nothing left to hand in a second time.
        QVERIFY(Type(QStringLiteral("Shift_L")));
        QCOMPARE(typed(), QStringLiteral("한국"));
    }

    void aClickThatTakesNoFocusCommitsInATextBox_data()
    {
        QTest::addColumn<bool>("combo");
        QTest::newRow("line edit") << false;
        QTest::newRow("editable combo box") << true;
    }
    void aClickThatTakesNoFocusCommitsInATextBox()
    {
        QFETCH(bool, combo);
        auto *label = new QLabel(QStringLiteral("명칭:"));
        std::unique_ptr<QLabel> labelOwner(label);
        host->layout()->addWidget(label);
        label->show();
        auto *names = new QComboBox;
        names->setEditable(true);
        names->addItems({QStringLiteral("잡  자  재  비"), QStringLiteral("공  구  손  료")});
        names->setCurrentIndex(-1);
        auto *box = new QLineEdit;
        std::unique_ptr<QWidget> owner(combo ? static_cast<QWidget *>(names) : box);
        std::unique_ptr<QWidget> spare(combo ? static_cast<QWidget *>(box) : names);
        showInHost(owner.get());
        const auto typed = [&] { return combo ? names->currentText() : box->text(); };

        QVERIFY(Type(QStringLiteral("g k s r n r")));
        QTRY_VERIFY_WITH_TIMEOUT(spy.preedit() == u"국", Patience);
        QCOMPARE(typed(), QStringLiteral("한"));
        QVERIFY(Click(label, label->rect().center()));
        QTRY_COMPARE_WITH_TIMEOUT(typed(), QStringLiteral("한국"), Patience);
        QVERIFY(spy.preedit().isEmpty());
    }

    void refusesKoreanInACurrencyBox()
    {
        auto *box = new TCurrencyEdit;
        std::unique_ptr<TCurrencyEdit> owner(box);
        showInHost(box);
        QVERIFY(Type(QStringLiteral("g k s r n r 1 2")));
        QTRY_COMPARE_WITH_TIMEOUT(box->text(), QStringLiteral("12"), Patience);
        QVERIFY(!spy.reachedLineEdit());
        QCOMPARE(box->Value(), 12.0);
    }

    void typesIntoTheProjectName_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("name");
        QTest::newRow("한국") << "" << "한국";
        // The box holds 48 bytes, 24 Korean letters: a syllable past them is refused when
        // it is committed.
        QTest::newRow("up to the byte limit") << QString(22, u'가') << QString(22, u'가') + "한국";
        QTest::newRow("past the byte limit") << QString(23, u'가') << QString(23, u'가') + "한";
    }
    void typesIntoTheProjectName()
    {
        QFETCH(QString, before);
        QFETCH(QString, name);
        TempHome home;
        MessageAnswerer answers;
        ProgramObjects program;
        Tmainf &window = *program.window;
        window.show();
        QVERIFY(window.DatabaseReady());
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_VERIFY(window.dGongSa->hasFocus());
        QVERIFY(waitForInputMethod(window.dGongSa));
        window.dGongSa->setText(before);
        spy.clear();
        QVERIFY(Type(QStringLiteral("g k s r n r")));
        QTRY_VERIFY_WITH_TIMEOUT(spy.preedit() == u"국", Patience);
        // A click on a label that takes no focus: the syllable is committed all the same.
        QVERIFY(Click(window.filName, window.filName->rect().center()));
        QTRY_VERIFY_WITH_TIMEOUT(spy.preedit().isEmpty(), Patience);
        QCOMPARE(window.dGongSa->text(), name);
        QCOMPARE(answers.texts(), QStringList());
        window.close();
    }

    // The item dialog's name and remark boxes hold 43 and 15 bytes: a syllable past the
    // limit is refused when it is committed; Enter commits the syllable and moves on.
    void typesIntoTheItemDialog_data()
    {
        QTest::addColumn<bool>("remark");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::newRow("name up to the limit") << false << QString(19, u'가') << QString(19, u'가') + "한국";
        QTest::newRow("name past the limit") << false << QString(20, u'가') << QString(20, u'가') + "한";
        QTest::newRow("remark up to the limit") << true << QString(5, u'가') << QString(5, u'가') + "한국";
        QTest::newRow("remark past the limit") << true << QString(6, u'가') << QString(6, u'가') + "한";
    }
    void typesIntoTheItemDialog()
    {
        QFETCH(bool, remark);
        QFETCH(QString, before);
        QFETCH(QString, typed);
        MessageAnswerer answers;
        TInPutf dialog(0);
        dialog.LoadFields(NewItemRowFields(0));
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QLineEdit *box = remark ? dialog.EdtEtc : dialog.EdtName;
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        QVERIFY(waitForInputMethod(box));
        box->setText(before);
        spy.clear();
        QVERIFY(Type(QStringLiteral("g k s r n r Return")));
        QTRY_VERIFY_WITH_TIMEOUT(box->text() == typed && spy.preedit().isEmpty(), Patience);
        QTRY_VERIFY(remark ? dialog.EdtName->hasFocus() : dialog.EdtNo->hasFocus());
        QCOMPARE(box->text(), typed);
        QVERIFY(dialog.isVisible());
        QCOMPARE(answers.texts(), QStringList());
    }
};

VEK_TEST(TestKoreanTyping)
#include "tst_KoreanTyping.moc"
