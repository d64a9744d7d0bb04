#include "platform/registry/RegistryStore.h"

#include "platform/ini/IniFile.h"

#include <algorithm>

namespace vek {
namespace {

QString sectionOf(const QString &keyPath)
{
    qsizetype first = 0;
    qsizetype last = keyPath.size();
    while (first < last && keyPath[first] == u'\\')
        ++first;
    while (last > first && keyPath[last - 1] == u'\\')
        --last;
    return keyPath.mid(first, last - first);
}

bool isSameOrBelow(const QString &section, const QString &key)
{
    return section.compare(key, Qt::CaseInsensitive) == 0
        || section.startsWith(key + u'\\', Qt::CaseInsensitive);
}

} // namespace

bool RegistryStore::keyExists(const QString &keyPath) const
{
    const QString key = sectionOf(keyPath);
    const QStringList sections = IniFile(filePath_).sections();
    return std::any_of(sections.begin(), sections.end(),
                       [&](const QString &section) { return isSameOrBelow(section, key); });
}

bool RegistryStore::createKey(const QString &keyPath)
{
    IniFile file(filePath_);
    if (file.hasSection(sectionOf(keyPath)))
        return true;
    file.addSection(sectionOf(keyPath));
    return file.save();
}

bool RegistryStore::deleteKey(const QString &keyPath)
{
    const QString key = sectionOf(keyPath);
    IniFile file(filePath_);
    bool found = false;
    for (const QString &section : file.sections()) {
        if (isSameOrBelow(section, key))
            found = file.eraseSection(section) || found;
    }
    return found && file.save();
}

bool RegistryStore::valueExists(const QString &keyPath, const QString &name) const
{
    return readString(keyPath, name).has_value();
}

std::optional<QString> RegistryStore::readString(const QString &keyPath, const QString &name) const
{
    return IniFile(filePath_).value(sectionOf(keyPath), name);
}

std::optional<int> RegistryStore::readInteger(const QString &keyPath, const QString &name) const
{
    const auto text = readString(keyPath, name);
    bool ok = false;
    const int number = text ? text->toInt(&ok) : 0;
    return ok ? std::optional<int>(number) : std::nullopt;
}

bool RegistryStore::writeString(const QString &keyPath, const QString &name, const QString &value)
{
    IniFile file(filePath_);
    file.writeString(sectionOf(keyPath), name, value);
    return file.save();
}

bool RegistryStore::writeInteger(const QString &keyPath, const QString &name, int value)
{
    return writeString(keyPath, name, QString::number(value));
}

bool RegistryStore::deleteValue(const QString &keyPath, const QString &name)
{
    IniFile file(filePath_);
    return file.deleteKey(sectionOf(keyPath), name) && file.save();
}

} // namespace vek
