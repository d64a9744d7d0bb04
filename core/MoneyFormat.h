#pragma once

#include "core/Currency.h"

#include <QString>

namespace vek {

// Money and number texts in the Korean system's format whatever the locale says:
// ',' groups thousands, '.' is the decimal point, '-' leads a negative value, money has no
// decimals and '\' as its currency sign. Halves round away from zero. A text that is not
// a number raises NumberError.
//
// Where the formatted value is wider than width it is returned whole and unpadded: an
// amount is never shown as "0" or with digits cut off.

// text trimmed and read as a fixed-point value, formatted as money ("\1,234,567"); when
// removeSign is 1 the '\' is left out; blanks prepended up to width. An empty text is 0.
QString FormatMoneyText(int removeSign, const QString &text, int width);
// Right-aligned money without the currency sign: FormatMoneyPad(13, 1234567) is
// "    1,234,567".
QString FormatMoneyPad(int width, Currency value);
// text trimmed and read as a number, formatted with two decimals ("1,234.50"), blanks
// prepended up to width; mode 1 then shows no decimals (cut, not rounded), mode 3 one,
// mode 2 both. An empty text is 0.
QString FormatNumberPad(int mode, const QString &text, int width);
QString FormatCurrNumberPad(int mode, int width, Currency value);
// value to decimals places (0-4) as FormatNumberPad rounds it: its 15 significant digits,
// halves away from zero.
Currency RoundNumber(double value, int decimals);
// The digits of a non-negative decimal number, rounded half away from zero to exactly
// `decimals` fraction digits; the whole part loses its leading zeros (empty for zero).
void RoundDecimalDigits(QString &whole, QString &fraction, int decimals);
// The amount of a money text such as "  1,234,567" or "\1,234".
Currency ParseAmount(const QString &text);

} // namespace vek
