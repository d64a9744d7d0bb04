#include "components/DataGridBase.h"

#include "core/DatabaseError.h"
#include "core/MessageBoxes.h"

#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QWheelEvent>

namespace vek {

// The indicator column: the vertical header, drawn by the grid.
class IndicatorHeader : public QHeaderView {
public:
    explicit IndicatorHeader(DataGridBase &grid) : QHeaderView(Qt::Vertical, &grid), grid_(grid)
    {
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsClickable(false);
    }
    QSize sizeHint() const override { return {DataGridBase::IndicatorWidth, QHeaderView::sizeHint().height()}; }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        // A click on the indicator moves to its row.
        const int row = logicalIndexAt(event->position().toPoint());
        if (row >= 0)
            grid_.datasetModel().setCurrentRow(row);
    }

    void paintSection(QPainter *painter, const QRect &rect, int section) const override
    {
        painter->save();
        painter->fillRect(rect, palette().button());
        painter->setPen(palette().color(QPalette::Dark));
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->drawLine(rect.topRight(), rect.bottomRight());
        grid_.paintIndicator(*painter, rect, section);
        painter->restore();
    }

private:
    DataGridBase &grid_;
};

DataGridBase::DataGridBase(QWidget *parent) : QTableView(parent), delegate_(*this, *this)
{
    setVerticalHeader(new IndicatorHeader(*this));
    setItemDelegate(&delegate_);
    setModel(&model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(AnyKeyPressed | EditKeyPressed | SelectedClicked);
    setTabKeyNavigation(false);
    setAttribute(Qt::WA_InputMethodEnabled);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setMinimumSectionSize(1);
    applyRowsHeight(RowsHeight());
    connect(&model_, &DatasetModel::currentRowChanged, this, &DataGridBase::followDataset);
    connect(&model_, &QAbstractItemModel::modelReset, this, &DataGridBase::applyColumnWidths);
    connect(&model_, &DatasetModel::columnGroupsChanged, this, &DataGridBase::applyColumnGroups);
}

void DataGridBase::setTitleHeader(QHeaderView *header)
{
    setHorizontalHeader(header);
    // The new header lays out its sections at a reset; the widths and groups come after.
    disconnect(&model_, &QAbstractItemModel::modelReset, this, &DataGridBase::applyColumnWidths);
    connect(&model_, &QAbstractItemModel::modelReset, this, &DataGridBase::applyColumnWidths);
    applyRowsHeight(RowsHeight());
}

void DataGridBase::setDataset(Dataset *dataset)
{
    model_.setDataset(dataset);
}

void DataGridBase::setColumns(const QList<DatasetColumn> &columns)
{
    model_.setColumns(columns);
}

void DataGridBase::SetSelectedIndex(int column)
{
    const int row = std::max(model_.currentRow(), 0);
    if (column >= 0 && column < model_.columnCount() && row < model_.rowCount())
        setCurrentIndex(model_.index(row, column));
}

QString DataGridBase::fieldAt(int column) const
{
    return column >= 0 && column < model_.columnCount() ? model_.column(column).field : QString();
}

int DataGridBase::RowsHeight() const
{
    if (rowsHeightSet_)
        return verticalHeader()->defaultSectionSize();
    return fontMetrics().height() + 3 + RowLineWidth;
}

void DataGridBase::SetRowsHeight(int height)
{
    rowsHeightSet_ = true;
    applyRowsHeight(height);
}

void DataGridBase::applyRowsHeight(int height)
{
    verticalHeader()->setDefaultSectionSize(height);
    horizontalHeader()->setFixedHeight((height + 2) * (model_.anyGroupExpanded() ? 2 : 1));
    updateGeometries(); // the rows start below the title row as it is now
}

void DataGridBase::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyRowsHeight(RowsHeight());
}

void DataGridBase::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool leaves = !tabKeyNavigation()
                        && (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem);
    QTableView::closeEditor(editor, leaves ? QAbstractItemDelegate::NoHint : hint);
    if (leaves)
        focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
}

void DataGridBase::applyColumnWidths()
{
    for (int column = 0; column < model_.columnCount(); ++column)
        setColumnWidth(column, model_.column(column).width);
    applyColumnGroups();
}

void DataGridBase::applyColumnGroups()
{
    for (int column = 0; column < model_.columnCount(); ++column)
        setColumnHidden(column, !model_.columnShown(column));
    applyRowsHeight(RowsHeight());
    if (currentIndex().isValid() && isColumnHidden(currentIndex().column())) {
        const int head = model_.groupHeadOf(currentIndex().column());
        SetSelectedIndex(model_.column(head).expanded ? head + 1 : head);
    }
}

bool DataGridBase::mayEditCell(const QModelIndex &index) const
{
    if (!index.isValid() || readOnly_ || editTriggers() == NoEditTriggers
        || !(model_.flags(index) & Qt::ItemIsEditable))
        return false;
    bool allow = true;
    if (OnShowEditor)
        OnShowEditor(fieldAt(index.column()), allow);
    return allow;
}

bool DataGridBase::cellTakesCharacter(const QModelIndex &index, QChar character) const
{
    return model_.takesCharacter(index, character);
}

QWidget *DataGridBase::createCellEditor(QWidget *parent, const QModelIndex &)
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    return editor;
}

bool DataGridBase::openCellEditor(const QModelIndex &index)
{
    return edit(index, AllEditTriggers, nullptr);
}

bool DataGridBase::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (trigger != NoEditTriggers && !mayEditCell(index))
        return false;
    return QTableView::edit(index, trigger, event);
}

void DataGridBase::keyPressEvent(QKeyEvent *event)
{
    delegate_.gridKey(event);
}

void DataGridBase::inputMethodEvent(QInputMethodEvent *event)
{
    delegate_.gridInputMethod(event);
}

QVariant DataGridBase::inputMethodQuery(Qt::InputMethodQuery query) const
{
    const QVariant answer = delegate_.gridInputMethodQuery(query);
    return answer.isValid() ? answer : QTableView::inputMethodQuery(query);
}

void DataGridBase::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    delegate_.updateInputMethod();
    verticalHeader()->viewport()->update();
    if (current.isValid())
        column_ = current.column();
    if (following_ || !current.isValid() || current.row() == model_.currentRow())
        return;
    if (!model_.setCurrentRow(current.row()))
        followDataset(model_.currentRow());
}

void DataGridBase::followDataset(int row)
{
    verticalHeader()->viewport()->update();
    if (following_)
        return;
    if (delegate_.editor() && currentIndex().isValid() && currentIndex().row() != row) {
        // The dataset moved under an open editor: its text goes to the row it was opened
        // on, and the dataset goes back to where it was moved.
        QScopedValueRollback<bool> following(following_, true);
        postEditor();
        model_.setCurrentRow(row);
    }
    if (row < 0 || row >= model_.rowCount())
        return;
    // After a reset of the rows the grid has no current cell: the cursor stays in its column.
    const int column = currentIndex().isValid()                               ? currentIndex().column()
                       : column_ >= firstDataColumn() && column_ < model_.columnCount() ? column_
                                                                                 : firstDataColumn();
    if (currentIndex().row() == row && currentIndex().column() == column)
        return;
    QScopedValueRollback<bool> following(following_, true);
    setCurrentIndex(model_.index(row, column));
}

void DataGridBase::paintIndicator(QPainter &painter, const QRect &cell, int row) const
{
    if (row != model_.currentRow())
        return;
    // The toolkit's current-row arrow: a small black triangle pointing right.
    const QPoint centre = cell.center();
    const QPoint arrow[3] = {{centre.x() - 2, centre.y() - 4}, {centre.x() + 2, centre.y()}, {centre.x() - 2, centre.y() + 4}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow, 3);
}

} // namespace vek

namespace vek {

void DataGridBase::SetMultiSelect(bool multiSelect)
{
    multiSelect_ = multiSelect;
    if (!multiSelect)
        ClearSelectedRows();
}

void DataGridBase::SetRowSelect(bool rowSelect)
{
    setSelectionBehavior(rowSelect ? SelectRows : SelectItems);
    viewport()->update();
}

void DataGridBase::SetAlwaysShowSelection(bool always)
{
    alwaysShowSelection_ = always;
    viewport()->update();
}

bool DataGridBase::RowSelected(int row) const
{
    const Dataset *ds = dataset();
    if (!ds || selected_.isEmpty())
        return false;
    const quint64 id = ds->bookmarkOf(row).row;
    return id != 0 && std::any_of(selected_.begin(), selected_.end(), [id](const Bookmark &b) { return b.row == id; });
}

void DataGridBase::SetRowSelected(int row, bool selected)
{
    const Dataset *ds = dataset();
    if (!ds || row < 0 || row >= ds->recordCount() || RowSelected(row) == selected)
        return;
    const Bookmark mark = ds->bookmarkOf(row);
    if (selected)
        selected_.append(mark);
    else
        selected_.removeIf([&mark](const Bookmark &b) { return b.row == mark.row; });
    viewport()->update();
    verticalHeader()->viewport()->update();
}

void DataGridBase::ClearSelectedRows()
{
    selecting_ = false;
    if (selected_.isEmpty())
        return;
    selected_.clear();
    viewport()->update();
    verticalHeader()->viewport()->update();
}

void DataGridBase::clearSelectionOnMove()
{
    if (multiSelect_ && clearSelection_)
        ClearSelectedRows();
}

int DataGridBase::anchorRow() const
{
    const Dataset *ds = dataset();
    for (int row = 0; ds && row < ds->recordCount(); ++row)
        if (ds->bookmarkOf(row).row == anchor_.row)
            return row;
    return -1;
}

void DataGridBase::postEditor()
{
    if (QWidget *editor = delegate_.editor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void DataGridBase::moveRow(int direction, bool extend)
{
    Dataset *ds = dataset();
    if (!ds || !ds->isActive())
        return;
    postEditor();
    const int row = model_.currentRow();
    const int target = row + direction;
    if (target < 0 || target >= ds->recordCount())
        return;
    bool addAfter = false;
    if (multiSelect_ && extend) {
        if (!selecting_) {
            anchor_ = ds->bookmarkOf(row);
            SetRowSelected(row, true);
            selecting_ = true;
            addAfter = true;
        } else {
            // Moving back toward the anchor deselects the row left.
            const int anchor = anchorRow();
            const int side = row < anchor ? -1 : row > anchor ? 1 : 0;
            addAfter = side != -direction;
            if (!addAfter)
                SetRowSelected(row, false);
        }
    } else {
        clearSelectionOnMove();
    }
    if (model_.setCurrentRow(target) && addAfter)
        SetRowSelected(target, true);
}

void DataGridBase::DeleteRecords()
{
    Dataset *ds = dataset();
    if (!gridDeletes_ || readOnly_ || editTriggers() == NoEditTriggers || !ds || !ds->isActive() || ds->isEmpty()
        || ds->state() != DatasetState::Browse)
        return;
    const QString question = SelectedCount() < 2 ? QStringLiteral("Delete record?") : QStringLiteral("Delete all selected records?");
    if (confirmDelete_ && !ConfirmYesNo(question))
        return;
    const QList<Bookmark> rows = selected_;
    ClearSelectedRows();
    ds->disableControls();
    try {
        if (rows.isEmpty()) {
            ds->deleteRecord();
        } else {
            for (const Bookmark &row : rows)
                if (ds->gotoBookmark(row))
                    ds->deleteRecord();
        }
    } catch (const DatabaseError &error) {
        ShowErrorMsg(error.message());
    }
    ds->enableControls();
}

void DataGridBase::gridKeyDown(QKeyEvent *event)
{
    const Qt::KeyboardModifiers shift = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = shift & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Delete:
        if (ctrl) {
            DeleteRecords();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (ctrl) {
            clearSelectionOnMove();
        } else if (!(shift & Qt::AltModifier)) {
            moveRow(event->key() == Qt::Key_Down ? 1 : -1, shift & Qt::ShiftModifier);
            event->accept();
            return;
        }
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape:
        clearSelectionOnMove();
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (ctrl || model_.columnCount() == 1)
            clearSelectionOnMove();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (RowSelect())
            clearSelectionOnMove();
        break;
    case Qt::Key_Insert:
        if (mayEditCell(currentIndex()))
            clearSelectionOnMove();
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        const int column = currentIndex().column();
        const bool back = event->key() == Qt::Key_Backtab || (shift & Qt::ShiftModifier);
        if (!(shift & Qt::AltModifier) && (back ? column <= firstDataColumn() : column >= model_.columnCount() - 1))
            clearSelectionOnMove();
        break;
    }
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

void DataGridBase::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!multiSelect_ || event->button() != Qt::LeftButton || !index.isValid()) {
        QTableView::mousePressEvent(event);
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        if (model_.setCurrentRow(index.row()))
            SetRowSelected(index.row(), !RowSelected(index.row()));
        event->accept();
        return;
    }
    ClearSelectedRows();
    QTableView::mousePressEvent(event);
    if (clearSelection_)
        SetRowSelected(model_.currentRow(), true);
}

void DataGridBase::wheelEvent(QWheelEvent *event)
{
    event->accept();
    wheelDelta_ += event->angleDelta().y();
    while (std::abs(wheelDelta_) >= QWheelEvent::DefaultDeltasPerStep) {
        const bool down = wheelDelta_ < 0;
        wheelDelta_ += down ? QWheelEvent::DefaultDeltasPerStep : -QWheelEvent::DefaultDeltasPerStep;
        bool handled = false;
        const auto &hook = down ? OnMouseWheelDown : OnMouseWheelUp;
        if (hook)
            hook(event->modifiers(), event->position().toPoint(), handled);
        if (handled)
            continue;
        setFocus(Qt::MouseFocusReason);
        postEditor();
        const int row = model_.currentRow() + (down ? 1 : -1);
        if (row >= 0 && row < model_.rowCount())
            model_.setCurrentRow(row);
    }
}

bool DataGridBase::highlighted(const QModelIndex &index) const
{
    const bool current = RowSelect() ? index.row() == currentIndex().row() : index == currentIndex();
    return (current && (hasFocus() || state() == EditingState || alwaysShowSelection_)) || RowSelected(index.row());
}

void DataGridBase::cellStyle(QStyleOptionViewItem &option, const QModelIndex &index) const
{
    option.state.setFlag(QStyle::State_Selected, highlighted(index));
}

} // namespace vek
