#pragma once

#include "components/CustomControl.h"

#include <QColor>
#include <QImage>

namespace vek {

// The panel every screen lays its bars, grids and boxes on: a flat area in its colour,
// optionally with one-pixel bound lines on chosen edges, a glyph at the left and a caption.
// Children laid out by a layout stay inside the client area (contentsRect()).
class TdxContainer : public TdxCustomControl {
    Q_OBJECT
public:
    enum BoundLine : quint8 { blLeft = 1, blTop = 2, blRight = 4, blBottom = 8 };
    enum class TdxCaptionLayout { Top, Center, Bottom };
    enum class TdxGlyphLayout { glBottom = 0, glCenter = 1, glTop = 2 };
    enum class TdxEnabledMode { emAffectChilds = 0, emNormal = 1 };

    explicit TdxContainer(QWidget *parent = nullptr);

    QColor Color() const { return palette().color(QPalette::Active, QPalette::Window); }
    void SetColor(const QColor &color);
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment alignment);
    TdxCaptionLayout Layout() const { return layout_; }
    void SetLayout(TdxCaptionLayout layout);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool show);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    quint8 BoundLines() const { return boundLines_; }
    void SetBoundLines(quint8 lines);
    bool ShowBoundLines() const { return showBoundLines_; }
    void SetShowBoundLines(bool show);
    QColor BoundColor() const { return boundColor_; }
    void SetBoundColor(const QColor &color);
    QImage Glyph() const { return glyph_; }
    void SetGlyph(const QImage &glyph);
    TdxGlyphLayout GlyphLayout() const { return glyphLayout_; }
    void SetGlyphLayout(TdxGlyphLayout layout);
    TdxEnabledMode EnabledMode() const { return enabledMode_; }
    void SetEnabledMode(TdxEnabledMode mode);
    bool Focusable() const { return focusable_; }
    void SetFocusable(bool focusable);

    // The area children are aligned in: the control less the border width, less one pixel
    // for each side with a bound line while bound lines are shown, less the glyph's width
    // on the left.
    QRect ClientArea() const;

signals:
    // Owner drawing inside the bound area, before the glyph and caption.
    void Paint(const QRect &rect, QPainter *canvas);
    void EnabledChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void DoEnabledChanged() override;
    void DoMouseDown() override;
    void DoPositionChanged() override { InternalRedraw(); }

private:
    // Stores value in field and repaints when it changed; true when it did.
    template <typename T>
    bool Assign(T &field, const T &value);
    template <typename T>
    void AssignRealigned(T &field, const T &value);
    QRect BoundArea() const;
    void Realign();
    void PaintCaption(QPainter &canvas, QRect rect);

    Qt::Alignment alignment_ = Qt::AlignHCenter;
    TdxCaptionLayout layout_ = TdxCaptionLayout::Center;
    bool wordWrap_ = false;
    bool showCaption_ = false;
    int spacing_ = 5;
    int borderWidth_ = 0;
    quint8 boundLines_ = 0;
    bool showBoundLines_ = true;
    QColor boundColor_{128, 128, 128};
    QImage glyph_;
    TdxGlyphLayout glyphLayout_ = TdxGlyphLayout::glCenter;
    TdxEnabledMode enabledMode_ = TdxEnabledMode::emNormal;
    bool focusable_ = false;
};

} // namespace vek
