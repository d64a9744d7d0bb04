#include "components/ShadowLabel.h"

#include <QPainter>

namespace vek {

TSdLabel::TSdLabel(QWidget *parent) : PaintedLabel(parent), shadowColor_(palette().color(QPalette::Dark))
{
    QFont systemFont = font();
    systemFont.setFamily(QStringLiteral("System"));
    setFont(systemFont);
}

void TSdLabel::SetShadowColor(const QColor &color)
{
    shadowColor_ = color;
    update();
}

void TSdLabel::SetShadowDepth(int depth)
{
    shadowDepth_ = depth;
    update();
}

void TSdLabel::SetShadowDirection(TShadowDirection direction)
{
    shadowDirection_ = direction;
    update();
}

std::vector<TextLayer> TSdLabel::Layers() const
{
    const int d = shadowDepth_;
    QPoint shadow, text;
    switch (shadowDirection_) {
    case sdUpLeft: text = {d, d}; break;
    case sdUpRight: text = {0, d}; shadow = {d, 0}; break;
    case sdDnLeft: shadow = {0, d}; text = {d, 0}; break;
    case sdDnRight: shadow = {d, d}; break;
    }
    const QColor face = isEnabled() ? FontColor() : palette().color(QPalette::Disabled, QPalette::WindowText);
    return {{shadow, shadowColor_}, {text, face}};
}

void TSdLabel::paintLabel(QPainter &painter)
{
    fillBackground(painter);
    DrawTextLayers(painter, TextShape(size(), font(), rect(), textFlags(), Caption()), Layers());
}

} // namespace vek
