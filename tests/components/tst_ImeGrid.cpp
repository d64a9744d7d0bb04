#include "components/ImeGrid.h"
#include "components/ImeGridInplaceEdit.h"
#include "components/ImeGridPopupListBox.h"
#include "components/ImeGridStringGrid.h"
#include "components/InputComposition.h"
#include "tests/components/WorkItemGrid.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using namespace vek;

namespace {

void Preedit(QWidget *target, const QString &text)
{
    QInputMethodEvent event(text, {});
    QApplication::sendEvent(target, &event);
}

void Commit(QWidget *target, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(target, &event);
}

} // namespace

// The IME grids: Korean composition typed into a closed cell, the one rule for every text
// that enters a cell, the editor's lists and the string grid.
class TestImeGrid : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;
    std::unique_ptr<THDBGrid> grid;
    Dataset *list = nullptr;

    QString nameAt(int row) { return list->valueOf(row, list->fieldIndex("NAME")).toString(); }
    QWidget *editor() { return grid->cellDelegate().editor(); }

    // A lookup column over the work items' ACODE that shows and picks the names of middle
    // groups, numbered from BCODE 7, and its editor opened on the first row.
    THDBGridInplaceEdit *openLookup(const QStringList &names)
    {
        Dataset &groups = db->module().TBlst;
        for (int i = 0; i < names.size(); ++i)
            db->insertRow({{"ABFS", "B"}, {"TAG", "N"}, {"BCODE", 7 + i}, {"NAME", names.at(i)}});
        groups.setCommandText("select * from NDTAIL where ABFS='B' order by BCODE");
        groups.open();
        DatasetColumn lookup = Column("ACODE");
        lookup.keyField = "ACODE";
        lookup.lookupDataset = &groups;
        lookup.lookupKeyField = "BCODE";
        lookup.lookupResultField = "NAME";
        grid->setColumns({Column("NAME"), lookup});
        grid->setCurrentIndex(grid->model()->index(0, 1));
        if (!grid->openCellEditor(grid->currentIndex()))
            return nullptr;
        return qobject_cast<THDBGridInplaceEdit *>(editor());
    }

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        list = &OpenWorkItems(*db, {"가설공사", "토공사", "철근공사"});
        grid = std::make_unique<THDBGrid>();
        grid->setDataset(list);
        DatasetColumn unit = Column("UNIT");
        unit.pickList = {"M", "M2", "M3", "EA", "식"};
        grid->setColumns({Column("rTg"), Column("NAME", QString(), 175), unit});
        grid->resize(400, 200);
        grid->show();
        QVERIFY(QTest::qWaitForWindowActive(grid.get()));
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(1, 1));
    }

    void cleanup()
    {
        grid.reset();
        list = nullptr;
        db.reset();
    }

    void compositionInAClosedCellGoesOnInlineInTheEditor()
    {
        QCOMPARE(list->recNo(), 1);
        Preedit(grid.get(), "ㅎ");
        QVERIFY(editor());
        auto *edit = qobject_cast<QLineEdit *>(editor());
        QCOMPARE(edit->text(), QString()); // the composition replaces the cell's text
        Preedit(grid.get(), "하");
        Commit(grid.get(), "한");
        QCOMPARE(edit->text(), QString("한"));
        Preedit(grid.get(), "ㄱ");
        Commit(grid.get(), "국");
        QCOMPARE(edit->text(), QString("한국"));
        // The grid keeps the focus (an input method drops its syllable when the focus moves),
        // also when the editor is clicked; the editor answers the input method through it.
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(3, edit->height() / 2));
        QCOMPARE(QApplication::focusWidget(), grid.get());
        QCOMPARE(grid->inputMethodQuery(Qt::ImSurroundingText).toString(), QString("한국"));
        QCOMPARE(grid->inputMethodQuery(Qt::ImCursorRectangle).toRect().topLeft(),
                 edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().topLeft() + edit->mapTo(grid.get(), QPoint()));
        QTest::keyClick(grid.get(), Qt::Key_Return);
        QTRY_VERIFY(!editor());
        QCOMPARE(nameAt(1), QString("한국"));
        QCOMPARE(list->recNo(), 1);
        QCOMPARE(grid->currentIndex().row(), 1);
        QCOMPARE(db->scalar("select NAME from NDTAIL where ABFS='A' and ACODE=2").toString(), QString("한국"));
    }

    void aComposingSyllableGoesIntoItsCellBeforeAnythingMoves_data()
    {
        QTest::addColumn<QString>("move");
        QTest::addColumn<int>("row"); // the current row afterwards
        QTest::newRow("click on another row") << "click" << 2;
        QTest::newRow("wheel") << "wheel" << 2;
        QTest::newRow("Down") << "Down" << 2;
        QTest::newRow("Enter") << "Enter" << 1;
        QTest::newRow("the screen moves the dataset") << "first" << 0;
        QTest::newRow("the focus leaves the grid") << "focus" << 1;
    }
    void aComposingSyllableGoesIntoItsCellBeforeAnythingMoves()
    {
        // No input method runs here: what the composition shows is committed all the same.
        QFETCH(QString, move);
        QFETCH(int, row);
        Commit(grid.get(), "한");
        Preedit(grid.get(), "국");
        QCOMPARE(InputComposition::Shown(grid.get()), QString("국"));
        if (move == u"click") {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(2, 1)).center());
        } else if (move == u"wheel") {
            const QPointF at = grid->viewport()->rect().center();
            QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), {}, {0, -QWheelEvent::DefaultDeltasPerStep},
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(grid->viewport(), &wheel);
        } else if (move == u"Down" || move == u"Enter") {
            QTest::keyClick(grid.get(), move == u"Down" ? Qt::Key_Down : Qt::Key_Return);
        } else if (move == u"first") {
            list->first();
        } else {
            QLineEdit elsewhere;
            elsewhere.show();
            elsewhere.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        }
        QTRY_VERIFY(!editor());
        QCOMPARE(nameAt(1), QString("한국"));
        QCOMPARE(list->recNo(), row);
        QCOMPARE(InputComposition::Shown(), QString());
        QCOMPARE(db->scalar("select NAME from NDTAIL where ABFS='A' and ACODE=2").toString(), QString("한국"));
    }

    void aCompositionTakenBackWholeLeavesTheCellAsItWas()
    {
        int posts = 0;
        list->beforePost = [&posts](Dataset &) { ++posts; };
        Preedit(grid.get(), "ㅎ");
        auto *edit = qobject_cast<QLineEdit *>(editor());
        QVERIFY(edit);
        QCOMPARE(edit->text(), QString());
        Preedit(grid.get(), QString()); // Backspace took the only jamo back
        QCOMPARE(edit->text(), QString("토공사"));
        QCOMPARE(edit->selectedText(), QString("토공사"));
        QVERIFY(!edit->isModified());
        QTest::keyClick(grid.get(), Qt::Key_Down);
        QVERIFY(!editor());
        QCOMPARE(posts, 0);
        QCOMPARE(nameAt(1), QString("토공사"));
    }

    void movingTheDatasetUnderAnOpenEditorKeepsItsTextInItsRow()
    {
        QTest::keyClick(grid.get(), Qt::Key_A); // opens the editor, which takes the focus
        QVERIFY(editor());
        QTest::keyClicks(editor(), "bc");
        QTest::mouseClick(grid->verticalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(3, grid->verticalHeader()->sectionViewportPosition(2) + 3));
        QVERIFY(!editor());
        QCOMPARE(nameAt(1), QString("abc"));
        QCOMPARE(list->recNo(), 2);
        QCOMPARE(grid->currentIndex().row(), 2);
        QTest::keyClick(grid.get(), Qt::Key_X);
        QTest::keyClicks(editor(), "yz");
        list->first(); // a screen moves the dataset itself
        QCOMPARE(nameAt(2), QString("xyz"));
        QCOMPARE(list->recNo(), 0);
        QCOMPARE(grid->currentIndex().row(), 0);
    }

    void anEditorLeftUntouchedWritesNothing()
    {
        int posts = 0;
        list->beforePost = [&posts](Dataset &) { ++posts; };
        QVERIFY(grid->openCellEditor(grid->currentIndex()));
        QTest::keyClick(editor(), Qt::Key_Down);
        QVERIFY(!editor());
        QCOMPARE(list->recNo(), 2);
        QCOMPARE(posts, 0);
        QTest::keyClick(grid.get(), Qt::Key_X);
        QTest::keyClick(editor(), Qt::Key_Up);
        QCOMPARE(posts, 1);
        QCOMPARE(nameAt(2), QString("x"));
    }

    void aCellThatMayNotBeEditedTakesNoComposition_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("refusal"); // 0 none, 1 grid read-only, 2 OnShowEditor, 3 OnKeyPress
        QTest::newRow("calculated column") << 0 << 0;
        QTest::newRow("read-only grid") << 1 << 1;
        QTest::newRow("OnShowEditor refuses") << 1 << 2;
        QTest::newRow("typing guard drops the letter") << 1 << 3;
    }

    void aCellThatMayNotBeEditedTakesNoComposition()
    {
        QFETCH(int, column);
        QFETCH(int, refusal);
        grid->setCurrentIndex(grid->model()->index(1, column));
        grid->SetReadOnly(refusal == 1);
        if (refusal == 2)
            grid->OnShowEditor = [](const QString &field, bool &allow) { allow = field != "NAME"; };
        if (refusal == 3)
            grid->OnKeyPress = [](QChar &key) {
                if (key.script() == QChar::Script_Hangul)
                    key = QChar();
            };
        Preedit(grid.get(), "ㅎ");
        Preedit(grid.get(), "하");
        Commit(grid.get(), "한");
        QVERIFY(!editor());
        QCOMPARE(nameAt(1), QString("토공사"));
        QCOMPARE(list->recNo(), 1);
        QCOMPARE(grid->currentIndex().row(), 1);
    }

    void aNumberCellTakesNoCompositionAndRefusesLettersAsTyped()
    {
        grid->setColumns({Column("NAME"), Column("INO"), Column("ODRF")});
        grid->setCurrentIndex(grid->model()->index(1, 0));
        QVERIFY(grid->inputMethodQuery(Qt::ImEnabled).toBool());
        grid->setCurrentIndex(grid->model()->index(1, 1));
        QVERIFY(!grid->inputMethodQuery(Qt::ImEnabled).toBool());
        Commit(grid.get(), "한"); // an input method that composes all the same
        QTest::keyClicks(grid.get(), "g");
        QVERIFY(!editor());
        QTest::keyClicks(grid.get(), "1x,2.5e1");
        QVERIFY(editor());
        QVERIFY(!grid->inputMethodQuery(Qt::ImEnabled).toBool());
        Commit(grid.get(), "국");
        QCOMPARE(qobject_cast<QLineEdit *>(editor())->text(), QString("12.5e1"));
        QTest::keyClick(grid.get(), Qt::Key_Return); // Tab would leave the grid
        QTRY_VERIFY(!editor());
        QTest::keyClick(grid.get(), Qt::Key_Right);
        QCOMPARE(grid->currentIndex().column(), 2);
        QCOMPARE(list->valueOf(1, list->fieldIndex("INO")).toDouble(), 125.0);
        QTest::keyClicks(grid.get(), "3.e4");
        QCOMPARE(qobject_cast<QLineEdit *>(editor())->text(), QString("34"));
    }

    void aTypedKeyNeverSearchesForARow()
    {
        grid->setCurrentIndex(grid->model()->index(0, 0)); // the number column reads 1, 2, 3
        QTest::keyClicks(grid.get(), "3");
        Commit(grid.get(), "철");
        QCOMPARE(grid->currentIndex().row(), 0);
        QCOMPARE(list->recNo(), 0);
    }

    void keysTypedInTheEditorReachTheGridsHooksFirst()
    {
        QList<int> seen;
        grid->OnKeyDown = [&seen](int &key, Qt::KeyboardModifiers) {
            seen.append(key);
            if (key == Qt::Key_Return)
                key = 0; // the screen moves the cell itself
        };
        QTest::keyClick(grid.get(), Qt::Key_A);
        QVERIFY(editor());
        QTest::keyClick(editor(), Qt::Key_F3);
        QTest::keyClick(editor(), Qt::Key_Return);
        QCOMPARE(seen, QList<int>({Qt::Key_A, Qt::Key_F3, Qt::Key_Return}));
        QVERIFY(editor()); // Enter was the screen's
        QCOMPARE(qobject_cast<QLineEdit *>(editor())->text(), QString("a"));
    }

    void theScreensEnterMovesOnAndKeepsTheText()
    {
        grid->OnKeyPress = [this](QChar &key) {
            if (key == QLatin1Char('\r')) {
                grid->SetSelectedIndex(grid->SelectedIndex() + 1);
                key = QChar();
            }
        };
        Preedit(grid.get(), "ㄷ");
        Commit(grid.get(), "돌");
        QTest::keyClick(grid.get(), Qt::Key_Return);
        QTRY_VERIFY(!editor());
        QCOMPARE(nameAt(1), QString("돌"));
        QCOMPARE(grid->currentIndex(), grid->model()->index(1, 2));
        QCOMPARE(list->recNo(), 1);
    }

    // The screens read their lists again after most commands: the cursor stays in the
    // column it was in, on the row the dataset goes to.
    void aRefreshKeepsTheCurrentColumn()
    {
        grid->setCurrentIndex(grid->model()->index(1, 2));
        list->refresh();
        QCOMPARE(grid->currentIndex(), grid->model()->index(1, 2));
        list->disableControls();
        list->first();
        list->enableControls();
        QCOMPARE(grid->currentIndex(), grid->model()->index(0, 2));
    }

    void aCommitIntoAnOpenEditorPassesTheTypingGuard()
    {
        grid->OnKeyPress = [](QChar &key) {
            if (key == QChar(u'국'))
                key = QChar();
        };
        Commit(grid.get(), "한");
        Commit(grid.get(), "국");
        QCOMPARE(qobject_cast<QLineEdit *>(editor())->text(), QString("한"));
    }

    void aPickListNearTheBottomOfTheScreenOpensAbove()
    {
        const QRect screen = grid->screen()->geometry();
        grid->move(screen.left() + 10, screen.bottom() - 110);
        QTRY_VERIFY(grid->geometry().top() > screen.bottom() - 120);
        grid->setCurrentIndex(grid->model()->index(2, 2));
        QVERIFY(grid->openCellEditor(grid->currentIndex()));
        auto *edit = qobject_cast<THDBGridInplaceEdit *>(editor());
        QVERIFY(edit);
        QCOMPARE(edit->editStyle(), THDBGridInplaceEdit::esPickList);
        QTest::keyClick(edit, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(edit->listVisible());
        const QRect listArea = edit->activeList()->geometry();
        QVERIFY(listArea.bottom() < edit->mapToGlobal(QPoint(0, 0)).y() + 1);
        QCOMPARE(listArea.width(), edit->width());
    }

    void escapeClosesThePickListLeavingTheTextAndEnterTakesTheItem()
    {
        grid->setCurrentIndex(grid->model()->index(0, 2));
        QVERIFY(grid->openCellEditor(grid->currentIndex()));
        auto *edit = qobject_cast<THDBGridInplaceEdit *>(editor());
        edit->setText("식");
        QTest::keyClick(edit, Qt::Key_Space);
        QVERIFY(edit->listVisible());
        QCOMPARE(edit->activeList()->count(), 5);
        QCOMPARE(edit->activeList()->visualItemRect(edit->activeList()->item(1)).height(), THPopupListBox::ItemHeight);
        QTest::keyClick(edit, Qt::Key_Down); // goes to the list
        QVERIFY(edit->activeList()->currentItem());
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!edit->listVisible());
        QCOMPARE(edit->text(), QString("식"));
        QVERIFY(editor()); // Esc closed the list, not the editor
        QTest::keyClick(edit, Qt::Key_Down, Qt::AltModifier);
        QTest::keyClicks(edit, "m3");
        QCOMPARE(edit->activeList()->currentItem()->text(), QString("M3"));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!edit->listVisible());
        QCOMPARE(edit->text(), QString("M3"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTRY_VERIFY(!editor());
        QCOMPARE(list->valueOf(0, list->fieldIndex("UNIT")).toString(), QString("M3"));
    }

    void aLookupListShowsTwentyRowsAndWritesTheKey()
    {
        THDBGridInplaceEdit *edit = openLookup({"중공종7", "중공종8", "중공종9"});
        QVERIFY(edit);
        QCOMPARE(edit->editStyle(), THDBGridInplaceEdit::esDataList);
        edit->DropDown();
        THPopupListBox *box = edit->activeList();
        QCOMPARE(box->count(), 3);
        QCOMPARE(box->height(), box->heightForRows(THDBGridInplaceEdit::LookupRows));
        QCOMPARE(box->currentRow(), -1); // key 1 names no row
        QTest::keyClick(edit, Qt::Key_Down);
        QTest::keyClick(edit, Qt::Key_Down);
        QTest::keyClick(edit, Qt::Key_Return); // closes the list, taking its row
        QCOMPARE(edit->text(), QString("중공종8"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTRY_VERIFY(!editor());
        QCOMPARE(list->valueOf(0, list->fieldIndex("ACODE")).toInt(), 8);
        QCOMPARE(grid->model()->data(grid->model()->index(0, 1), Qt::DisplayRole).toString(), QString("중공종8"));
    }

    // Two lookup rows with the same name: the one chosen is the key written.
    void aLookupListWritesTheChosenRowsKeyItself()
    {
        THDBGridInplaceEdit *edit = openLookup({"토공", "토공"});
        QVERIFY(edit);
        edit->DropDown();
        QTest::keyClick(edit, Qt::Key_Down);
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(edit->activeList()->currentRow(), 1);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Return);
        QTRY_VERIFY(!editor());
        QCOMPARE(list->valueOf(0, list->fieldIndex("ACODE")).toInt(), 8);
        QCOMPARE(db->scalar("select ACODE from NDTAIL where ABFS='A' and ODRF=1").toInt(), 8);
    }

    void ctrlEnterInAnEllipsisCellRunsTheEditButton()
    {
        DatasetColumn name = Column("NAME");
        name.buttonStyle = DatasetColumn::cbsEllipsis;
        grid->setColumns({name});
        int clicks = 0;
        grid->OnEditButtonClick = [&clicks] { ++clicks; };
        grid->setCurrentIndex(grid->model()->index(0, 0));
        QVERIFY(grid->openCellEditor(grid->currentIndex()));
        auto *edit = qobject_cast<THDBGridInplaceEdit *>(editor());
        QCOMPARE(edit->editStyle(), THDBGridInplaceEdit::esEllipsis);
        QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(clicks, 1);
        QTest::mouseClick(edit, Qt::LeftButton, {}, edit->buttonRect().center());
        QCOMPARE(clicks, 2);
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(3, edit->height() / 2));
        QCOMPARE(clicks, 2);
    }

    void pickListTypeAhead_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QList<int>>("times");
        QTest::addColumn<QString>("search");
        QTest::addColumn<int>("row");
        QList<int> quick(40);
        for (int i = 0; i < 40; ++i)
            quick[i] = i * 10;
        QTest::newRow("one key") << "나" << QList<int>{0} << "나" << 2;
        QTest::newRow("keys within two seconds build on") << "가나" << QList<int>{0, 1500} << "가나" << 1;
        QTest::newRow("exactly two seconds still builds on") << "가나" << QList<int>{0, 2000} << "가나" << 1;
        QTest::newRow("a pause resets the search") << "가나" << QList<int>{0, 2001} << "나" << 2;
        QTest::newRow("letters match either case") << "AB" << QList<int>{0, 10} << "AB" << 3;
        QTest::newRow("at most 32 characters") << QString(40, 'a') << quick << QString(32, 'a') << 3;
    }

    void pickListTypeAhead()
    {
        QFETCH(QString, keys);
        QFETCH(QList<int>, times);
        QFETCH(QString, search);
        QFETCH(int, row);
        THPopupListBox box(nullptr);
        box.addItems({"가설", "가나다", "나무", "abc", "abd"});
        qint64 now = 0;
        box.Clock = [&now] { return now; };
        for (int i = 0; i < keys.size(); ++i) {
            now = 10000 + times.at(i);
            box.TypeAhead(keys.at(i));
        }
        QCOMPARE(box.searchText(), search);
        QCOMPARE(box.currentRow(), row);
    }

    void backspaceAndEscapeClearTheSearch()
    {
        THPopupListBox box(nullptr);
        box.addItems({"가설", "나무"});
        box.TypeAhead(u'나');
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.searchText(), QString());
        box.TypeAhead(u'가');
        QTest::keyClick(&box, Qt::Key_Escape);
        QCOMPARE(box.searchText(), QString());
    }

    void theStringGridDrawsCellsThroughItsHandler()
    {
        THStringGrid sheet(3, 3);
        sheet.SetFixedColor(QColor(0xd9, 0xd7, 0xcc));
        sheet.SetCells(1, 1, "합계");
        using Cells = QSet<QPair<int, int>>;
        Cells fixed;
        sheet.OnDrawCell = [&fixed](QPainter &canvas, int col, int row, const QRect &rect, bool, bool isFixed) {
            if (isFixed)
                fixed.insert({col, row});
            if (col == 2 && row == 2)
                canvas.fillRect(rect, Qt::red);
        };
        sheet.resize(400, 200);
        const QImage shown = sheet.grab().toImage();
        const Cells expected = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {0, 2}};
        QCOMPARE(fixed, expected);
        const QRect redCell = sheet.visualRect(sheet.model()->index(2, 2)).translated(sheet.viewport()->pos());
        QCOMPARE(shown.pixelColor(redCell.center()), QColor(Qt::red));
        const QRect fixedCell = sheet.visualRect(sheet.model()->index(0, 1)).translated(sheet.viewport()->pos());
        QCOMPARE(shown.pixelColor(fixedCell.center()), QColor(0xd9, 0xd7, 0xcc));
    }

    void theStringGridHandsOverTheWholeComposition()
    {
        THStringGrid sheet(6, 5);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        sheet.setFocus();
        sheet.setCurrentCell(2, 3);
        Preedit(&sheet, "한국ㅇ");
        QVERIFY(sheet.cellDelegate().editor());
        Commit(&sheet, "한국어");
        QCOMPARE(qobject_cast<QLineEdit *>(sheet.cellDelegate().editor())->text(), QString("한국어"));
        QTest::keyClick(&sheet, Qt::Key_Return);
        QTRY_COMPARE(sheet.Cells(3, 2), QString("한국어"));
        sheet.setCurrentCell(0, 3); // a fixed row
        Commit(&sheet, "가");
        QVERIFY(!sheet.cellDelegate().editor());
        QCOMPARE(sheet.Cells(3, 0), QString());
    }

    // A screen's command reads the cells after PostEditor: what was typed, the syllable
    // still composing included, is in its cell and the editor is closed; an editor
    // opened without typing leaves its cell as it was.
    void theStringGridPostsItsEditorForTheScreen()
    {
        THStringGrid sheet(3, 3);
        sheet.SetCells(1, 1, "old");
        sheet.SetCells(2, 1, "kept");
        sheet.show();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        sheet.setFocus();
        sheet.setCurrentCell(1, 1);
        QTest::keyClicks(&sheet, "12");
        Preedit(&sheet, "가");
        sheet.PostEditor();
        QVERIFY(!sheet.cellDelegate().editor());
        QCOMPARE(sheet.Cells(1, 1), QString("12가"));

        sheet.setCurrentCell(1, 2);
        QTest::keyClick(&sheet, Qt::Key_F2);
        QVERIFY(sheet.cellDelegate().editor());
        sheet.PostEditor();
        QVERIFY(!sheet.cellDelegate().editor());
        QCOMPARE(sheet.Cells(2, 1), QString("kept"));
        sheet.PostEditor(); // nothing open: nothing happens
        QCOMPARE(sheet.Cells(1, 1), QString("12가"));
    }
};

VEK_TEST(TestImeGrid)
#include "tst_ImeGrid.moc"
