#include "app/GuardedApplication.h"
#include "app/Program.h"
#include "app/TerminationSignals.h"

int main(int argc, char **argv)
{
    vek::BlockTerminationSignals();
    vek::GuardedApplication app(argc, argv);
    return vek::RunProgram();
}
