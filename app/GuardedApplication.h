#pragma once

#include <QApplication>

#include <functional>

namespace vek {

// The program's application object. An exception that escapes an event handler ends at
// notify(): its text is shown in an error box and the program goes on, so that an
// unforeseen failure never ends the program with the estimate unsaved.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// Runs deliver, the delivery of one event. An exception it throws is shown in an error box
// with its text (and written to the log), and the event counts as not handled.
bool DeliverGuarded(const std::function<bool()> &deliver);

} // namespace vek
