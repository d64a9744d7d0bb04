#include "archiver/ShadowedLabel.h"

#include "components/TextLayers.h"

#include <QApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace vek {

TRxLabel::TRxLabel(QWidget *parent) : PaintedLabel(parent), shadowColor_(palette().color(QPalette::Light))
{
    resize(65, 17);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusMoved(now); });
}

void TRxLabel::SetAutoSize(bool on)
{
    autoSize_ = on;
    AdjustBounds();
}

void TRxLabel::SetLayout(TTextLayout layout)
{
    layout_ = layout;
    update();
}

void TRxLabel::SetShadowColor(const QColor &color)
{
    shadowColor_ = color;
    update();
}

void TRxLabel::SetShadowSize(int size)
{
    shadowSize_ = std::clamp(size, 0, 255);
    AdjustBounds();
    update();
}

void TRxLabel::SetShadowPos(TShadowPosition position)
{
    shadowPos_ = position;
    update();
}

void TRxLabel::SetShowFocus(bool on)
{
    showFocus_ = on;
    update();
}

void TRxLabel::SetFocusControl(QWidget *control)
{
    if (focusControl_)
        disconnect(focusControl_, &QObject::destroyed, this, nullptr);
    focusControl_ = control;
    if (control) {
        connect(control, &QObject::destroyed, this, [this] {
            focused_ = false;
            update();
        });
    }
    focusMoved(QApplication::focusWidget());
}

TRxLabel::Shadow TRxLabel::shadow() const
{
    int size = shadowSize_;
    TShadowPosition position = shadowPos_;
    QColor colour = shadowColor_;
    if (!isEnabled()) {
        colour = palette().color(QPalette::Light);
        if (size == 0) {
            size = 1;
            position = spRightBottom;
        }
    }
    static const QPoint directions[] = {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
    return {directions[position] * size, colour};
}

QRect TRxLabel::textRect() const
{
    return rect().adjusted(1, 0, -1, 0);
}

QSize TRxLabel::MeasureText(int width) const
{
    // An empty caption, or a lone accelerator mark, measures as one blank.
    QString text = Caption();
    if (text.isEmpty() || (text == QStringLiteral("&") && ShowAccelChar()))
        text = QStringLiteral(" ");
    const QRect bounds = QFontMetrics(font()).boundingRect(QRect(0, 0, std::max(width, 0), 0), textFlags(), text);
    const int s = std::abs(shadow().offset.x());
    return {bounds.width() + s, bounds.height() + s};
}

void TRxLabel::AdjustBounds()
{
    if (!autoSize_)
        return;
    const QSize measured = MeasureText(textRect().width());
    const int width = measured.width() + 2;
    const bool rightAligned =
        QStyle::visualAlignment(layoutDirection(), Alignment()) & Qt::AlignRight;
    const int left = rightAligned ? geometry().right() + 1 - width : x();
    setGeometry(left, y(), width, measured.height());
}

void TRxLabel::TextChanged()
{
    grabAccelerator();
    AdjustBounds();
}

void TRxLabel::grabAccelerator()
{
    if (accelerator_ != 0)
        releaseShortcut(accelerator_);
    const QKeySequence accelerator = ShowAccelChar() ? QKeySequence::mnemonic(Caption()) : QKeySequence();
    accelerator_ = accelerator.isEmpty() ? 0 : grabShortcut(accelerator);
}

void TRxLabel::paintLabel(QPainter &painter)
{
    if (!isEnabled())
        dragging_ = false;
    fillBackground(painter);
    QRect rect = textRect();
    if (layout_ != tlTop) {
        const int room = height() - (rect.top() + MeasureText(rect.width()).height());
        rect.translate(0, layout_ == tlBottom ? room : room / 2);
    }
    const Shadow cast = shadow();
    const QColor face = isEnabled() ? FontColor() : palette().color(QPalette::Disabled, QPalette::WindowText);
    std::vector<TextLayer> layers;
    if (!cast.offset.isNull())
        layers.push_back({cast.offset, cast.colour});
    layers.push_back({QPoint(), face});
    DrawTextLayers(painter, TextShape(size(), font(), rect, textFlags(), Caption()), layers);
    if (showFocus_ && focused_) {
        painter.setPen(QPen(face, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(-1, 0, 0, -1));
    }
}

bool TRxLabel::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        QWidget *control = focusControl_;
        if (control && isEnabled() && ShowAccelChar() && control->isVisible() && control->isEnabled()
            && control->focusPolicy() != Qt::NoFocus) {
            control->setFocus(Qt::ShortcutFocusReason);
        }
        return true;
    }
    return PaintedLabel::event(event);
}

void TRxLabel::changeEvent(QEvent *event)
{
    PaintedLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AdjustBounds();
    else if (event->type() == QEvent::EnabledChange)
        checkMouseInside();
}

void TRxLabel::showEvent(QShowEvent *event)
{
    PaintedLabel::showEvent(event);
    checkMouseInside();
}

void TRxLabel::focusMoved(QWidget *now)
{
    // Focus that leaves the label's window leaves the window's own focus where it was.
    if (!now || now->window() != window())
        return;
    const bool focused = focusControl_ && now == focusControl_;
    if (focused == focused_)
        return;
    focused_ = focused;
    if (showFocus_)
        update();
}

void TRxLabel::enterEvent(QEnterEvent *event)
{
    PaintedLabel::enterEvent(event);
    if (isEnabled() && QApplication::activeWindow())
        setMouseInside(true);
}

void TRxLabel::leaveEvent(QEvent *event)
{
    PaintedLabel::leaveEvent(event);
    // A press on the label keeps the mouse inside until the button comes up.
    if (!dragging_)
        setMouseInside(false);
}

void TRxLabel::mousePressEvent(QMouseEvent *event)
{
    PaintedLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        dragging_ = isEnabled();
    else if (event->button() == Qt::RightButton)
        checkMouseInside();
}

void TRxLabel::mouseReleaseEvent(QMouseEvent *event)
{
    PaintedLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        const bool wasDragging = std::exchange(dragging_, false);
        if (wasDragging && rect().contains(event->position().toPoint())) {
            const QPointer<TRxLabel> self(this);
            emit Click();
            if (!self)
                return;
        }
    }
    checkMouseInside();
}

void TRxLabel::checkMouseInside()
{
    setMouseInside(isEnabled() && isVisible() && QApplication::activeWindow()
                   && QApplication::widgetAt(QCursor::pos()) == this);
}

void TRxLabel::setMouseInside(bool inside)
{
    if (inside == mouseInside_)
        return;
    mouseInside_ = inside;
    if (inside)
        emit MouseEnter();
    else
        emit MouseLeave();
}

} // namespace vek
