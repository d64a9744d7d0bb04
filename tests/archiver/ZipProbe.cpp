#include "tests/archiver/ZipProbe.h"

namespace vek {

ZipProbe::ZipProbe(TZipMaster &zipMaster) : zip(zipMaster)
{
    zip.OnMessage = [this](TZipMaster &sender, int errCode, const QString &message) {
        // Reports leave the last message alone; real messages set it just before.
        ids.append(errCode == 0 && sender.Message() == message ? sender.ErrCode() : 0);
        texts.append(message);
    };
    zip.OnDirUpdate = [this](TZipMaster &) { ++dirUpdates; };
}

QList<int> ZipProbe::MessageIds() const
{
    QList<int> result;
    for (int id : ids)
        if (id != 0)
            result.append(id);
    return result;
}

QStringList ListedNames(const TZipMaster &zip)
{
    QStringList names;
    for (int i = 0; i < zip.Count(); ++i)
        names.append(zip.DirEntry(i).FileName);
    return names;
}

} // namespace vek
