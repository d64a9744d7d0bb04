#pragma once

#include <QImage>
#include <QString>

namespace vek {

// The named bitmaps of the grids and the check box, drawn once on first use and shared:
// "DBG_MSDOT", "DBG_MSARROW" (selection marks on white), the field glyphs "DBG_BLOB",
// "DBG_MEMO", "DBG_PICT", "DBG_OLE", "DBG_OBJECT", "DBG_DATA", "DBG_NOTEMPTY" (on olive),
// the sort markers "DBG_SMDOWN", "DBG_SMUP" (on magenta), and the check box pictures
// "CHECKED", "GRAYED", "UNCHECKED" (on olive, their bottom-left colour). A null image
// for any other name.
QImage ResourceBitmap(const QString &name);

// The transparent colours of the bitmaps above.
constexpr QRgb GlyphKey = 0xff808000;  // olive
constexpr QRgb MarkerKey = 0xffff00ff; // magenta
constexpr QRgb MarkKey = 0xffffffff;   // white

} // namespace vek
