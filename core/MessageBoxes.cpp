#include "core/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace vek {
namespace {

class QtMessagePresenter : public MessagePresenter {
public:
    bool present(const MessageRequest &request) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(request.caption);
        box.setText(request.text);
        switch (request.kind) {
        case MessageKind::Information: box.setIcon(QMessageBox::Information); break;
        case MessageKind::Confirmation: box.setIcon(QMessageBox::Question); break;
        case MessageKind::Warning: box.setIcon(QMessageBox::Warning); break;
        case MessageKind::Error: box.setIcon(QMessageBox::Critical); break;
        }
        if (request.kind == MessageKind::Confirmation) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            return box.exec() == QMessageBox::Yes;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return true;
    }
};

QtMessagePresenter qtPresenter;
MessagePresenter *currentPresenter = &qtPresenter;

} // namespace

void MessagePresenter::beep()
{
    QApplication::beep();
}

MessagePresenter *SetMessagePresenter(MessagePresenter *presenter)
{
    MessagePresenter *previous = currentPresenter;
    currentPresenter = presenter ? presenter : &qtPresenter;
    return previous;
}

bool PresentMessage(const MessageRequest &request)
{
    return currentPresenter->present(request);
}

void MessageBeep()
{
    currentPresenter->beep();
}

void ShowInfoMsg(const QString &text)
{
    PresentMessage({MessageKind::Information, QStringLiteral("Information"), text});
}

bool ConfirmYesNo(const QString &text)
{
    return PresentMessage({MessageKind::Confirmation, QStringLiteral("Confirm"), text});
}

} // namespace vek
