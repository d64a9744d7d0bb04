#include "components/Container.h"

#include "components/DrawingRoutines.h"

#include <QPainter>

namespace vek {

TdxContainer::TdxContainer(QWidget *parent) : TdxCustomControl(parent)
{
    setFocusPolicy(Qt::NoFocus);
    resize(185, 41);
}

template <typename T>
bool TdxContainer::Assign(T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    InternalRedraw();
    return true;
}

// As Assign, realigning the children first: the client area changed.
template <typename T>
void TdxContainer::AssignRealigned(T &field, const T &value)
{
    if (field == value)
        return;
    field = value;
    Realign();
    InternalRedraw();
}

void TdxContainer::SetColor(const QColor &color)
{
    if (Color() == color)
        return;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
    InternalRedraw();
}

void TdxContainer::SetAlignment(Qt::Alignment alignment) { Assign(alignment_, alignment & Qt::AlignHorizontal_Mask); }
void TdxContainer::SetLayout(TdxCaptionLayout layout) { Assign(layout_, layout); }
void TdxContainer::SetWordWrap(bool wordWrap) { Assign(wordWrap_, wordWrap); }
void TdxContainer::SetShowCaption(bool show) { Assign(showCaption_, show); }
void TdxContainer::SetSpacing(int spacing) { Assign(spacing_, spacing); }
void TdxContainer::SetBoundColor(const QColor &color) { Assign(boundColor_, color); }
void TdxContainer::SetGlyphLayout(TdxGlyphLayout layout) { Assign(glyphLayout_, layout); }

void TdxContainer::SetBorderWidth(int width) { AssignRealigned(borderWidth_, width); }
void TdxContainer::SetBoundLines(quint8 lines) { AssignRealigned(boundLines_, lines); }
void TdxContainer::SetShowBoundLines(bool show) { AssignRealigned(showBoundLines_, show); }
void TdxContainer::SetGlyph(const QImage &glyph) { AssignRealigned(glyph_, glyph); }

void TdxContainer::SetEnabledMode(TdxEnabledMode mode)
{
    if (Assign(enabledMode_, mode))
        DoEnabledChanged();
}

void TdxContainer::SetFocusable(bool focusable)
{
    focusable_ = focusable;
    setFocusPolicy(focusable ? Qt::ClickFocus : Qt::NoFocus);
}

QRect TdxContainer::BoundArea() const
{
    QRect area = rect().adjusted(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    if (showBoundLines_) {
        area.adjust(boundLines_ & blLeft ? 1 : 0, boundLines_ & blTop ? 1 : 0, boundLines_ & blRight ? -1 : 0,
                    boundLines_ & blBottom ? -1 : 0);
    }
    return area;
}

QRect TdxContainer::ClientArea() const
{
    QRect area = BoundArea();
    area.setLeft(area.left() + glyph_.width());
    return area;
}

void TdxContainer::Realign()
{
    const QRect area = ClientArea();
    setContentsMargins(area.left(), area.top(), width() - 1 - area.right(), height() - 1 - area.bottom());
}

void TdxContainer::paintEvent(QPaintEvent *)
{
    QPainter canvas(this);
    const int w = width();
    const int h = height();
    canvas.fillRect(rect(), Color());
    if (showBoundLines_ && boundLines_ != 0) {
        canvas.setPen(boundColor_);
        if (boundLines_ & blLeft)
            canvas.drawLine(0, 0, 0, h - 2);
        if (boundLines_ & blTop)
            canvas.drawLine(0, 0, w - 1, 0);
        if (boundLines_ & blRight)
            canvas.drawLine(w - 1, 0, w - 1, h - 2);
        if (boundLines_ & blBottom)
            canvas.drawLine(0, h - 1, w - 1, h - 1);
    }
    QRect area = BoundArea();
    emit Paint(area, &canvas);
    if (!glyph_.isNull()) {
        int y = area.top();
        if (glyphLayout_ == TdxGlyphLayout::glBottom)
            y = area.top() + area.height() - glyph_.height();
        else if (glyphLayout_ == TdxGlyphLayout::glCenter)
            y = (area.height() - glyph_.height()) / 2 + 1;
        DrawKeyedBitmap(canvas, area.left(), y, glyph_, TransparentColor::bottomLeft());
        area.setLeft(area.left() + glyph_.width());
    }
    if (showCaption_)
        PaintCaption(canvas, area);
}

void TdxContainer::PaintCaption(QPainter &canvas, QRect rect)
{
    canvas.setFont(font());
    canvas.setPen(palette().color(QPalette::Active, QPalette::WindowText));
    rect.adjust(spacing_, 1, -spacing_, -1);
    const QFontMetrics metrics(font());
    Qt::Alignment align = alignment_;
    if (align != Qt::AlignLeft && metrics.horizontalAdvance(Caption()) > rect.width())
        align = Qt::AlignLeft;
    const int flags = int(align) | Qt::AlignTop | Qt::TextExpandTabs | (wordWrap_ ? Qt::TextWordWrap : 0);
    const QString text = wordWrap_ ? Caption() : metrics.elidedText(Caption(), Qt::ElideRight, rect.width());
    if (layout_ != TdxCaptionLayout::Top) {
        const int free = rect.height() - metrics.boundingRect(rect, flags, text).height();
        rect.setTop(rect.top() + (layout_ == TdxCaptionLayout::Center ? free / 2 : free));
    }
    canvas.drawText(rect, flags, text);
}

void TdxContainer::DoEnabledChanged()
{
    TdxCustomControl::DoEnabledChanged();
    if (enabledMode_ == TdxEnabledMode::emAffectChilds) {
        for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            child->setEnabled(OwnEnabled());
    }
    emit EnabledChanged();
}

void TdxContainer::DoMouseDown()
{
    if (focusable_) {
        TdxCustomControl::DoMouseDown();
        return;
    }
    SetDrawState(dsPressed, true);
    InternalRedraw();
}

} // namespace vek
