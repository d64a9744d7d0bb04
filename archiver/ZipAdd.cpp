// Adding files to the archive through the zip engine.
#include "archiver/ZipMaster.h"

#include "archiver/EngineCommand.h"
#include "archiver/EngineLibrary.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace vek {
namespace {

bool IsExeName(const QString &archive)
{
    return QFileInfo(archive).suffix().toUpper() == QLatin1String("EXE");
}

} // namespace

int TZipMaster::AddFiles()
{
    // A second add asked for from an event handler while one runs leaves that one alone.
    if (zipBusy_)
        return 0;
    StartOperation();
    if (fSpecArgs_.isEmpty()) {
        ShowZipMessage(ZipMsg::NoFileSpecs);
        return 0;
    }
    if (zipFileName_.isEmpty()) {
        ShowZipMessage(ZipMsg::NoArchive);
        return 0;
    }
    if (unattended_ && addOptions_.testFlag(AddEncrypt) && password_.isEmpty()) {
        ShowZipMessage(ZipMsg::EncryptUnattended);
        return 0;
    }
    const bool spanning = addOptions_ & (AddDiskSpan | AddDiskSpanErase);
    if (spanning && (addOptions_ & (AddFreshen | AddUpdate))) {
        ShowZipMessage(ZipMsg::SpanFreshen);
        return 0;
    }
    if (spanning && IsExeName(zipFileName_)) {
        ShowZipMessage(ZipMsg::SpanExe);
        return 0;
    }
    // A new self-extractor gets its stub first; the entries follow it.
    bool stubWritten = false;
    if (IsExeName(zipFileName_) && !QFileInfo::exists(zipFileName_) && leadInSize_ == 0) {
        if (MakeSelfExtractor() != 0) {
            ShowZipMessage(ZipMsg::SfxStubFailed);
            return 0;
        }
        stubWritten = true;
    }
    EngineLibrary &engine = ZipEngineLibrary();
    const bool loadedHere = !engine.IsLoaded();
    if (!LoadEngine(engine)) {
        if (stubWritten)
            QFile::remove(zipFileName_);
        return 0;
    }

    zipBusy_ = true;
    cancel_ = false;
    int count = 0;
    // The engine writes a set, or a self-extractor (whose stub libzip would drop), into a
    // temporary archive first.
    const qint64 leadIn = spanning ? 0 : stubWritten ? QFileInfo(zipFileName_).size() : qint64(leadInSize_);
    std::optional<QTemporaryFile> temporary;
    try {
        QString archive = zipFileName_;
        if (spanning || leadIn > 0) {
            temporary.emplace(QDir(tempDir_.isEmpty() ? QDir::tempPath() : tempDir_).filePath(QStringLiteral("zipXXXXXX.zip")));
            if (!temporary->open())
                throw EZipMaster(ZipMsg::CannotCreate, QLatin1Char(' ') + temporary->fileTemplate());
            temporary->close();
            archive = temporary->fileName();
            if (spanning && verbose_)
                Report(QStringLiteral("Temporary zipfile: ") + archive);
        }
        if (leadIn > 0) {
            count = AddBehindLeadIn(engine, leadIn, archive, stubWritten);
        } else {
            EngineCommand command;
            count = RunEngine(engine, ZipCommandRecord(command, engine.version(), archive));
            if (spanning && count > 0 && WriteSpanned(archive, zipFileName_) != 0)
                count = 0;
        }
    } catch (...) {
        ReportFailure(std::current_exception(), ZipMsg::AddFailed);
        count = 0;
    }
    temporary.reset();
    if (stubWritten && count == 0)
        QFile::remove(zipFileName_); // a stub without entries is no archive
    fSpecArgs_.clear();
    fSpecArgsExcl_.clear();
    if (loadedHere)
        engine.Unload();
    cancel_ = false;
    zipBusy_ = false;
    successCnt_ = count;
    ShowEngineFailure();
    if (count > 0)
        ReadDirectory();
    return count;
}

int TZipMaster::AddBehindLeadIn(EngineLibrary &engine, qint64 leadIn, const QString &temporary, bool stubOnly)
{
    if (!stubOnly)
        CopyWithoutLeadIn(temporary);
    EngineCommand command;
    const int count = RunEngine(engine, ZipCommandRecord(command, engine.version(), temporary));
    if (count > 0)
        PutBehindLeadIn(leadIn, temporary);
    return count;
}

} // namespace vek
