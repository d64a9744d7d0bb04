// Command records: what crosses to the engine for an add and for an extract.
#include "archiver/EngineCommand.h"

#include "archiver/ZipMaster.h"

#include <QApplication>
#include <QStringList>

#include <limits>
#include <utility>

namespace vek {
namespace {

int32_t Flag(bool on)
{
    return on ? -1 : 0;
}

constexpr uint16_t Recursing = 0xFFFF;
// An item's own password turns encryption on with this value.
constexpr int32_t ItemEncrypts = 0xFFFF;
// Characters of the password sent to an old engine that would otherwise ask for one.
constexpr int FillerLength = 80;
constexpr char16_t FillerCharacter = 0x7F;

// The stored suffixes: "." + extension + ":" for each member in the enumeration's order,
// without the last ':'.
QString StoredSuffixText(AddStoreExts suffixes)
{
    static const std::pair<AddStoreSuffixEnum, const char *> extensions[] = {
        {assGIF, "gif"}, {assPNG, "png"}, {assZ, "z"},     {assZIP, "zip"}, {assZOO, "zoo"}, {assARC, "arc"},
        {assLZH, "lzh"}, {assARJ, "arj"}, {assTAZ, "taz"}, {assTGZ, "tgz"}, {assLHA, "lha"}, {assEXE, "exe"}};
    QStringList parts;
    for (const auto &[suffix, extension] : extensions)
        if (suffixes.testFlag(suffix))
            parts.append(QLatin1Char('.') + QLatin1String(extension));
    return parts.join(QLatin1Char(':'));
}

// The window the engine's questions belong to: the application's active one.
void *OwnerWindow()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) ? QApplication::activeWindow() : nullptr;
}

// A folder as the engine takes it: absolute, with a trailing separator.
QString EngineFolder(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// The fields that every command's head starts with.
template <typename Head>
void StartHead(Head &head, TZipMaster &zip, bool unattended, bool trace)
{
    head.OwnerWindow = unattended ? nullptr : OwnerWindow();
    head.Component = &zip;
    head.Version = ZipEngineVersion;
    head.Trace = Flag(trace);
}

// The old form of a command: its head, then the lines as they are, as many as it holds.
template <typename Old, typename Head>
Old *OldRecord(EngineCommand &command, const Head &head, const QStringList &lines)
{
    auto *old = command.New<Old>();
    old->Head = head;
    old->Head.ItemCount = int32_t(std::min<qsizetype>(lines.size(), ZipOldFileSpecs));
    for (int32_t i = 0; i < old->Head.ItemCount; ++i)
        old->FileSpecs[i] = command.Text(lines[i]);
    old->EndMarker = ZipRecordEnd;
    return old;
}

} // namespace

const char *EngineCommand::Text(const QString &text)
{
    texts_.push_back(text.toUtf8());
    return texts_.back().constData();
}

const char **EngineCommand::Texts(const QStringList &texts)
{
    const char **array = New<const char *>(std::size_t(std::max<qsizetype>(texts.size(), 1)));
    for (qsizetype i = 0; i < texts.size(); ++i)
        array[i] = Text(texts[i]);
    return array;
}

void *TZipMaster::ZipCommandRecord(EngineCommand &command, int version, const QString &archive)
{
    ZipCommandHead head{};
    StartHead(head, *this, unattended_, trace_);
    head.Callback = &TZipMaster::DllCallback;
    head.Password = command.OptionalText(password_);
    head.StoredSuffixes = command.OptionalText(StoredSuffixText(addStoreSuffixes_));
    head.Encrypt = Flag(addOptions_.testFlag(AddEncrypt));
    head.HiddenFiles = Flag(addOptions_.testFlag(AddHiddenFiles));
    head.Volume = Flag(addOptions_.testFlag(AddVolume));
    head.NoFolderEntries = Flag(!addOptions_.testFlag(AddSeparateDirs));
    head.Verbose = Flag(verbose_ || trace_);
    head.Constant56 = -1;
    head.Level = addCompLevel_;
    head.JunkFolderNames = Flag(!addOptions_.testFlag(AddDirNames));
    head.Recurse = addOptions_.testFlag(AddRecurseDirs) ? Recursing : 0;
    head.Constant80 = -1;
    head.ForceDos = Flag(addOptions_.testFlag(AddForceDOS));
    head.Move = Flag(addOptions_.testFlag(AddMove));
    head.Update = Flag(addOptions_.testFlag(AddUpdate));
    head.Freshen = Flag(addOptions_.testFlag(AddFreshen) && !addOptions_.testFlag(AddUpdate));
    head.LatestTime = Flag(addOptions_.testFlag(AddZipTime));
    head.ItemCount = int32_t(fSpecArgs_.size());
    head.ArchivePath = command.Text(archive);

    if (version <= ZipOldRecordMax)
        return OldRecord<ZipCommandOld>(command, head, fSpecArgs_);
    auto *zip = command.New<ZipCommand>();
    zip->Head = head;
    zip->TempDir = tempDir_.isEmpty() ? nullptr : command.Text(EngineFolder(tempDir_));
    if (version > ZipExclusionsAbove) {
        zip->Comment = command.OptionalText(zipComment_);
        zip->ExclusionCount = int32_t(fSpecArgsExcl_.size());
        zip->Exclusions = fSpecArgsExcl_.isEmpty() ? nullptr : command.Texts(fSpecArgsExcl_);
    }
    zip->ArchiveOnly = addOptions_.testFlag(AddArchiveOnly) ? 1 : 0;
    zip->ResetArchive = addOptions_.testFlag(AddResetArchive) ? 1 : 0;
    const QString root = EngineFolder(InHomeFolder(rootDir_));
    auto *items = command.New<ZipItem>(std::size_t(std::max<qsizetype>(fSpecArgs_.size(), 1)));
    for (qsizetype i = 0; i < fSpecArgs_.size(); ++i) {
        QString spec = fSpecArgs_[i];
        ZipItem &item = items[i];
        item.Recurse = head.Recurse;
        if (spec.startsWith(QLatin1Char('>')) || spec.startsWith(QLatin1Char('|'))) {
            item.Recurse = spec.front() == QLatin1Char('>') ? Recursing : 0;
            spec.remove(0, 1);
        }
        item.Password = command.OptionalText(password_);
        item.Encrypt = head.Encrypt;
        const qsizetype own = spec.indexOf(QLatin1Char('<'));
        if (own >= 0) {
            const QString itemPassword = spec.mid(own + 1);
            spec.truncate(own);
            item.Password = command.OptionalText(itemPassword);
            item.Encrypt = itemPassword.isEmpty() ? 0 : ItemEncrypts;
        }
        item.FileSpec = command.Text(spec);
        item.RootDir = command.Text(root);
    }
    zip->Items = items;
    zip->EndMarker = ZipRecordEnd;
    return zip;
}

void *TZipMaster::UnzipCommandRecord(EngineCommand &command, int version, const QString &archive,
                                     const QString &folder, bool intoMemory)
{
    UnzipCommandHead head{};
    StartHead(head, *this, unattended_, trace_);
    head.Callback = &TZipMaster::DllCallback;
    head.ExtractDir = command.Text(EngineFolder(folder));
    const bool filler = version < ZipEngineVersion && unattended_ && addOptions_.testFlag(AddEncrypt)
        && password_.isEmpty();
    head.Password = filler ? command.Text(QString(FillerLength, QChar(FillerCharacter))) : command.OptionalText(password_);
    head.Test = Flag(extrOptions_.testFlag(ExtrTest));
    head.Constant40 = -1;
    head.Verbose = Flag(verbose_ || trace_);
    head.Update = Flag(extrOptions_.testFlag(ExtrUpdate));
    head.Freshen = Flag(extrOptions_.testFlag(ExtrFreshen) && !extrOptions_.testFlag(ExtrUpdate));
    head.FolderNames = Flag(extrOptions_.testFlag(ExtrDirNames));
    head.Overwrite = Flag(extrOptions_.testFlag(ExtrOverWrite));
    head.ItemCount = int32_t(fSpecArgs_.size());
    head.ArchivePath = command.Text(archive);

    if (version <= UnzipOldRecordMax)
        return OldRecord<UnzipCommandOld>(command, head, fSpecArgs_);
    auto *unzip = command.New<UnzipCommand>();
    unzip->Head = head;
    auto *items = command.New<UnzipItem>(std::size_t(std::max<qsizetype>(fSpecArgs_.size(), 1)));
    for (qsizetype i = 0; i < fSpecArgs_.size(); ++i)
        items[i].FileSpec = command.Text(fSpecArgs_[i]);
    if (intoMemory) {
        unzip->IntoMemory = -1;
        unzip->Head.ItemCount = 1;
        const QString wanted = QString(fSpecArgs_.value(0)).replace(QLatin1Char('/'), QLatin1Char('\\'));
        const auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const ZipDirEntry &e) {
            return e.FileName.compare(wanted, Qt::CaseInsensitive) == 0;
        });
        if (entry != entries_.end() && entry->UncompressedSize <= quint64(std::numeric_limits<int32_t>::max())) {
            zipStream_.SetSize(qint64(entry->UncompressedSize));
            unzip->Buffer = zipStream_.Memory();
            unzip->BufferSize = int32_t(entry->UncompressedSize);
            items[0].FileSpec = command.Text(entry->FileName);
        }
    }
    if (version >= ZipEngineVersion)
        unzip->PasswordReqCount = int32_t(passwordReqCount_);
    unzip->Items = items;
    unzip->EndMarker = ZipRecordEnd;
    return unzip;
}

} // namespace vek
