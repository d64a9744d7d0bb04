#pragma once

#include <QByteArray>
#include <QString>

namespace vek {

// Texts leave and enter the program as CP949 bytes (documents, fixed-width records), and
// every width, padding and centring rule counts those bytes: a Korean letter counts 2.
// A character that CP949 cannot hold is written as '?', so it counts 1.

// The CP949 bytes of text; each character CP949 cannot hold becomes '?'.
QByteArray ToCp949(const QString &text);
// The text of CP949 bytes; a byte sequence that is not CP949 becomes '?'.
QString FromCp949(const QByteArray &bytes);
// The number of bytes ToCp949(text) has.
int Cp949Width(const QString &text);
// The longest start of text whose CP949 form fits in maxBytes, never half a letter.
QString Cp949Left(const QString &text, int maxBytes);
// True when every character of text has a CP949 form.
bool IsCp949Text(const QString &text);

} // namespace vek
