#include "components/ArrowButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace vek {

namespace {

// Per direction: the corners as (fraction, offset) pairs of width and height, and the
// insets of the filled triangle. A fraction of 1 means the far edge, 2 the middle.
struct CornerRule {
    int x, dx, y, dy;
};
struct DirectionRule {
    CornerRule corners[3];
    QPoint insets[3];
};

constexpr DirectionRule Rules[4] = {
    // arwUP
    {{{2, 0, 0, 3}, {1, -3, 1, -3}, {0, 3, 1, -3}}, {{0, 3}, {-4, -2}, {3, -2}}},
    // arwRIGHT
    {{{0, 3, 0, 3}, {1, -3, 2, 0}, {0, 3, 1, -3}}, {{2, 3}, {-3, 0}, {2, -3}}},
    // arwLEFT
    {{{1, -3, 0, 3}, {1, -3, 1, -3}, {0, 3, 2, 0}}, {{-2, 3}, {-2, -2}, {3, 0}}},
    // arwDOWN
    {{{1, -3, 0, 3}, {2, 0, 1, -3}, {0, 3, 0, 3}}, {{-3, 2}, {0, -3}, {2, 2}}},
};

int Place(int size, int fraction, int offset)
{
    const int base = fraction == 0 ? 0 : fraction == 1 ? size : size / 2;
    return base + offset;
}

} // namespace

TArrowButton::TArrowButton(QWidget *parent) : QWidget(parent)
{
    resize(33, 33);
    setFocusPolicy(Qt::NoFocus);
}

void TArrowButton::SetDirection(TArrowDirection direction)
{
    direction_ = direction;
    update();
}

void TArrowButton::SetButtonColor(const QColor &color)
{
    buttonColor_ = color;
    update();
}

QPolygon TArrowButton::Corners() const
{
    QPolygon corners;
    for (const CornerRule &c : Rules[direction_].corners)
        corners << QPoint(Place(width(), c.x, c.dx), Place(height(), c.y, c.dy));
    return corners;
}

QPolygon TArrowButton::InsetCorners() const
{
    QPolygon corners = Corners();
    for (int i = 0; i < 3; ++i)
        corners[i] += Rules[direction_].insets[i];
    return corners;
}

void TArrowButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The outer triangle framed 2 pixels wide inside its region.
    QPainterPath outer;
    outer.addPolygon(Corners());
    outer.closeSubpath();
    painter.setClipRegion(QRegion(Corners()));
    painter.setPen(QPen(Qt::black, 4));
    painter.drawPath(outer);
    painter.setClipping(false);

    const QPolygon inner = InsetCorners();
    painter.setPen(Qt::black);
    painter.setBrush(buttonColor_);
    painter.drawPolygon(inner);
    const QColor shade = pressed_ ? buttonColor_ : QColor(Qt::black);
    painter.setPen(shade);
    painter.drawLine(inner[0], inner[1]);
    painter.drawLine(inner[1], inner[2]);
    painter.setPen(pressed_ ? QColor(Qt::black) : QColor(Qt::white));
    painter.drawLine(inner[0], inner[2]);
}

void TArrowButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !QRegion(Corners()).contains(event->position().toPoint()))
        return;
    pressed_ = true;
    update();
}

void TArrowButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    update();
    if (rect().contains(event->position().toPoint()))
        emit Click();
}

} // namespace vek
