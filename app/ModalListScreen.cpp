#include "app/ModalListScreen.h"

#include "app/MainWindow.h"

#include <QKeyEvent>

namespace vek {

ModalListScreen::ModalListScreen(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    if (mainf)
        mainf->installEventFilter(this);
}

ModalListScreen::~ModalListScreen()
{
    if (mainf)
        mainf->removeEventFilter(this);
}

void ModalListScreen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void ModalListScreen::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (EscCloses())
            sCloseClick();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

bool ModalListScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mainf && event->type() == QEvent::Close && isVisible())
        done(QDialog::Rejected);
    return QDialog::eventFilter(watched, event);
}

void ModalListScreen::done(int result)
{
    if (!closed_) {
        closed_ = true;
        FormClose();
    }
    QDialog::done(result);
}

} // namespace vek
