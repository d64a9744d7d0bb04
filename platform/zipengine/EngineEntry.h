#pragma once

#include "platform/zipengine/EngineCallback.h"
#include "platform/zipengine/ZipEngine.h"

#include <zip.h>

#include <cstdint>
#include <exception>
#include <new>
#include <string>

namespace vek {

// Runs one command of an engine entry: refuses a record without its end marker or of
// another interface version, reports the command with Trace, and turns anything thrown
// into a reported failure, so that nothing crosses back into the caller but the count.
template <typename Command, typename Work>
int32_t RunCommand(void *record, const char *engine, Work work)
{
    auto *command = static_cast<Command *>(record);
    if (!command || command->EndMarker != ZipRecordEnd)
        return 0;
    EngineCallback callback(command->Head.Callback, command->Head.Component);
    if (command->Head.Version != ZipEngineVersion) {
        callback.Message(ZipErrCommand, std::string(engine) + " speaks interface 160, not "
                                            + std::to_string(command->Head.Version) + ".");
        return 0;
    }
    if (command->Head.Trace)
        callback.Message(ZipErrNone, std::string(engine) + " 1.60 over libzip " + zip_libzip_version() + ": "
                                         + std::to_string(command->Head.ItemCount) + " items, archive "
                                         + (command->Head.ArchivePath ? command->Head.ArchivePath : ""));
    try {
        return work(*command, callback);
    } catch (const std::bad_alloc &) {
        callback.Message(ZipErrMemory, std::string(engine) + " ran out of memory.");
    } catch (const std::exception &error) {
        callback.Message(ZipErrCommand, std::string(engine) + ": " + error.what());
    }
    return 0;
}

} // namespace vek
