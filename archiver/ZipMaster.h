#pragma once

#include "archiver/PartSet.h"
#include "archiver/ZipDirEntry.h"
#include "archiver/ZipMessages.h"
#include "archiver/ZipStream.h"
#include "platform/zipengine/ZipEngine.h"

#include <QFlags>
#include <QIcon>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vek {

class EngineCommand;
struct CentralRecord;
struct CopyReport;
struct EndOfDirectory;
struct EngineLibrary;

// What an add does besides adding: AddDirNames keeps the folders in the entry names,
// AddRecurseDirs looks into sub-folders, AddMove deletes the files once they are in the
// archive, AddFreshen replaces only entries whose files are newer, AddUpdate adds new files
// and newer ones, AddZipTime dates the archive by its newest entry, AddHiddenFiles takes
// names starting with '.', AddEncrypt encrypts, AddDiskSpan(Erase) spreads the archive over
// numbered parts. AddForceDOS, AddArchiveOnly, AddResetArchive, AddSeparateDirs and
// AddVolume reach the engine and mean nothing on Linux.
enum AddOptsEnum {
    AddDirNames = 0x0001,
    AddRecurseDirs = 0x0002,
    AddMove = 0x0004,
    AddFreshen = 0x0008,
    AddUpdate = 0x0010,
    AddZipTime = 0x0020,
    AddForceDOS = 0x0040,
    AddHiddenFiles = 0x0080,
    AddArchiveOnly = 0x0100,
    AddResetArchive = 0x0200,
    AddEncrypt = 0x0400,
    AddSeparateDirs = 0x0800,
    AddVolume = 0x1000,
    AddDiskSpan = 0x2000,
    AddDiskSpanErase = 0x4000,
};
Q_DECLARE_FLAGS(AddOpts, AddOptsEnum)
// The extensions whose files are stored without compression.
enum AddStoreSuffixEnum {
    assGIF = 0x001,
    assPNG = 0x002,
    assZ = 0x004,
    assZIP = 0x008,
    assZOO = 0x010,
    assARC = 0x020,
    assLZH = 0x040,
    assARJ = 0x080,
    assTAZ = 0x100,
    assTGZ = 0x200,
    assLHA = 0x400,
    assEXE = 0x800,
};
Q_DECLARE_FLAGS(AddStoreExts, AddStoreSuffixEnum)
// What an extract does: ExtrDirNames recreates the entries' folders (else every file lands
// in the folder extracted into), ExtrOverWrite replaces existing files without asking,
// ExtrFreshen replaces only older files, ExtrUpdate also extracts new ones, ExtrTest checks
// the entries without writing them.
enum ExtrOptsEnum {
    ExtrDirNames = 0x01,
    ExtrOverWrite = 0x02,
    ExtrFreshen = 0x04,
    ExtrUpdate = 0x08,
    ExtrTest = 0x10,
};
Q_DECLARE_FLAGS(ExtrOpts, ExtrOptsEnum)
// Why an entry was not extracted (OnExtractSkipped).
using UnZipSkipTypes = UnzipSkipType;

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

// The zip component: adds files to the archive ZipFileName and extracts them through the
// zip engine (libZIPDLL.so, libUNZDLL.so), which calls back for progress, messages,
// passwords and questions; keeps the archive's directory in memory; spreads an archive
// over numbered part files and joins such a set again; makes self-extracting archives.
// Every failure is a numbered message (ShowZipMessage), and a failure the engine reports
// is shown once per operation. A "disk" is one part file of a set; all parts of a set lie
// in the folder of the archive's name. No routine changes the current folder: relative
// folders lie in the home folder.
class TZipMaster {
public:
    TZipMaster();
    ~TZipMaster();
    TZipMaster(const TZipMaster &) = delete;
    TZipMaster &operator=(const TZipMaster &) = delete;

    // The archive. Assigning it reads its directory.
    QString ZipFileName() const { return zipFileName_; }
    void SetZipFileName(const QString &name);

    // Adds the files FSpecArgs names to the archive; the number added. A line is a file
    // pattern relative to RootDir (the home folder when empty), led by '>' to look
    // into sub-folders or '|' not to, and followed by '<' and the line's own password
    // ("<" alone: not encrypted). FSpecArgs and FSpecArgsExcl are emptied afterwards.
    int AddFiles();
    // Extracts the entries FSpecArgs names (every entry when empty) into ExtrBaseDir (the
    // home folder when empty); the number extracted, or tested with ExtrTest.
    int ExtractFiles();
    // Extracts the entry fileName (any case, '/' or '\') into ZipStream(), which holds it
    // when that worked and is empty otherwise.
    TZipStream &ExtractFileToStream(const QString &fileName);
    TZipStream &ZipStream() { return zipStream_; }

    // The lines of the next add or extract; assigning copies them.
    const QStringList &FSpecArgs() const { return fSpecArgs_; }
    QStringList &FSpecArgs() { return fSpecArgs_; }
    void SetFSpecArgs(const QStringList &lines) { fSpecArgs_ = lines; }
    // Patterns of files the next add leaves out.
    const QStringList &FSpecArgsExcl() const { return fSpecArgsExcl_; }
    QStringList &FSpecArgsExcl() { return fSpecArgsExcl_; }
    void SetFSpecArgsExcl(const QStringList &lines) { fSpecArgsExcl_ = lines; }
    AddOpts AddOptions() const { return addOptions_; }
    void SetAddOptions(AddOpts options) { addOptions_ = options; }
    // 0 stores, 1 to 9 compress ever harder.
    int AddCompLevel() const { return addCompLevel_; }
    void SetAddCompLevel(int level) { addCompLevel_ = level; }
    AddStoreExts AddStoreSuffixes() const { return addStoreSuffixes_; }
    void SetAddStoreSuffixes(AddStoreExts suffixes) { addStoreSuffixes_ = suffixes; }
    QString ExtrBaseDir() const { return extrBaseDir_; }
    void SetExtrBaseDir(const QString &folder) { extrBaseDir_ = folder; }
    ExtrOpts ExtrOptions() const { return extrOptions_; }
    void SetExtrOptions(ExtrOpts options) { extrOptions_ = options; }
    // For adding with encryption and for extracting; at most 255 CP949 bytes.
    QString Password() const { return password_; }
    void SetPassword(const QString &password);
    // How often the engine may ask for a password; at most 15.
    unsigned PasswordReqCount() const { return passwordReqCount_; }
    void SetPasswordReqCount(unsigned count) { passwordReqCount_ = std::min(count, 15u); }
    bool Verbose() const { return verbose_; }
    void SetVerbose(bool verbose) { verbose_ = verbose; }
    // Trace also reports the engine's loading.
    bool Trace() const { return trace_; }
    void SetTrace(bool trace) { trace_ = trace; }
    // The folder the add's patterns start from; a separator is added on assignment.
    QString RootDir() const { return rootDir_; }
    void SetRootDir(const QString &folder);
    // "1.60 L"; assignments are ignored.
    QString VersionInfo() const { return QStringLiteral("1.60 L"); }
    void SetVersionInfo(const QString &) {}

    // Set to stop the running add or extract at the engine's next callback.
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel) { cancel_ = cancel; }
    // The files processed by the last add or extract.
    int SuccessCnt() const { return successCnt_; }
    // The total size the engine reported for the last operation.
    qint64 TotalSizeToProcess() const { return totalSize_; }
    bool ZipBusy() const { return zipBusy_; }
    bool UnzBusy() const { return unzBusy_; }

    // The engine's versions (160 meaning 1.60), loading it for the question when needed;
    // 0 when it cannot be loaded.
    int ZipVers();
    int UnzVers();
    // Loads the engine library when it is not loaded: from DLLDirectory, then the folder of
    // the library holding this component, then where the dynamic linker looks. False after
    // its message when it cannot be loaded or lacks an entry.
    bool LoadZipLibrary();
    bool LoadUnzipLibrary();
    void UnloadZipLibrary();
    void UnloadUnzipLibrary();

    // The password questions: adding asks twice (10104 when the answers differ), extracting
    // once; an answer is stored into Password unless the engine asked. Unattended: 10150 or
    // 10151 and no password.
    QString GetAddPassword();
    QString GetExtrPassword();

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

    // The last message and its id, or the low byte of the last failure the engine
    // reported, whose whole value is FullErrCode().
    int ErrCode() const { return errCode_; }
    int FullErrCode() const { return fullErrCode_; }
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
    // The engine's questions and reports while it adds or extracts.
    std::function<void(TZipMaster &, QString &oldFileName, bool &isChanged)> OnSetNewName;
    std::function<void(TZipMaster &, QString &newPassword, const QString &forFile, unsigned &repeatCount)>
        OnPasswordError;
    std::function<void(TZipMaster &, const QString &forFile, quint32 foundCrc, quint32 expectedCrc, bool &doExtract)>
        OnCRC32Error;
    std::function<void(TZipMaster &, const QString &forFile, bool isOlder, bool &doOverwrite)> OnExtractOverwrite;
    std::function<void(TZipMaster &, const QString &forFile, UnZipSkipTypes skipType, int extError)> OnExtractSkipped;
    std::function<void(TZipMaster &, const QString &forFile, QString &fileComment, bool &isChanged)> OnFileComment;
    // Kept for callers that set it: no operation of this component copies entries between
    // archives, so nothing asks it.
    std::function<void(TZipMaster &, const QString &forFile, bool &doOverwrite)> OnCopyZipOverwrite;
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

    // Loads engine unless it is loaded; false after its message.
    bool LoadEngine(EngineLibrary &engine);
    int EngineVersion(EngineLibrary &engine);
    // Calls the engine with record; rethrows what an event handler threw meanwhile.
    int RunEngine(EngineLibrary &engine, void *record);
    // The engine's callback and its answers, by action.
    static int32_t DllCallback(ZipCallbackRecord *record);
    void Answer(ZipCallbackRecord &record);
    void AnswerPassword(ZipCallbackRecord &record, const QString &forFile);
    // The command records of an add and of an extract for an engine of version.
    void *ZipCommandRecord(EngineCommand &command, int version, const QString &archive);
    void *UnzipCommandRecord(EngineCommand &command, int version, const QString &archive, const QString &folder,
                             bool intoMemory);
    // The folder that a folder setting stands for: the home folder when empty, relative
    // ones lying in it.
    static QString InHomeFolder(const QString &folder);
    // Starts an operation: nothing processed, no failure yet.
    void StartOperation();
    // Ends one: the last failure the engine reported is shown, unless Unattended.
    void ShowEngineFailure();
    int Extract(bool intoMemory);
    // The engine adds to the temporary archive, whose entries are then put behind the
    // first leadIn bytes of the archive: a self-extractor's stub, which libzip would drop.
    // With stubOnly the archive is the stub alone, else its entries are added to first.
    int AddBehindLeadIn(EngineLibrary &engine, qint64 leadIn, const QString &temporary, bool stubOnly);
    // Copies the entries of ZipFileName without what lies ahead of them into target.
    void CopyWithoutLeadIn(const QString &target);
    // Replaces ZipFileName by its first leadIn bytes followed by the archive source.
    void PutBehindLeadIn(qint64 leadIn, const QString &source);

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

    QStringList fSpecArgs_;
    QStringList fSpecArgsExcl_;
    AddOpts addOptions_;
    int addCompLevel_ = 9;
    AddStoreExts addStoreSuffixes_;
    QString extrBaseDir_;
    ExtrOpts extrOptions_;
    QString password_;
    unsigned passwordReqCount_ = 1;
    bool verbose_ = false;
    bool trace_ = false;
    QString rootDir_;
    TZipStream zipStream_;

    int errCode_ = 0;
    int fullErrCode_ = 0;
    QString message_;
    bool busy_ = false;
    bool zipBusy_ = false;
    bool unzBusy_ = false;
    bool cancel_ = false;
    bool inCallback_ = false;     // the engine is asking: answers are not stored
    int successCnt_ = 0;
    qint64 totalSize_ = 0;
    QString engineFailure_;       // the last failure the engine reported in this operation
    std::exception_ptr callbackFailure_; // thrown by an event handler during the engine's call
};

} // namespace vek

Q_DECLARE_OPERATORS_FOR_FLAGS(vek::SFXOpts)
Q_DECLARE_OPERATORS_FOR_FLAGS(vek::AddOpts)
Q_DECLARE_OPERATORS_FOR_FLAGS(vek::AddStoreExts)
Q_DECLARE_OPERATORS_FOR_FLAGS(vek::ExtrOpts)
