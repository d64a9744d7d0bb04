#pragma once

#include <QObject>
#include <QStringList>

class QSocketNotifier;

namespace vek {

// Keeps the requests to end the program that arrive as signals (SIGTERM at logout, SIGINT,
// SIGHUP) from every handler of the process: the database engine would otherwise catch
// them and shut itself down under the running program. Call it first in main(), before any
// thread starts, so that every thread inherits it.
void BlockTerminationSignals();

// Starts program with arguments on its own, the signals blocked here open to it as usual.
// False when it cannot be started.
bool StartDetachedProgram(const QString &program, const QStringList &arguments);

// Hands the blocked requests to end the program to the GUI thread as a Qt signal, so that
// the program shuts down as if its window were closed.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested(int signal);

private:
    void ReadSignal();

    int descriptor_ = -1;
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace vek
