#pragma once

#include <QString>

namespace vek {

// The folder of the library (or program) the zip component is linked into: the backup
// library's folder, where the engine libraries and the self-extractor stub lie beside it.
QString ModuleFolder();

} // namespace vek
