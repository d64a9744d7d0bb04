#include "components/ModalResult.h"

#include <QDialog>
#include <QPointer>

namespace vek {

void ClickWithModalResult(QWidget &widget, int result, const std::function<void()> &click)
{
    QPointer<QDialog> dialog = qobject_cast<QDialog *>(widget.window());
    if (dialog)
        dialog->setResult(result);
    click();
    if (dialog && dialog->isVisible() && dialog->isModal() && dialog->result() != 0)
        dialog->done(dialog->result());
}

} // namespace vek
