#pragma once

#include "archiver/ArchiveInput.h"
#include "archiver/ZipMaster.h"
#include "archiver/ZipRecords.h"

#include <memory>

namespace vek {

// An archive opened for reading: where its bytes come from, its end record and where its
// central directory starts.
struct TZipMaster::OpenArchive {
    std::unique_ptr<ArchiveInput> input;
    EndOfDirectory end;
    QString folder;            // where its parts lie
    int directoryDisk = 0;     // the part that holds the start of the central directory
    quint64 directoryStart = 0; // in that part
    quint64 size = 0;          // of that part, up to the end record's comment in the last
};

} // namespace vek
