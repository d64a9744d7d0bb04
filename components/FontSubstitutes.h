#pragma once

namespace vek {

// The screens ask for the fonts 굴림 and 바탕 by name; on Linux they are Nanum Gothic and
// Nanum Myeongjo (fonts-nanum); the backup dialog's "MS Sans Serif" is Nanum Gothic too, as
// its captions are Korean. Call once after the application object exists.
void InstallFontSubstitutes();

} // namespace vek
