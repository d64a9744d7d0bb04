#pragma once

#include "components/Container.h"
#include "core/SubtotalWalk.h"

#include <QList>

#include <utility>

class QLabel;

namespace vek {

class TCurrencyEdit;

// The total bar under a list of the estimate: a caption, then the list's material, labour,
// expense and total sums in four read-only boxes in whole units (white bold 굴림 on the
// bar's colour, ",0.;-,0.", no border), standing under the grid columns whose amounts they
// sum, and the end mark "≪≫", which the owner keeps at its distance from the right edge.
class TTotalBar : public TdxContainer {
    Q_OBJECT
public:
    // The boxes stand side by side from boxesLeft, widths as given (material, labour,
    // expense, total).
    TTotalBar(const QString &caption, int boxesLeft, const QList<int> &boxWidths, QWidget *parent = nullptr);

    QLabel *Caption;
    TCurrencyEdit *LPCST11;
    TCurrencyEdit *LLCST11;
    TCurrencyEdit *LSCST11;
    TCurrencyEdit *LCSTTAL;
    QLabel *EndMark;

    // Puts each box (material, labour, expense, total) at its left edge and width, for a
    // list whose amount columns do not stand side by side.
    void PlaceBoxes(const QList<std::pair<int, int>> &places);
    // Each box := Int(sum / 10000) of its sum.
    void ShowSums(const RollupSums &sums);
    // What the four boxes show, as fixed-point sums.
    RollupSums Sums() const;
};

} // namespace vek
