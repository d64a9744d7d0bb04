#include "components/ShellGlyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace vek {
namespace {

constexpr int Size = 18;
const QColor Ink(0x1C, 0x49, 0xB3);

void DrawLetterInCircle(QPainter &painter, const QString &letter, const QColor &fill)
{
    painter.setPen(QPen(Ink, 1));
    painter.setBrush(fill);
    painter.drawEllipse(QRectF(1.5, 1.5, 15, 15));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, Size, Size), Qt::AlignCenter, letter);
}

void DrawUpdate(QPainter &painter)
{
    painter.setPen(QPen(QColor(0x1E, 0x8C, 0x3C), 2.2, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(QRectF(3, 3, 12, 12), 60 * 16, 280 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1E, 0x8C, 0x3C));
    painter.drawPolygon(QPolygonF({QPointF(10, 0.5), QPointF(15.5, 3.5), QPointF(10, 7.5)}));
}

void DrawDownload(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(Ink);
    painter.drawRect(QRectF(7, 1, 4, 7));
    painter.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(15, 8), QPointF(9, 14)}));
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 2));
    painter.drawPolyline(QPolygonF({QPointF(2, 13), QPointF(2, 16), QPointF(16, 16), QPointF(16, 13)}));
}

void DrawHomePage(QPainter &painter)
{
    painter.setPen(QPen(QColor(0x90, 0x30, 0x20), 1));
    painter.setBrush(QColor(0xD8, 0x50, 0x30));
    painter.drawPolygon(QPolygonF({QPointF(1, 9), QPointF(9, 1.5), QPointF(17, 9)}));
    painter.setPen(QPen(Ink, 1));
    painter.setBrush(QColor(0xF0, 0xE6, 0xC8));
    painter.drawRect(QRectF(3.5, 9, 11, 7.5));
    painter.setBrush(Ink);
    painter.drawRect(QRectF(7.5, 11.5, 3, 5));
}

void DrawQuit(QPainter &painter)
{
    painter.setPen(QPen(QColor(0xC0, 0x20, 0x20), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(3, 3.5, 12, 12), 120 * 16, 300 * 16);
    painter.drawLine(QPointF(9, 1.5), QPointF(9, 9));
}

// A green sheet with a white cross: the spreadsheet.
void DrawExcel(QPainter &painter)
{
    painter.setPen(QPen(QColor(0x10, 0x60, 0x30), 1));
    painter.setBrush(QColor(0x1E, 0x8C, 0x3C));
    painter.drawRect(QRectF(1.5, 1.5, 15, 15));
    painter.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(5, 5), QPointF(13, 13));
    painter.drawLine(QPointF(13, 5), QPointF(5, 13));
}

// A sum sign over a bar: amounts put in order again.
void DrawRecalc(QPainter &painter)
{
    painter.setPen(QPen(Ink, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF({QPointF(14, 3), QPointF(4, 3), QPointF(9, 8.5), QPointF(4, 14), QPointF(14, 14)}));
}

// A sheet with an arrow into a gap between two rows: marked rows go elsewhere.
void DrawMove(QPainter &painter)
{
    painter.setPen(QPen(Ink, 1));
    painter.setBrush(QColor(0xF0, 0xE6, 0xC8));
    painter.drawRect(QRectF(7.5, 1.5, 9, 4));
    painter.drawRect(QRectF(7.5, 12.5, 9, 4));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xC0, 0x20, 0x20));
    painter.drawRect(QRectF(1, 7.5, 6, 3));
    painter.drawPolygon(QPolygonF({QPointF(7, 5), QPointF(12, 9), QPointF(7, 13)}));
}

} // namespace

QImage ShellGlyphImage(ShellGlyph glyph)
{
    QImage image(Size, Size, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    QPainter painter(&image);
    // Smooth edges would leave pink fringes where the magenta is left out.
    painter.setRenderHint(QPainter::Antialiasing, false);
    switch (glyph) {
    case ShellGlyph::Help: DrawLetterInCircle(painter, QStringLiteral("?"), QColor(0x2E, 0x6B, 0xD8)); break;
    case ShellGlyph::Update: DrawUpdate(painter); break;
    case ShellGlyph::Download: DrawDownload(painter); break;
    case ShellGlyph::HomePage: DrawHomePage(painter); break;
    case ShellGlyph::About: DrawLetterInCircle(painter, QStringLiteral("i"), QColor(0x1E, 0x8C, 0x3C)); break;
    case ShellGlyph::Quit: DrawQuit(painter); break;
    case ShellGlyph::Excel: DrawExcel(painter); break;
    case ShellGlyph::Recalc: DrawRecalc(painter); break;
    case ShellGlyph::Move: DrawMove(painter); break;
    }
    return image;
}

} // namespace vek
