#pragma once

#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

namespace vek {

// Shared drawing and text routines of the controls: cell text, bitmaps with one
// transparent colour, texts shortened to a width, and small string and word helpers.

enum class CellHAlign { Left, Right, Center };
enum class CellVAlign { Top, Center, Bottom };

// Draws text into cell on the painter's brush, with its font and pen: left offset
// (grids pass 2) for left alignment, 3 pixels from the right for right alignment,
// and the vertical offsets grids use (top 2, centred at least 1, bottom at least 2).
void PaintCellText(QPainter &canvas, const QRect &cell, int leftOffset, CellHAlign hAlign, CellVAlign vAlign,
                   bool wordWrap, bool rightToLeft, const QString &text);

// The colour a keyed bitmap leaves out: none (plain copy), the colour of the bitmap's
// bottom-left pixel, or a given colour. A monochrome bitmap always leaves out white.
struct TransparentColor {
    enum Kind { None, BottomLeft, Given };
    Kind kind = BottomLeft;
    QRgb rgb = 0;

    static TransparentColor none() { return {None, 0}; }
    static TransparentColor bottomLeft() { return {BottomLeft, 0}; }
    static TransparentColor given(QRgb rgb) { return {Given, rgb}; }
};

// Draws bitmap unscaled at (x, y), leaving the pixels of the transparent colour untouched.
void DrawKeyedBitmap(QPainter &canvas, int x, int y, const QImage &bitmap, TransparentColor transparent);
// As DrawKeyedBitmap, scaled: a destination width or height below 1 means the bitmap's
// own, a source width or height below 1 the whole bitmap. Colours are scaled smoothly,
// the transparent area by nearest pixel, so that its edge stays sharp.
void StretchKeyedBitmap(QPainter &canvas, const QImage &bitmap, TransparentColor transparent, int x, int y,
                        int width, int height, int sourceX, int sourceY, int sourceWidth, int sourceHeight);

// The toolkit's focus rectangle: a dotted frame one pixel wide along the inside of rect,
// every other pixel inverted (a checkerboard from the device's origin), so that drawing
// it twice takes it away.
void DrawFocusRect(QPainter &canvas, const QRect &rect);

// The toolkit's flat arrow box of a scroll bar: rect in the button face colour with a
// black arrow in its middle, pointing right or left.
void PaintArrowBox(QPainter &canvas, const QRect &rect, bool pointsRight);

// text when it fits maxWidth pixels; else its start followed by "...", shortened a whole
// character at a time (a Korean letter, a surrogate pair or a letter with its combining
// marks is never cut); "..." alone when nothing else fits.
QString FitTextWidth(const QString &text, const QFontMetrics &metrics, int maxWidth);

// Every occurrence of search replaced, left to right, never rescanning inserted text.
QString ReplaceEvery(const QString &text, const QString &search, const QString &replacement);
// text without any occurrence of ch.
QString RemoveCharAll(const QString &text, QChar ch);
// text without leading and trailing blanks (only ' ' counts).
QString TrimBlanks(const QString &text);
// ch repeated count times; empty for a count of 0 or less.
QString MakeStr(QChar ch, int count);

// A word is a maximal run of characters outside delimiters. WordStartOf gives the 1-based
// position of the first character of word n (0 when there are fewer words); WordOf the
// word itself (empty when there is none).
int WordStartOf(int n, const QString &text, const QString &delimiters);
QString WordOf(int n, const QString &text, const QString &delimiters);

} // namespace vek
