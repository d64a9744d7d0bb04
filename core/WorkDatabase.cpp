#include "core/WorkDatabase.h"

#include "core/DatabaseError.h"
#include "core/HomeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>


namespace vek {

QString WorkDatabasePath()
{
    return HomeFolder() + QStringLiteral("/Temp/VEKTMP.GDB");
}

QString TemplateDatabasePath()
{
    return AssetFolder() + QStringLiteral("/vektmp.gdb");
}

void PrepareWorkDatabase()
{
    const QString target = WorkDatabasePath();
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        throw DatabaseError(QStringLiteral("폴더를 만들 수 없습니다: %1").arg(folder));
    if (QFileInfo::exists(target))
        return;
    const QString source = TemplateDatabasePath();
    if (!QFileInfo::exists(source))
        throw DatabaseError(QStringLiteral("빈 데이타베이스 파일이 없습니다: %1").arg(source));
    // Copied under a temporary name first, so that a copy cut short (a full disk) never
    // stands as the working database.
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(source, partial) || QFileInfo(partial).size() != QFileInfo(source).size()
        || !QFile::rename(partial, target)) {
        QFile::remove(partial);
        throw DatabaseError(QStringLiteral("데이타베이스 파일을 만들 수 없습니다: %1").arg(target));
    }
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void PrepareFirebirdLock()
{
    QString folder = qEnvironmentVariable("FIREBIRD_LOCK");
    const bool chosenHere = folder.isEmpty();
    if (chosenHere) {
        // The runtime folder belongs to the user alone; a shared /tmp folder would let
        // another user take the lock files over.
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/firebird");
        qputenv("FIREBIRD_LOCK", QFile::encodeName(folder));
    }
    if (QDir().mkpath(folder) && chosenHere)
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace vek
