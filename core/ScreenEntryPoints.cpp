#include "core/ScreenEntryPoints.h"

namespace vek {

ScreenEntryPoints &EntryPoints()
{
    static ScreenEntryPoints entryPoints;
    return entryPoints;
}

MainWindowLink &MainWindowLinks()
{
    static MainWindowLink link;
    return link;
}

} // namespace vek
