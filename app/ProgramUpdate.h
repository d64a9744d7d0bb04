#pragma once

#include <QString>

namespace vek {

// The maker's pages, under the base address configured in "VekFree.ini".
QString MakerHomePage();
QString MakerDownloadPage();
QString UpdateArchiveAddress();

// The registry key through which the update and backup programs find the ini file.
extern const QString ZipListKey;

// Leaves the hand-over for the outside updater (the registry key's fInifile and exefile,
// section ZipList of "VekFree.ini") and downloads the update archive "VekFreeUp.zip" into
// the home folder behind a wait message. True when the archive arrived whole.
bool DownloadUpdate();

// Starts the outside updater "UpDate" from the program's own folder; false when it cannot
// be started.
bool StartUpdater();

} // namespace vek
