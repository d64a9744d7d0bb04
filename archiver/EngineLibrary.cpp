// The engine libraries: loaded at most once for the whole process, and asked their version.
#include "archiver/EngineLibrary.h"

#include "archiver/ModuleFolder.h"
#include "archiver/ZipMaster.h"

namespace vek {

EngineLibrary &ZipEngineLibrary()
{
    static EngineLibrary library{"ZIPDLL", "ZipDllExec", "GetZipDllVersion", ZipMsg::ZipLoaded,
                                 ZipMsg::ZipExecMissing, ZipMsg::ZipVersionMissing, ZipMsg::ZipNotLoadable, {}};
    return library;
}

EngineLibrary &UnzipEngineLibrary()
{
    static EngineLibrary library{"UNZDLL", "UnzDllExec", "GetUnzDllVersion", ZipMsg::UnzipLoaded,
                                 ZipMsg::UnzipExecMissing, ZipMsg::UnzipVersionMissing, ZipMsg::UnzipNotLoadable, {}};
    return library;
}

bool TZipMaster::LoadEngine(EngineLibrary &engine)
{
    if (engine.IsLoaded())
        return true;
    QStringList folders;
    if (!dllDirectory_.isEmpty())
        folders.append(dllDirectory_);
    folders.append(ModuleFolder());
    auto library = std::make_unique<SiblingLibrary>(QString::fromLatin1(engine.baseName), folders);
    if (!library->isLoaded()) {
        ShowZipMessage(engine.notLoadableId, QLatin1Char('\n') + library->errorString());
        return false;
    }
    const auto exec = reinterpret_cast<ZipDllExecFunction>(library->resolve(engine.execEntry));
    if (!exec) {
        ShowZipMessage(engine.execMissingId, QLatin1Char('\n') + library->errorString());
        return false;
    }
    const auto version = reinterpret_cast<ZipDllVersionFunction>(library->resolve(engine.versionEntry));
    if (!version) {
        ShowZipMessage(engine.versionMissingId, QLatin1Char('\n') + library->errorString());
        return false;
    }
    const QString file = library->fileName();
    engine.library = std::move(library);
    engine.exec = exec;
    engine.version = version;
    if (trace_)
        ShowZipMessage(engine.loadedId, QLatin1Char(' ') + file);
    return true;
}

int TZipMaster::EngineVersion(EngineLibrary &engine)
{
    const bool loadedHere = !engine.IsLoaded();
    if (!LoadEngine(engine))
        return 0;
    const int version = engine.version();
    if (loadedHere)
        engine.Unload();
    return version;
}

bool TZipMaster::LoadZipLibrary()
{
    return LoadEngine(ZipEngineLibrary());
}

bool TZipMaster::LoadUnzipLibrary()
{
    return LoadEngine(UnzipEngineLibrary());
}

void TZipMaster::UnloadZipLibrary()
{
    ZipEngineLibrary().Unload();
}

void TZipMaster::UnloadUnzipLibrary()
{
    UnzipEngineLibrary().Unload();
}

int TZipMaster::ZipVers()
{
    return EngineVersion(ZipEngineLibrary());
}

int TZipMaster::UnzVers()
{
    return EngineVersion(UnzipEngineLibrary());
}

int TZipMaster::RunEngine(EngineLibrary &engine, void *record)
{
    callbackFailure_ = nullptr;
    const int count = engine.exec(record);
    if (callbackFailure_)
        std::rethrow_exception(std::exchange(callbackFailure_, nullptr));
    return count;
}

} // namespace vek
