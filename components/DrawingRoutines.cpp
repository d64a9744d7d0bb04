#include "components/DrawingRoutines.h"

#include <QPainter>
#include <QPalette>
#include <QTextBoundaryFinder>
#include <QTextOption>

#include <algorithm>

namespace vek {
namespace {

int CellTextTop(CellVAlign vAlign, int cellHeight, int lineHeight)
{
    switch (vAlign) {
    case CellVAlign::Top: return 2;
    case CellVAlign::Center: return std::max(1, (cellHeight - lineHeight) / 2);
    case CellVAlign::Bottom: return std::max(2, cellHeight - lineHeight);
    }
    return 2;
}

CellHAlign Mirrored(CellHAlign align)
{
    switch (align) {
    case CellHAlign::Left: return CellHAlign::Right;
    case CellHAlign::Right: return CellHAlign::Left;
    case CellHAlign::Center: return CellHAlign::Center;
    }
    return align;
}

Qt::Alignment QtAlignment(CellHAlign align)
{
    switch (align) {
    case CellHAlign::Left: return Qt::AlignLeft;
    case CellHAlign::Right: return Qt::AlignRight;
    case CellHAlign::Center: return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

// Draws text into rect by visual (never mirrored) alignment, in the reading order asked.
// Tabs stand every 8 average character widths, as the toolkit expands them.
void DrawTextIn(QPainter &canvas, const QRectF &rect, CellHAlign align, bool wordWrap, bool rightToLeft,
                const QString &text)
{
    QTextOption option(QtAlignment(align) | Qt::AlignTop | Qt::AlignAbsolute);
    option.setWrapMode(wordWrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setTabStopDistance(8 * QFontMetrics(canvas.font()).averageCharWidth());
    canvas.drawText(rect, text, option);
}

// Bitmap in 32-bit colour with every pixel of the transparent colour made fully transparent.
QImage KeyedCopy(const QImage &bitmap, TransparentColor transparent)
{
    const bool monochrome = bitmap.depth() == 1;
    QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
    if (transparent.kind == TransparentColor::None || image.isNull())
        return image;
    QRgb key = transparent.rgb;
    if (monochrome)
        key = qRgb(255, 255, 255);
    else if (transparent.kind == TransparentColor::BottomLeft)
        key = image.pixel(0, image.height() - 1);
    key &= RGB_MASK;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & RGB_MASK) == key)
                line[x] = 0;
        }
    }
    return image;
}

} // namespace

void PaintCellText(QPainter &canvas, const QRect &cell, int leftOffset, CellHAlign hAlign, CellVAlign vAlign,
                   bool wordWrap, bool rightToLeft, const QString &text)
{
    const QFontMetrics metrics(canvas.font());
    const int top = CellTextTop(vAlign, cell.height(), metrics.height());
    const bool canvasMirrored = canvas.layoutDirection() == Qt::RightToLeft;

    canvas.save();
    canvas.setClipRect(cell, Qt::IntersectClip);
    if (canvas.brush().style() != Qt::NoBrush)
        canvas.fillRect(cell, canvas.brush());
    if (wordWrap || text.contains(u'\r')) {
        // Several lines: laid out in the cell less one pixel right and bottom.
        QString lines = text;
        lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        const QRect area(cell.left() + leftOffset, cell.top() + top, cell.width() - 1 - leftOffset,
                         cell.height() - 1 - top);
        DrawTextIn(canvas, area, canvasMirrored ? Mirrored(hAlign) : hAlign, wordWrap, rightToLeft, lines);
    } else {
        const CellHAlign align = canvasMirrored && !rightToLeft ? Mirrored(hAlign) : hAlign;
        const int width = metrics.horizontalAdvance(text);
        int x = cell.left() + leftOffset;
        if (align == CellHAlign::Right)
            x = cell.left() + cell.width() - width - 3;
        else if (align == CellHAlign::Center)
            x = cell.left() + cell.width() / 2 - width / 2;
        DrawTextIn(canvas, QRectF(x, cell.top() + top, width + 1, metrics.height()), CellHAlign::Left, false,
                   rightToLeft, text);
    }
    canvas.restore();
}

void DrawKeyedBitmap(QPainter &canvas, int x, int y, const QImage &bitmap, TransparentColor transparent)
{
    StretchKeyedBitmap(canvas, bitmap, transparent, x, y, 0, 0, 0, 0, 0, 0);
}

void StretchKeyedBitmap(QPainter &canvas, const QImage &bitmap, TransparentColor transparent, int x, int y,
                        int width, int height, int sourceX, int sourceY, int sourceWidth, int sourceHeight)
{
    if (bitmap.isNull())
        return;
    if (sourceWidth < 1)
        sourceWidth = bitmap.width();
    if (sourceHeight < 1)
        sourceHeight = bitmap.height();
    if (width < 1)
        width = bitmap.width();
    if (height < 1)
        height = bitmap.height();

    const QImage keyed = KeyedCopy(bitmap, transparent).copy(sourceX, sourceY, sourceWidth, sourceHeight);
    QImage drawn = keyed;
    if (width != sourceWidth || height != sourceHeight) {
        const bool smooth = bitmap.depth() > 1;
        drawn = keyed.scaled(width, height, Qt::IgnoreAspectRatio,
                             smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
        if (smooth && transparent.kind != TransparentColor::None) {
            // The mask is scaled by nearest pixel: the colours blend, the transparent edge does not.
            const QImage mask = keyed.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            drawn = drawn.convertToFormat(QImage::Format_ARGB32);
            for (int row = 0; row < height; ++row) {
                auto *line = reinterpret_cast<QRgb *>(drawn.scanLine(row));
                const auto *maskLine = reinterpret_cast<const QRgb *>(mask.constScanLine(row));
                for (int column = 0; column < width; ++column)
                    line[column] = qAlpha(maskLine[column]) == 0 ? 0 : (line[column] | 0xff000000u);
            }
        }
    }
    canvas.save();
    canvas.setCompositionMode(transparent.kind == TransparentColor::None ? QPainter::CompositionMode_Source
                                                                         : QPainter::CompositionMode_SourceOver);
    canvas.drawImage(x, y, drawn);
    canvas.restore();
}

void DrawFocusRect(QPainter &canvas, const QRect &rect)
{
    if (rect.width() < 1 || rect.height() < 1)
        return;
    canvas.save();
    canvas.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(Qt::white);
    // The pixels of a checkerboard laid from the device's origin, as a pattern brush lies.
    const auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0)
            canvas.drawRect(x, y, 1, 1);
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        dot(x, rect.top());
        if (rect.height() > 1)
            dot(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        dot(rect.left(), y);
        if (rect.width() > 1)
            dot(rect.right(), y);
    }
    canvas.restore();
}

void PaintArrowBox(QPainter &canvas, const QRect &rect, bool pointsRight)
{
    canvas.save();
    canvas.fillRect(rect, QPalette().color(QPalette::Button));
    // A solid triangle half as high as the box's smaller side, its tip toward the side.
    const int half = std::max(1, std::min(rect.width(), rect.height()) / 4);
    const QPoint centre = rect.center();
    const int tip = pointsRight ? centre.x() + half / 2 + 1 : centre.x() - half / 2;
    const int base = pointsRight ? tip - half : tip + half;
    const QPoint arrow[3] = {{base, centre.y() - half}, {tip, centre.y()}, {base, centre.y() + half}};
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(Qt::black);
    canvas.drawPolygon(arrow, 3);
    canvas.restore();
}

QString FitTextWidth(const QString &text, const QFontMetrics &metrics, int maxWidth)
{
    if (metrics.horizontalAdvance(text) <= maxWidth)
        return text;
    // Ends of the whole characters (grapheme clusters) of text, in order.
    QList<qsizetype> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    while (finder.toNextBoundary() > 0)
        ends.append(finder.position());
    const QString ellipsis = QStringLiteral("...");
    const qsizetype count = ends.size();
    QString result = text;
    for (qsizetype i = 1; i <= count && metrics.horizontalAdvance(result) > maxWidth; ++i) {
        const qsizetype keep = count - i - 1;
        result = (keep > 0 ? text.left(ends[keep - 1]) : QString()) + ellipsis;
    }
    return result;
}

QString ReplaceEvery(const QString &text, const QString &search, const QString &replacement)
{
    if (search.isEmpty())
        return text;
    QString result;
    qsizetype from = 0;
    for (qsizetype found; (found = text.indexOf(search, from)) >= 0; from = found + search.size())
        result.append(QStringView(text).mid(from, found - from)).append(replacement);
    return result.append(QStringView(text).mid(from));
}

QString RemoveCharAll(const QString &text, QChar ch)
{
    QString result = text;
    return result.remove(ch);
}

QString TrimBlanks(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}

QString MakeStr(QChar ch, int count)
{
    return count > 0 ? QString(count, ch) : QString();
}

int WordStartOf(int n, const QString &text, const QString &delimiters)
{
    int word = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool starts = !delimiters.contains(text[i]) && (i == 0 || delimiters.contains(text[i - 1]));
        if (starts && ++word == n)
            return int(i) + 1;
    }
    return 0;
}

QString WordOf(int n, const QString &text, const QString &delimiters)
{
    const int start = WordStartOf(n, text, delimiters);
    if (start == 0)
        return QString();
    qsizetype end = start - 1;
    while (end < text.size() && !delimiters.contains(text[end]))
        ++end;
    return text.mid(start - 1, end - (start - 1));
}

} // namespace vek
