#include "app/TerminationSignals.h"

#include <QProcess>
#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace vek {
namespace {

sigset_t TerminationSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&set, signal);
    return set;
}

} // namespace

void BlockTerminationSignals()
{
    const sigset_t set = TerminationSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

bool StartDetachedProgram(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    // A started program keeps the signal mask of the one that started it.
    process.setChildProcessModifier([] {
        const sigset_t set = TerminationSet();
        pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    });
    return process.startDetached();
}

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    const sigset_t set = TerminationSet();
    descriptor_ = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (descriptor_ < 0)
        return;
    notifier_ = new QSocketNotifier(descriptor_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::ReadSignal);
}

TerminationSignals::~TerminationSignals()
{
    delete notifier_;
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

void TerminationSignals::ReadSignal()
{
    signalfd_siginfo info;
    while (::read(descriptor_, &info, sizeof info) == sizeof info)
        emit terminationRequested(int(info.ssi_signo));
}

} // namespace vek
