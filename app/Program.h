#pragma once

#include <QString>

namespace vek {

// The application title, by which a second start finds the running program.
extern const QString ApplicationTitle;

// The program block: when the program already runs, tells the user, asks the running one
// to come to the front and returns at once, touching nothing; else creates the main window
// mainf and then the data module dMf and runs until the main window closes. Needs the
// QApplication; returns the exit code.
int RunProgram();

} // namespace vek
