#pragma once

#include "core/Dataset.h"

#include <QChar>
#include <QString>
#include <QVariantList>

#include <optional>

namespace vek {

// The rows one sheet of an export lists: the rows of one level under the keys of their
// parents, in ODRF order; labour rows ('M') never reach a line-item sheet. Keys left out
// are not compared: the line items of a work item without middle groups are all its 'S'
// rows, whatever their BCODE and SCODE.
struct GroupSelection {
    QChar level;                  // 'B' middle groups, 'F' small groups, 'S' line items
    int acode = 0;
    std::optional<int> bcode;
    std::optional<int> scode;

    // The select of exactly these rows, its keys bound in the order of values().
    QString sql() const;
    QVariantList values() const;
    // Whether the row at index row of all the rows set read is one of them.
    bool holds(const Dataset &set, int row) const;
};

// An export set (TpSlst, TpBfst, TpAfst) on the rows of one selection while this lives:
// the filter set, filtering switched on, then the set opened. The set reads only those
// rows (the selection as its select, keys bound): a large estimate is never read whole
// for one group. When this goes, also on failure, filtering is switched off, the set
// closed and its own select given back.
class SelectedRows {
public:
    SelectedRows(Dataset &set, const GroupSelection &selection);
    ~SelectedRows();
    SelectedRows(const SelectedRows &) = delete;
    SelectedRows &operator=(const SelectedRows &) = delete;

private:
    Dataset &set_;
    QString commandText_;
    QVariantList params_;
};

} // namespace vek
