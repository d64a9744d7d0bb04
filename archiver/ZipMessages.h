#pragma once

#include <QString>

#include <exception>

namespace vek {

// The numbers of the zip component's messages. The library carries no texts for them:
// every message reads as the fallback line with its number (ZipMessageText), except the
// disk prompts, which have English texts of their own.
struct ZipMsg {
    enum : int {
        OutOfMemory = 10103,         // while reading the directory
        DirReadError = 10201,        // seek or read error in the directory, or a bad offset
        DirOtherError = 10202,       // any other failure while reading the directory
        DirMoved = 10203,            // the directory does not lie where the end record says
        TrailingBytes = 10204,       // bytes after the end record and its comment
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
        SfxEntryCopy = 11042,        // an entry of the archive to convert cannot be copied
        SfxDirectoryWrite = 11043,   // a central header cannot be written
        SfxEndWrite = 11044,         // the end record cannot be written
        InsertDisk = 11046,          // English text: the disk
    };
};

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
