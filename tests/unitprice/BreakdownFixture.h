#pragma once

#include "tests/support/TempDatabase.h"
#include "unitprice/BreakdownList.h"

#include <QStringList>
#include <QVariantHash>

namespace vek {

// The breakdown the tests work on, and a second one that must stay untouched.
extern const BreakdownKey TestKey;
extern const BreakdownKey OtherKey;

// A unit-price item (ABFS 'S', TAG 'D') of key under work item acode at quantity: its
// name "대가" and unit prices 0.
void InsertUnitPriceItem(TempDatabase &db, const BreakdownKey &key, int acode, double quantity);
// A breakdown row of key (ABFS 'X', TAG 'N' unless values say otherwise) with values.
void InsertBreakdownRow(TempDatabase &db, const BreakdownKey &key, QVariantHash values);
// The names "r1".."rN" at ODRF 1..N of key, inserted last first.
void InsertNumberedRows(TempDatabase &db, const BreakdownKey &key, int count);
// TSlst on the first unit-price item of key, as the line-item screen leaves it while the
// breakdown screen is open.
void OpenItemOf(TempDatabase &db, const BreakdownKey &key);

// The breakdown's rows as the table holds them: "NAME@ODRF" in ODRF order.
QStringList StoredOrder(TempDatabase &db, const BreakdownKey &key);
// Every column of every row of NDTAIL, in RID order: what must not change.
QList<QVariantList> WholeTable(TempDatabase &db);

} // namespace vek
