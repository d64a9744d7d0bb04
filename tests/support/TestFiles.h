#pragma once

#include <QByteArray>
#include <QString>

namespace vek {

// The bytes of the file at path, or "<missing>" when it cannot be read.
QByteArray ReadTestFile(const QString &path);
// Replaces the file at path by bytes; false when that fails.
bool WriteTestFile(const QString &path, const QByteArray &bytes);
// The path of the file name in tests/fixtures.
QString TestFixturePath(const QString &name);

} // namespace vek
