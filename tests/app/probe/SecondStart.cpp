// The program as a test starts it: every message box is printed as "caption|text" on one
// line of stdout and answered with OK, so that no box waits for a user.
#include "app/GuardedApplication.h"
#include "app/Program.h"
#include "app/TerminationSignals.h"
#include "core/MessageBoxes.h"

#include <cstdio>

namespace {

class PrintingPresenter : public vek::MessagePresenter {
public:
    bool present(const vek::MessageRequest &request) override
    {
        std::printf("%s|%s\n", request.caption.toUtf8().constData(), request.text.toUtf8().constData());
        std::fflush(stdout);
        return true;
    }
};

} // namespace

int main(int argc, char **argv)
{
    vek::BlockTerminationSignals();
    vek::GuardedApplication app(argc, argv);
    PrintingPresenter presenter;
    vek::SetMessagePresenter(&presenter);
    return vek::RunProgram();
}
