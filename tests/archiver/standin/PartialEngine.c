/* An engine library that lacks an entry: built once without the Exec entries and once
   without the version entries. */
#include "platform/zipengine/ZipEngine.h"

#ifdef WITH_EXEC
int32_t ZipDllExec(void *command)
{
    (void)command;
    return 0;
}

int32_t UnzDllExec(void *command)
{
    (void)command;
    return 0;
}
#endif

#ifdef WITH_VERSION
int32_t GetZipDllVersion(void)
{
    return ZipEngineVersion;
}

int32_t GetUnzDllVersion(void)
{
    return ZipEngineVersion;
}
#endif
