#include "tests/support/TestFiles.h"

#include <QFile>

namespace vek {

QByteArray ReadTestFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool WriteTestFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QString TestFixturePath(const QString &name)
{
    return QStringLiteral(VEK_TEST_FIXTURES "/") + name;
}

} // namespace vek
