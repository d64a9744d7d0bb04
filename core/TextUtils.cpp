#include "core/TextUtils.h"

#include "core/Cp949Text.h"

namespace vek {
namespace {

bool isBlankOrControl(QChar ch)
{
    return ch.unicode() <= u' ';
}

} // namespace

QString TrimText(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlankOrControl(text[start]))
        ++start;
    while (end > start && isBlankOrControl(text[end - 1]))
        --end;
    return text.mid(start, end - start);
}

QString RepeatChar(QChar ch, int n)
{
    if (ch.isNull() || n <= 0)
        return QString();
    return QString(n, ch);
}

QString PadLeftChar(QChar ch, const QString &text, int width)
{
    const QString trimmed = TrimText(text);
    return RepeatChar(ch, width - Cp949Width(trimmed)) + trimmed;
}

QString TrimRightText(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && isBlankOrControl(text[end - 1]))
        --end;
    return text.left(end);
}

QString ShortDateText(const QDate &date)
{
    // Month as "MM": in Qt's patterns "mm" is the minute.
    return date.toString(QStringLiteral("yyyy.MM.dd"));
}

QString PadRightChar(QChar ch, const QString &text, int width)
{
    const QString trimmed = TrimText(text);
    return trimmed + RepeatChar(ch, width - Cp949Width(trimmed));
}

QString CenterText(const QString &text, int width)
{
    const int length = Cp949Width(text);
    const int lead = (width - length) / 2; // truncates toward zero, as integer division does
    return PadLeftChar(u' ', text, lead + length);
}

QString StripChar(QChar ch, const QString &text)
{
    return TrimText(text).remove(ch);
}

QString ReplaceChar(QChar oldChar, QChar newChar, const QString &text)
{
    return QString(text).replace(oldChar, newChar);
}

QString RemoveBlanks(const QString &text)
{
    return QString(text).remove(u' ');
}

QString TrimLeftText(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && isBlankOrControl(text[start]))
        ++start;
    return text.mid(start);
}

QString StripAmountText(const QString &text)
{
    QString result = TrimText(text);
    const qsizetype sign = result.indexOf(u'\\');
    if (sign >= 0)
        result.remove(sign, 1);
    return result.remove(u',');
}

} // namespace vek
