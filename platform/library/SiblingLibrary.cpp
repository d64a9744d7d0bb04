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
    // QLibrary leaves its error text unset here, so say what the dynamic linker would.
    if (!function)
        error_ = QStringLiteral("%1: undefined symbol: %2").arg(library_.fileName(), QString::fromLatin1(entry));
    return function;
}

} // namespace vek
