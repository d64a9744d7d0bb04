#pragma once

#include <QBrush>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

class QFont;
class QPainter;

namespace vek {

// One copy of a caption: where it stands and how it is coloured. A see-through copy has
// an opacity below 1 (black at one half halves the colours beneath it).
struct TextLayer {
    QPoint offset;
    QBrush brush;
    qreal opacity = 1.0;
};

// The shape of text as drawn with the Qt::TextFlag / Qt::AlignmentFlag flags into rect,
// as coverage in the alpha channel of an image of the given size. Every copy of a caption
// is this one shape, so copies differ only in where they stand and in their colour.
QImage TextShape(QSize size, const QFont &font, const QRect &rect, int flags, const QString &text);

// Draws shape once per layer, in order (farthest copy first, the face last).
void DrawTextLayers(QPainter &painter, const QImage &shape, const std::vector<TextLayer> &layers);

} // namespace vek
