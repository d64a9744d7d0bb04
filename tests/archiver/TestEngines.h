#pragma once

#include "archiver/ZipMaster.h"
#include "tests/archiver/standin/StandInEngine.h"
#include "tests/support/TempHome.h"

#include <QLibrary>
#include <QString>

namespace vek {

// The folders the tests point DLLDirectory at: the real engine's, and those of the engines
// built for the tests ("standin", "noexec", "noversion").
QString RealEngineFolder();
QString TestEngineFolder(const QString &name);

// The stand-in engine, held loaded while this lives so that what it records stays
// readable after a component unloaded it; its state starts afresh. When it goes, the zip
// components' engine handles are dropped too, so that the next test loads its own.
class StandInLoader {
public:
    StandInLoader();
    ~StandInLoader();
    StandInLoader(const StandInLoader &) = delete;
    StandInLoader &operator=(const StandInLoader &) = delete;

    bool IsLoaded() const { return engine_ != nullptr; }
    StandInEngine &operator*() const { return *engine_; }
    StandInEngine *operator->() const { return engine_; }

private:
    QLibrary library_;
    StandInEngine *engine_ = nullptr;
};

// A zip component on the stand-in engine in a fresh home folder, where the archive a.zip
// holds the bytes given, to extract from.
struct StandInComponent {
    explicit StandInComponent(const QByteArray &archive);

    TempHome home;
    StandInLoader engine;
    TZipMaster zip;
};

// True when the library at path is in memory.
bool IsInMemory(const QString &path);

} // namespace vek
