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
class DataGridBase : public QTableView, public GridKeyHooks, public CellEditHost {
    Q_OBJECT
public:
    explicit DataGridBase(QWidget *parent = nullptr);

    void setDataset(Dataset *dataset);
    Dataset *dataset() const { return model_.dataset(); }
    void setColumns(const QList<DatasetColumn> &columns);
    DatasetModel &datasetModel() { return model_; }
    ImeGridDelegate &cellDelegate() { return delegate_; }
    // The dataset's field shown in column, or empty.
    QString fieldAt(int column) const;

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    int RowsHeight() const;
    void SetRowsHeight(int height);

    // Field, and whether the editor may open on it.
    std::function<void(const QString &field, bool &allowEdit)> OnShowEditor;

    GridKeyHooks &keyHooks() override { return *this; }
    bool mayEditCell(const QModelIndex &index) const override;
    QWidget *createCellEditor(QWidget *parent, const QModelIndex &index) override;
    bool openCellEditor(const QModelIndex &index) override;
    // The grid's own handling of a key its hooks left; the table view's by default.
    void gridKeyDown(QKeyEvent *event) override { QTableView::keyPressEvent(event); }

    void keyboardSearch(const QString &) override {}
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

    static constexpr int IndicatorWidth = 11;

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    // Draws the indicator cell of row; the current row gets the toolkit's arrow.
    virtual void paintIndicator(QPainter &painter, const QRect &cell, int row) const;
    // The column a dataset move lands on when no cell is current.
    virtual int firstDataColumn() const { return 0; }

private:
    friend class IndicatorHeader;
    void followDataset(int row);
    void applyColumnWidths();

    DatasetModel model_;
    ImeGridDelegate delegate_;
    bool readOnly_ = false;
    bool following_ = false;
};

} // namespace vek
