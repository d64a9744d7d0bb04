#pragma once

#include "components/ImeGridDelegate.h"

#include <QColor>
#include <QLineEdit>
#include <QTableWidget>

namespace vek {

// The cell editor of THStringGrid. Qt shows a composition inline in the editor, so it needs
// nothing beyond the plain line editor; it exists so that the grid names its own editor.
class THInplaceEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
};

// A grid of plain strings that Korean can be typed into directly: composition begun in a
// closed cell opens the cell's editor and goes on there, whole, inline. Cells(col, row)
// counts the fixed rows and columns as the system does; fixed cells are never edited.
class THStringGrid : public QTableWidget, public GridKeyHooks, public CellEditHost {
    Q_OBJECT
public:
    THStringGrid(int colCount, int rowCount, QWidget *parent = nullptr);

    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString &text);
    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }
    void SetFixed(int fixedCols, int fixedRows);
    QColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(const QColor &color);
    void SetDefaultRowHeight(int height);
    ImeGridDelegate &cellDelegate() { return delegate_; }
    // Writes the open editor's text (with a syllable still composing) into its cell and
    // closes the editor: before a command of the screen reads the cells.
    void PostEditor();

    // Draws a cell in place of the grid (a screen's own cell drawing): canvas, column, row,
    // cell rectangle, and whether the cell is highlighted or fixed. Without it, or with
    // DefaultDrawing, the grid draws the cell first.
    std::function<void(QPainter &canvas, int col, int row, const QRect &rect, bool selected, bool fixed)> OnDrawCell;
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool defaultDrawing) { defaultDrawing_ = defaultDrawing; }

    GridKeyHooks &keyHooks() override { return *this; }
    bool mayEditCell(const QModelIndex &index) const override;
    QWidget *createCellEditor(QWidget *parent, const QModelIndex &index) override;
    bool openCellEditor(const QModelIndex &index) override;
    void gridKeyDown(QKeyEvent *event) override { QTableWidget::keyPressEvent(event); }
    void cellStyle(QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool paintCell(QPainter &painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    void keyboardSearch(const QString &) override {}
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    bool isFixed(const QModelIndex &index) const;

    ImeGridDelegate delegate_;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    QColor fixedColor_ = QColor(0xd4, 0xd0, 0xc8);
    bool defaultDrawing_ = true;
};

} // namespace vek
