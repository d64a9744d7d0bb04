#pragma once

#include <QImage>

namespace vek {

// The small pictures of the buttons of the main window and the list screens, drawn on the
// magenta that the speed button leaves out: the top bar's, the tool bands' export and
// recalculation, and the move of marked rows.
enum class ShellGlyph { Help, Update, Download, HomePage, About, Quit, Excel, Recalc, Move };

QImage ShellGlyphImage(ShellGlyph glyph);

} // namespace vek
