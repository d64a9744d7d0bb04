// The entries of libUNZDLL.so, the engine that extracts and tests entries.
#include "platform/zipengine/EngineEntry.h"
#include "platform/zipengine/ZipExtractor.h"

namespace vek {

int32_t GetUnzDllVersion(void)
{
    return ZipEngineVersion;
}

int32_t UnzDllExec(void *command)
{
    return RunCommand<UnzipCommand>(command, "UNZDLL", [](const UnzipCommand &unzip, EngineCallback &callback) {
        return ZipExtractor(unzip, callback).Run();
    });
}

} // namespace vek
