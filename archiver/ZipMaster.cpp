#include "archiver/ZipMaster.h"

#include "archiver/PasswordDialog.h"
#include "archiver/ZipRecords.h"
#include "core/Cp949Text.h"
#include "core/HomeFolder.h"
#include "core/MessageBoxes.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <new>

namespace vek {

TZipMaster::TZipMaster() = default;
TZipMaster::~TZipMaster() = default;

void TZipMaster::SetZipFileName(const QString &name)
{
    zipFileName_ = name;
    ReadDirectory();
}

void TZipMaster::SetDLLDirectory(const QString &folder)
{
    dllDirectory_ = folder;
    if (dllDirectory_.endsWith(QLatin1Char('/')) || dllDirectory_.endsWith(QLatin1Char('\\')))
        dllDirectory_.chop(1);
}

void TZipMaster::SetPassword(const QString &password)
{
    password_ = Cp949Left(password, 255);
}

void TZipMaster::SetRootDir(const QString &folder)
{
    rootDir_ = folder;
    if (!rootDir_.isEmpty() && !rootDir_.endsWith(QLatin1Char('/')) && !rootDir_.endsWith(QLatin1Char('\\')))
        rootDir_ += QLatin1Char('/');
}

QString TZipMaster::InHomeFolder(const QString &folder)
{
    return QDir::cleanPath(QDir(HomeFolder()).filePath(folder));
}

QString TZipMaster::GetAddPassword()
{
    if (unattended_) {
        ShowZipMessage(ZipMsg::PasswordUnattendedAdd);
        return QString();
    }
    const QString first = TPasswordDlg().Ask();
    if (first.isEmpty())
        return QString();
    if (TPasswordDlg().Ask() != first) {
        ShowZipMessage(ZipMsg::PasswordsDiffer);
        return QString();
    }
    if (!inCallback_)
        SetPassword(first);
    return first;
}

QString TZipMaster::GetExtrPassword()
{
    if (unattended_) {
        ShowZipMessage(ZipMsg::PasswordUnattendedExtract);
        return QString();
    }
    const QString answer = TPasswordDlg().Ask();
    if (!answer.isEmpty() && !inCallback_)
        SetPassword(answer);
    return answer;
}

void TZipMaster::StartOperation()
{
    successCnt_ = 0;
    totalSize_ = 0;
    errCode_ = 0;
    fullErrCode_ = 0;
    engineFailure_.clear();
}

void TZipMaster::ShowEngineFailure()
{
    if (!engineFailure_.isEmpty() && !unattended_)
        PresentMessage({MessageKind::Plain, QGuiApplication::applicationDisplayName(), engineFailure_});
}

void TZipMaster::ShowZipMessage(int id, const QString &extra)
{
    ShowExceptMessage(EZipMaster(id, extra));
}

void TZipMaster::ShowExceptMessage(const EZipMaster &error)
{
    message_ = error.Message();
    errCode_ = error.Id();
    if (!unattended_ && error.Display())
        PresentMessage({MessageKind::Plain, QGuiApplication::applicationDisplayName(), message_});
    if (OnMessage)
        OnMessage(*this, 0, message_);
}

int TZipMaster::ReportFailure(std::exception_ptr failure, int otherId)
{
    try {
        std::rethrow_exception(failure);
    } catch (const EZipMaster &error) {
        ShowExceptMessage(error);
        return -7;
    } catch (const std::bad_alloc &) {
        ShowZipMessage(ZipMsg::OutOfMemory);
        return -8;
    } catch (const std::exception &error) {
        ShowZipMessage(otherId, QLatin1Char('\n') + QString::fromUtf8(error.what()));
        return -9;
    } catch (...) {
        ShowZipMessage(otherId);
        return -9;
    }
}

void TZipMaster::Progress(ProgressType type, const QString &fileName, qint64 size)
{
    if (OnProgress)
        OnProgress(*this, type, fileName, size);
}

void TZipMaster::Report(const QString &text)
{
    if (OnMessage)
        OnMessage(*this, 0, text);
}

void TZipMaster::RequestDisk(int disk, int total, bool lastWanted, const QString &folder)
{
    if (unattended_)
        throw EZipMaster(ZipMsg::UnattendedDisk);
    bool abort = false;
    if (OnGetNextDisk) {
        OnGetNextDisk(*this, disk + 1, total, folder, abort);
    } else {
        QString prompt = lastWanted ? ZipPromptText(ZipMsg::InsertLastDisk)
            : total > 0 ? ZipPromptText(ZipMsg::InsertDiskOf, QString::number(disk + 1), QString::number(total))
                        : ZipPromptText(ZipMsg::InsertDisk, QString::number(disk + 1));
        prompt += ZipPromptText(ZipMsg::InDrive, folder);
        abort = !PresentMessage({MessageKind::OkCancel, QGuiApplication::applicationDisplayName(), prompt});
    }
    if (abort)
        throw EZipMaster(ZipMsg::Aborted);
}

TZipDiskAction TZipMaster::AskOverwrite(int disk, const QString &file, bool previousDisk)
{
    TZipDiskAction action = TZipDiskAction::Reject;
    if (OnStatusDisk) {
        OnStatusDisk(*this, disk + 1, file,
                     previousDisk ? TZipDiskStatus::PreviousDisk : TZipDiskStatus::PreviousFile, action);
        return action;
    }
    if (unattended_)
        throw EZipMaster(ZipMsg::UnattendedDisk);
    const QString question = previousDisk ? ZipPromptText(ZipMsg::OverwriteDisk, QString::number(disk + 1))
                                          : ZipPromptText(ZipMsg::OverwriteFile, file);
    switch (ChooseMessage({MessageKind::YesNoCancel, QStringLiteral("Confirm"), question})) {
    case MessageChoice::Yes: return TZipDiskAction::Ok;
    case MessageChoice::No: return TZipDiskAction::Reject;
    case MessageChoice::Cancel: break;
    }
    return TZipDiskAction::Cancel;
}

bool TZipMaster::ReportNoSpace(int disk, const QString &folder)
{
    if (OnStatusDisk) {
        TZipDiskAction action = TZipDiskAction::Reject;
        OnStatusDisk(*this, disk + 1, folder, TZipDiskStatus::NotEnoughSpace, action);
        return action == TZipDiskAction::Cancel;
    }
    ShowZipMessage(ZipMsg::NotEnoughSpace);
    return false;
}

int TZipMaster::EraseFile(const QString &fileName, DeleteOpts how) const
{
    const QString path = InHomeFolder(fileName);
    if (fileName.isEmpty() || !QFileInfo(path).isFile())
        return -1;
    const bool erased = how == htdAllowUndo ? QFile::moveToTrash(path) : QFile::remove(path);
    return erased ? 0 : 1;
}

} // namespace vek
