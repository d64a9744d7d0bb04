#include "tests/components/Pixels.h"

#include <QPixmap>
#include <QWidget>

namespace vek {

QImage Grab(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QStringList Rows(const QImage &image, const Legend &legend)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            QChar c = u'?';
            for (const auto &[ch, rgb] : legend) {
                if ((image.pixel(x, y) & RGB_MASK) == (rgb & RGB_MASK))
                    c = ch;
            }
            row += c;
        }
        rows << row;
    }
    return rows;
}

QImage FromRows(const QStringList &rows, const Legend &legend)
{
    QImage image(int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            for (const auto &[ch, rgb] : legend) {
                if (rows[y][x] == ch)
                    image.setPixel(x, y, rgb);
            }
        }
    }
    return image;
}

} // namespace vek
