#include "components/ControlHint.h"

#include <QWidget>

namespace vek {

void SetControlHint(QWidget *control, const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    control->setToolTip(bar < 0 ? hint : hint.left(bar));
    control->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

} // namespace vek
