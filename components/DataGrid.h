#pragma once

#include "components/DataGridBase.h"

#include <QColor>
#include <QFont>

namespace vek {

enum TSortMarker { smNone, smDown, smUp };

// The data grid of the work-item list and the rate-row dialog: the data grid with marks
// for selected rows in the indicator column, title cells that act as push buttons with
// sort markers, a per-cell font and colour callback, glyphs for fields that cannot be
// shown as text, frozen data columns and its own key rules for them.
class TRxDBGrid : public DataGridBase {
    Q_OBJECT
public:
    explicit TRxDBGrid(QWidget *parent = nullptr);

    bool TitleButtons() const { return titleButtons_; }
    void SetTitleButtons(bool titleButtons);
    bool ShowGlyphs() const { return showGlyphs_; }
    void SetShowGlyphs(bool showGlyphs);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool defaultDrawing);
    // Frozen data columns left of the scrolling ones (the indicator not counted); at least
    // one column keeps scrolling. Frozen columns are no tab stops.
    int FixedCols() const;
    void SetFixedCols(int fixedCols);
    void SetRowsHeight(int height);

    // The title column drawn pressed, or -1.
    int PressedTitle() const;

    // Field, font, font colour and background of a cell, and whether it is highlighted.
    std::function<void(const QString &field, QFont &font, QColor &fontColor, QColor &background, bool highlight)>
        OnGetCellParams;
    // The same without the highlight; used only when OnGetCellParams is not set.
    std::function<void(const QString &field, QFont &font, QColor &fontColor, QColor &background)> OnGetCellProps;
    std::function<void(const QString &field, QFont &font, QColor &background, TSortMarker &marker, bool isDown)>
        OnGetBtnParams;
    std::function<void(int column, const QString &field)> OnTitleBtnClick;
    std::function<void(int column, const QString &field, bool &enabled)> OnCheckButton;
    std::function<void()> OnTopLeftChanged;
    // The text of the open editor changed.
    std::function<void()> OnEditChange;

    QWidget *createCellEditor(QWidget *parent, const QModelIndex &index) override;
    void gridKeyDown(QKeyEvent *event) override;
    void cellStyle(QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool paintCell(QPainter &painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void paintIndicator(QPainter &painter, const QRect &cell, int row) const override;
    void paintEvent(QPaintEvent *event) override;
    int firstDataColumn() const override { return FixedCols(); }
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void updateGeometries() override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

private:
    friend class TitleHeader;
    // The view over the frozen columns, laid over the left of the scrolling ones.
    void updateFrozen();
    int frozenWidth() const;

    bool titleButtons_ = false;
    bool showGlyphs_ = true;
    bool defaultDrawing_ = true;
    int fixedCols_ = 0;
    QTableView *frozen_ = nullptr;
};

// The glyph bitmap of a field that shows one ("DBG_MEMO", ...), or empty.
QString FieldGlyphName(FieldGlyph glyph);

} // namespace vek
