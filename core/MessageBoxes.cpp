#include "core/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace vek {
namespace {

class QtMessagePresenter : public MessagePresenter {
public:
    bool present(const MessageRequest &request) override
    {
        if (request.kind == MessageKind::YesNoCancel)
            return choose(request) == MessageChoice::Yes;
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(request.caption);
        box.setText(request.text);
        switch (request.kind) {
        case MessageKind::Information: box.setIcon(QMessageBox::Information); break;
        case MessageKind::Confirmation: box.setIcon(QMessageBox::Question); break;
        case MessageKind::Warning: box.setIcon(QMessageBox::Warning); break;
        case MessageKind::Error: box.setIcon(QMessageBox::Critical); break;
        default: break;
        }
        if (request.kind == MessageKind::Confirmation) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            return box.exec() == QMessageBox::Yes;
        }
        if (request.kind == MessageKind::OkCancel) {
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            return box.exec() == QMessageBox::Ok;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return true;
    }

    MessageChoice choose(const MessageRequest &request) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(request.caption);
        box.setText(request.text);
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
        case QMessageBox::Yes: return MessageChoice::Yes;
        case QMessageBox::No: return MessageChoice::No;
        default: return MessageChoice::Cancel;
        }
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

MessageChoice ChooseMessage(const MessageRequest &request)
{
    return currentPresenter->choose(request);
}

void MessageBeep()
{
    currentPresenter->beep();
}

void ShowInfoMsg(const QString &text)
{
    PresentMessage({MessageKind::Information, QStringLiteral("Information"), text});
}

void ShowErrorMsg(const QString &text)
{
    PresentMessage({MessageKind::Error, QString(), text});
}

bool ConfirmYesNo(const QString &text)
{
    return PresentMessage({MessageKind::Confirmation, QStringLiteral("Confirm"), text});
}

} // namespace vek
