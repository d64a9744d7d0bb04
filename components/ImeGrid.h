#pragma once

#include "components/DataGridBase.h"

namespace vek {

// The data grid the line-item and breakdown screens type into: the data grid with
// THDBGridInplaceEdit as its cell editor (plain, ellipsis, pick list or lookup list by
// column) and Korean composition typed into a closed cell carried on inline in the
// editor.
class THDBGrid : public DataGridBase {
    Q_OBJECT
public:
    explicit THDBGrid(QWidget *parent = nullptr);

    QWidget *createCellEditor(QWidget *parent, const QModelIndex &index) override;

    // The edit-button action of an ellipsis column (its button, or Ctrl+Enter).
    std::function<void()> OnEditButtonClick;
};

} // namespace vek
