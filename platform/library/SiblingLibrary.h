#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

namespace vek {

// A library that lies beside the program and is loaded for one call: by base name
// ("VekCalc" finds libVekCalc.so), first in each of the given folders, then where the
// dynamic linker looks. The library is unloaded when this object goes, whatever happened.
class SiblingLibrary {
public:
    SiblingLibrary(const QString &baseName, const QStringList &folders);
    ~SiblingLibrary();
    SiblingLibrary(const SiblingLibrary &) = delete;
    SiblingLibrary &operator=(const SiblingLibrary &) = delete;

    bool isLoaded() const { return library_.isLoaded(); }
    // The file the library was loaded from, or last looked for.
    QString fileName() const { return library_.fileName(); }
    // The entry's address, or nullptr when the library is not loaded or lacks it.
    QFunctionPointer resolve(const char *entry);
    // The loader's text for the last failure.
    QString errorString() const { return error_; }

private:
    QLibrary library_;
    QString error_;
};

} // namespace vek
