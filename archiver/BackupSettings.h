#pragma once

#include <QString>
#include <QStringList>

namespace vek {

// The backup library's job as the outside caller sets it: the registry values fInifile and
// ZipEx under "\SOFTWARE\KavroSft\ZipList", and section ZipList of that ini file.
struct BackupSettings {
    QString IniFileName;   // fInifile: the ini file in the home folder
    int Job = 0;           // ZipEx: 0 back up, 1 restore, any other does nothing
    QString ZipsDir;       // the folder the files are backed up from and restored to
    QString ZiptDir;       // the archive's folder, ending in a separator
    QString ZipName;       // the archive's file name
    QString ZipFiles;      // the files to back up, separated by ';'

    // ZiptDir + ZipName, joined without a separator as the caller expects.
    QString ArchivePath() const { return ZiptDir + ZipName; }
};

// Reads the job into settings. The registry key is created when missing; when the store
// cannot be read, IniFileName and Job keep the values settings holds. A missing or
// non-integer ZipEx is 0, an empty ini file name gives every default. A ZipsDir or ZiptDir
// that is missing or not an absolute path is the home folder's "Temp/" (where the working
// database lies) or the home folder.
void LoadBackupSettings(BackupSettings &settings);

// The characters of text from the 1-based position start up to, not including, the next
// delimiter (or the end); empty when start lies past the end.
QString CopyUntilDelimiter(int start, QChar delimiter, const QString &text);

// The items of a ';'-separated file list in order, each without surrounding blanks; empty
// items are left out.
QStringList SplitFileList(const QString &list);

} // namespace vek
