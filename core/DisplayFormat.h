#pragma once

#include <QString>

namespace vek {

// A number as a dataset's display format shows it ("##,###,###,###", "###,###,###.#"):
// '0' a digit always shown, '#' a digit shown only when significant, ',' anywhere in the
// whole part groups thousands, '.' the decimal point; rounded to the decimals the format
// has, halves away from zero. A value that shows no digit at all ("#,###" for 0) is
// empty. ',' and '.' are the Korean system's, whatever the locale.
QString FormatFloatPattern(double value, const QString &format);

} // namespace vek
