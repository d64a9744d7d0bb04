#pragma once

#include <QString>

class QWidget;

namespace vek {

// Gives control its hint: the part before '|' shows in the hint window, the part after it
// (the whole hint when it has no '|') goes to the status bar.
void SetControlHint(QWidget *control, const QString &hint);

} // namespace vek
