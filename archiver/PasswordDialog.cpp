#include "archiver/PasswordDialog.h"

#include "archiver/ZipMessages.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace vek {
TPasswordDlg::TPasswordDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
{
    setWindowTitle(ZipMessageFallback());
    setFont(QFont(QStringLiteral("Arial"), 9, QFont::Bold));
    setFixedSize(344, 137);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    // The prompt (the first entry's or the confirmation's) and the buttons would show the
    // texts of their messages; the library has none, so they stay empty.
    Prompt = new QLabel(this);
    Prompt->setGeometry(20, 8, 297, 18);
    Edit = new QLineEdit(this);
    Edit->setGeometry(20, 40, 297, Edit->sizeHint().height());
    Edit->setEchoMode(QLineEdit::Password);
    Edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // '*'
    Edit->setMaxLength(80);
    OkButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QString(), this);
    OkButton->setGeometry(44, 72, 90, 28);
    OkButton->setDefault(true);
    CancelButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QString(), this);
    CancelButton->setGeometry(205, 72, 90, 28);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    Edit->setFocus();
}

QString TPasswordDlg::Ask()
{
    return exec() == QDialog::Accepted ? Edit->text() : QString();
}

} // namespace vek
