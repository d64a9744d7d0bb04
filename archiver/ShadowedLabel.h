#pragma once

#include "components/PaintedLabel.h"

#include <QPointer>

namespace vek {

// A label that draws its caption a second time, offset, in a shadow colour, for an
// engraved or raised look. It fits its size to the text, moves the focus to FocusControl
// on its accelerator key, can frame its text while that control has the focus, and
// reports the mouse entering and leaving it.
class TRxLabel : public PaintedLabel {
    Q_OBJECT
public:
    enum TShadowPosition { spLeftTop, spLeftBottom, spRightBottom, spRightTop };
    enum TTextLayout { tlTop, tlCenter, tlBottom };

    explicit TRxLabel(QWidget *parent = nullptr);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    QColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(const QColor &color);
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int size);
    TShadowPosition ShadowPos() const { return shadowPos_; }
    void SetShadowPos(TShadowPosition position);
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool on);
    QWidget *FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget *control);

    // FocusControl has the focus in the label's window.
    bool Focused() const { return focused_; }
    bool MouseInside() const { return mouseInside_; }

    // What the text with its shadow takes up when laid out within width (which matters
    // only with WordWrap): the text's size grown by the shadow size both ways.
    QSize MeasureText(int width) const;

signals:
    void Click();
    void MouseEnter();
    void MouseLeave();

protected:
    void TextChanged() override;
    void paintLabel(QPainter &painter) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // The shadow as drawn: a disabled label draws it in the button-highlight colour, and
    // with size 0 one pixel towards the right bottom (the engraved disabled look).
    struct Shadow {
        QPoint offset;
        QColor colour;
    };
    Shadow shadow() const;
    // The client area narrowed by one pixel on each side (the label has no text margins).
    QRect textRect() const;
    // Fits the size to the text when AutoSize is on; a right-aligned label keeps its right edge.
    void AdjustBounds();
    void grabAccelerator();
    void focusMoved(QWidget *now);
    // The mouse counts as inside when the label is enabled, the program active and the
    // label the topmost widget under the cursor.
    void checkMouseInside();
    void setMouseInside(bool inside);

    bool autoSize_ = true;
    TTextLayout layout_ = tlTop;
    QColor shadowColor_;
    int shadowSize_ = 1;
    TShadowPosition shadowPos_ = spLeftTop;
    bool showFocus_ = false;
    QPointer<QWidget> focusControl_;
    int accelerator_ = 0;
    bool dragging_ = false;
    bool mouseInside_ = false;
    bool focused_ = false;
};

} // namespace vek
