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

    // The select of exactly these rows, its keys bound in the order of values(), with the
    // columns that the sheets and the display fields of their level read.
    QString sql() const;
    QVariantList values() const;
};

// An export set (TpSlst, TpBfst, TpAfst) on the rows of one selection while this lives.
// The sets of a large estimate are never read whole to be filtered on the client for each
// group: the selection is the set's select, so that it reads only its rows. When this
// goes, also on failure, the set is closed and gets its own select back.
class SelectedRows {
public:
    SelectedRows(Dataset &set, const GroupSelection &selection);
    // The set on sql with params.
    SelectedRows(Dataset &set, const QString &sql, const QVariantList &params);
    ~SelectedRows();
    SelectedRows(const SelectedRows &) = delete;
    SelectedRows &operator=(const SelectedRows &) = delete;

private:
    Dataset &set_;
    QString commandText_;
    QVariantList params_;
};

// The reads of an export in one transaction of connection, when none is open there: one
// snapshot of the estimate for the whole workbook, and no transaction of the engine's own
// for every select (each would be committed to the disk). Nothing is written; it is rolled
// back when this goes. A transaction already open is the reads' and stays as it is.
class ReadingTransaction {
public:
    explicit ReadingTransaction(WorkConnection *connection);
    ~ReadingTransaction();
    ReadingTransaction(const ReadingTransaction &) = delete;
    ReadingTransaction &operator=(const ReadingTransaction &) = delete;

private:
    WorkConnection *connection_;
    bool started_;
};

} // namespace vek
