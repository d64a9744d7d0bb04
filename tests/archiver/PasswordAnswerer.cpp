#include "tests/archiver/PasswordAnswerer.h"

#include "archiver/PasswordDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace vek {

PasswordAnswerer::PasswordAnswerer(QList<std::optional<QString>> answers) : answers_(std::move(answers))
{
    connect(&timer_, &QTimer::timeout, this, &PasswordAnswerer::Poll);
    timer_.start(10);
}

void PasswordAnswerer::Poll()
{
    auto *dialog = qobject_cast<TPasswordDlg *>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible())
        return;
    ++shown_;
    const std::optional<QString> answer = answers_.isEmpty() ? std::nullopt : answers_.takeFirst();
    if (answer) {
        QTest::keyClicks(dialog->Edit, *answer);
        dialog->OkButton->click();
    } else {
        dialog->CancelButton->click();
    }
}

} // namespace vek
