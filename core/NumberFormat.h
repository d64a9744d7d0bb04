#pragma once

#include <QString>

namespace vek {

// The value as a number-format pattern writes it, whatever the user's locale ('.' the
// decimal point, ',' the thousands separator): the one routine behind the display formats
// of the datasets (what grids show) and the texts of the currency box.
// - up to three sections separated by ';' for positive, negative and zero values; a
//   negative value without its own section takes the first with a '-' in front, and a
//   value that rounds to zero takes the zero section (or the first), without a sign;
// - '0' a digit always shown, '#' a digit shown when significant, '.' the decimal point
//   (written only when digits follow it), ',' in the integer part groups thousands;
// - text in single or double quotes, and any other character, is written as it stands.
// The value is rounded to the pattern's decimals, halves away from zero, as the shortest
// decimal text that reads back as the value (so 0.15 with "0.0" is "0.2").
// An empty pattern gives the shortest general text of up to 15 significant digits.
// Infinities and NaN are written "INF", "-INF" and "NAN".
QString FormatFloat(const QString &pattern, double value);

// The currency pattern of a locale: ",0." with decimals zeros, the symbol (its ',' and '.'
// quoted) put by position (0 in front, 1 behind, 2 in front and a blank, 3 a blank and
// behind), then P becomes "P;-P".
QString CurrencyPattern(const QString &symbol, int position, int decimals);

} // namespace vek
