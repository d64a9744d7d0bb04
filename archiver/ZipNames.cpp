#include "archiver/ZipNames.h"

#include "archiver/ZipRecords.h"
#include "core/Cp949Text.h"

#include <QStringDecoder>

namespace vek {
namespace {

constexpr quint8 UnixHost = 3;

QString Utf8OrCp949(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? FromCp949(bytes) : text;
}

} // namespace

QString ZipNameText(const QByteArray &bytes, const ZipDirHeader &header)
{
    if (header.Flags & FlagUtf8)
        return QString::fromUtf8(bytes);
    return header.HostSystem == UnixHost ? Utf8OrCp949(bytes) : FromCp949(bytes);
}

QString ArchiveCommentText(const QByteArray &bytes)
{
    return Utf8OrCp949(bytes);
}

} // namespace vek
