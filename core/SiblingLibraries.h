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
// Newsleaf's page at address in the given place on the screen.
void ShowLeafNote(int top, int left, int height, int width, const QString &address);
// Infopane's about box with its two texts; a short beep sounds whether it loads or not.
void ShowAboutBox(const QString &changed, const QString &project);

} // namespace vek
