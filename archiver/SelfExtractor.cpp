// Self-extracting archives: a stub program, its settings block, then the archive.
#include "archiver/SelfExtractor.h"

#include "archiver/ArchiveCopy.h"
#include "components/ScreenParts.h"
#include "archiver/ModuleFolder.h"
#include "archiver/OpenArchive.h"
#include "core/Cp949Text.h"
#include "core/HomeFolder.h"

#include <QDir>
#include <QFileInfo>

namespace vek {
namespace {

const QString SelfExtractingArchive = QStringLiteral("a self-extracting archive");
const QString StubName = QStringLiteral("ZIPSFX.BIN");

constexpr CopyIds SfxIds{ZipMsg::SfxEntryCopy, ZipMsg::SfxEntryCopy,      ZipMsg::SfxEntryCopy,
                         ZipMsg::SfxEntryCopy, ZipMsg::SfxDirectoryWrite, ZipMsg::SfxEndWrite};

void CopyStub(const QString &stub, FileOutput &output)
{
    QFile file(stub);
    if (!file.open(QIODevice::ReadOnly))
        throw EZipMaster(ZipMsg::SfxStubCopy);
    while (!file.atEnd()) {
        const QByteArray block = file.read(CopyChunkSize);
        if (block.isEmpty())
            throw EZipMaster(ZipMsg::SfxStubCopy);
        output.Write(block, ZipMsg::SfxStubCopy);
    }
}

} // namespace

QByteArray SfxSettingsBlock(const QStringList &texts, SFXOpts options, OvrOpts overwriteMode)
{
    QByteArray body;
    body.append(char(options.toInt()));
    body.append(char(overwriteMode));
    for (const QString &text : texts) {
        const QByteArray bytes = ToCp949(text).left(SfxTextCapacity);
        body.append(char(bytes.size()));
        body.append(bytes);
    }
    QByteArray block("KZSX");
    AppendLe16(block, quint16(block.size() + 2 + body.size()));
    return block + body;
}

QString TZipMaster::FindStub() const
{
    QStringList candidates;
    if (!sfxPath_.isEmpty())
        candidates.append(InHomeFolder(sfxPath_));
    candidates.append(QDir(HomeFolder()).filePath(StubName));
    candidates.append(QDir(ModuleFolder()).filePath(StubName));
    if (!dllDirectory_.isEmpty())
        candidates.append(QDir(dllDirectory_).filePath(StubName));
    for (const QString &candidate : candidates)
        if (QFileInfo(candidate).isFile())
            return candidate;
    throw EZipMaster(ZipMsg::SfxStubMissing);
}

int TZipMaster::MakeSelfExtractor()
{
    const bool newArchive =
        zipFileName_.endsWith(QLatin1String(".EXE"), Qt::CaseInsensitive) && !QFileInfo::exists(zipFileName_);
    QString target;
    bool created = false;
    bool done = false;
    int result = 0;
    {
        HourGlass hourglass;
        try {
            const QStringList texts{sfxCaption_, sfxDefaultDir_, sfxCommandLine_, sfxMessage_};
            QStringList lengths;
            for (const QString &text : texts)
                lengths.append(QString::number(Cp949Width(text)));
            if (std::any_of(texts.begin(), texts.end(), [](const QString &t) { return Cp949Width(t) > SfxTextCapacity; }))
                throw EZipMaster(ZipMsg::SfxTextTooLong,
                                 QStringLiteral("\r\nSFXCaption + SFXDefaultDir + SFXCommandLine + SFXMessage = ")
                                     + lengths.join(QStringLiteral(" + ")));
            const QString stub = FindStub();
            std::optional<OpenArchive> source;
            std::vector<CentralRecord> records;
            if (newArchive) {
                target = zipFileName_;
            } else {
                if (!zipFileName_.endsWith(QLatin1String(".ZIP"), Qt::CaseInsensitive))
                    throw EZipMaster(ZipMsg::SfxNotZip);
                target = zipFileName_.chopped(4) + QStringLiteral(".exe");
                source = OpenForReading(zipFileName_);
                ReadCentral(*source, [&](CentralRecord &&record) { records.push_back(std::move(record)); });
                RefuseZip64(source->end, records, SelfExtractingArchive);
                if (EraseFile(target, howToDelete_) > 0)
                    throw EZipMaster(ZipMsg::CannotCreate);
            }
            FileOutput output(target);
            created = true;
            CopyStub(stub, output);
            output.Write(SfxSettingsBlock(texts, sfxOptions_, sfxOverWriteMode_), ZipMsg::SfxSettingsWrite);
            if (source)
                CopyArchive(*source->input, records, source->end.comment, output, SfxIds, SelfExtractingArchive, {});
            done = true;
        } catch (...) {
            result = ReportFailure(std::current_exception(), ZipMsg::OtherError);
        }
    }
    if (created && !done)
        QFile::remove(target);
    if (done && !newArchive)
        SetZipFileName(target);
    return result;
}

void TZipMaster::CopyWithoutLeadIn(const QString &target)
{
    OpenArchive source = OpenForReading(zipFileName_);
    std::vector<CentralRecord> records;
    ReadCentral(source, [&](CentralRecord &&record) { records.push_back(std::move(record)); });
    RefuseZip64(source.end, records, SelfExtractingArchive);
    FileOutput output(target);
    CopyArchive(*source.input, records, source.end.comment, output, SfxIds, SelfExtractingArchive, {});
}

void TZipMaster::PutBehindLeadIn(qint64 leadIn, const QString &source)
{
    QFile current(zipFileName_);
    if (!current.open(QIODevice::ReadOnly))
        throw EZipMaster(ZipMsg::CannotOpen);
    const QByteArray stub = current.read(leadIn);
    if (stub.size() != leadIn)
        throw EZipMaster(ZipMsg::SfxStubCopy);
    current.close();
    OpenArchive archive = OpenFile(source);
    std::vector<CentralRecord> records;
    ReadCentral(archive, [&](CentralRecord &&record) { records.push_back(std::move(record)); });
    RefuseZip64(archive.end, records, SelfExtractingArchive);
    FileOutput output(zipFileName_, true);
    output.Write(stub, ZipMsg::SfxStubCopy);
    CopyArchive(*archive.input, records, archive.end.comment, output, SfxIds, SelfExtractingArchive, {});
    output.Commit();
}

} // namespace vek
