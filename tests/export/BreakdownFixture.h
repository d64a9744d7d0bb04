#pragma once

#include "core/Dataset.h"
#include "core/SubtotalWalk.h"
#include "core/WorkConnection.h"
#include "export/BreakdownSheet.h"

#include <QVariantHash>

namespace vek {

class Dataset;
class TdMf;
class TempDatabase;

// Breakdown rows and unit-price items as the breakdown screen and the overview see them.
namespace BreakdownFixture {

// One breakdown row ('X', ODRF order) of key (i1, i2, i3); values name the rest.
void AddRow(TempDatabase &db, int i1, int i2, int i3, int order, QVariantHash values);
// A unit-price item of work item 1 ('S', TAG 'D') using breakdown (i1, i2, i3).
void AddItem(TempDatabase &db, int i1, int i2, int i3, const QVariantHash &values);

// The breakdown of the footer case under key (i1, i2, i3): labour 4 x 25,000; material
// 1.5 x 3,333.3 with expense 7; supplied material 2 x 12,000 with labour 800; a labour
// rate row of 2 % in slot 1 over the first two rows, stored stale (its labour 999).
// Footer: 4,999 / 103,700 / 10 / 108,710, the rate row's labour 2,100.
void AddFooterBreakdown(TempDatabase &db, int i1, int i2, int i3);

// The overview list as the overview screen opens it.
Dataset &OpenOverviewList(TdMf &module);
// The breakdown of the current overview item in the data module's Tdtail as page 1 of the
// breakdown screen holds it: its rate rows repriced in the cache only, and the footer's
// values of its totals.
RollupSums OpenPageOne(TdMf &module);

// The overview's own set over SDTAIL as the overview screen holds it, on a connection of
// its own that is not attached yet.
struct OverviewRows {
    OverviewRows();
    WorkConnection connection{QStringLiteral("TreVewTdtail")};
    Dataset Tdtail{QStringLiteral("Tdtail"), &connection};
};

} // namespace BreakdownFixture
} // namespace vek
