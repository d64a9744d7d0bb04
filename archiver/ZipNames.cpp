#include "archiver/ZipNames.h"

#include "archiver/ZipRecords.h"
#include "core/Cp949Text.h"

#include <QStringDecoder>

namespace vek {
namespace {

constexpr quint8 UnixHost = 3;

} // namespace

QString ZipNameText(const QByteArray &bytes, const ZipDirHeader &header)
{
    if (header.Flags & FlagUtf8)
        return QString::fromUtf8(bytes);
    if (header.HostSystem == UnixHost) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(bytes);
        if (!utf8.hasError())
            return text;
    }
    return FromCp949(bytes);
}

} // namespace vek
