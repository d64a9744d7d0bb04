#include "archiver/PartSet.h"

#include <QDir>
#include <QFileInfo>

namespace vek {
namespace {

constexpr int DigitCount = 3;

// The name's extension with its dot; empty when it has none.
QString ExtensionOf(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot);
}

} // namespace

PartSet::PartSet(const QString &archive)
{
    const QFileInfo info(archive);
    const QString name = info.fileName();
    extension_ = ExtensionOf(name);
    const QString base = name.left(name.size() - extension_.size());
    head_ = base.left(std::max<qsizetype>(0, base.size() - DigitCount));
    folder_ = info.absolutePath();
}

std::optional<PartSet> PartSet::OfPart(const QString &name)
{
    const QFileInfo info(name);
    const QString extension = ExtensionOf(info.fileName());
    const QString base = info.fileName().left(info.fileName().size() - extension.size());
    if (base.size() < DigitCount)
        return std::nullopt;
    for (qsizetype i = base.size() - DigitCount; i < base.size(); ++i)
        if (base[i] < QLatin1Char('0') || base[i] > QLatin1Char('9'))
            return std::nullopt;
    PartSet set;
    set.folder_ = info.absolutePath();
    set.head_ = base.left(base.size() - DigitCount);
    set.extension_ = extension;
    return set;
}

QString PartSet::Part(int disk) const
{
    const QString digits = QString::number(1001 + disk).right(DigitCount);
    return QDir(folder_).filePath(head_ + digits + extension_);
}

int PartSet::HighestPresent() const
{
    for (int disk = MaxParts - 1; disk >= 0; --disk)
        if (QFileInfo(Part(disk)).isFile())
            return disk;
    return -1;
}

} // namespace vek
