#pragma once

#include <QImage>

namespace vek {

// The small pictures of the main window's top-bar buttons, drawn on the magenta that the
// speed button leaves out.
enum class ShellGlyph { Help, Update, Download, HomePage, About, Quit };

QImage ShellGlyphImage(ShellGlyph glyph);

} // namespace vek
