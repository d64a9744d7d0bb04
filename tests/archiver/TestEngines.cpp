#include "tests/archiver/TestEngines.h"

#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>

#include <dlfcn.h>

namespace vek {

QString RealEngineFolder()
{
    return QStringLiteral(VEK_ENGINE_DIR);
}

QString TestEngineFolder(const QString &name)
{
    return QDir(QStringLiteral(VEK_TEST_ENGINES)).filePath(name);
}

StandInLoader::StandInLoader() : library_(QDir(TestEngineFolder(QStringLiteral("standin"))).filePath("libZIPDLL.so"))
{
    if (!library_.load())
        return;
    using Access = StandInEngine *(*)();
    if (const auto access = reinterpret_cast<Access>(library_.resolve("StandIn"))) {
        engine_ = access();
        *engine_ = StandInEngine();
    }
}

StandInLoader::~StandInLoader()
{
    TZipMaster zip;
    zip.UnloadZipLibrary();
    zip.UnloadUnzipLibrary();
    library_.unload();
}

StandInComponent::StandInComponent(const QByteArray &archive)
{
    WriteTestFile(home.filePath("a.zip"), archive);
    zip.SetDLLDirectory(TestEngineFolder(QStringLiteral("standin")));
    zip.SetZipFileName(home.filePath("a.zip"));
}

bool IsInMemory(const QString &path)
{
    void *handle = dlopen(QFile::encodeName(path).constData(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

} // namespace vek
