#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <optional>

namespace vek {

// Answers the zip component's password dialogs while it lives: each one shown gets the
// next answer typed and OK pressed, or Cancel pressed for an answer of nothing. Counts
// the dialogs it saw.
class PasswordAnswerer : public QObject {
    Q_OBJECT
public:
    explicit PasswordAnswerer(QList<std::optional<QString>> answers);
    int Shown() const { return shown_; }

private:
    void Poll();

    QList<std::optional<QString>> answers_;
    QTimer timer_;
    int shown_ = 0;
};

} // namespace vek
