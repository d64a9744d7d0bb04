#include "core/HomeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace vek {

QString HomeFolder()
{
    QString folder = qEnvironmentVariable("VEK_HOME");
    // The program and its backup library share this folder, so it must not follow the
    // name of whichever application runs: inside a host the backup library's application
    // is the host's. The program, named KavroSft/VekWFree, has always kept its data here.
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/KavroSft/VekWFree");
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
