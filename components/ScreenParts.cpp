#include "components/ScreenParts.h"

#include "components/Container.h"

#include <QApplication>
#include <QCursor>
#include <QPalette>

namespace vek {

void SetTextColour(QWidget *widget, const QColor &colour)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, colour);
    colours.setColor(QPalette::ButtonText, colour);
    colours.setColor(QPalette::Text, colour);
    widget->setPalette(colours);
}

TdxContainer *MakeBand(QWidget *parent, const QString &name, const QColor &colour, int height)
{
    auto *band = new TdxContainer(parent);
    band->setObjectName(name);
    band->SetColor(colour);
    band->setFixedHeight(height);
    return band;
}

HourGlass::HourGlass()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

HourGlass::~HourGlass()
{
    QApplication::restoreOverrideCursor();
}

} // namespace vek
