#pragma once

#include <QString>

namespace vek {

// The folder that stands for "the program's folder" wherever the program writes (ini
// files, the working database, downloads, the registry store): $VEK_HOME when set, else
// "KavroSft/VekWFree" in the per-user data folder, for the program and its backup library
// alike, whatever the running application is called; created when missing.
QString HomeFolder();
// The read-only assets installed with the program (template database, glyphs): the
// build tree's output while the program runs from the build tree, else the install
// prefix's data folder.
QString AssetFolder();

} // namespace vek
