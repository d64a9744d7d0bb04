#pragma once

#include <QString>

namespace vek {

enum class MessageKind { Information, Confirmation, Warning, Error };

struct MessageRequest {
    MessageKind kind;
    QString caption;
    QString text;
};

// Every message box of the system goes through one presenter, so that tests can answer
// them without a screen. present() returns true for OK or Yes.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual bool present(const MessageRequest &request) = 0;
    // The system's short beep that goes with a failure; the Qt presenter sounds it.
    virtual void beep();
};

// Installs presenter (nullptr: the Qt message boxes) and returns the one it replaces.
MessagePresenter *SetMessagePresenter(MessagePresenter *presenter);
bool PresentMessage(const MessageRequest &request);

// The short beep, through the presenter.
void MessageBeep();

// A modal box with the information icon and an OK button.
void ShowInfoMsg(const QString &text);
// A modal box with the confirmation icon and Yes/No buttons; true when Yes is chosen.
bool ConfirmYesNo(const QString &text);

} // namespace vek
