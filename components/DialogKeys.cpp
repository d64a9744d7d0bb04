#include "components/DialogKeys.h"

#include <QPushButton>

namespace vek {
namespace {

const char *const CancelProperty = "vekCancelButton";

} // namespace

bool OfferDialogKey(QWidget &from, int key)
{
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!enter && key != Qt::Key_Escape)
        return false;
    const QList<QAbstractButton *> buttons = from.window()->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons) {
        const auto *push = qobject_cast<QPushButton *>(button);
        const bool acts = enter ? push && push->isDefault() : button->property(CancelProperty).toBool();
        if (acts && button->isVisible() && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return false;
}

void MarkCancelButton(QAbstractButton &button)
{
    button.setProperty(CancelProperty, true);
}

} // namespace vek
