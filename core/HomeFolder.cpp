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
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString buildTree = QStringLiteral(VEK_BUILD_TREE);
    if (programFolder.startsWith(buildTree + QLatin1Char('/')) || programFolder == buildTree)
        return QStringLiteral(VEK_BUILD_ASSETS);
    return QDir::cleanPath(programFolder + QStringLiteral("/../" VEK_INSTALL_ASSETS));
}

} // namespace vek
