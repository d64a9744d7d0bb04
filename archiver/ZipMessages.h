#pragma once

#include <QString>

#include <exception>

namespace vek {

// The numbers of the zip component's messages. The library carries no texts for them:
// every message reads as the fallback line with its number (ZipMessageText), except the
// disk prompts, which have English texts of their own.
struct ZipMsg {
    enum : int {
        AddFailed = 10101,           // an add failed with an exception
        NoArchive = 10102,           // the archive name is empty or the archive missing
        OutOfMemory = 10103,         // while reading the directory
        PasswordsDiffer = 10104,     // the two password entries differ
        PasswordUnattendedAdd = 10150,
        PasswordUnattendedExtract = 10151,
        PasswordOkButton = 10152,    // the password dialog's texts
        PasswordCancelButton = 10153,
        PasswordCaption = 10154,
        PasswordPrompt = 10155,
        PasswordConfirmPrompt = 10156,
        DirReadError = 10201,        // seek or read error in the directory, or a bad offset
        DirOtherError = 10202,       // any other failure while reading the directory
        DirMoved = 10203,            // the directory does not lie where the end record says
        TrailingBytes = 10204,       // bytes after the end record and its comment
        NoFileSpecs = 10301,         // an add without file patterns
        EncryptUnattended = 10302,   // encryption wanted while unattended without a password
        SpanFreshen = 10303,         // freshen or update together with spanning
        SfxStubFailed = 10304,       // the self-extractor stub of a new ".EXE" failed
        ExtractFailed = 10501,       // an extract failed, or its folder is missing
        ExtractUnattended = 10502,   // an unattended extract without a password
        EngineTooOld = 10503,        // the engine cannot extract into memory
        ZipLoaded = 10601,           // the zip engine library: loaded (with Trace),
        ZipExecMissing = 10602,      // its entry missing,
        ZipVersionMissing = 10603,   // its version entry missing,
        ZipNotLoadable = 10604,      // not loadable
        UnzipLoaded = 10701,         // the same for the unzip engine library
        UnzipExecMissing = 10702,
        UnzipVersionMissing = 10703,
        UnzipNotLoadable = 10704,
        SfxTextTooLong = 10801,      // a self-extractor text of 256 or more bytes
        SfxStubMissing = 10802,      // no self-extractor stub found
        SfxNotZip = 10803,           // the archive to convert is not a ".ZIP"
        CannotOpen = 11001,          // the archive cannot be opened (strict form)
        CannotOpenPlain = 11002,     // the archive cannot be opened (plain form)
        DriveNotReadable = 11004,    // the archive's file system cannot be queried
        Aborted = 11007,             // the user cancelled a disk request
        SeekError = 11008,
        CannotCreate = 11009,        // a part, a joined archive or a self-extractor
        ReadError = 11011,
        LocalHeaderShort = 11012,
        CentralHeaderShort = 11013,  // also: the last part ended before the directory did
        LocalSignature = 11014,
        CentralSignature = 11015,
        LocalNameShort = 11016,
        CentralNameShort = 11017,
        CommentShort = 11022,
        OtherError = 11024,          // any other failure of a set or a self-extractor
        UnattendedDisk = 11025,      // a disk is wanted while nobody may be asked
        EntryNotFound = 11026,       // a directory entry without its local header
        TempNameUnusable = 11027,
        SfxStubCopy = 11029,         // the stub cannot be copied
        SfxSettingsWrite = 11030,    // the settings block cannot be written
        NoRoomForJoin = 11031,       // the joined archive does not fit its folder
        NotEnoughSpace = 11032,      // English text
        InsertLastDisk = 11033,      // English text
        InsertDiskOf = 11034,        // English text: disk and total
        InDrive = 11035,             // English text: the folder
        NoEndRecord = 11036,         // no end record in a plain file
        FirstDiskOnly = 11037,       // the first part of a set instead of the last
        OverwriteFile = 11039,       // English text: the file
        OverwriteDisk = 11040,       // English text: the disk
        SpanExe = 11041,             // spanning an archive whose name ends in ".EXE"
        SfxEntryCopy = 11042,        // an entry of the archive to convert cannot be copied
        SfxDirectoryWrite = 11043,   // a central header cannot be written
        SfxEndWrite = 11044,         // the end record cannot be written
        InsertDisk = 11046,          // English text: the disk
    };
};

// The fallback text without an id: "ZipMsgXX.res is probably not linked to the
// executable", a line feed and "Missing String ID is: ".
QString ZipMessageFallback();
// The text of message id: the fallback line "ZipMsgXX.res is probably not linked to the
// executable", a line feed and "Missing String ID is: " with the id, or the English text
// of a disk prompt. Prompts with a number or a name take them through ZipPromptText.
QString ZipMessageText(int id);
// The English prompt id with its numbers and names (%.1d, %d, %s) filled in by the
// arguments in order.
QString ZipPromptText(int id, const QString &first = QString(), const QString &second = QString());

// The zip component's failure: a message id, its text with extra appended, and whether
// to show it in a box.
class EZipMaster : public std::exception {
public:
    explicit EZipMaster(int id, const QString &extra = QString(), bool display = true);
    int Id() const { return id_; }
    const QString &Message() const { return message_; }
    bool Display() const { return display_; }
    const char *what() const noexcept override { return utf8_.constData(); }

private:
    int id_;
    QString message_;
    QByteArray utf8_;
    bool display_;
};

} // namespace vek
