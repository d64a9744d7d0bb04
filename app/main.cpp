#include "app/Program.h"
#include "app/TerminationSignals.h"

#include <QApplication>

int main(int argc, char **argv)
{
    vek::BlockTerminationSignals();
    QApplication app(argc, argv);
    return vek::RunProgram();
}
