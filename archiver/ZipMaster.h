#pragma once

#include "archiver/PartSet.h"
#include "archiver/ZipDirEntry.h"
#include "archiver/ZipMessages.h"

#include <QFlags>
#include <QIcon>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vek {

struct CentralRecord;
struct CopyReport;
struct EndOfDirectory;

// How entry names are converted (see ZipNames.h: on this system every choice reads CP949).
enum CodePageOpts { cpAuto, cpNone, cpOEM };
// How the component deletes a file: for good, or into the desktop's trash.
enum DeleteOpts { htdFinal, htdAllowUndo };
// What a self-extractor does when it runs.
enum SFXOptsEnum {
    SFXAskCmdLine = 0x01,
    SFXAskFiles = 0x02,
    SFXAutoRun = 0x04,
    SFXHideOverWriteBox = 0x08,
    SFXCheckSize = 0x10,
    SFXNoSuccessMsg = 0x20,
};
Q_DECLARE_FLAGS(SFXOpts, SFXOptsEnum)
// What a self-extractor does with a file that exists already.
enum OvrOpts { OvrConfirm, OvrAlways, OvrNever };
enum class ProgressType { NewFile, ProgressUpdate, EndOfBatch, TotalFilesToProcess, TotalSizeToProcess };
// Why OnStatusDisk is asked: a part of the same archive date is in the way, another file
// of the part's name is in the way, or the folder has not enough free space.
enum class TZipDiskStatus { PreviousDisk, PreviousFile, NotEnoughSpace };
// The answer: use this part (overwriting it), ask for another disk, or stop.
enum class TZipDiskAction { Ok, Reject, Cancel };

// The zip component: keeps the directory of the archive ZipFileName in memory, spreads an
// archive over numbered part files and joins such a set again, and makes self-extracting
// archives. Every failure is a numbered message (ShowZipMessage). A "disk" is one part
// file of a set; all parts of a set lie in the folder of the archive's name.
class TZipMaster {
public:
    TZipMaster();
    ~TZipMaster();
    TZipMaster(const TZipMaster &) = delete;
    TZipMaster &operator=(const TZipMaster &) = delete;

    // The archive. Assigning it reads its directory.
    QString ZipFileName() const { return zipFileName_; }
    void SetZipFileName(const QString &name);

    // The directory read last: one entry per kept central directory entry.
    int Count() const { return int(entries_.size()); }
    const ZipDirEntry &DirEntry(int index) const { return entries_.at(std::size_t(index)); }
    // The archive's size up to the end of its end record's comment.
    quint64 ZipFileSize() const { return zipFileSize_; }
    quint64 EndRecordOffset() const { return endRecordOffset_; }
    // Where the central directory starts in the part that holds its start.
    quint64 CentralDirOffset() const { return centralDirOffset_; }
    // The part's number from its end record (0 unless the archive is a set).
    int DiskNumber() const { return diskNumber_; }
    bool IsSpanned() const { return diskNumber_ != 0; }
    QString ZipComment() const { return zipComment_; }
    // What lies ahead of the first entry, such as a self-extractor stub: the lowest
    // local-header offset; 0 for an archive without entries.
    quint64 LeadInSize() const { return leadInSize_; }
    // The directory-only entries dropped while UseDirOnlyEntries was off.
    int DirOnlyCount() const { return dirOnlyCount_; }
    // The central directory does not lie where the end record says (message 10203).
    bool DirectoryMoved() const { return directoryMoved_; }

    // Reads the directory of ZipFileName, reporting every failure as its message; the
    // entries read before a failure stay. OnDirUpdate fires in every case.
    void ReadDirectory();
    // The end record of file. The strict form throws EZipMaster (11001 when the file
    // cannot be opened; 11036, or 11037 for the first part of a set, when it has none);
    // the plain one shows 11002 when it cannot be opened and gives nothing. Bytes after
    // the record and its comment show 10204, unless they are the zero padding (less than
    // 512 bytes) of a file whose size is a multiple of 512.
    std::optional<EndOfDirectory> FindEndOfDirectory(const QString &file, bool strict);

    CodePageOpts CodePage() const { return codePage_; }
    void SetCodePage(CodePageOpts codePage) { codePage_ = codePage; }
    bool UseDirOnlyEntries() const { return useDirOnlyEntries_; }
    void SetUseDirOnlyEntries(bool use) { useDirOnlyEntries_ = use; }
    // The folder for temporary archives; empty: the system's temporary folder.
    QString TempDir() const { return tempDir_; }
    void SetTempDir(const QString &folder) { tempDir_ = folder; }
    // No message boxes and no questions: what would ask fails instead.
    bool Unattended() const { return unattended_; }
    void SetUnattended(bool unattended) { unattended_ = unattended; }
    // The largest part of a set; 0: as much as the folder's free space allows.
    qint64 MaxVolumeSize() const { return maxVolumeSize_; }
    void SetMaxVolumeSize(qint64 size) { maxVolumeSize_ = size; }
    // Bytes left free in the folder while the first part is written.
    qint64 KeepFreeOnDisk1() const { return keepFreeOnDisk1_; }
    void SetKeepFreeOnDisk1(qint64 size) { keepFreeOnDisk1_ = size; }
    // A folder with less free space than this takes no part.
    qint64 MinFreeVolumeSize() const { return minFreeVolumeSize_; }
    void SetMinFreeVolumeSize(qint64 size) { minFreeVolumeSize_ = size; }
    // Self-extractor settings: the stub, the four texts of its settings block (each at
    // most 255 CP949 bytes), its options and overwrite mode. A stub for Linux carries no
    // icon resource, so SFXIcon is kept but not written.
    QString SFXPath() const { return sfxPath_; }
    void SetSFXPath(const QString &path) { sfxPath_ = path; }
    QString SFXCaption() const { return sfxCaption_; }
    void SetSFXCaption(const QString &text) { sfxCaption_ = text; }
    QString SFXDefaultDir() const { return sfxDefaultDir_; }
    void SetSFXDefaultDir(const QString &text) { sfxDefaultDir_ = text; }
    QString SFXCommandLine() const { return sfxCommandLine_; }
    void SetSFXCommandLine(const QString &text) { sfxCommandLine_ = text; }
    QString SFXMessage() const { return sfxMessage_; }
    void SetSFXMessage(const QString &text) { sfxMessage_ = text; }
    QIcon SFXIcon() const { return sfxIcon_; }
    void SetSFXIcon(const QIcon &icon) { sfxIcon_ = icon; }
    SFXOpts SFXOptions() const { return sfxOptions_; }
    void SetSFXOptions(SFXOpts options) { sfxOptions_ = options; }
    OvrOpts SFXOverWriteMode() const { return sfxOverWriteMode_; }
    void SetSFXOverWriteMode(OvrOpts mode) { sfxOverWriteMode_ = mode; }
    // The folder searched for the engine and the self-extractor stub; one trailing
    // separator is removed on assignment.
    QString DLLDirectory() const { return dllDirectory_; }
    void SetDLLDirectory(const QString &folder);
    DeleteOpts HowToDelete() const { return howToDelete_; }
    void SetHowToDelete(DeleteOpts how) { howToDelete_ = how; }

    // The last message and its id.
    int ErrCode() const { return errCode_; }
    QString Message() const { return message_; }
    // Reports message id with extra appended: it becomes the last message, a box shows
    // it unless Unattended, and OnMessage gets it with ErrCode 0.
    void ShowZipMessage(int id, const QString &extra = QString());
    // True while a set is being written or joined.
    bool Busy() const { return busy_; }

    // Copies the archive inFileName into the numbered parts of outFileName. 0 when done;
    // -7 after a message of its own, -8 out of memory, -9 any other failure (11024). A
    // failed run leaves none of the parts it wrote.
    int WriteSpanned(const QString &inFileName, const QString &outFileName);
    // Joins the set that inFileName names (the plain name or any part's) into a new
    // temporary ".zip" in TempDir, named in outFilePath; results as WriteSpanned. The
    // caller deletes the joined archive when done with it; a failed run leaves none.
    int ReadSpanned(const QString &inFileName, QString &outFilePath);
    // Makes a self-extracting archive: when ZipFileName ends in ".EXE" and does not exist,
    // writes the stub and the settings block to it for the entries to follow; otherwise
    // turns the ".ZIP" archive ZipFileName into the ".exe" of the same name, which then
    // becomes ZipFileName. 0 when done, else as WriteSpanned; a failed run leaves no ".exe".
    int MakeSelfExtractor();
    // Deletes fileName as how says (a name without folder lies in the home folder): 0
    // when done, -1 when it does not exist, 1 when it cannot be deleted.
    int EraseFile(const QString &fileName, DeleteOpts how) const;

    // Events; every one is optional.
    std::function<void(TZipMaster &)> OnDirUpdate;
    std::function<void(TZipMaster &, ProgressType type, const QString &fileName, qint64 fileSize)> OnProgress;
    std::function<void(TZipMaster &, int errCode, const QString &message)> OnMessage;
    std::function<void(TZipMaster &, int seqNo, const ZipDirEntry &entry)> OnNewName;
    // A part is missing or the folder is full: set abortAction to stop; else the part or
    // the space is looked for again. drive is the parts' folder.
    std::function<void(TZipMaster &, int diskSeqNo, int diskTotal, const QString &drive, bool &abortAction)>
        OnGetNextDisk;
    std::function<void(TZipMaster &, int previousDisk, const QString &previousFile, TZipDiskStatus status,
                       TZipDiskAction &action)>
        OnStatusDisk;

private:
    class PartWriter;
    struct OpenArchive;

    // The archive name names: a plain file or a set's parts (by the plain name or any
    // part's), its end record and where its central directory starts. Throws EZipMaster.
    OpenArchive OpenForReading(const QString &name);
    // The archive in file, which may be the last part of a set.
    OpenArchive OpenFile(const QString &file);
    // The set that name stands for, when it stands for one.
    static std::optional<PartSet> SetOf(const QString &name);
    // Reads the central directory of archive, handing every record to take in order.
    // Throws EZipMaster at the first record that cannot be read.
    void ReadCentral(OpenArchive &archive, const std::function<void(CentralRecord &&)> &take);
    // The last part of set, asking for it while it is missing.
    int FindLastPart(const PartSet &set);
    // Asks for part disk (from 0; total 0 when unknown, lastWanted for the last part) in
    // folder: returns to look again, throws 11007 when cancelled, 11025 when Unattended.
    void RequestDisk(int disk, int total, bool lastWanted, const QString &folder);
    // Asks whether the file in the way of part disk may be overwritten.
    TZipDiskAction AskOverwrite(int disk, const QString &file, bool previousDisk);
    // Tells that the folder has not enough space; true when the user cancelled.
    bool ReportNoSpace(int disk, const QString &folder);
    // Reports an EZipMaster like ShowZipMessage, its box only when it is to be shown.
    void ShowExceptMessage(const EZipMaster &error);
    // Shows what failed: an EZipMaster as its message, running out of memory as 10103,
    // anything else as otherId with its text. Gives -7, -8 or -9 in that order.
    int ReportFailure(std::exception_ptr failure, int otherId);
    // Reads the directory of ZipFileName into the list; throws at the first failure.
    void ReadEntries();
    void Progress(ProgressType type, const QString &fileName, qint64 size);
    // Reports the totals of copying records, and gives what reports each entry ("Copying: "
    // and a new file), the central directory and every block of data written.
    CopyReport StartCopyReport(const std::vector<CentralRecord> &records);
    // A report that is no failure ("Copying: " + name): only OnMessage gets it.
    void Report(const QString &text);
    void ClearDirectory();
    // The free bytes of the file system that holds path; throws DriveNotReadable when it
    // cannot be queried.
    static qint64 CheckDrive(const QString &path);
    // The self-extractor stub: SFXPath (a name without folder lies in the home folder),
    // then "ZIPSFX.BIN" in the home folder, beside the library, in DLLDirectory; throws
    // SfxStubMissing when there is none.
    QString FindStub() const;

    QString zipFileName_;
    std::vector<ZipDirEntry> entries_;
    quint64 zipFileSize_ = 0;
    quint64 endRecordOffset_ = 0;
    quint64 centralDirOffset_ = 0;
    int diskNumber_ = 0;
    QString zipComment_;
    quint64 leadInSize_ = 0;
    int dirOnlyCount_ = 0;
    bool directoryMoved_ = false;

    CodePageOpts codePage_ = cpAuto;
    bool useDirOnlyEntries_ = false;
    QString tempDir_;
    bool unattended_ = false;
    qint64 maxVolumeSize_ = 0;
    qint64 keepFreeOnDisk1_ = 0;
    qint64 minFreeVolumeSize_ = 65536;
    QString sfxPath_ = QStringLiteral("ZipSFX.bin");
    QString sfxCaption_ = QStringLiteral("Self-extracting Archive");
    QString sfxDefaultDir_;
    QString sfxCommandLine_;
    QString sfxMessage_;
    QIcon sfxIcon_;
    SFXOpts sfxOptions_ = SFXCheckSize;
    OvrOpts sfxOverWriteMode_ = OvrConfirm;
    QString dllDirectory_;
    DeleteOpts howToDelete_ = htdAllowUndo;

    int errCode_ = 0;
    QString message_;
    bool busy_ = false;
};

} // namespace vek

Q_DECLARE_OPERATORS_FOR_FLAGS(vek::SFXOpts)
