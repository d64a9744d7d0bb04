#include "core/DisplayFormat.h"

#include <QRegularExpression>

#include <cmath>

namespace vek {

QString FormatFloatPattern(double value, const QString &format)
{
    const int point = format.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? format : format.left(point);
    const QString fraction = point < 0 ? QString() : format.mid(point + 1);
    const bool grouped = whole.contains(QLatin1Char(','));
    const int minWhole = int(whole.count(QLatin1Char('0')));
    const int maxDecimals = int(fraction.count(QLatin1Char('0')) + fraction.count(QLatin1Char('#')));
    const int minDecimals = int(fraction.indexOf(QLatin1Char('#')) < 0 ? fraction.count(QLatin1Char('0'))
                                                                   : fraction.indexOf(QLatin1Char('#')));

    // The magnitude in units of the last decimal shown, halves away from zero.
    QString digits = QString::number(std::round(std::fabs(value) * std::pow(10.0, maxDecimals)), 'f', 0);
    while (digits.size() <= maxDecimals)
        digits.prepend(QLatin1Char('0'));
    QString wholeDigits = digits.left(digits.size() - maxDecimals);
    QString decimals = digits.right(maxDecimals);
    while (decimals.size() > minDecimals && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    wholeDigits.remove(QRegularExpression(QStringLiteral("^0+")));
    while (wholeDigits.size() < minWhole)
        wholeDigits.prepend(QLatin1Char('0'));
    if (grouped)
        for (int i = int(wholeDigits.size()) - 3; i > 0; i -= 3)
            wholeDigits.insert(i, QLatin1Char(','));
    QString text = wholeDigits;
    if (!decimals.isEmpty())
        text += QLatin1Char('.') + decimals;
    if (text.isEmpty())
        return text;
    const bool negative = value < 0 && (text.contains(QRegularExpression(QStringLiteral("[1-9]"))));
    return negative ? QLatin1Char('-') + text : text;
}

} // namespace vek
