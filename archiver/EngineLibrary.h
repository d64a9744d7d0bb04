#pragma once

#include "platform/library/SiblingLibrary.h"
#include "platform/zipengine/ZipEngine.h"

#include <memory>

namespace vek {

// One library of the zip engine with its two entries, held at most once for the whole
// process and shared by every zip component; its messages: loaded (with Trace), entry
// missing, version entry missing, not loadable.
struct EngineLibrary {
    const char *baseName;
    const char *execEntry;
    const char *versionEntry;
    int loadedId;
    int execMissingId;
    int versionMissingId;
    int notLoadableId;

    std::unique_ptr<SiblingLibrary> library;
    ZipDllExecFunction exec = nullptr;
    ZipDllVersionFunction version = nullptr;

    bool IsLoaded() const { return library != nullptr; }
    void Unload()
    {
        exec = nullptr;
        version = nullptr;
        library.reset();
    }
};

// The engine that adds (ZIPDLL) and the one that extracts (UNZDLL).
EngineLibrary &ZipEngineLibrary();
EngineLibrary &UnzipEngineLibrary();

} // namespace vek
