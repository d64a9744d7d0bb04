#include "components/PaintedLabel.h"

#include <QImage>
#include <QPainter>

namespace vek {

PaintedLabel::PaintedLabel(QWidget *parent) : QWidget(parent), fontColor_(palette().color(QPalette::WindowText))
{
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent_);
}

void PaintedLabel::SetCaption(const QString &caption)
{
    if (caption_ == caption)
        return;
    caption_ = caption;
    TextChanged();
    update();
}

QColor PaintedLabel::Color() const
{
    // A parent's colour reaches the label through the palette it passes on.
    return color_.value_or(palette().color(QPalette::Window));
}

void PaintedLabel::SetColor(const QColor &color)
{
    color_ = color;
    update();
}

void PaintedLabel::SetParentColor(bool on)
{
    if (on)
        color_.reset();
    else
        color_ = Color();
    update();
}

void PaintedLabel::SetFontColor(const QColor &color)
{
    fontColor_ = color;
    update();
}

void PaintedLabel::SetAlignment(Qt::Alignment horizontal)
{
    alignment_ = horizontal & Qt::AlignHorizontal_Mask;
    update();
}

void PaintedLabel::SetWordWrap(bool on)
{
    wordWrap_ = on;
    TextChanged();
    update();
}

void PaintedLabel::SetTransparent(bool on)
{
    transparent_ = on;
    setAttribute(Qt::WA_OpaquePaintEvent, !on);
    update();
}

void PaintedLabel::SetShowAccelChar(bool on)
{
    showAccelChar_ = on;
    TextChanged();
    update();
}

int PaintedLabel::textFlags() const
{
    int flags = int(alignment_) | Qt::AlignTop | Qt::TextExpandTabs;
    if (wordWrap_)
        flags |= Qt::TextWordWrap;
    if (showAccelChar_)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

void PaintedLabel::fillBackground(QPainter &painter) const
{
    if (!transparent_)
        painter.fillRect(rect(), Color());
}

void PaintedLabel::paintEvent(QPaintEvent *)
{
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(font());
        paintLabel(painter);
    }
    QPainter(this).drawImage(0, 0, image);
}

} // namespace vek
