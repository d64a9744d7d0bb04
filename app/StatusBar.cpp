#include "app/StatusBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace vek {

TStatusBar::TStatusBar(const QList<Panel> &panels, QWidget *parent) : QFrame(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 2, 1, 1);
    layout->setSpacing(2);
    for (const Panel &panel : panels) {
        auto *label = new QLabel(panel.text, this);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(panel.alignment | Qt::AlignVCenter);
        if (panel.width > 0)
            label->setFixedWidth(panel.width);
        layout->addWidget(label, panel.width > 0 ? 0 : 1);
        labels_.append(label);
    }
}

QString TStatusBar::PanelText(int index) const
{
    return labels_.at(index)->text();
}

void TStatusBar::SetPanelText(int index, const QString &text)
{
    labels_.at(index)->setText(text);
}

void TStatusBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

} // namespace vek
