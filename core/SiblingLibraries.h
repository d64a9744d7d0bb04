#pragma once

#include <QString>

namespace vek {

// The sibling libraries, each loaded for one call and unloaded afterwards. A library
// that cannot be loaded gives a short beep and a message naming its file; a library
// without the entry shows the loader's error text.

// Glyfpik's character picker; the chosen character comes back through the clipboard
// ("Non" when cancelled).
void ShowSpecialCharPicker();
// VekCalc's calculator.
void ShowCalculator();
// Newsleaf's page of the program's help folder on the maker's web server, along the
// right edge of the screen.
void ShowNoticePage(const QString &page);

} // namespace vek
