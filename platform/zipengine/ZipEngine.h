#ifndef VEK_PLATFORM_ZIPENGINE_ZIPENGINE_H
#define VEK_PLATFORM_ZIPENGINE_ZIPENGINE_H

/*
 * The calling interface of the zip engine: two shared libraries loaded at run time,
 * libZIPDLL.so (ZipDllExec, GetZipDllVersion) for adding and libUNZDLL.so (UnzDllExec,
 * GetUnzDllVersion) for extracting. The caller fills a command record, the engine does the
 * work and calls back for progress, messages, passwords and questions.
 *
 * Fields are 32-bit unless said otherwise and pointers have the machine's width, so the
 * offsets in the comments hold where pointers are 4 bytes (checked below). The caller
 * allocates every record zero-filled, fills it, and owns every string it points at for
 * the duration of the call. Booleans hold -1 (or 0xFFFF where said) for true and 0 for
 * false; the engine takes any non-zero value as true. Texts are UTF-8; the engine turns
 * entry names, comments and passwords into the archive's CP949 bytes (UTF-8, flagged, for
 * a name CP949 cannot hold) and back.
 */

#include <stdint.h>

#ifdef __cplusplus
namespace vek {
extern "C" {
#endif

enum {
    ZipEngineVersion = 160,   /* what GetZipDllVersion and GetUnzDllVersion report: 1.60 */
    ZipRecordEnd = 7,         /* the end marker of every command record */
    ZipOldRecordMax = 150,    /* zip engines up to this version take ZipCommandOld */
    UnzipOldRecordMax = 151,  /* unzip engines up to this version take UnzipCommandOld */
    ZipExclusionsAbove = 159, /* the archive comment and the exclusions reach engines above it */
    ZipOldFileSpecs = 4096    /* the file patterns an old record holds */
};

/* The callback record, built by the engine and handed to the caller's callback. */
typedef struct ZipCallbackRecord {
    void *Reserved0;    /* +0 */
    void *Component;    /* +4: the caller's Component of the command */
    int32_t Reserved8;  /* +8 */
    int32_t Reserved12; /* +12 */
    int32_t Action;     /* +16: one of ZipCallbackAction */
    int32_t Value1;     /* +20: in/out, by action */
    int32_t Value2;     /* +24: in/out, by action */
    char Text[512];     /* +28: a file name or a message; answers are written back here */
} ZipCallbackRecord;

/* In action ZipActionFileComment the file name holds the first half of Text and the
   file's current comment the second half, from +284. */
enum { ZipCallbackCommentAt = 256 };

/* Returns 0 to go on, -1 to ask the engine to stop. */
typedef int32_t (*ZipCallbackFunction)(ZipCallbackRecord *record);

typedef enum ZipCallbackAction {
    ZipActionNewFile = 1,      /* Text the file, Value2 its size */
    ZipActionProgress = 2,     /* Value2 bytes done since the last report */
    ZipActionEndOfBatch = 3,
    ZipActionMessage = 4,      /* Text the message, Value1 a ZipEngineError (0: no failure) */
    ZipActionTotalFiles = 5,   /* Value2 the number of files to process */
    ZipActionTotalSize = 6,    /* Value2 their size (saturated at INT32_MAX) */
    ZipActionNewName = 7,      /* Text the entry name; answer: Value1 1 and the new name in Text */
    ZipActionPassword = 8,     /* bit 0 of Value1 set when adding, Value2 the questions left, Text
                                  the file; answer: Value1 1 and the password in Text, Value2
                                  the questions left */
    ZipActionCrcError = 9,     /* Text the file, Value1 the CRC found, Value2 the one expected;
                                  answer in Value1: 1 keep the data, 0 drop it, 2 the engine decides */
    ZipActionOverwrite = 10,   /* Text the file, bit 0 of Value1 set when the file on disk is
                                  older, Value2 0; answer in Value2: non-zero overwrites */
    ZipActionSkipped = 11,     /* Text the entry, Value1 a ZipEngineError, Value2 an UnzipSkipType */
    ZipActionFileComment = 12  /* Text the file and its comment (ZipCallbackCommentAt); answer:
                                  Value1 non-zero to change it to Text, Value2 its length */
} ZipCallbackAction;

/* The failures the engine reports in Value1 of ZipActionMessage and ZipActionSkipped. */
typedef enum ZipEngineError {
    ZipErrNone = 0,
    ZipErrNoMatch = 1,     /* no file or entry matches a pattern */
    ZipErrRead = 2,        /* a file to add cannot be read */
    ZipErrArchive = 3,     /* the archive cannot be opened or written */
    ZipErrFormat = 4,      /* not a zip archive, or a damaged one */
    ZipErrCrc = 5,         /* an entry's data does not match its CRC */
    ZipErrPassword = 6,    /* no password, or a wrong one */
    ZipErrWrite = 7,       /* an extracted file cannot be written */
    ZipErrUnsafeName = 8,  /* an entry name that would leave the target folder */
    ZipErrLink = 9,        /* a symbolic-link entry, or a linked folder in the way */
    ZipErrMemory = 10,     /* extraction into memory cannot be done */
    ZipErrUnsupported = 11, /* a compression or encryption method the engine lacks */
    ZipErrCommand = 12,    /* the command record is not usable */
    ZipErrDuplicate = 13   /* two files would get the same entry name */
} ZipEngineError;

/* Why an entry was not extracted (Value2 of ZipActionSkipped). */
typedef enum UnzipSkipType {
    UnzipSkipNotPresent = 0,  /* freshen: no file of its name on disk */
    UnzipSkipNotNewer = 1,    /* freshen or update: the file on disk is not older */
    UnzipSkipNoOverwrite = 2, /* the file exists and is not overwritten */
    UnzipSkipBadPassword = 3,
    UnzipSkipUnsupported = 4,
    UnzipSkipUnsafeName = 5,
    UnzipSkipSymbolicLink = 6,
    UnzipSkipLinkedFolder = 7,
    UnzipSkipCrcError = 8,
    UnzipSkipDataError = 9,
    UnzipSkipWriteError = 10
} UnzipSkipType;

/* One file pattern of a zip command. */
typedef struct ZipItem {
    const char *FileSpec;    /* +0: relative to RootDir; '/' and '\' separate folders */
    int32_t Reserved4[2];    /* +4 */
    const char *Password;    /* +12: the item's password; NULL when none */
    int32_t Encrypt;         /* +16: 0xFFFF or -1 encrypts the item's files */
    uint16_t Recurse;        /* +20: 0xFFFF looks into sub-folders too */
    uint16_t Reserved22;     /* +22 */
    int32_t Reserved24[3];   /* +24 */
    const char *RootDir;     /* +36: the folder the pattern and the entry names start from */
    int32_t Reserved40[16];  /* +40 */
} ZipItem;                   /* 104 bytes */

/* The fields that both forms of the zip command share. */
typedef struct ZipCommandHead {
    void *OwnerWindow;              /* +0: the caller's window; NULL when nobody may be asked */
    void *Component;                /* +4: handed back in every callback */
    int32_t Version;                /* +8: ZipEngineVersion */
    ZipCallbackFunction Callback;   /* +12 */
    int32_t Trace;                  /* +16 */
    const char *Password;           /* +20: NULL when empty */
    const char *StoredSuffixes;     /* +24: ".gif:.zip" - stored without compression; NULL when none */
    int32_t Encrypt;                /* +28: items without their own say are encrypted */
    int32_t HiddenFiles;            /* +32: names starting with '.' are added too */
    int32_t Volume;                 /* +36: no meaning here */
    int32_t Constant40;             /* +40: 0 */
    int32_t NoFolderEntries;        /* +44: no entries for folders themselves */
    int32_t Constant48;             /* +48: 0 */
    int32_t Verbose;                /* +52 */
    int32_t Constant56;             /* +56: -1 */
    int32_t Level;                  /* +60: 0 stores, 1-9 deflate levels */
    int32_t Reserved64;             /* +64 */
    int32_t Constant68;             /* +68: 0 */
    int32_t JunkFolderNames;        /* +72: entries are named by their file name alone */
    uint16_t Recurse;               /* +76: 0xFFFF: items without their own say recurse */
    uint16_t Reserved78;            /* +78 */
    int32_t Constant80;             /* +80: -1 */
    int32_t ForceDos;               /* +84: no meaning here */
    int32_t Move;                   /* +88: added files are deleted once the archive is closed */
    int32_t Constant92;             /* +92: 0 */
    int32_t Update;                 /* +96: adds new files and files newer than their entries */
    int32_t Freshen;                /* +100: replaces only entries whose files are newer */
    int32_t Constant104;            /* +104: 0 */
    int32_t LatestTime;             /* +108: the archive gets the time of its newest entry */
    int32_t Reserved112[2];         /* +112 */
    int32_t ItemCount;              /* +120 */
    const char *ArchivePath;        /* +124 */
} ZipCommandHead;                   /* 128 bytes */

/* The zip command for engines above ZipOldRecordMax. */
typedef struct ZipCommand {
    ZipCommandHead Head;            /* +0 */
    const char *TempDir;            /* +128: no meaning here; NULL when empty */
    const char *Comment;            /* +132: the archive's comment (engines above ZipExclusionsAbove) */
    uint16_t ArchiveOnly;           /* +136: no meaning here */
    uint16_t ResetArchive;          /* +138: no meaning here */
    const ZipItem *Items;           /* +140: ItemCount of them */
    int32_t Reserved144;            /* +144 */
    int32_t ExclusionCount;         /* +148 (engines above ZipExclusionsAbove) */
    const char *const *Exclusions;  /* +152: patterns of files left out */
    int32_t Reserved156[14];        /* +156 */
    int32_t EndMarker;              /* +212: ZipRecordEnd */
} ZipCommand;                       /* 216 bytes */

/* The zip command for engines up to ZipOldRecordMax. */
typedef struct ZipCommandOld {
    ZipCommandHead Head;                        /* +0 */
    int32_t EndMarker;                          /* +128: ZipRecordEnd */
    const char *FileSpecs[ZipOldFileSpecs];     /* +132: ItemCount of them */
    int32_t Reserved16516;                      /* +16516 */
} ZipCommandOld;                                /* 16,520 bytes */

/* One file pattern of an unzip command. */
typedef struct UnzipItem {
    const char *FileSpec;    /* +0: matched against entry names; none at all: every entry */
    int32_t Reserved4[17];   /* +4 */
} UnzipItem;                 /* 72 bytes */

/* The fields that both forms of the unzip command share. */
typedef struct UnzipCommandHead {
    void *OwnerWindow;              /* +0: NULL when nobody may be asked */
    void *Component;                /* +4 */
    int32_t Version;                /* +8: ZipEngineVersion */
    ZipCallbackFunction Callback;   /* +12 */
    int32_t Trace;                  /* +16 */
    const char *ExtractDir;         /* +20: the folder to extract into; the engine never uses
                                       the current folder */
    const char *Password;           /* +24 */
    int32_t Test;                   /* +28: checks the entries without writing them */
    int32_t Constant32;             /* +32: 0 */
    int32_t Constant36;             /* +36: 0 */
    int32_t Constant40;             /* +40: -1 */
    int32_t Verbose;                /* +44 */
    int32_t Update;                 /* +48: extracts new files and files older than their entries */
    int32_t Freshen;                /* +52: replaces only files older than their entries */
    int32_t FolderNames;            /* +56: recreates the entries' folders */
    int32_t Overwrite;              /* +60: replaces existing files without asking */
    int32_t ItemCount;              /* +64 */
    const char *ArchivePath;        /* +68 */
} UnzipCommandHead;                 /* 72 bytes */

/* The unzip command for engines above UnzipOldRecordMax. */
typedef struct UnzipCommand {
    UnzipCommandHead Head;          /* +0 */
    const UnzipItem *Items;         /* +72: ItemCount of them */
    int32_t Reserved76;             /* +76 */
    int32_t IntoMemory;             /* +80: -1 extracts the entry of the first item into Buffer */
    void *Buffer;                   /* +84 */
    int32_t BufferSize;             /* +88: must be the entry's size */
    int32_t Reserved92[3];          /* +92 */
    int32_t PasswordReqCount;       /* +104: how often a password may be asked for (1.60) */
    int32_t Reserved108[9];         /* +108 */
    int32_t EndMarker;              /* +144: ZipRecordEnd */
} UnzipCommand;                     /* 148 bytes */

/* The unzip command for engines up to UnzipOldRecordMax. */
typedef struct UnzipCommandOld {
    UnzipCommandHead Head;                      /* +0 */
    int32_t EndMarker;                          /* +72: ZipRecordEnd */
    const char *FileSpecs[ZipOldFileSpecs];     /* +76: ItemCount of them */
    int32_t Reserved16460;                      /* +16460 */
} UnzipCommandOld;                              /* 16,464 bytes */

/* The engine's entries. Exec takes a ZipCommand (UnzipCommand), or the old form for an
   engine whose version says so, and returns the number of files it added, extracted or
   tested; an engine refuses a record without its end marker. */
typedef int32_t (*ZipDllExecFunction)(void *command);
typedef int32_t (*ZipDllVersionFunction)(void);
#define VEK_ZIP_ENTRY __attribute__((visibility("default")))
VEK_ZIP_ENTRY int32_t ZipDllExec(void *command);
VEK_ZIP_ENTRY int32_t GetZipDllVersion(void);
VEK_ZIP_ENTRY int32_t UnzDllExec(void *command);
VEK_ZIP_ENTRY int32_t GetUnzDllVersion(void);
#undef VEK_ZIP_ENTRY

#if defined(UINTPTR_MAX) && UINTPTR_MAX == 0xFFFFFFFFu
/* With 4-byte pointers every record has the layout its comments give. */
#ifdef __cplusplus
#define VEK_ZIP_LAYOUT(condition) static_assert(condition, #condition)
#else
#define VEK_ZIP_LAYOUT(condition) _Static_assert(condition, #condition)
#endif
#define VEK_ZIP_AT(type, field, offset) VEK_ZIP_LAYOUT(__builtin_offsetof(type, field) == (offset))
VEK_ZIP_AT(ZipCallbackRecord, Component, 4);
VEK_ZIP_AT(ZipCallbackRecord, Action, 16);
VEK_ZIP_AT(ZipCallbackRecord, Value1, 20);
VEK_ZIP_AT(ZipCallbackRecord, Value2, 24);
VEK_ZIP_AT(ZipCallbackRecord, Text, 28);
VEK_ZIP_AT(ZipItem, Password, 12);
VEK_ZIP_AT(ZipItem, Encrypt, 16);
VEK_ZIP_AT(ZipItem, Recurse, 20);
VEK_ZIP_AT(ZipItem, RootDir, 36);
VEK_ZIP_LAYOUT(sizeof(ZipItem) == 104);
VEK_ZIP_AT(ZipCommandHead, Callback, 12);
VEK_ZIP_AT(ZipCommandHead, Password, 20);
VEK_ZIP_AT(ZipCommandHead, StoredSuffixes, 24);
VEK_ZIP_AT(ZipCommandHead, NoFolderEntries, 44);
VEK_ZIP_AT(ZipCommandHead, Level, 60);
VEK_ZIP_AT(ZipCommandHead, JunkFolderNames, 72);
VEK_ZIP_AT(ZipCommandHead, Recurse, 76);
VEK_ZIP_AT(ZipCommandHead, Constant80, 80);
VEK_ZIP_AT(ZipCommandHead, LatestTime, 108);
VEK_ZIP_AT(ZipCommandHead, ItemCount, 120);
VEK_ZIP_AT(ZipCommandHead, ArchivePath, 124);
VEK_ZIP_AT(ZipCommand, TempDir, 128);
VEK_ZIP_AT(ZipCommand, Comment, 132);
VEK_ZIP_AT(ZipCommand, ArchiveOnly, 136);
VEK_ZIP_AT(ZipCommand, ResetArchive, 138);
VEK_ZIP_AT(ZipCommand, Items, 140);
VEK_ZIP_AT(ZipCommand, ExclusionCount, 148);
VEK_ZIP_AT(ZipCommand, Exclusions, 152);
VEK_ZIP_AT(ZipCommand, EndMarker, 212);
VEK_ZIP_LAYOUT(sizeof(ZipCommand) == 216);
VEK_ZIP_AT(ZipCommandOld, EndMarker, 128);
VEK_ZIP_AT(ZipCommandOld, FileSpecs, 132);
VEK_ZIP_LAYOUT(sizeof(ZipCommandOld) == 16520);
VEK_ZIP_LAYOUT(sizeof(UnzipItem) == 72);
VEK_ZIP_AT(UnzipCommandHead, Trace, 16);
VEK_ZIP_AT(UnzipCommandHead, ExtractDir, 20);
VEK_ZIP_AT(UnzipCommandHead, Password, 24);
VEK_ZIP_AT(UnzipCommandHead, Test, 28);
VEK_ZIP_AT(UnzipCommandHead, Verbose, 44);
VEK_ZIP_AT(UnzipCommandHead, Overwrite, 60);
VEK_ZIP_AT(UnzipCommandHead, ItemCount, 64);
VEK_ZIP_AT(UnzipCommandHead, ArchivePath, 68);
VEK_ZIP_AT(UnzipCommand, Items, 72);
VEK_ZIP_AT(UnzipCommand, IntoMemory, 80);
VEK_ZIP_AT(UnzipCommand, Buffer, 84);
VEK_ZIP_AT(UnzipCommand, BufferSize, 88);
VEK_ZIP_AT(UnzipCommand, PasswordReqCount, 104);
VEK_ZIP_AT(UnzipCommand, EndMarker, 144);
VEK_ZIP_LAYOUT(sizeof(UnzipCommand) == 148);
VEK_ZIP_AT(UnzipCommandOld, EndMarker, 72);
VEK_ZIP_AT(UnzipCommandOld, FileSpecs, 76);
VEK_ZIP_LAYOUT(sizeof(UnzipCommandOld) == 16464);
#undef VEK_ZIP_AT
#undef VEK_ZIP_LAYOUT
#endif

#ifdef __cplusplus
} /* extern "C" */
} /* namespace vek */
#endif

#endif
