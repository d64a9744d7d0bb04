#pragma once

#include <QImage>

namespace vek {

// The small pictures of the buttons of the main window and the screens, drawn on the
// magenta that the speed button leaves out: help, update, download, home page, about,
// close, the spreadsheet export, the recalculation and the move of marked rows.
enum class ShellGlyph { Help, Update, Download, HomePage, About, Quit, Excel, Recalc, Move };

QImage ShellGlyphImage(ShellGlyph glyph);

} // namespace vek
