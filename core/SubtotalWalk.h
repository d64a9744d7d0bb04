#pragma once

#include "core/Currency.h"

#include <QString>

#include <vector>

namespace vek {

// Material, labour, expense and total amounts in fixed point.
struct RollupSums {
    Currency material;
    Currency labour;
    Currency expense;
    Currency total;
};

// The kind TAG of a subtotal row.
inline const QString SubtotalTag = QStringLiteral("T");

// One row of a list as the subtotal walk sees it: its kind TAG, its subtotal kind ICD1
// (1 소계, 2 계, 3 합계 on a subtotal row) and its stored amounts PCST12, LCST12, SCST12
// and CSTTAL.
struct SubtotalWalkRow {
    QString tag;
    int subtotalKind = 0;
    double material = 0;
    double labour = 0;
    double expense = 0;
    double total = 0;
};

enum class WalkTotals {
    // Line items: totals are not summed; a subtotal row's total is the sum of the three
    // amounts it takes.
    FromParts,
    // Group rows: totals are summed and taken like the three amounts.
    Summed,
};

// Round(Int(value / 10000) x 10000): the value truncated to whole units.
Currency WholeUnits(Currency value);

// material + labour + expense of sums, exactly; throws NumberError when the total leaves
// the fixed-point range, where the parts alone still fit.
Currency SumOfParts(const RollupSums &sums);

// acc := Round(column x 10000 + acc): the column joins the fixed-point sum unrounded and
// the sum is rounded once, ties to even. Throws NumberError past the 64-bit range.
Currency AddRounded(Currency acc, double column);

// Walks rows in order with three accumulator sets. A row that is not a subtotal row
// ('T') adds its amounts to all three. A subtotal row takes, by its kind, set 1 (소계),
// which then starts again from zero; set 2 (계), likewise; or set 3 (합계) truncated to
// whole units, which runs on to the end; a subtotal row of any other kind keeps its
// amounts. Returns set 3 as it stands after the last row: the sums of every row that is
// not a subtotal row.
RollupSums SubtotalWalk(std::vector<SubtotalWalkRow> &rows, WalkTotals totals);

} // namespace vek
