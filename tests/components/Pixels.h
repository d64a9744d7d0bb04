#pragma once

#include <QImage>
#include <QList>
#include <QPair>
#include <QStringList>

class QWidget;

namespace vek {

// A colour and the character that stands for it in a picture written as rows.
using Legend = QList<QPair<QChar, QRgb>>;

// What widget paints, in 32-bit colour.
QImage Grab(QWidget &widget);
// The pixels of image as rows of characters by legend; '?' for a colour not in it.
QStringList Rows(const QImage &image, const Legend &legend);
// An image from rows of characters by legend.
QImage FromRows(const QStringList &rows, const Legend &legend);

} // namespace vek
