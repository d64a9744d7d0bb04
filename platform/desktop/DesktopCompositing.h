#pragma once

namespace vek {

// Whether the desktop composes windows, so that the clear pixels of a translucent window
// show what lies behind it: always under Wayland, under X11 while a compositing manager
// runs, never on a platform without a desktop.
bool DesktopComposes();

} // namespace vek
