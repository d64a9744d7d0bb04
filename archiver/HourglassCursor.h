#pragma once

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace vek {

// Shows the hourglass cursor while it lives, when the program has a screen.
class HourglassCursor {
public:
    HourglassCursor() : shown_(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (shown_)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~HourglassCursor()
    {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
    }
    HourglassCursor(const HourglassCursor &) = delete;
    HourglassCursor &operator=(const HourglassCursor &) = delete;

private:
    bool shown_;
};

} // namespace vek
