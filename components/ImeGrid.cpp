#include "components/ImeGrid.h"

#include "components/ImeGridInplaceEdit.h"

namespace vek {

THDBGrid::THDBGrid(QWidget *parent) : DataGridBase(parent) {}

QWidget *THDBGrid::createCellEditor(QWidget *parent, const QModelIndex &index)
{
    auto *editor = new THDBGridInplaceEdit(*this, parent);
    editor->takeColumn(index.column());
    return editor;
}

} // namespace vek
