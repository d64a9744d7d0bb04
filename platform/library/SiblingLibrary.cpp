#include "platform/library/SiblingLibrary.h"

#include <QDir>

namespace vek {

SiblingLibrary::SiblingLibrary(const QString &baseName, const QStringList &folders)
{
    QStringList candidates;
    for (const QString &folder : folders)
        candidates.append(QDir(folder).filePath(baseName));
    candidates.append(baseName);
    for (const QString &candidate : candidates) {
        library_.setFileName(candidate);
        if (library_.load())
            return;
    }
    error_ = library_.errorString();
}

SiblingLibrary::~SiblingLibrary()
{
    if (library_.isLoaded())
        library_.unload();
}

QFunctionPointer SiblingLibrary::resolve(const char *entry)
{
    if (!library_.isLoaded())
        return nullptr;
    QFunctionPointer function = library_.resolve(entry);
    if (!function)
        error_ = library_.errorString();
    return function;
}

} // namespace vek
