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

// Connects the entry points of the exports to export/: the work-item list's Excel button
// writes the whole estimate under the project name, named after the open document; the
// breakdown screen's slExl1 writes page 1's breakdown and its slExl2 the cost statement, the
// overview's slExl0 every breakdown, under the main window's project name.
void ConnectExports();

} // namespace vek
