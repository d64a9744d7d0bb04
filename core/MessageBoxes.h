#pragma once

#include <QString>

namespace vek {

// What a box shows and asks: Information, Warning and Error show their icon and OK;
// Confirmation asks Yes/No with the question icon; Plain shows OK without an icon;
// OkCancel asks OK/Cancel without an icon; YesNoCancel asks with the exclamation icon and
// No as the default button, and is answered through ChooseMessage().
enum class MessageKind { Information, Confirmation, Warning, Error, Plain, OkCancel, YesNoCancel };

// The answer to a question that can also be cancelled.
enum class MessageChoice { Yes, No, Cancel };

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
    // A question with Yes, No and Cancel. A presenter that knows no Cancel answers it as
    // the Yes/No question present() gives.
    virtual MessageChoice choose(const MessageRequest &request)
    {
        return present(request) ? MessageChoice::Yes : MessageChoice::No;
    }
};

// Installs presenter (nullptr: the Qt message boxes) and returns the one it replaces.
MessagePresenter *SetMessagePresenter(MessagePresenter *presenter);
bool PresentMessage(const MessageRequest &request);
MessageChoice ChooseMessage(const MessageRequest &request);

// The short beep, through the presenter.
void MessageBeep();

// A modal box with the information icon and an OK button.
void ShowInfoMsg(const QString &text);
// A modal box with the error icon and an OK button: a failure the user must see.
void ShowErrorMsg(const QString &text);
// A modal box with the confirmation icon and Yes/No buttons; true when Yes is chosen.
bool ConfirmYesNo(const QString &text);

} // namespace vek
