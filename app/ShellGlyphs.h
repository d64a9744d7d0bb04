#pragma once

#include <QImage>

namespace vek {

// The small pictures of the main window's buttons, drawn on the magenta that the speed
// button leaves out: the top bar's, and the tool band's export and recalculation.
enum class ShellGlyph { Help, Update, Download, HomePage, About, Quit, Excel, Recalc };

QImage ShellGlyphImage(ShellGlyph glyph);

} // namespace vek
