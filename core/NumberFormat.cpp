#include "core/NumberFormat.h"

#include "core/MoneyFormat.h"

#include <QList>
#include <QLocale>

#include <cmath>

namespace vek {
namespace {

// One character of a pattern; quoted ones are literal whatever they are.
struct PatternChar {
    QChar c;
    bool quoted;
};
using Section = QList<PatternChar>;

// The sections of pattern, split at the ';' outside quotes, without the quote marks.
QList<Section> Sections(const QString &pattern)
{
    QList<Section> sections(1);
    QChar quote;
    for (QChar c : pattern) {
        if (!quote.isNull() && c == quote)
            quote = QChar();
        else if (!quote.isNull())
            sections.last().append({c, true});
        else if (c == u'\'' || c == u'"')
            quote = c;
        else if (c == u';')
            sections.append(Section());
        else
            sections.last().append({c, false});
    }
    return sections;
}

// What a section asks for: placeholders before and after the point and grouping.
struct SectionShape {
    int integerPlaces = 0; // placeholders before the point
    int minInteger = 0;    // integer digits always shown: from the first '0' on
    int maxDecimals = 0;
    int minDecimals = 0;
    bool grouping = false;
};

SectionShape ShapeOf(const Section &section)
{
    SectionShape shape;
    bool afterPoint = false;
    for (const auto &[c, quoted] : section) {
        if (quoted)
            continue;
        if (c == u'.') {
            afterPoint = true;
        } else if (c == u',' && !afterPoint) {
            shape.grouping = true;
        } else if (c == u'0' || c == u'#') {
            if (afterPoint) {
                ++shape.maxDecimals;
                if (c == u'0')
                    shape.minDecimals = shape.maxDecimals;
            } else {
                ++shape.integerPlaces;
                if (c == u'0' || shape.minInteger > 0)
                    ++shape.minInteger; // every place from the first '0' on
            }
        }
    }
    return shape;
}

// |value| as the shortest decimal text that reads back as it (1e300 is a 1 and 300 zeros,
// not the binary value's digits), rounded to decimals places with halves away from zero:
// whole digits ("" for zero) and exactly decimals digits.
void RoundedDigits(double value, int decimals, QString &whole, QString &fraction)
{
    const QString text = QString::number(std::fabs(value), 'f', QLocale::FloatingPointShortest);
    const qsizetype point = text.indexOf(u'.');
    whole = point < 0 ? text : text.left(point);
    fraction = point < 0 ? QString() : text.mid(point + 1);
    RoundDecimalDigits(whole, fraction, decimals);
}

QString ApplySection(const Section &section, const SectionShape &shape, QString whole, QString fraction)
{
    while (fraction.size() > shape.minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (whole.size() < shape.minInteger)
        whole = whole.rightJustified(shape.minInteger, u'0');

    QString out;
    qsizetype nextWhole = 0; // next digit of whole to write
    int integerPlace = 0;
    int decimalPlace = 0;
    bool afterPoint = false;
    auto writeWholeUpTo = [&](qsizetype end) {
        for (; nextWhole < end; ++nextWhole) {
            out += whole[nextWhole];
            const qsizetype left = whole.size() - nextWhole - 1;
            if (shape.grouping && left > 0 && left % 3 == 0)
                out += u',';
        }
    };
    for (const auto &[c, quoted] : section) {
        if (quoted) {
            out += c;
        } else if ((c == u'0' || c == u'#') && !afterPoint) {
            // Digits beyond the placeholders all go out at the first one.
            ++integerPlace;
            writeWholeUpTo(whole.size() - (shape.integerPlaces - integerPlace));
        } else if ((c == u'0' || c == u'#') && afterPoint) {
            if (decimalPlace < fraction.size())
                out += fraction[decimalPlace];
            ++decimalPlace;
        } else if (c == u'.' && !afterPoint) {
            writeWholeUpTo(whole.size());
            afterPoint = true;
            if (!fraction.isEmpty())
                out += u'.';
        } else if (c != u',') {
            out += c;
        }
    }
    return out;
}

} // namespace

QString FormatFloat(const QString &pattern, double value)
{
    if (!std::isfinite(value))
        return QString::number(value).toUpper();
    if (pattern.isEmpty())
        return QString::number(value, 'g', 15);
    const QList<Section> sections = Sections(pattern);
    auto sectionOr = [&](int index) {
        return index < sections.size() && !sections[index].isEmpty() ? sections[index] : sections[0];
    };
    const bool ownNegative = sections.size() > 1 && !sections[1].isEmpty();
    Section section = value < 0 ? sectionOr(1) : value == 0 ? sectionOr(2) : sections[0];

    SectionShape shape = ShapeOf(section);
    QString whole;
    QString fraction;
    RoundedDigits(value, shape.maxDecimals, whole, fraction);
    const bool roundsToZero = whole.isEmpty() && fraction.count(u'0') == fraction.size();
    if (roundsToZero && value != 0) {
        section = sectionOr(2);
        shape = ShapeOf(section);
        RoundedDigits(0, shape.maxDecimals, whole, fraction);
    }
    const QString text = ApplySection(section, shape, whole, fraction);
    return value < 0 && !roundsToZero && !ownNegative ? u'-' + text : text;
}

QString CurrencyPattern(const QString &symbol, int position, int decimals)
{
    QString quoted;
    for (QChar c : symbol)
        quoted += c == u',' || c == u'.' ? QStringLiteral("'") + c + u'\'' : QString(c);
    QString p = QStringLiteral(",0.") + QString(decimals, u'0');
    if (!quoted.isEmpty()) {
        switch (position) {
        case 0: p = quoted + p; break;
        case 1: p += quoted; break;
        case 2: p = quoted + u' ' + p; break;
        case 3: p += u' ' + quoted; break;
        default: break;
        }
    }
    return p + QStringLiteral(";-") + p;
}

} // namespace vek
