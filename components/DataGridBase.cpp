#include "components/DataGridBase.h"

#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScopedValueRollback>

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
    setAttribute(Qt::WA_InputMethodEnabled);
    horizontalHeader()->setHighlightSections(false);
    connect(&model_, &DatasetModel::currentRowChanged, this, &DataGridBase::followDataset);
    connect(&model_, &QAbstractItemModel::modelReset, this, &DataGridBase::applyColumnWidths);
}

void DataGridBase::setDataset(Dataset *dataset)
{
    model_.setDataset(dataset);
}

void DataGridBase::setColumns(const QList<DatasetColumn> &columns)
{
    model_.setColumns(columns);
}

QString DataGridBase::fieldAt(int column) const
{
    return column >= 0 && column < model_.columnCount() ? model_.column(column).field : QString();
}

int DataGridBase::RowsHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

void DataGridBase::SetRowsHeight(int height)
{
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(height);
}

void DataGridBase::applyColumnWidths()
{
    for (int column = 0; column < model_.columnCount(); ++column)
        setColumnWidth(column, model_.column(column).width);
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
    verticalHeader()->viewport()->update();
    if (following_ || !current.isValid() || current.row() == model_.currentRow())
        return;
    if (!model_.setCurrentRow(current.row()))
        followDataset(model_.currentRow());
}

void DataGridBase::followDataset(int row)
{
    verticalHeader()->viewport()->update();
    if (row < 0 || row >= model_.rowCount())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : firstDataColumn();
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
