#include "tests/support/TempHome.h"

#include <stdexcept>

namespace vek {

TempHome::TempHome()
    : previous_(qgetenv("VEK_HOME")), hadPrevious_(qEnvironmentVariableIsSet("VEK_HOME"))
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary home folder");
    qputenv("VEK_HOME", dir_.path().toUtf8());
}

TempHome::~TempHome()
{
    if (hadPrevious_)
        qputenv("VEK_HOME", previous_);
    else
        qunsetenv("VEK_HOME");
}

} // namespace vek
