#include "core/Currency.h"

#include <cmath>
#include <limits>

namespace vek {

Currency Currency::fromScaled(double scaled)
{
    const double rounded = std::nearbyint(scaled);
    if (!(rounded >= -double(RawLimit) && rounded <= double(RawLimit)))
        throw NumberError("number out of range: " + std::to_string(scaled / Scale));
    return Currency(static_cast<std::int64_t>(rounded));
}

Currency Currency::fromText(const QString &text)
{
    int pos = 0;
    const int size = text.size();
    bool negative = false;
    if (pos < size && (text[pos] == u'-' || text[pos] == u'+'))
        negative = text[pos++] == u'-';

    // Integer digits accumulate exactly; decimals beyond the fourth decide the rounding.
    std::int64_t whole = 0;
    int digits = 0;
    constexpr std::int64_t maxWhole = std::numeric_limits<std::int64_t>::max() / Scale;
    for (; pos < size && text[pos].isDigit() && text[pos].unicode() < 128; ++pos, ++digits) {
        whole = whole * 10 + (text[pos].unicode() - u'0');
        if (whole > maxWhole)
            throw NumberError("number out of range: " + text.toStdString());
    }
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    int roundDigit = -1;      // the fifth decimal
    bool stickyNonZero = false; // any non-zero decimal after the fifth
    if (pos < size && text[pos] == u'.') {
        ++pos;
        for (; pos < size && text[pos].isDigit() && text[pos].unicode() < 128; ++pos, ++digits) {
            const int d = text[pos].unicode() - u'0';
            if (fractionDigits < 4)
                fraction = fraction * 10 + d;
            else if (fractionDigits == 4)
                roundDigit = d;
            else if (d != 0)
                stickyNonZero = true;
            ++fractionDigits;
        }
    }
    if (digits == 0 || pos != size)
        throw NumberError("not a number: \"" + text.toStdString() + '"');
    for (int i = fractionDigits; i < 4; ++i)
        fraction *= 10;

    // The magnitude has no sign, so that the most negative value fits as well.
    std::uint64_t magnitude = static_cast<std::uint64_t>(whole) * Scale + static_cast<std::uint64_t>(fraction);
    const bool roundUp = roundDigit > 5 || (roundDigit == 5 && (stickyNonZero || (magnitude & 1)));
    if (roundUp)
        ++magnitude;
    const std::uint64_t largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > (negative ? largest + 1 : largest))
        throw NumberError("number out of range: " + text.toStdString());
    return Currency(static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude));
}

QString Currency::toText() const
{
    if (raw_ == 0)
        return QStringLiteral("0");
    const bool negative = raw_ < 0;
    // Work on the unsigned magnitude so that the most negative value has no overflow.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(raw_) : static_cast<std::uint64_t>(raw_);
    QString text = QString::number(magnitude / Scale);
    std::uint64_t fraction = magnitude % Scale;
    if (fraction != 0) {
        QString decimals = QString::number(fraction).rightJustified(4, u'0');
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
        text += u'.' + decimals;
    }
    return negative ? u'-' + text : text;
}

} // namespace vek
