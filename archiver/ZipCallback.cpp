// The engine's callback: progress, messages, passwords and questions while it works.
#include "archiver/ZipMaster.h"

#include <QCoreApplication>

#include <cstring>

namespace vek {
namespace {

// The text at area: UTF-8, zero-terminated within capacity bytes.
QString ReadText(const char *area, std::size_t capacity)
{
    return QString::fromUtf8(area, qsizetype(strnlen(area, capacity)));
}

// Writes text into area as UTF-8 of at most maxBytes bytes, never cutting a letter, and
// zero-terminates it; the bytes written.
int WriteText(char *area, const QString &text, int maxBytes)
{
    QByteArray bytes = text.toUtf8();
    qsizetype length = std::min<qsizetype>(bytes.size(), maxBytes);
    while (length > 0 && length < bytes.size() && (quint8(bytes[length]) & 0xC0) == 0x80)
        --length;
    std::memcpy(area, bytes.constData(), std::size_t(length));
    area[length] = '\0';
    return int(length);
}

// Answers of the engine's text area: at most 511 bytes and the terminating zero.
constexpr int AnswerCapacity = int(sizeof(ZipCallbackRecord::Text)) - 1;
// A password answer holds at most 80 characters.
constexpr int PasswordAnswerLength = 80;

} // namespace

int32_t TZipMaster::DllCallback(ZipCallbackRecord *record)
{
    auto &zip = *static_cast<TZipMaster *>(record->Component);
    const bool asking = std::exchange(zip.inCallback_, true);
    try {
        zip.Answer(*record);
    } catch (...) {
        // Nothing may be thrown through the engine: the operation rethrows it.
        zip.callbackFailure_ = std::current_exception();
        zip.inCallback_ = asking;
        return -1;
    }
    zip.inCallback_ = asking;
    const bool cancel = zip.cancel_;
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    return cancel ? -1 : 0;
}

void TZipMaster::Answer(ZipCallbackRecord &record)
{
    QString forFile = ReadText(record.Text, sizeof record.Text);
    while (!forFile.isEmpty() && forFile.back() <= QLatin1Char(' '))
        forFile.chop(1);
    forFile.replace(QLatin1Char('/'), QLatin1Char('\\'));
    switch (record.Action) {
    case ZipActionNewFile: Progress(ProgressType::NewFile, forFile, record.Value2); break;
    case ZipActionProgress: Progress(ProgressType::ProgressUpdate, forFile, record.Value2); break;
    case ZipActionEndOfBatch: Progress(ProgressType::EndOfBatch, QString(), 0); break;
    case ZipActionMessage:
        message_ = forFile;
        if (record.Value1 != 0) {
            errCode_ = record.Value1 & 0xFF;
            fullErrCode_ = record.Value1;
            engineFailure_ = forFile;
        }
        if (OnMessage)
            OnMessage(*this, record.Value1, forFile);
        break;
    case ZipActionTotalFiles: Progress(ProgressType::TotalFilesToProcess, QString(), record.Value2); break;
    case ZipActionTotalSize:
        totalSize_ = record.Value2;
        Progress(ProgressType::TotalSizeToProcess, QString(), record.Value2);
        break;
    case ZipActionNewName:
        if (OnSetNewName) {
            QString name = forFile;
            bool changed = false;
            OnSetNewName(*this, name, changed);
            if (changed)
                WriteText(record.Text, name, AnswerCapacity);
            record.Value1 = changed ? 1 : 0;
        }
        break;
    case ZipActionPassword: AnswerPassword(record, forFile); break;
    case ZipActionCrcError: {
        if (!OnCRC32Error) {
            record.Value1 = 2;
            break;
        }
        bool doExtract = true;
        OnCRC32Error(*this, forFile, quint32(record.Value1), quint32(record.Value2), doExtract);
        record.Value1 = doExtract ? 1 : 0;
        break;
    }
    case ZipActionOverwrite:
        if (OnExtractOverwrite) {
            bool doOverwrite = record.Value2 != 0;
            OnExtractOverwrite(*this, forFile, record.Value1 & 1, doOverwrite);
            record.Value2 = doOverwrite ? 1 : 0;
        }
        break;
    case ZipActionSkipped:
        if (record.Value1 != 0) {
            errCode_ = record.Value1 & 0xFF;
            fullErrCode_ = record.Value1;
            if (engineFailure_.isEmpty())
                engineFailure_ = forFile;
        }
        if (OnExtractSkipped)
            OnExtractSkipped(*this, forFile, UnZipSkipTypes(record.Value2 & 0xFF), record.Value1);
        break;
    case ZipActionFileComment:
        if (OnFileComment) {
            QString comment = ReadText(record.Text + ZipCallbackCommentAt, sizeof record.Text - ZipCallbackCommentAt);
            bool changed = false;
            OnFileComment(*this, forFile, comment, changed);
            const int length = changed && !comment.isEmpty() ? WriteText(record.Text, comment, AnswerCapacity)
                                                             : WriteText(record.Text, QString(), 0);
            record.Value1 = changed ? 1 : 0;
            record.Value2 = length;
        }
        break;
    default: break;
    }
}

void TZipMaster::AnswerPassword(ZipCallbackRecord &record, const QString &forFile)
{
    unsigned repeatCount = unsigned(std::max(record.Value2, 0));
    QString answer;
    if (OnPasswordError)
        OnPasswordError(*this, answer, forFile, repeatCount);
    else
        answer = (record.Value1 & 1) ? GetAddPassword() : GetExtrPassword();
    if (answer.isEmpty()) {
        repeatCount = 0;
        record.Value1 = 0;
    } else {
        WriteText(record.Text, answer.left(PasswordAnswerLength), AnswerCapacity);
        record.Value1 = 1;
    }
    record.Value2 = int32_t(std::min(repeatCount, 15u));
}

} // namespace vek
