#pragma once

namespace vek {

// Qt's own texts (the buttons of message boxes, the file dialogs) in Korean, like every
// other text of the program, whatever language the desktop runs in. Returns false when
// the translation is not installed; the texts then stay English.
bool InstallQtTranslations();

} // namespace vek
