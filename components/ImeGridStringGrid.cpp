#include "components/ImeGridStringGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

namespace vek {

THStringGrid::THStringGrid(int colCount, int rowCount, QWidget *parent)
    : QTableWidget(rowCount, colCount, parent), delegate_(*this, *this)
{
    setItemDelegate(&delegate_);
    horizontalHeader()->hide();
    // A column may be as narrow as a hairline: a screen hides a column that way.
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(AnyKeyPressed | EditKeyPressed | SelectedClicked);
    setAttribute(Qt::WA_InputMethodEnabled);
}

QString THStringGrid::Cells(int col, int row) const
{
    const QTableWidgetItem *cell = item(row, col);
    return cell ? cell->text() : QString();
}

void THStringGrid::SetCells(int col, int row, const QString &text)
{
    QTableWidgetItem *cell = item(row, col);
    if (!cell)
        setItem(row, col, cell = new QTableWidgetItem);
    cell->setText(text);
}

void THStringGrid::PostEditor()
{
    if (QWidget *editor = delegate_.editor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void THStringGrid::SetFixed(int fixedCols, int fixedRows)
{
    fixedCols_ = fixedCols;
    fixedRows_ = fixedRows;
    viewport()->update();
}

void THStringGrid::SetFixedColor(const QColor &color)
{
    fixedColor_ = color;
    viewport()->update();
}

void THStringGrid::SetDefaultRowHeight(int height)
{
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(height);
}

bool THStringGrid::isFixed(const QModelIndex &index) const
{
    return index.row() < fixedRows_ || index.column() < fixedCols_;
}

bool THStringGrid::mayEditCell(const QModelIndex &index) const
{
    return index.isValid() && !isFixed(index) && editTriggers() != NoEditTriggers
           && (model()->flags(index) & Qt::ItemIsEditable);
}

QWidget *THStringGrid::createCellEditor(QWidget *parent, const QModelIndex &)
{
    auto *editor = new THInplaceEdit(parent);
    editor->setFrame(false);
    return editor;
}

bool THStringGrid::openCellEditor(const QModelIndex &index)
{
    return edit(index, AllEditTriggers, nullptr);
}

void THStringGrid::cellStyle(QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (isFixed(index))
        option.backgroundBrush = fixedColor_;
}

bool THStringGrid::paintCell(QPainter &painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!OnDrawCell)
        return false;
    if (defaultDrawing_)
        delegate_.QStyledItemDelegate::paint(&painter, option, index);
    else
        painter.fillRect(option.rect, option.backgroundBrush);
    painter.save();
    OnDrawCell(painter, index.column(), index.row(), option.rect, option.state & QStyle::State_Selected, isFixed(index));
    painter.restore();
    return true;
}

bool THStringGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (trigger != NoEditTriggers && !mayEditCell(index))
        return false;
    return QTableWidget::edit(index, trigger, event);
}

void THStringGrid::keyPressEvent(QKeyEvent *event)
{
    delegate_.gridKey(event);
}

void THStringGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableWidget::currentChanged(current, previous);
    delegate_.updateInputMethod();
}

void THStringGrid::inputMethodEvent(QInputMethodEvent *event)
{
    delegate_.gridInputMethod(event);
}

QVariant THStringGrid::inputMethodQuery(Qt::InputMethodQuery query) const
{
    const QVariant answer = delegate_.gridInputMethodQuery(query);
    return answer.isValid() ? answer : QTableWidget::inputMethodQuery(query);
}

} // namespace vek
