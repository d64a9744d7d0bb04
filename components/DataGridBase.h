#pragma once

#include "components/DatasetModel.h"
#include "components/ImeGridDelegate.h"

#include <QTableView>

#include <functional>

namespace vek {

// The data grid the system's grids build on: a table view over a dataset through a
// DatasetModel whose current row and the dataset's current row are one, an indicator
// column marking the current row, the key hooks OnKeyDown and OnKeyPress (also for keys
// typed into an open editor), the OnShowEditor say over editing, and the one rule every
// text passes before it enters a cell. Korean composition typed into a closed cell opens
// its editor and goes on inline there. Qt's type-ahead row search is off: a typed key
// never moves the current row.
//
// Rows can be selected by bookmarks (MultiSelect): Shift+Up/Down extend the selection
// from its anchor, Ctrl+click toggles a row. One wheel notch moves one row.
//
// Tab leaves the grid for the next control, as the toolkit's default options leave tab
// navigation out; from an open editor too.
//
// The grid never appends a row (Down on the last row stays there) and deletes rows only
// when a caller allows it (GridDeletes): the screens add and delete through their own
// commands, with their cascades and renumbering, and see Ctrl+Delete and Down in
// OnKeyDown.
class DataGridBase : public QTableView, public GridKeyHooks, public CellEditHost {
    Q_OBJECT
public:
    explicit DataGridBase(QWidget *parent = nullptr);

    void setDataset(Dataset *dataset);
    Dataset *dataset() const { return model_.dataset(); }
    void setColumns(const QList<DatasetColumn> &columns);
    DatasetModel &datasetModel() { return model_; }
    const DatasetModel &datasetModel() const { return model_; }
    ImeGridDelegate &cellDelegate() { return delegate_; }
    // The current column.
    int SelectedIndex() const { return currentIndex().column(); }
    void SetSelectedIndex(int column);
    // The dataset's field shown in column, or empty.
    QString fieldAt(int column) const;

    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool multiSelect);
    // Plain navigation and clicks clear the selection.
    bool ClearSelection() const { return clearSelection_; }
    void SetClearSelection(bool clear) { clearSelection_ = clear; }
    bool RowSelect() const { return selectionBehavior() == SelectRows; }
    void SetRowSelect(bool rowSelect);
    // The current cell or row stays highlighted while the grid has no focus.
    bool AlwaysShowSelection() const { return alwaysShowSelection_; }
    void SetAlwaysShowSelection(bool always);
    bool ConfirmDelete() const { return confirmDelete_; }
    void SetConfirmDelete(bool confirm) { confirmDelete_ = confirm; }
    bool GridDeletes() const { return gridDeletes_; }
    void SetGridDeletes(bool deletes) { gridDeletes_ = deletes; }

    // The selected rows, by bookmark, in the order they were selected.
    const QList<Bookmark> &SelectedRows() const { return selected_; }
    int SelectedCount() const { return int(selected_.size()); }
    bool RowSelected(int row) const;
    void SetRowSelected(int row, bool selected);
    void ClearSelectedRows();

    // Writes and closes an open editor: before the grid moves the row itself, and before
    // a screen works with what was typed.
    void postEditor();

    // Ctrl+Delete: asks "Delete record?" or "Delete all selected records?" and deletes the
    // current row or every selected one; only with GridDeletes, on a grid that may edit.
    void DeleteRecords();

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // The data row height, the toolkit's until set: the font's height, 3, and the row line
    // that the default options draw. The title row is 2 pixels taller.
    int RowsHeight() const;
    void SetRowsHeight(int height);

    // Modifiers, position, and whether the handler took the notch.
    std::function<void(Qt::KeyboardModifiers shift, const QPoint &at, bool &handled)> OnMouseWheelDown;
    std::function<void(Qt::KeyboardModifiers shift, const QPoint &at, bool &handled)> OnMouseWheelUp;
    // Field, and whether the editor may open on it.
    std::function<void(const QString &field, bool &allowEdit)> OnShowEditor;

    GridKeyHooks &keyHooks() override { return *this; }
    bool mayEditCell(const QModelIndex &index) const override;
    bool cellTakesCharacter(const QModelIndex &index, QChar character) const override;
    QWidget *createCellEditor(QWidget *parent, const QModelIndex &index) override;
    bool openCellEditor(const QModelIndex &index) override;
    // The grid's own handling of a key its hooks left: the selection and delete rules,
    // then the table view's.
    void gridKeyDown(QKeyEvent *event) override;

    void keyboardSearch(const QString &) override {}
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

    static constexpr int IndicatorWidth = 11;
    static constexpr int RowLineWidth = 1;

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void cellStyle(QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // Whether the cell at index is drawn highlighted.
    bool highlighted(const QModelIndex &index) const;
    // Up or Down by one row; with extend the selection grows from its anchor or shrinks
    // back toward it.
    void moveRow(int direction, bool extend);
    void clearSelectionOnMove();
    // Draws the indicator cell of row; the current row gets the toolkit's arrow.
    virtual void paintIndicator(QPainter &painter, const QRect &cell, int row) const;
    // The column a dataset move lands on when no cell is current.
    virtual int firstDataColumn() const { return 0; }
    // Puts header in place of the title row; the grid's column widths and groups are laid
    // on it after it has taken each new set of columns.
    void setTitleHeader(QHeaderView *header);
    // Sets the data rows to height and the title row 2 pixels taller; twice that while a
    // column group is expanded, its spanning title above the titles of its columns.
    void applyRowsHeight(int height);

private:
    friend class IndicatorHeader;
    void followDataset(int row);
    void applyColumnWidths();
    // Shows the columns of expanded groups and the heads of collapsed ones.
    void applyColumnGroups();

    DatasetModel model_;
    ImeGridDelegate delegate_;
    int anchorRow() const;

    QList<Bookmark> selected_;
    Bookmark anchor_;
    bool selecting_ = false;
    bool multiSelect_ = false;
    bool clearSelection_ = true;
    bool confirmDelete_ = true;
    bool alwaysShowSelection_ = false;
    bool gridDeletes_ = false;
    int wheelDelta_ = 0;
    bool readOnly_ = false;
    bool rowsHeightSet_ = false;
    bool following_ = false;
    // The column of the last current cell: a reset of the rows keeps it.
    int column_ = -1;
};

} // namespace vek
