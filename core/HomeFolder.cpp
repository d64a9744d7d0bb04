#include "core/HomeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace vek {

QString HomeFolder()
{
    QString folder = qEnvironmentVariable("VEK_HOME");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder;
}

QString AssetFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/VekWFree"));
}

} // namespace vek
