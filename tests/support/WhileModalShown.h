#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>

namespace vek {

// Runs step against the dialog that live names (a screen's global form variable) once its
// modal run has started, and closes it (reject) when the step left it open. Nothing runs
// when no dialog is there.
template <typename Dialog>
void WhileModalShown(Dialog *const &live, const std::function<void(Dialog &)> &step)
{
    QTimer::singleShot(0, [&live, step] {
        if (!live)
            return;
        step(*live);
        if (live && live->isVisible())
            live->reject();
    });
}

// Runs step against the modal window of class Dialog once it is up and visible (a window
// that loads behind a wait window while it is shown is then loaded); the step closes it.
template <typename Dialog>
void WhenModalShown(const std::function<void(Dialog *)> &step)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, step] {
        auto *shown = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!shown || !shown->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        step(shown);
    });
    poll->start(10);
}

} // namespace vek
