#include "components/InputComposition.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>

namespace vek {

namespace {

QPointer<InputComposition> Watcher;

// A key that acts: anything but a modifier pressed alone.
bool Acts(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
        return false;
    default:
        return true;
    }
}

} // namespace

InputComposition::InputComposition() : QObject(QCoreApplication::instance())
{
    QCoreApplication::instance()->installEventFilter(this);
    if (auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::focusObjectChanged, this, &InputComposition::focusMoved);
}

void InputComposition::Watch()
{
    if (!Watcher && QCoreApplication::instance())
        Watcher = new InputComposition;
}

InputComposition *InputComposition::instance()
{
    return Watcher.data();
}

QString InputComposition::Shown(const QObject *within)
{
    const InputComposition *watch = instance();
    return watch && watch->shows(within) ? watch->preedit_ : QString();
}

void InputComposition::Commit(const QObject *within)
{
    if (InputComposition *watch = instance())
        watch->commit(within);
}

bool InputComposition::shows(const QObject *within) const
{
    if (preedit_.isEmpty() || !owner_)
        return false;
    for (const QObject *object = owner_; object; object = object->parent())
        if (!within || object == within)
            return true;
    return false;
}

void InputComposition::commit(const QObject *within)
{
    if (committing_ || !shows(within))
        return;
    QScopedValueRollback<bool> committing(committing_, true);
    QInputMethod *inputMethod = QGuiApplication::inputMethod();
    if (owner_ == QGuiApplication::focusObject()) {
        inputMethod->commit();
        if (!preedit_.isEmpty())
            inputMethod->reset();
    }
    if (preedit_.isEmpty() || !owner_)
        return;
    // The input method dropped what it showed, or never composed it: it goes in all the same.
    QInputMethodEvent event;
    event.setCommitString(preedit_);
    preedit_.clear();
    QCoreApplication::sendEvent(owner_, &event);
}

void InputComposition::focusMoved(QObject *focus)
{
    // The input method commits to the widget left behind, or drops what it composed there.
    if (owner_ != focus)
        commit(owner_);
    owner_ = focus;
    preedit_.clear();
}

bool InputComposition::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::InputMethod:
        if (watched == QGuiApplication::focusObject() || (watched == owner_ && owner_)) {
            owner_ = watched;
            preedit_ = static_cast<QInputMethodEvent *>(event)->preeditString();
        }
        break;
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        if (Acts(*static_cast<QKeyEvent *>(event)))
            commit(nullptr);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        commit(nullptr);
        break;
    default:
        break;
    }
    return false;
}

} // namespace vek
