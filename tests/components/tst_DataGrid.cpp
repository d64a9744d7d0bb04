#include "components/DataGrid.h"
#include "tests/components/WorkItemGrid.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using namespace vek;

// The work-item grid over five rows of a fresh working database.
class TestDataGrid : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;
    std::unique_ptr<TRxDBGrid> grid;
    Dataset *list = nullptr;

    int rowsInTable() { return db->scalar("select count(*) from NDTAIL where ABFS='A'").toInt(); }

    void wheel(int delta)
    {
        const QPoint at = grid->viewport()->rect().center();
        QWheelEvent event(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &event);
    }

    QPoint titleCentre(int column)
    {
        QHeaderView *header = grid->horizontalHeader();
        return {header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2};
    }

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        list = &OpenWorkItems(*db, {"공종1", "공종2", "공종3", "공종4", "공종5"});
        grid = std::make_unique<TRxDBGrid>();
        grid->setDataset(list);
        grid->setColumns({Column("rTg", "No", 30), Column("NAME", "공             종            명", 200),
                          Column("CSTTAL", "계", 110)});
        grid->resize(420, 220);
        grid->show();
        QVERIFY(QTest::qWaitForWindowActive(grid.get()));
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 1));
    }

    void cleanup()
    {
        grid.reset();
        list = nullptr;
        db.reset();
    }

    void shiftExtendsTheSelectionFromItsAnchor()
    {
        grid->SetMultiSelect(true);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(grid->SelectedCount(), 4);
        QCOMPARE(list->recNo(), 3);
        QTest::keyClick(grid.get(), Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(grid->SelectedCount(), 3);
        QCOMPARE(list->recNo(), 2);
        QVERIFY(grid->RowSelected(0) && grid->RowSelected(2) && !grid->RowSelected(3));
        QCOMPARE(grid->currentIndex().row(), 2);
        QTest::keyClick(grid.get(), Qt::Key_Down);
        QCOMPARE(grid->SelectedCount(), 0);
    }

    void shiftAboveTheAnchorSelectsUpward()
    {
        grid->SetMultiSelect(true);
        list->setRecNo(3);
        QTest::keyClick(grid.get(), Qt::Key_Up, Qt::ShiftModifier);
        QTest::keyClick(grid.get(), Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(grid->SelectedCount(), 3);
        QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(grid->SelectedCount(), 2);
        QVERIFY(!grid->RowSelected(1) && grid->RowSelected(2) && grid->RowSelected(3));
    }

    void ctrlClickTogglesARow()
    {
        grid->SetMultiSelect(true);
        const QPoint third = grid->visualRect(grid->model()->index(2, 1)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, third);
        QVERIFY(grid->RowSelected(2));
        QCOMPARE(list->recNo(), 2);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, third);
        QVERIFY(!grid->RowSelected(2));
    }

    void ctrlDeleteAsksAndDeletes_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("left");
        QTest::newRow("current row") << 0 << true << "Delete record?" << 4;
        QTest::newRow("one selected row") << 1 << true << "Delete record?" << 4;
        QTest::newRow("three selected rows") << 3 << true << "Delete all selected records?" << 2;
        QTest::newRow("three, answered No") << 3 << false << "Delete all selected records?" << 5;
    }

    void ctrlDeleteAsksAndDeletes()
    {
        QFETCH(int, selected);
        QFETCH(bool, yes);
        QFETCH(QString, question);
        QFETCH(int, left);
        grid->SetMultiSelect(true);
        grid->SetGridDeletes(true);
        for (int i = 1; i < selected; ++i)
            QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
        if (selected == 1)
            grid->SetRowSelected(0, true);
        MessageAnswerer answerer(yes);
        QTest::keyClick(grid.get(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(answerer.texts(), QStringList({question}));
        QCOMPARE(rowsInTable(), left);
        QCOMPARE(grid->model()->rowCount(), left);
    }

    void gridKeysNeverBypassTheScreensCommands()
    {
        grid->SetMultiSelect(true);
        QList<int> seen;
        grid->OnKeyDown = [&seen](int &key, Qt::KeyboardModifiers) { seen.append(key); };
        MessageAnswerer answerer(true);
        QTest::keyClick(grid.get(), Qt::Key_Delete, Qt::ControlModifier);
        list->last();
        QTest::keyClick(grid.get(), Qt::Key_Down);
        seen.removeAll(Qt::Key_Control);
        QCOMPARE(seen, QList<int>({Qt::Key_Delete, Qt::Key_Down}));
        QVERIFY(answerer.texts().isEmpty());
        QCOMPARE(rowsInTable(), 5);
        QCOMPARE(list->state(), DatasetState::Browse);
        QCOMPARE(list->recordCount(), 5);
    }

    void oneWheelNotchMovesOneRow()
    {
        wheel(-120);
        QCOMPARE(list->recNo(), 1);
        wheel(-240);
        QCOMPARE(list->recNo(), 3);
        wheel(120);
        QCOMPARE(list->recNo(), 2);
        wheel(-60);
        QCOMPARE(list->recNo(), 2);
        wheel(-60);
        QCOMPARE(list->recNo(), 3);
        QCOMPARE(grid->currentIndex().row(), 3);
        int handled = 0;
        grid->OnMouseWheelDown = [&handled](Qt::KeyboardModifiers, const QPoint &, bool &done) {
            ++handled;
            done = true;
        };
        wheel(-120);
        QCOMPARE(handled, 1);
        QCOMPARE(list->recNo(), 3);
    }

    void titleButtonsClickOnlyWhereReleased()
    {
        grid->SetTitleButtons(true);
        QList<int> clicks;
        grid->OnTitleBtnClick = [&clicks](int column, const QString &field) {
            clicks.append(column);
            QCOMPARE(field, QString(column == 1 ? "NAME" : "CSTTAL"));
        };
        QWidget *titles = grid->horizontalHeader()->viewport();
        QTest::mousePress(titles, Qt::LeftButton, {}, titleCentre(1));
        QCOMPARE(grid->PressedTitle(), 1);
        QTest::mouseMove(titles, titleCentre(2));
        QCOMPARE(grid->PressedTitle(), -1); // drawn up while the cursor is away
        QTest::mouseRelease(titles, Qt::LeftButton, {}, titleCentre(2));
        QVERIFY(clicks.isEmpty());
        QTest::mouseClick(titles, Qt::LeftButton, {}, titleCentre(1));
        QCOMPARE(clicks, QList<int>({1}));
        grid->OnCheckButton = [](int column, const QString &, bool &enabled) { enabled = column != 2; };
        QTest::mouseClick(titles, Qt::LeftButton, {}, titleCentre(2));
        QCOMPARE(clicks, QList<int>({1}));
    }

    void aSortMarkerKeepsItsRoomBesideALongCaption()
    {
        grid->SetTitleButtons(true);
        grid->OnGetBtnParams = [](const QString &field, QFont &, QColor &background, TSortMarker &marker, bool) {
            background = Qt::white;
            if (field == "NAME")
                marker = smDown;
        };
        grid->setColumnWidth(1, 60);
        const QImage titles = grid->horizontalHeader()->viewport()->grab().toImage();
        QHeaderView *header = grid->horizontalHeader();
        const int right = header->sectionViewportPosition(1) + header->sectionSize(1) - 1;
        // The marker: mid grey, 9 x 5, 3 pixels left of the raised face's right edge,
        // vertically centred.
        const int markerLeft = right - 1 - 3 - 9;
        const int markerTop = (header->height() - 1 - 5) / 2;
        QCOMPARE(titles.pixelColor(markerLeft + 4, markerTop + 1), QColor(0x80, 0x80, 0x80));
        // Nothing of the caption in the gap of 6 pixels before it.
        for (int x = markerLeft - 5; x < markerLeft; ++x)
            for (int y = 2; y < header->height() - 2; ++y)
                QCOMPARE(titles.pixelColor(x, y), QColor(Qt::white));
    }

    void drawnTitlesShowTheirRaisedEdge_data()
    {
        QTest::addColumn<bool>("buttons");
        QTest::addColumn<bool>("lines");
        QTest::addColumn<bool>("raised");
        QTest::newRow("buttons and lines") << true << true << true;
        QTest::newRow("buttons") << true << false << true;
        QTest::newRow("lines") << false << true << true;
        QTest::newRow("neither") << false << false << false;
    }

    void drawnTitlesShowTheirRaisedEdge()
    {
        QFETCH(bool, buttons);
        QFETCH(bool, lines);
        QFETCH(bool, raised);
        grid->SetTitleButtons(buttons);
        grid->setShowGrid(lines);
        grid->SetFixedCols(1); // the grid draws its titles even without title buttons
        grid->OnGetBtnParams = [](const QString &, QFont &, QColor &background, TSortMarker &, bool) {
            background = Qt::red;
        };
        const QImage titles = grid->horizontalHeader()->viewport()->grab().toImage();
        const int left = grid->horizontalHeader()->sectionViewportPosition(2);
        const QColor light = grid->palette().color(QPalette::Light);
        QCOMPARE(titles.pixelColor(left + 5, 0), raised ? light : QColor(Qt::red));
        QCOMPARE(titles.pixelColor(left, titles.height() / 2), raised ? light : QColor(Qt::red));
    }

    void aMemoFieldShowsItsGlyphAndOpensNoEditor()
    {
        DatasetColumn memo = Column("NOADD");
        memo.glyph = FieldGlyph::Memo;
        grid->setColumns({memo, Column("NAME")});
        grid->setCurrentIndex(grid->model()->index(0, 0));
        QTest::keyClick(grid.get(), Qt::Key_A);
        QInputMethodEvent commit;
        commit.setCommitString("한");
        QApplication::sendEvent(grid.get(), &commit);
        QVERIFY(!grid->cellDelegate().editor());
        QVERIFY(!grid->mayEditCell(grid->currentIndex()));
        QCOMPARE(grid->model()->data(grid->currentIndex(), Qt::DisplayRole), QVariant());
    }

    void frozenColumnsKeepTheCursorRightOfThem()
    {
        grid->SetFixedCols(1);
        grid->setCurrentIndex(grid->model()->index(0, 2));
        QTest::keyClick(grid.get(), Qt::Key_Home);
        QCOMPARE(grid->currentIndex().column(), 1);
        QTest::keyClick(grid.get(), Qt::Key_Left);
        QCOMPARE(grid->currentIndex().column(), 1);
        grid->setCurrentIndex(grid->model()->index(1, 0));
        QTRY_COMPARE(grid->currentIndex().column(), 1);
        grid->SetFixedCols(9); // one column always scrolls
        QCOMPARE(grid->FixedCols(), 2);
    }

    void frozenColumnsStayInPlaceWhileTheRestScrolls()
    {
        grid->setColumns({Column("rTg", "No", 30), Column("NAME", "명칭", 300), Column("UNIT", "단위", 200),
                          Column("CSTTAL", "계", 300)});
        grid->SetFixedCols(1);
        auto *frozen = grid->findChild<QTableView *>();
        QVERIFY(frozen && frozen->isVisible());
        QVERIFY(!frozen->isColumnHidden(0) && frozen->isColumnHidden(1));
        QCOMPARE(frozen->x(), grid->verticalHeader()->width() + grid->frameWidth());
        // The last frozen column's title ends in a black line.
        const QImage titles = frozen->horizontalHeader()->viewport()->grab().toImage();
        for (int y = 0; y < titles.height(); ++y)
            QCOMPARE(titles.pixelColor(frozen->horizontalHeader()->sectionSize(0) - 1, y), QColor(Qt::black));
        grid->setCurrentIndex(grid->model()->index(0, 3));
        QVERIFY(grid->horizontalScrollBar()->value() > 0);
        QCOMPARE(frozen->visualRect(frozen->model()->index(0, 0)).left(), 0);
        // A cell right of the frozen column is scrolled out from under it.
        QTest::keyClick(grid.get(), Qt::Key_Home);
        QCOMPARE(grid->currentIndex().column(), 1);
        QVERIFY(grid->visualRect(grid->currentIndex()).left() >= 30);
        // A click in the frozen column moves to its row.
        QTest::mouseClick(frozen->viewport(), Qt::LeftButton, {}, frozen->visualRect(frozen->model()->index(2, 0)).center());
        QCOMPARE(list->recNo(), 2);
        grid->SetFixedCols(0);
        QVERIFY(!grid->findChild<QTableView *>());
    }

    void keysThatClearTheSelection_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("Esc") << int(Qt::Key_Escape) << 0 << 1 << true;
        QTest::newRow("PgDn") << int(Qt::Key_PageDown) << 0 << 1 << true;
        QTest::newRow("Ctrl+Home") << int(Qt::Key_Home) << int(Qt::ControlModifier) << 1 << true;
        QTest::newRow("Tab past the last column") << int(Qt::Key_Tab) << 0 << 2 << true;
        QTest::newRow("Tab inside the row") << int(Qt::Key_Tab) << 0 << 1 << false;
        QTest::newRow("Right in cell mode") << int(Qt::Key_Right) << 0 << 1 << false;
    }

    void keysThatClearTheSelection()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, column);
        QFETCH(bool, cleared);
        grid->SetMultiSelect(true);
        grid->setTabKeyNavigation(true);
        grid->setCurrentIndex(grid->model()->index(1, column));
        QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(grid->SelectedCount(), 2);
        QTest::keyClick(grid.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(grid->SelectedCount(), cleared ? 0 : 2);
    }

    void theSelectionShowsWithoutFocusOnlyWhenAskedTo()
    {
        QLineEdit elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QTRY_VERIFY(!grid->hasFocus());
        QStyleOptionViewItem option;
        option.palette = grid->palette();
        grid->cellStyle(option, grid->currentIndex());
        QCOMPARE(option.backgroundBrush.color(), grid->palette().color(QPalette::Base));
        grid->SetAlwaysShowSelection(true);
        grid->cellStyle(option, grid->currentIndex());
        QCOMPARE(option.backgroundBrush.color(), grid->palette().color(QPalette::Highlight));
    }

    void editChangeAndTopLeftChangeAreReported()
    {
        int edits = 0;
        int scrolls = 0;
        grid->OnEditChange = [&edits] { ++edits; };
        grid->OnTopLeftChanged = [&scrolls] { ++scrolls; };
        QTest::keyClick(grid.get(), Qt::Key_A);
        QWidget *editor = grid->cellDelegate().editor();
        QVERIFY(editor);
        QTest::keyClicks(editor, "bc");
        QCOMPARE(edits, 3);
        grid->SetRowsHeight(60);
        QCOMPARE(grid->horizontalHeader()->height(), 62);
        grid->scrollToBottom();
        QVERIFY(scrolls > 0);
    }

    void cellParamsSeeTheSelectedRowsHighlighted()
    {
        grid->SetMultiSelect(true);
        grid->SetRowSelected(3, true);
        QSet<QString> highlighted;
        grid->OnGetCellParams = [&](const QString &field, QFont &, QColor &, QColor &background, bool highlight) {
            if (highlight)
                highlighted.insert(field);
            background = QColor(0xf9, 0xed, 0xfa);
        };
        QStyleOptionViewItem option;
        option.palette = grid->palette();
        const QModelIndex cell = grid->model()->index(3, 2);
        grid->cellStyle(option, cell);
        QCOMPARE(option.backgroundBrush.color(), QColor(0xf9, 0xed, 0xfa));
        QCOMPARE(highlighted, QSet<QString>({"CSTTAL"}));
    }

    // The toolkit's row height, the font's height with 3 and the row line, until set;
    // the title row is 2 pixels taller.
    void rowsTakeTheToolkitsHeightAndTitlesTwoMore_data()
    {
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<int>("set");
        QTest::newRow("the grid's font") << 0 << 0;
        QTest::newRow("a larger font") << 24 << 0;
        QTest::newRow("set") << 0 << 20;
    }
    void rowsTakeTheToolkitsHeightAndTitlesTwoMore()
    {
        QFETCH(int, pixelSize);
        QFETCH(int, set);
        if (pixelSize > 0) {
            QFont font = grid->font();
            font.setPixelSize(pixelSize);
            grid->setFont(font);
        }
        if (set > 0)
            grid->SetRowsHeight(set);
        const int rows = set > 0 ? set : grid->fontMetrics().height() + 4;
        QCOMPARE(grid->RowsHeight(), rows);
        QCOMPARE(grid->rowHeight(0), rows);
        QCOMPARE(grid->horizontalHeader()->height(), rows + 2);
    }

    void aRightPressOnATitleActsAsALeftPress()
    {
        grid->SetTitleButtons(true);
        QList<int> clicks;
        grid->OnTitleBtnClick = [&clicks](int column, const QString &) { clicks.append(column); };
        QWidget *titles = grid->horizontalHeader()->viewport();
        QTest::mousePress(titles, Qt::RightButton, {}, titleCentre(1));
        QCOMPARE(grid->PressedTitle(), 1);
        QTest::mouseRelease(titles, Qt::RightButton, {}, titleCentre(1));
        QCOMPARE(clicks, QList<int>({1}));
        // Not while the columns may not be resized.
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        QTest::mouseClick(titles, Qt::RightButton, {}, titleCentre(2));
        QCOMPARE(clicks, QList<int>({1}));
    }

    // Tab leaves the grid for the next control, from the grid and from an open editor.
    void tabLeavesTheGrid()
    {
        QWidget window;
        auto *inside = new TRxDBGrid(&window);
        inside->setDataset(list);
        inside->setColumns({Column("NAME"), Column("CSTTAL")});
        auto *next = new QLineEdit(&window);
        next->move(0, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        inside->setFocus();
        inside->setCurrentIndex(inside->model()->index(1, 0));
        QTest::keyClick(inside, Qt::Key_Tab);
        QVERIFY(next->hasFocus());
        QCOMPARE(inside->currentIndex().column(), 0);

        inside->setFocus();
        QVERIFY(inside->openCellEditor(inside->currentIndex()));
        auto *editor = qobject_cast<QLineEdit *>(inside->cellDelegate().editor());
        QVERIFY(editor);
        editor->setText(QStringLiteral("탭으로 떠남"));
        editor->setModified(true);
        QTest::keyClick(editor, Qt::Key_Tab);
        QTRY_VERIFY(next->hasFocus());
        QVERIFY(!inside->cellDelegate().editor());
        QCOMPARE(inside->currentIndex().column(), 0);
        QCOMPARE(list->valueOf(1, list->fieldIndex("NAME")).toString(), QStringLiteral("탭으로 떠남"));
    }

    // Row-select mode: a focus rectangle around the current row while the grid has the focus.
    void rowSelectDrawsAFocusRectangleAroundTheRow()
    {
        grid->SetRowSelect(true);
        grid->SetAlwaysShowSelection(true);
        grid->setCurrentIndex(grid->model()->index(2, 1));
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        const QImage focused = grid->viewport()->grab().toImage();
        grid->clearFocus();
        QTRY_VERIFY(!grid->hasFocus());
        const QImage unfocused = grid->viewport()->grab().toImage();
        const QRect row = grid->visualRect(grid->model()->index(2, 0)).united(grid->visualRect(grid->model()->index(2, 2)));
        int changed = 0;
        for (int y = 0; y < focused.height(); ++y)
            for (int x = 0; x < focused.width(); ++x)
                if (focused.pixel(x, y) != unfocused.pixel(x, y)) {
                    QVERIFY2(row.contains(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                    ++changed;
                }
        QVERIFY(changed >= row.width()); // at least along the row's edges
    }

    // The marks stand 1 pixel in from the indicator's right edge with the grid's lines,
    // 2 without, and only while the dataset browses.
    void selectionMarksStandInFromTheRight()
    {
        grid->SetMultiSelect(true);
        grid->SetRowSelected(2, true);
        const auto rightmostBlack = [this] {
            const QImage indicator = grid->verticalHeader()->viewport()->grab().toImage();
            const int top = grid->verticalHeader()->sectionViewportPosition(2);
            int right = -1;
            for (int y = top; y < top + grid->verticalHeader()->sectionSize(2); ++y)
                for (int x = 0; x < indicator.width(); ++x)
                    if (indicator.pixelColor(x, y) == QColor(Qt::black))
                        right = std::max(right, x);
            return right;
        };
        const int withLines = rightmostBlack();
        grid->setShowGrid(false);
        const int withoutLines = rightmostBlack();
        QVERIFY(withLines > 0);
        QCOMPARE(withLines - withoutLines, 1);
        list->setRecNo(0);
        list->edit();
        QCOMPARE(rightmostBlack(), -1);
        list->cancel();
    }

    // A column group: "금 액" heads the material and labour amounts. Collapsed it stands
    // alone with an arrow box pointing right; its arrow box expands it, and then its title
    // spans both columns above their own titles, its arrow pointing left.
    void columnGroupsExpandAndCollapseByTheirArrowBox_data()
    {
        QTest::addColumn<bool>("rightToLeft");
        QTest::newRow("left to right") << false;
        QTest::newRow("right to left") << true;
    }
    void columnGroupsExpandAndCollapseByTheirArrowBox()
    {
        QFETCH(bool, rightToLeft);
        DatasetColumn group = Column("CSTTAL", "금 액", 110);
        group.groupSize = 2;
        grid->setColumns({Column("rTg", "No", 30), Column("NAME", "공종명", 120), group, Column("PCST12", "재료비", 90),
                          Column("LCST12", "노무비", 90)});
        grid->setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        grid->resize(520, 220);
        QHeaderView *header = grid->horizontalHeader();
        const int single = header->height();
        QVERIFY(!grid->isColumnHidden(2));
        QVERIFY(grid->isColumnHidden(3) && grid->isColumnHidden(4));

        const int boxWidth = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        // The black pixels of the arrow in the box at the title's edge: which way it points.
        const auto arrowPointsRight = [&](const QRect &title) {
            const QImage image = header->viewport()->grab().toImage();
            const QRect face = title.adjusted(0, 0, -1, -1);
            const QRect box = rightToLeft ? QRect(face.left(), face.top(), boxWidth, face.height())
                                          : QRect(face.right() + 1 - boxWidth, face.top(), boxWidth, face.height());
            int leftmost = INT_MAX, rightmost = INT_MIN, topAtLeft = 0, topAtRight = 0;
            for (int x = box.left(); x <= box.right(); ++x)
                for (int y = box.top(); y <= box.bottom(); ++y)
                    if (image.pixelColor(x, y) == QColor(Qt::black)) {
                        if (x < leftmost) { leftmost = x; topAtLeft = 0; }
                        if (x > rightmost) { rightmost = x; topAtRight = 0; }
                        topAtLeft += x == leftmost;
                        topAtRight += x == rightmost;
                    }
            if (leftmost > rightmost)
                return -1; // no arrow
            return topAtLeft > topAtRight ? 1 : 0; // the wide base stands opposite the tip
        };
        const auto sectionRect = [&](int column) {
            return QRect(header->sectionViewportPosition(column), 0, header->sectionSize(column), header->height());
        };
        QCOMPARE(arrowPointsRight(sectionRect(2)), rightToLeft ? 0 : 1);

        // A click on the box expands the group.
        const QRect collapsed = sectionRect(2);
        const QPoint box(rightToLeft ? collapsed.left() + 3 : collapsed.right() - 3, collapsed.center().y());
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, box);
        QVERIFY(grid->datasetModel().column(2).expanded);
        QVERIFY(grid->isColumnHidden(2));
        QVERIFY(!grid->isColumnHidden(3) && !grid->isColumnHidden(4));
        QCOMPARE(header->height(), 2 * single);
        QCOMPARE(grid->viewport()->y(), header->y() + header->height()); // the rows start below it
        const QRect first = sectionRect(3);
        const QRect second = sectionRect(4);
        const QRect span = first.united(second).adjusted(0, 0, 0, -header->height() / 2);
        QCOMPARE(arrowPointsRight(span), rightToLeft ? 1 : 0);
        // Drawn over its whole width: no line between the two columns in the upper half,
        // their own line in the lower half.
        const QImage image = header->viewport()->grab().toImage();
        const int between = rightToLeft ? second.right() : first.right();
        const QColor dark = header->palette().color(QPalette::Dark);
        QVERIFY(image.pixel(between, header->height() / 4) != dark.rgb());
        QCOMPARE(image.pixel(between, header->height() * 3 / 4), dark.rgb());

        // The box at the spanning title collapses it again.
        const QRect upper = span;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(rightToLeft ? upper.left() + 3 : upper.right() - 3, upper.center().y()));
        QVERIFY(!grid->datasetModel().column(2).expanded);
        QVERIFY(!grid->isColumnHidden(2) && grid->isColumnHidden(3));
        QCOMPARE(header->height(), single);
    }

    void selectedRowsShowTheirMarksInTheIndicator()
    {
        grid->SetMultiSelect(true);
        grid->SetRowSelected(2, true);
        grid->SetRowSelected(0, true);
        const QImage indicator = grid->verticalHeader()->viewport()->grab().toImage();
        auto blackIn = [&](int row) {
            const int top = grid->verticalHeader()->sectionViewportPosition(row);
            int count = 0;
            for (int y = top; y < top + grid->verticalHeader()->sectionSize(row); ++y)
                for (int x = 0; x < indicator.width(); ++x)
                    count += indicator.pixelColor(x, y) == QColor(Qt::black);
            return count;
        };
        QVERIFY(blackIn(2) >= 9);            // the dot
        QVERIFY(blackIn(0) > blackIn(2));    // the arrow of the current row
        QCOMPARE(blackIn(1), 0);
    }
};

VEK_TEST(TestDataGrid)
#include "tst_DataGrid.moc"
