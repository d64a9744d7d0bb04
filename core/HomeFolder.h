#pragma once

#include <QString>

namespace vek {

// The folder that stands for "the program's folder" wherever the program writes (ini
// files, the working database, downloads): $VEK_HOME when set, else the per-user data
// folder; created when missing.
QString HomeFolder();
// The read-only assets installed with the program (template database, glyphs).
QString AssetFolder();

} // namespace vek
