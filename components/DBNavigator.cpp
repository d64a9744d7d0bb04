#include "components/DBNavigator.h"

#include "components/DatasetModel.h"

#include <QHBoxLayout>
#include <QPainter>

namespace vek {

namespace {

// A black triangle pointing left or right, with a bar at its tip for first and last.
QIcon NavigatorIcon(TDBNavigator::Button which)
{
    QPixmap picture(12, 12);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const bool left = which == TDBNavigator::nbFirst || which == TDBNavigator::nbPrior;
    const QPoint leftward[3] = {{8, 1}, {3, 6}, {8, 11}};
    const QPoint rightward[3] = {{4, 1}, {9, 6}, {4, 11}};
    painter.drawPolygon(left ? leftward : rightward, 3);
    if (which == TDBNavigator::nbFirst)
        painter.drawRect(1, 1, 1, 10);
    if (which == TDBNavigator::nbLast)
        painter.drawRect(10, 1, 1, 10);
    return QIcon(picture);
}

} // namespace

TDBNavigator::TDBNavigator(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (Button which : {nbFirst, nbPrior, nbNext, nbLast}) {
        buttons_[which] = new QToolButton(this);
        buttons_[which]->setIcon(NavigatorIcon(which));
        buttons_[which]->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(buttons_[which]);
        connect(buttons_[which], &QToolButton::clicked, this, [this, which] { BtnClick(which); });
    }
    updateButtons();
}

void TDBNavigator::setDataset(Dataset *dataset)
{
    if (dataset_)
        disconnect(dataset_, nullptr, this, nullptr);
    dataset_ = dataset;
    if (dataset_) {
        connect(dataset_, &Dataset::rowsReset, this, &TDBNavigator::updateButtons);
        connect(dataset_, &Dataset::currentChanged, this, &TDBNavigator::updateButtons);
    }
    updateButtons();
}

void TDBNavigator::BtnClick(Button which)
{
    if (!dataset_ || !dataset_->isActive() || !PostPendingEdit(*dataset_))
        return;
    switch (which) {
    case nbFirst:
        dataset_->first();
        break;
    case nbPrior:
        dataset_->prior();
        break;
    case nbNext:
        dataset_->next();
        break;
    case nbLast:
        dataset_->last();
        break;
    }
    updateButtons();
}

void TDBNavigator::updateButtons()
{
    const bool active = dataset_ && dataset_->isActive() && !dataset_->isEmpty();
    const bool atFirst = !active || dataset_->recNo() <= 0;
    const bool atLast = !active || dataset_->recNo() >= dataset_->recordCount() - 1;
    buttons_[nbFirst]->setEnabled(!atFirst);
    buttons_[nbPrior]->setEnabled(!atFirst);
    buttons_[nbNext]->setEnabled(!atLast);
    buttons_[nbLast]->setEnabled(!atLast);
}

} // namespace vek
