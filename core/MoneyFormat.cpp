#include "core/MoneyFormat.h"

#include "core/Cp949Text.h"
#include "core/TextUtils.h"

#include <cmath>

namespace vek {
namespace {

// A value as decimal digits, so that rounding and grouping work on the digits a person
// reads rather than on the binary value.
struct DecimalDigits {
    bool negative = false;
    QString whole;    // at least one digit
    QString fraction; // any number of digits
};

DecimalDigits digitsOf(Currency value)
{
    const QString text = value.toText();
    DecimalDigits digits;
    digits.negative = text.startsWith(u'-');
    const QString magnitude = digits.negative ? text.mid(1) : text;
    const qsizetype point = magnitude.indexOf(u'.');
    digits.whole = point < 0 ? magnitude : magnitude.left(point);
    digits.fraction = point < 0 ? QString() : magnitude.mid(point + 1);
    return digits;
}

// The double's 15 significant digits, as a number text of the system carries them.
DecimalDigits digitsOf(double value)
{
    if (!std::isfinite(value))
        throw NumberError("not a number: " + std::to_string(value));
    // "d.dddddddddddddde[+-]xx", with '.' whatever the C locale says.
    const QString text = QString::number(std::fabs(value), 'e', 14);
    QString mantissa = text.left(16).remove(u'.');
    const int exponent = text.mid(17).toInt();
    DecimalDigits digits;
    digits.negative = value < 0;
    if (exponent >= 0) {
        if (mantissa.size() <= exponent + 1)
            mantissa += QString(exponent + 1 - mantissa.size(), u'0');
        digits.whole = mantissa.left(exponent + 1);
        digits.fraction = mantissa.mid(exponent + 1);
    } else {
        digits.whole = QStringLiteral("0");
        digits.fraction = QString(-exponent - 1, u'0') + mantissa;
    }
    return digits;
}

// Rounds half away from zero to `decimals` places and writes the digits with ',' between
// thousands; a value that rounds to zero has no sign.
QString formatGrouped(DecimalDigits digits, int decimals)
{
    QString whole = digits.whole;
    QString fraction = digits.fraction;
    RoundDecimalDigits(whole, fraction, decimals);
    const bool zero = whole.isEmpty() && fraction.count(u'0') == fraction.size();
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
        whole.insert(at, u',');

    const QString text = decimals > 0 ? whole + u'.' + fraction : whole;
    return digits.negative && !zero ? u'-' + text : text;
}

QString padToWidth(const QString &text, int width)
{
    return RepeatChar(u' ', width - Cp949Width(text)) + text;
}

double readNumber(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw NumberError("not a number: \"" + text.toStdString() + '"');
    return value;
}

} // namespace

QString FormatMoneyText(int removeSign, const QString &text, int width)
{
    const QString trimmed = TrimText(text);
    const Currency value = trimmed.isEmpty() ? Currency() : Currency::fromText(trimmed);
    QString money = formatGrouped(digitsOf(value), 0);
    if (removeSign != 1)
        money.insert(money.startsWith(u'-') ? 1 : 0, u'\\');
    return padToWidth(money, width);
}

QString FormatMoneyPad(int width, Currency value)
{
    return FormatMoneyText(1, value.toText(), width);
}

QString FormatNumberPad(int mode, const QString &text, int width)
{
    const QString trimmed = TrimText(text);
    const double value = trimmed.isEmpty() ? 0.0 : readNumber(trimmed);
    const QString number = formatGrouped(digitsOf(value), 2);
    // Modes 1 and 3 cut the last decimals off; what is left is right-aligned in the
    // width that remains.
    const int cut = mode == 1 ? 3 : mode == 3 ? 1 : 0;
    return padToWidth(number.left(number.size() - cut), width - cut);
}

QString FormatCurrNumberPad(int mode, int width, Currency value)
{
    return FormatNumberPad(mode, value.toText(), width);
}

Currency RoundNumber(double value, int decimals)
{
    return ParseAmount(formatGrouped(digitsOf(value), decimals));
}

void RoundDecimalDigits(QString &whole, QString &fraction, int decimals)
{
    const bool roundUp = fraction.size() > decimals && fraction[decimals] >= u'5';
    QString digits = whole + fraction.left(decimals).leftJustified(decimals, u'0');
    if (roundUp) {
        qsizetype i = digits.size() - 1;
        for (; i >= 0 && digits[i] == u'9'; --i)
            digits[i] = u'0';
        if (i < 0)
            digits.prepend(u'1');
        else
            digits[i] = QChar(digits[i].unicode() + 1);
    }
    whole = digits.left(digits.size() - decimals);
    fraction = digits.right(decimals);
    while (whole.startsWith(u'0'))
        whole.remove(0, 1);
}

Currency ParseAmount(const QString &text)
{
    return Currency::fromText(StripAmountText(text));
}

} // namespace vek
