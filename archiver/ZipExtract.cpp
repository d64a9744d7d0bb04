// Extracting entries from the archive through the zip engine, into files or into memory.
#include "archiver/ZipMaster.h"

#include "archiver/EngineCommand.h"
#include "archiver/EngineLibrary.h"

#include <QFileInfo>

namespace vek {

int TZipMaster::ExtractFiles()
{
    return Extract(false);
}

TZipStream &TZipMaster::ExtractFileToStream(const QString &fileName)
{
    if (unzBusy_)
        return zipStream_;
    fSpecArgs_ = QStringList{fileName};
    zipStream_.Clear();
    Extract(true);
    return zipStream_;
}

int TZipMaster::Extract(bool intoMemory)
{
    // A second extract asked for from an event handler while one runs leaves that one alone.
    if (unzBusy_)
        return 0;
    StartOperation();
    if (zipFileName_.isEmpty()
        || (!QFileInfo(zipFileName_).isFile() && PartSet(zipFileName_).HighestPresent() < 0)) {
        ShowZipMessage(ZipMsg::NoArchive);
        return 0;
    }
    const unsigned passwordReqCount = passwordReqCount_;
    if (unattended_ && password_.isEmpty() && !OnPasswordError) {
        ShowZipMessage(ZipMsg::ExtractUnattended);
        passwordReqCount_ = 0;
    }
    unzBusy_ = true;
    cancel_ = false;
    EngineLibrary &engine = UnzipEngineLibrary();
    const bool loadedHere = !engine.IsLoaded();
    int count = 0;
    QString joined;
    if (LoadEngine(engine)) {
        try {
            const QString folder = InHomeFolder(extrBaseDir_);
            const int version = engine.version();
            if (!intoMemory && !extrOptions_.testFlag(ExtrTest) && !QFileInfo(folder).isDir())
                ShowZipMessage(ZipMsg::ExtractFailed, QLatin1Char(' ') + folder);
            else if (intoMemory && version < ZipEngineVersion)
                ShowZipMessage(ZipMsg::EngineTooOld);
            else if (!IsSpanned() || ReadSpanned(zipFileName_, joined) == 0) {
                EngineCommand command;
                const QString archive = joined.isEmpty() ? zipFileName_ : joined;
                count = RunEngine(engine, UnzipCommandRecord(command, version, archive, folder, intoMemory));
            }
        } catch (...) {
            ReportFailure(std::current_exception(), ZipMsg::ExtractFailed);
            count = 0;
        }
        fSpecArgs_.clear();
        if (loadedHere)
            engine.Unload();
    }
    if (!joined.isEmpty())
        QFile::remove(joined);
    if (intoMemory && count != 1)
        zipStream_.Clear();
    passwordReqCount_ = passwordReqCount;
    cancel_ = false;
    unzBusy_ = false;
    successCnt_ = count;
    ShowEngineFailure();
    return count;
}

} // namespace vek
