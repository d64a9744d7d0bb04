#pragma once

#include <QChar>
#include <QString>

namespace vek {

// The quantity formula of a line item ("2.5*4+1.2") is plain text: non-negative decimal
// numbers, the operators * / + -, and parenthesised groups. Callers remove blanks first.
// Every single operation is rounded to four decimals (ties to even); a number nothing is
// computed on keeps its own, up to 15 significant digits. Values are written as the
// shortest decimal text without exponent ("12.5", "3", "-4").

// The value of a formula as decimal text, or "???" when the formula is not well formed,
// divides by zero or gives a value beyond what a Currency holds.
QString EvaluateExpression(const QString &text);

// The value of a formula whose form was found well formed (IsInvalidExpression) before its
// numbers were replaced by values, some of which may be negative: a sign then stands
// right after an operator, a '(' or at the start ("2*-3", "(-4+1)", "-5+1"). "???" when it
// divides by zero, gives a value beyond what a Currency holds or holds a value that is not
// a number.
QString EvaluateWellFormed(const QString &text);

// True when text is not a well-formed formula: it must start with a digit or '(' and end with
// a digit or ')'; a digit is followed by a digit, '.', an operator or ')'; '.' by a digit
// (one '.' per number); an operator by a digit or '('; '(' by a digit or a '-' sign;
// ')' by an operator.
// Its parentheses, read in order, are k '(' followed by k ')'. Any other character is invalid.
bool IsInvalidExpression(const QString &text);

// text with its innermost group (the last '(' before the first ')') and the group's
// parentheses replaced by the group's value; text unchanged when it has no group.
// Throws NumberError like EvaluateFlat.
QString ReduceParentheses(const QString &text);

// The value of a text without parentheses: * and / left to right, then + and - left to right.
// A '-' at the start or right after an operator is the sign of the number that follows
// (a negative group value substituted into "5-(1-3)" gives "5--2").
// Throws NumberError on a division by zero, a value beyond a Currency or an operand that is
// not a number.
QString EvaluateFlat(const QString &text);

// text with the first binary occurrence of op (one of * / + -) and its two operands replaced
// by the result; text unchanged when op does not occur as an operator.
// Throws NumberError like EvaluateFlat.
QString ApplyOperator(QChar op, const QString &text);

} // namespace vek
