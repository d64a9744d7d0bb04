#include "app/GuardedApplication.h"

#include "core/MessageBoxes.h"

#include <exception>

namespace vek {

GuardedApplication::GuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    return DeliverGuarded([&] { return QApplication::notify(receiver, event); });
}

bool DeliverGuarded(const std::function<bool()> &deliver)
{
    QString text;
    try {
        return deliver();
    } catch (const std::exception &error) {
        text = QString::fromStdString(error.what());
    } catch (...) {
        text = QStringLiteral("알 수 없는 오류가 발생했습니다.");
    }
    qWarning("vek: an event handler failed: %s", qUtf8Printable(text));
    PresentMessage({MessageKind::Error, QApplication::applicationDisplayName(), text});
    return false;
}

} // namespace vek
