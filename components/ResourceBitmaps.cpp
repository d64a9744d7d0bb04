#include "components/ResourceBitmaps.h"

#include <QHash>
#include <QPainter>

#include <functional>

namespace vek {

namespace {

QImage Canvas(int width, int height, QRgb key)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(key);
    return image;
}

QImage SelectionMark(bool arrow)
{
    QImage image = Canvas(8, 8, MarkKey);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    if (arrow) {
        const QPoint points[3] = {{1, 0}, {5, 4}, {1, 8}};
        painter.drawPolygon(points, 3);
    } else {
        painter.drawRect(2, 2, 3, 3);
    }
    return image;
}

// A field glyph: a framed 16 x 12 picture with its own inner drawing.
QImage FieldGlyph(const std::function<void(QPainter &)> &inner)
{
    QImage image = Canvas(16, 12, GlyphKey);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(0, 0, 15, 11);
    inner(painter);
    return image;
}

QImage SortMarker(bool down)
{
    QImage image = Canvas(9, 5, MarkerKey);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x80, 0x80, 0x80));
    const QPoint downward[3] = {{0, 0}, {9, 0}, {4, 5}};
    const QPoint upward[3] = {{0, 5}, {9, 5}, {4, 0}};
    painter.drawPolygon(down ? downward : upward, 3);
    return image;
}

// A 13 x 13 check box picture: a sunken white box, with a tick (checked) or a grey tick
// on grey (grayed).
QImage CheckPicture(int state)
{
    QImage image = Canvas(13, 13, GlyphKey);
    QPainter painter(&image);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(state == 2 ? QColor(0xc0, 0xc0, 0xc0) : QColor(Qt::white));
    painter.drawRect(0, 0, 11, 11);
    painter.setPen(Qt::black);
    painter.drawLine(1, 1, 10, 1);
    painter.drawLine(1, 1, 1, 10);
    painter.setPen(Qt::white);
    painter.drawLine(0, 12, 12, 12);
    painter.drawLine(12, 0, 12, 12);
    if (state != 0) {
        painter.setPen(QPen(state == 1 ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80), 2));
        const QPoint tick[3] = {{3, 6}, {5, 8}, {9, 3}};
        painter.drawPolyline(tick, 3);
    }
    return image;
}

QImage Draw(const QString &name)
{
    if (name == "DBG_MSDOT" || name == "DBG_MSARROW")
        return SelectionMark(name == "DBG_MSARROW");
    if (name == "DBG_SMDOWN" || name == "DBG_SMUP")
        return SortMarker(name == "DBG_SMDOWN");
    if (name == "CHECKED")
        return CheckPicture(1);
    if (name == "GRAYED")
        return CheckPicture(2);
    if (name == "UNCHECKED")
        return CheckPicture(0);
    if (name == "DBG_BLOB")
        return FieldGlyph([](QPainter &p) {
            for (int x = 3; x < 13; x += 3)
                p.drawLine(x, 3, x, 8);
        });
    if (name == "DBG_MEMO")
        return FieldGlyph([](QPainter &p) {
            for (int y = 3; y < 10; y += 2)
                p.drawLine(3, y, y == 9 ? 8 : 12, y);
        });
    if (name == "DBG_PICT")
        return FieldGlyph([](QPainter &p) {
            const QPoint hill[3] = {{2, 9}, {7, 3}, {13, 9}};
            p.setBrush(QColor(0, 0x80, 0));
            p.drawPolygon(hill, 3);
        });
    if (name == "DBG_OLE" || name == "DBG_OBJECT")
        return FieldGlyph([](QPainter &p) {
            p.drawRect(3, 3, 5, 4);
            p.drawRect(7, 5, 5, 4);
        });
    if (name == "DBG_DATA")
        return FieldGlyph([](QPainter &p) {
            p.drawLine(1, 5, 14, 5);
            p.drawLine(7, 1, 7, 10);
        });
    if (name == "DBG_NOTEMPTY")
        return FieldGlyph([](QPainter &p) { p.fillRect(5, 4, 6, 4, Qt::black); });
    return QImage();
}

} // namespace

QImage ResourceBitmap(const QString &name)
{
    static QHash<QString, QImage> drawn;
    auto found = drawn.constFind(name);
    if (found != drawn.constEnd())
        return found.value();
    return drawn.insert(name, Draw(name)).value();
}

} // namespace vek
