#pragma once

#include "core/Dataset.h"

#include <QPointer>
#include <QToolButton>
#include <QWidget>

namespace vek {

// The record navigator of the list screens: first, prior, next and last over a dataset,
// each button disabled where it could not move.
class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { nbFirst, nbPrior, nbNext, nbLast };

    explicit TDBNavigator(QWidget *parent = nullptr);

    void setDataset(Dataset *dataset);
    Dataset *dataset() const { return dataset_; }
    QToolButton *button(Button which) const { return buttons_[which]; }
    // Moves the dataset as the button does, posting an edit in progress first.
    void BtnClick(Button which);

private:
    void updateButtons();

    QPointer<Dataset> dataset_;
    QToolButton *buttons_[4];
};

} // namespace vek
