#include "app/HintHandler.h"

#include <QApplication>
#include <QStatusTipEvent>
#include <QToolTip>
#include <QWidget>

namespace vek {

THintHandler::THintHandler(QObject *parent) : QObject(parent)
{
    QToolTip::setFont(QFont(QStringLiteral("바탕"), 9));
    QPalette colours = QToolTip::palette();
    colours.setColor(QPalette::ToolTipBase, QColor(0xFE, 0xFE, 0xF5));
    colours.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(colours);
    qApp->installEventFilter(this);
}

THintHandler::~THintHandler()
{
    qApp->removeEventFilter(this);
}

bool THintHandler::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::StatusTip)
        return QObject::eventFilter(watched, event);
    emit hintChanged(static_cast<QStatusTipEvent *>(event)->tip());
    return true;
}

} // namespace vek
