#include "components/TextLayers.h"

#include <QPainter>

namespace vek {

QImage TextShape(QSize size, const QFont &font, const QRect &rect, int flags, const QString &text)
{
    QImage shape(size, QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    QPainter painter(&shape);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(rect, flags, text);
    return shape;
}

void DrawTextLayers(QPainter &painter, const QImage &shape, const std::vector<TextLayer> &layers)
{
    for (const TextLayer &layer : layers) {
        if (layer.brush.style() == Qt::NoBrush || layer.opacity <= 0)
            continue;
        QImage copy = shape;
        {
            QPainter tint(&copy);
            tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
            tint.fillRect(copy.rect(), layer.brush);
        }
        painter.save();
        painter.setOpacity(layer.opacity);
        painter.drawImage(layer.offset, copy);
        painter.restore();
    }
}

} // namespace vek
