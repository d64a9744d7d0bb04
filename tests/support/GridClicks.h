#pragma once

class QAbstractItemView;
class QModelIndex;

namespace vek {

// A double click on the cell at index as the mouse makes it: press, release, double click,
// release.
void DoubleClickCell(QAbstractItemView *view, const QModelIndex &index);

} // namespace vek
