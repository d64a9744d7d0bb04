#include "archiver/ModuleFolder.h"

#include <QFileInfo>

#include <dlfcn.h>

namespace vek {

QString ModuleFolder()
{
    static const char anchor = 0;
    Dl_info info;
    if (dladdr(&anchor, &info) == 0 || !info.dli_fname)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

} // namespace vek
