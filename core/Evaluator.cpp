#include "core/Evaluator.h"

#include "core/Currency.h"

#include <QLocale>
#include <QStringView>

#include <cmath>

namespace vek {
namespace {

enum class Kind { Digit, Dot, Operator, Open, Close, Other };

// Only ASCII digits: QChar::isDigit would also take Arabic-Indic or full-width digits.
bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool IsNumberChar(QChar c) { return IsAsciiDigit(c) || c == u'.'; }
bool IsOperator(QChar c) { return c == u'*' || c == u'/' || c == u'+' || c == u'-'; }

Kind KindOf(QChar c)
{
    if (IsAsciiDigit(c))
        return Kind::Digit;
    if (IsOperator(c))
        return Kind::Operator;
    switch (c.unicode()) {
    case u'.': return Kind::Dot;
    case u'(': return Kind::Open;
    case u')': return Kind::Close;
    default: return Kind::Other;
    }
}

// Whether a character of kind `after` may directly follow one of kind `before`.
bool MayFollow(Kind before, Kind after)
{
    switch (before) {
    case Kind::Digit:
        return after == Kind::Digit || after == Kind::Dot || after == Kind::Operator || after == Kind::Close;
    case Kind::Dot:
    case Kind::Open:
        return after == Kind::Digit;
    case Kind::Operator:
        return after == Kind::Digit || after == Kind::Open;
    case Kind::Close:
        return after == Kind::Operator;
    case Kind::Other:
        break;
    }
    return false;
}

// A '-' at the start or right after an operator is the sign of a (substituted) value.
bool IsSign(const QString &text, qsizetype at)
{
    return text[at] == u'-' && (at == 0 || IsOperator(text[at - 1]));
}

// The first character of text that is one of ops and stands as a binary operator, or -1.
qsizetype FindOperator(const QString &text, QStringView ops)
{
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (ops.contains(text[at]) && !IsSign(text, at))
            return at;
    }
    return -1;
}

double ReadOperand(QStringView text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw NumberError("not an operand: \"" + text.toString().toStdString() + '"');
    return value;
}

// A number as the formula writes it: its 15 significant digits as the shortest plain
// decimal text, never with an exponent ("1.00015", "0.00001"; "007" is 7).
QString PlainNumber(double value)
{
    const double rounded = QString::number(value, 'g', 15).toDouble();
    return rounded == 0 ? QStringLiteral("0") : QString::number(rounded, 'f', QLocale::FloatingPointShortest);
}

double Compute(QChar op, double left, double right)
{
    switch (op.unicode()) {
    case u'*': return left * right;
    case u'+': return left + right;
    case u'-': return left - right;
    default:
        if (right == 0)
            throw NumberError("division by zero");
        return left / right;
    }
}

} // namespace

QString EvaluateExpression(const QString &text)
{
    return IsInvalidExpression(text) ? QStringLiteral("???") : EvaluateWellFormed(text);
}

QString EvaluateWellFormed(const QString &text)
{
    try {
        QString rest = text;
        while (rest.contains(u'('))
            rest = ReduceParentheses(rest);
        return EvaluateFlat(rest);
    } catch (const NumberError &) {
        return QStringLiteral("???");
    }
}

bool IsInvalidExpression(const QString &text)
{
    if (text.isEmpty())
        return true;
    const Kind first = KindOf(text.front());
    const Kind last = KindOf(text.back());
    if ((first != Kind::Digit && first != Kind::Open) || (last != Kind::Digit && last != Kind::Close))
        return true;

    int opens = 0;
    int closes = 0;
    bool dotInNumber = false;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const Kind kind = KindOf(text[at]);
        // A group may start with the sign of its first number: "1+(-2)".
        const bool groupSign = at > 0 && text[at - 1] == u'(' && text[at] == u'-';
        if (at > 0 && !groupSign && !MayFollow(KindOf(text[at - 1]), kind))
            return true;
        if (kind == Kind::Dot) {
            if (dotInNumber)
                return true;
            dotInNumber = true;
        } else if (kind != Kind::Digit) {
            dotInNumber = false;
        }
        // Groups nest but never stand side by side: every '(' comes before every ')'.
        if (kind == Kind::Open && closes > 0)
            return true;
        opens += kind == Kind::Open;
        closes += kind == Kind::Close;
    }
    return opens != closes;
}

QString ReduceParentheses(const QString &text)
{
    const qsizetype close = text.indexOf(u')');
    const qsizetype open = close < 0 ? -1 : text.lastIndexOf(u'(', close);
    if (open < 0)
        return text;
    QString reduced = text;
    return reduced.replace(open, close - open + 1, EvaluateFlat(text.mid(open + 1, close - open - 1)));
}

QString EvaluateFlat(const QString &text)
{
    QString rest = text;
    for (const QStringView ops : {QStringView(u"*/"), QStringView(u"+-")}) {
        for (qsizetype at; (at = FindOperator(rest, ops)) >= 0;)
            rest = ApplyOperator(rest[at], rest);
    }
    // What is left is one number. A computed value has its four decimals and Currency
    // writes it in the shortest form; a number nothing was computed on keeps its own.
    if (rest == text)
        return PlainNumber(ReadOperand(rest));
    return Currency::fromText(rest).toText();
}

QString ApplyOperator(QChar op, const QString &text)
{
    const qsizetype at = IsOperator(op) ? FindOperator(text, QStringView(&op, 1)) : -1;
    if (at < 0)
        return text;
    qsizetype start = at;
    while (start > 0 && IsNumberChar(text[start - 1]))
        --start;
    if (start > 0 && IsSign(text, start - 1))
        --start;
    qsizetype end = at + 1;
    if (end < text.size() && text[end] == u'-')
        ++end;
    while (end < text.size() && IsNumberChar(text[end]))
        ++end;

    const QStringView view(text);
    const double left = ReadOperand(view.sliced(start, at - start));
    const double right = ReadOperand(view.sliced(at + 1, end - at - 1));
    QString result = text;
    return result.replace(start, end - start, Currency::fromDouble(Compute(op, left, right)).toText());
}

} // namespace vek
