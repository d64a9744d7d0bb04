#pragma once

#include "core/RatePlace.h"
#include "tests/support/PlaceRows.h"
#include "tests/support/TempDatabase.h"
#include "unitprice/BreakdownList.h"

#include <QStringList>
#include <QVariantHash>

namespace vek {

// The breakdown the tests work on, and a second one that must stay untouched, as keys
// and as places of rows (AddPlaceRow).
extern const BreakdownKey TestKey;
extern const BreakdownKey OtherKey;
extern const RatePlace TestPlace;
extern const RatePlace OtherPlace;

// A unit-price item (ABFS 'S', TAG 'D') of key under work item acode at quantity: its
// name "대가" and unit prices 0.
void InsertUnitPriceItem(TempDatabase &db, const BreakdownKey &key, int acode, double quantity);
// The names "r1".."rN" at ODRF 1..N of key, inserted last first.
void InsertNumberedRows(TempDatabase &db, const BreakdownKey &key, int count);
// The footer example of TestKey: labour 4 x 25,000 and 1.5 x material 3,333.3 with
// expense 7, both covered by a slot-1 labour rate of 2 %; supplied material 2 x 12,000 with
// labour 800; and the rate row itself (ODRF 4). Its footer is 4,999 / 103,700 / 10 /
// 108,710, the rate row's labour price 2,100.
void InsertFooterExample(TempDatabase &db);
// TSlst on the first unit-price item of key, as the line-item screen leaves it while the
// breakdown screen is open.
void OpenItemOf(TempDatabase &db, const BreakdownKey &key);

// The breakdown's rows as the table holds them: "NAME@ODRF" in ODRF order.
QStringList StoredOrder(TempDatabase &db, const BreakdownKey &key);
// Every column of every row of NDTAIL, in RID order: what must not change.
QList<QVariantList> WholeTable(TempDatabase &db);

} // namespace vek
