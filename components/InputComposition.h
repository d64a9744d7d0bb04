#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

namespace vek {

// The syllable an input method is composing, program-wide. While the watch runs (the
// program starts it, and so does every grid), the syllable shown is committed into the
// widget that shows it before a mouse button, a wheel turn, a key or a shortcut acts on
// anything, and when the focus moves on. So no click, scroll, key or command of any screen
// loses a composing syllable, in a grid or in any text box; a command that moves on
// without user input calls Commit itself.
class InputComposition : public QObject {
    Q_OBJECT
public:
    // The composition shown, in within or one of its children when given; empty when none.
    static QString Shown(const QObject *within = nullptr);
    // Commits the composition shown (in within or one of its children when given) into the
    // widget that shows it. The input method is asked first (some commit on request, fcitx
    // commits what it shows when it is reset); when it does neither, the text shown is
    // committed here and the input method has been reset.
    static void Commit(const QObject *within = nullptr);

    // Starts the watch, once; needs the application object.
    static void Watch();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    InputComposition();
    static InputComposition *instance();
    bool shows(const QObject *within) const;
    void commit(const QObject *within);
    void focusMoved(QObject *focus);

    QPointer<QObject> owner_; // the focus object the composition is shown in
    QString preedit_;
    bool committing_ = false;
};

} // namespace vek
