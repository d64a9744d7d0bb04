// The entries of libZIPDLL.so, the engine that adds files to archives.
#include "platform/zipengine/EngineEntry.h"
#include "platform/zipengine/ZipAdder.h"

namespace vek {

int32_t GetZipDllVersion(void)
{
    return ZipEngineVersion;
}

int32_t ZipDllExec(void *command)
{
    return RunCommand<ZipCommand>(command, "ZIPDLL", [](const ZipCommand &zip, EngineCallback &callback) {
        return ZipAdder(zip, callback).Run();
    });
}

} // namespace vek
