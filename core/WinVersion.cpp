#include "core/WinVersion.h"

namespace vek {

int GetWinVersion()
{
    return 0;
}

bool IsVistaOrSeven()
{
    const int version = GetWinVersion();
    return version == 14 || version == 15;
}

} // namespace vek
