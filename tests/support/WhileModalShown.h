#pragma once

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

} // namespace vek
