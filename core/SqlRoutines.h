#pragma once

#include <QString>
#include <QVariantList>

namespace vek {

// Every ad-hoc statement of the screens runs through the data module's query sQTmp: a
// changing one with execute = true (then CommitWork), a query with execute = false, whose
// rows the caller reads from sQTmp (fields 0, 1, 2, ... of its current row). The values
// of the statement's '?' parameters are bound, never pasted into the text. Errors of the
// database pass to the caller as DatabaseError.
void RunTempSql(bool execute, const QString &sql, const QVariantList &params = {});

// Commits the working connection's transaction; on failure rolls it back and shows
// "처리실패!!", and the caller goes on. Inside a running command (WorkTransaction) the
// commit is left to the command's end.
void CommitWork();

// 0 when neither the middle-group list TBlst nor the small-group list TFlst is open, 1 when
// only TBlst is, 2 when both are: which parent keys new and shifted line items take.
int OpenListLevel();

// Deletes the breakdown rows of the key (i1, i2, i3), then CommitWork.
void DeleteDetailRows(int i1, int i2, int i3);

// Before a work item, middle group or small group (the current row of the deepest open
// list, the node) is deleted with its lower rows: deletes the breakdown rows of the
// unit-price items inside the node whose key no unit-price item outside the node uses.
void PurgeOrphanDetails();

// The open node: the work item, middle group or small group whose line items are listed,
// by OpenListLevel. Its keys ACODE, BCODE, SCODE as a new line item of it takes them
// (TAlst's ACODE; TBlst's BCODE from level 1, else 0; TFlst's SCODE at level 2, else 0).
QVariantList OpenNodeKeys();
// The clauses " and ACODE=?..." that select the line items of the open node's own list
// (not those of groups below it), and their values in order.
struct NodeFilter {
    QString clauses;
    QVariantList keys;
};
NodeFilter OpenNodeFilter();

// Moves the line items of the open node's own list with ODRF >= n (labour rows aside)
// one place down.
void ShiftItemOrder(int n);
// Moves the breakdown rows of the current line item's key with ODRF >= n one place down.
void ShiftDetailOrder(int n);

// The key of a new work item: 1 + the largest ACODE of the work items.
int NextWorkItemCode();
// The key of a new middle group of work item a: 1 + the largest BCODE among its B rows.
int NextMiddleGroupCode(int a);
// The key of a new small group of (a, b): 1 + the largest SCODE among its F rows.
int NextSmallGroupCode(int a, int b);

} // namespace vek
