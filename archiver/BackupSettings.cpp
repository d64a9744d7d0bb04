#include "archiver/BackupSettings.h"

#include "core/Environment.h"
#include "core/HomeFolder.h"
#include "platform/ini/IniFile.h"

#include <QDir>

#include <algorithm>

namespace vek {
namespace {

const QString ZipListKey = QStringLiteral("\\SOFTWARE\\KavroSft\\ZipList");
const QString ZipListSection = QStringLiteral("ZipList");

// A folder setting as given when it is an absolute path, else fallback; a Windows path
// such as "C:\" is no absolute path here.
QString AbsoluteFolder(const std::optional<QString> &folder, const QString &fallback)
{
    return folder && QDir::isAbsolutePath(*folder) ? *folder : fallback;
}

} // namespace

void LoadBackupSettings(BackupSettings &settings)
{
    RegistryStore registry = LocalMachineRegistry();
    if (registry.createKey(ZipListKey)) {
        settings.IniFileName = registry.readString(ZipListKey, QStringLiteral("fInifile")).value_or(QString());
        settings.Job = registry.readInteger(ZipListKey, QStringLiteral("ZipEx")).value_or(0);
    }

    const QString home = QDir(HomeFolder()).absolutePath() + u'/';
    const IniFile ini(settings.IniFileName.isEmpty() ? QString() : QDir(home).filePath(settings.IniFileName));
    settings.ZipsDir = AbsoluteFolder(ini.value(ZipListSection, QStringLiteral("ZipsDir")), home + QStringLiteral("Temp/"));
    settings.ZiptDir = AbsoluteFolder(ini.value(ZipListSection, QStringLiteral("ZiptDir")), home);
    settings.ZipName = ini.readString(ZipListSection, QStringLiteral("ZipName"), QStringLiteral("BakUp.Zip"));
    settings.ZipFiles = ini.readString(ZipListSection, QStringLiteral("ZipFiles"), QStringLiteral("*.gdb"));
}

QString CopyUntilDelimiter(int start, QChar delimiter, const QString &text)
{
    const qsizetype from = std::max(start, 1) - 1;
    if (from >= text.size())
        return QString();
    const qsizetype end = text.indexOf(delimiter, from);
    return text.mid(from, end < 0 ? -1 : end - from);
}

QStringList SplitFileList(const QString &list)
{
    QStringList items;
    for (int start = 1; start <= list.size();) {
        const QString item = CopyUntilDelimiter(start, u';', list);
        start += int(item.size()) + 1;
        if (!item.trimmed().isEmpty())
            items.append(item.trimmed());
    }
    return items;
}

} // namespace vek
