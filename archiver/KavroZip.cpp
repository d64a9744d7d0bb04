// The backup library's one export, called by an outside program.
#include "archiver/BackupDialog.h"

#include <cstdio>
#include <exception>

// Shows the backup or restore dialog and returns when it closes. Nothing is returned and
// nothing may be thrown to the caller, which may be a plain C program.
extern "C" __attribute__((visibility("default"))) void kZipdll(void)
{
    try {
        vek::RunBackupDialog();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "KavroZip: %s\n", error.what());
    } catch (...) {
        std::fputs("KavroZip: the backup dialog failed\n", stderr);
    }
}
