#pragma once

#include <QDate>
#include <QString>

namespace vek {

// Widths and counts are CP949 byte counts (a Korean letter counts 2). A pad count is
// width minus length; nothing is added when that is 0 or less.

// n copies of ch; empty when ch is the zero character.
QString RepeatChar(QChar ch, int n);
// text trimmed of blanks at both ends, then ch prepended up to width.
QString PadLeftChar(QChar ch, const QString &text, int width);
// text trimmed, then ch appended up to width.
QString PadRightChar(QChar ch, const QString &text, int width);
// Blanks prepended so that text stands centred in width; nothing appended on the right.
QString CenterText(const QString &text, int width);
// text trimmed, every ch removed.
QString StripChar(QChar ch, const QString &text);
// Every oldChar replaced by newChar.
QString ReplaceChar(QChar oldChar, QChar newChar, const QString &text);
// Every blank (' ') removed.
QString RemoveBlanks(const QString &text);
// Leading blanks and control characters removed.
QString TrimLeftText(const QString &text);
// text trimmed, the first currency sign '\' removed, every ',' removed.
QString StripAmountText(const QString &text);
// Blanks and control characters removed at both ends.
QString TrimText(const QString &text);
// Trailing blanks and control characters removed: a fixed-width (CHAR) column's value as
// it was written.
QString TrimRightText(const QString &text);

// A date as the program writes every date: "yyyy.MM.dd" (2018.01.12).
QString ShortDateText(const QDate &date);

} // namespace vek
