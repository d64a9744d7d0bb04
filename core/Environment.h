#pragma once

#include "platform/registry/RegistryStore.h"

#include <QSize>
#include <QString>

#include <stdexcept>

namespace vek {

// A folder that cannot be created or used.
class FolderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Ini files: file names a file in the home folder ("VekFree.ini").
int ReadIniInteger(const QString &file, const QString &section, const QString &key, int fallback);
// False when the file cannot be written.
bool WriteIniInteger(const QString &file, const QString &section, const QString &key, int value);

// The work folder (with a trailing '/') stored as wPath in section "작업폴더" of file;
// when none is stored, the home folder's "Work/", which is then stored. A missing folder
// is created; when that fails, or the stored folder is no absolute path, the home
// folder's "Work/" is given but not stored.
QString GetWorkFolder(const QString &file);
// Stores the folder of the full path filePath (with a trailing '/') as the work folder,
// creating it when missing. Throws FolderError when it cannot be created. The process's
// current folder stays as it is.
void SaveWorkFolder(const QString &filePath, const QString &file);

// The keys kept under HKEY_LOCAL_MACHINE: registry.ini in the home folder.
RegistryStore LocalMachineRegistry();

// The embedded database engine needs no server, no autostart and no open port: this
// prepares the per-user lock folder the engine shares between processes (FIREBIRD_LOCK,
// kept when already set) and creates it. Call it before the first attachment.
void SetupLocalServer();

// An address on the maker's web server: the base address (configurable as Base in
// section "WebAddress" of "VekFree.ini") followed by path.
QString MakerWebAddress(const QString &path);
bool IsUrlReachable(const QString &url);
// True when the whole content of url is in file; on failure file is left as it was.
bool DownloadUrlToFile(const QString &url, const QString &file);

// Waits until more than ms milliseconds have passed, handling the program's events every
// 10 ms so that its windows keep painting and its timers keep running.
void DelayMs(int ms);
// The primary screen's size in pixels; empty when there is no screen.
QSize ScreenSize();
bool IsInsideScreenX(int x);
bool IsInsideScreenY(int y);
// True when the print system names a default printer.
bool HasDefaultPrinter();
// The last sheet row of a list of n data rows printed in pages of 28 rows, the first
// page holding 26 of them.
int ExcelLastRow(int n);

} // namespace vek
