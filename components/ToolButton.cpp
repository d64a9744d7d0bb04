#include "components/ToolButton.h"

#include "components/DrawingRoutines.h"

#include <QPainter>

namespace vek {
namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);
const QRgb DisabledInk = qRgb(128, 128, 128);
// The OfficeXP look (written blue-first by the toolkit: 6697728, 13408665, 14073525).
const QRgb OfficeOutline = qRgb(0x00, 0x33, 0x66);
const QRgb OfficePressed = qRgb(0x99, 0x99, 0xCC);
const QRgb OfficeHot = qRgb(0xB5, 0xBE, 0xD6);

// Rows from the top: '#' the shape, '.' the background.
QStringList PictureRows(TdxToolType type)
{
    switch (type) {
    case TdxToolType::ttArrowLeft:
        return {"....##...", "...###...", "..#######", ".########", "#########",
                ".########", "..#######", "...###...", "....##..."};
    case TdxToolType::ttArrowRight:
        return {"...##....", "...###...", "#######..", "########.", "#########",
                "########.", "#######..", "...###...", "...##...."};
    case TdxToolType::ttClose:
        return {"..........", ".##....##.", "..##..##..", "...####...", "....##....",
                "...####...", "..##..##..", ".##....##.", ".........."};
    case TdxToolType::ttMaximize:
        return {"..........", ".########.", ".#......#.", ".#......#.", ".#......#.",
                ".#......#.", ".#......#.", ".########.", ".........."};
    case TdxToolType::ttMinimize:
        return {"..........", "..........", "..........", "..........", "..........",
                "..........", ".########.", ".########.", ".........."};
    case TdxToolType::ttPopup:
        return {"#######", ".#####.", "..###..", "...#..."};
    case TdxToolType::ttRestore:
        return {"..........", ".########.", ".#..#...#.", ".#..#...#.", ".#..#####.",
                ".#......#.", ".#......#.", ".########.", ".........."};
    }
    return {};
}

// Left and top edges in the first colour, right and bottom in the second.
void DrawFrame(QPainter &canvas, QRgb first, QRgb second)
{
    const int last = TdxToolButton::Size - 1;
    canvas.setPen(QColor(first));
    canvas.drawLine(0, last, 0, 0);
    canvas.drawLine(0, 0, last - 1, 0);
    canvas.setPen(QColor(second));
    canvas.drawLine(last, 1, last, last);
    canvas.drawLine(last, last, 1, last);
}

} // namespace

TdxToolButton::TdxToolButton(QWidget *parent) : TdxCustomStyleControl(parent)
{
    setFixedSize(Size, Size);
}

void TdxToolButton::SetToolType(TdxToolType type)
{
    if (toolType_ == type)
        return;
    toolType_ = type;
    InternalRedraw();
}

void TdxToolButton::SetColor(const QColor &color)
{
    if (color_ == color)
        return;
    color_ = color;
    InternalRedraw();
}

QImage TdxToolButton::Picture(TdxToolType type, QRgb ink)
{
    const QStringList rows = PictureRows(type);
    // The background is the complement of the ink, so that no ink is ever left out with it.
    const QRgb background = qRgb(255 - qRed(ink), 255 - qGreen(ink), 255 - qBlue(ink));
    QImage picture(int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, rows[y][x] == u'#' ? ink : background);
    }
    return picture;
}

void TdxToolButton::paintEvent(QPaintEvent *)
{
    QPainter canvas(this);
    const QWidget *parent = parentWidget();
    canvas.fillRect(rect(), parent ? parent->palette().color(QPalette::Active, parent->backgroundRole())
                                   : palette().color(QPalette::Active, QPalette::Window));
    const bool xp = EffectiveTheme() == TdxTheme::WindowsXP;
    const bool hot = IsHot();
    const bool pressed = IsPressed();

    if (xp && pressed && !hot)
        DrawFrame(canvas, White, Black);
    if (hot && xp)
        DrawFrame(canvas, pressed ? Black : White, pressed ? White : Black);
    if (hot && !xp) {
        canvas.setPen(QColor(OfficeOutline));
        canvas.drawRect(0, 0, Size - 1, Size - 1);
        canvas.fillRect(rect().adjusted(1, 1, -1, -1), QColor(pressed ? OfficePressed : OfficeHot));
    }

    QRgb ink = color_.rgb();
    if (pressed && hot)
        ink = White;
    else if (!OwnEnabled())
        ink = DisabledInk;
    const QImage picture = Picture(toolType_, ink);
    const int shift = xp && pressed ? 1 : 0;
    DrawKeyedBitmap(canvas, (Size - picture.width()) / 2 + shift, (Size - picture.height()) / 2 + shift, picture,
                    TransparentColor::bottomLeft());
}

} // namespace vek
