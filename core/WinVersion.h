#pragma once

namespace vek {

// The Windows version code. There is no Windows to ask here: always 0 ("anything else").
int GetWinVersion();
// True on Windows Vista or 7 only, so never here.
bool IsVistaOrSeven();

} // namespace vek
