#pragma once

#include "core/SubtotalWalk.h"

#include <QVariantList>

namespace vek {

class Dataset;

// The nine sums of a rate row of slot n (1-4) over the rows of table that carry its three
// rates PRTn, LRTn, SRTn (bound, in that order): each rate times quantity x material,
// labour and expense unit price. Further clauses and their values follow it.
QString RateSumsSql(const QString &table, int n);

// The unit prices of a rate row: what its rates take of the full amounts of the rows it
// covers, each put whole into the column of the rate's kind.
struct RatePrices {
    double material = 0;
    double labour = 0;
    double expense = 0;
};
// The prices of the rate row rateRow (its slot NORT 1-4 and its rates) over the rows of
// table that RateSumsSql picks and members (clauses, with the values keys) narrows: each
// the Int of the sum of three of the nine sums, through the fixed-point value (a rate of
// 29 % over 100 gives 29); empty sums count 0. Reads through the scratch query.
RatePrices RateRowPrices(const QString &table, const Dataset &rateRow, const QString &members,
                         const QVariantList &keys);
// The rate row at the current row of rows priced as RateRowPrices says and posted with
// quantity 1, those unit prices and amounts equal to them, the total their sum. A row
// without a slot 1-4 has no base and stays as it is.
void RepriceRateRow(Dataset &rows, const QString &table, const QString &members, const QVariantList &keys);

// The database side of the roll-ups. Each routine walks one list of NDTAIL through the
// data module's scratch cursor in ODRF order, rewrites the list's subtotal rows as it
// passes and returns the list's sums, truncated to whole units, for the caller to store
// in the parent row. Each is one command: it commits once at its end (or leaves the
// commit to a command it runs inside) and rolls back whole when a statement fails.

// The line items of group (A, B, F), labour rows aside as in the line-item list. Returns
// Int of the summed material, labour and expense amounts of the rows of kinds P, L, C, N,
// D and R (subtotal, labour and left-out rows not in them), and their sum as total.
RollupSums RecalcItemGroup(int A, int B, int F);

// B <> 0: the small groups of (A, B); B = 0: the middle groups of A. Rows left out ('E')
// are not walked. Returns the sums of every walked row that is not a subtotal row.
RollupSums RecalcSectionRows(int B, int A);

// A <> 0: the small groups of (A, B); A = 0: the work items. As RecalcSectionRows.
RollupSums RecalcTopRows(int B, int A);

// Refreshes every unit-price item of the estimate from its breakdown rows (rate rows of
// the breakdowns first), then the rate rows among the line items of work item A and
// middle group B; a key of 0 stands for all: (A, 0) every line item of work item A,
// (0, 0) every line item of the estimate.
void RecalcUnitPrices(int A, int B);

// Prices the line-item rate row at the current row of rows (a dataset over NDTAIL) from
// the line items of its own node (its ACODE, BCODE and SCODE) of kinds P, L, C, N and D
// whose rates in its slot NORT equal its own: quantity INO 1, and each unit price and
// amount the Int, through the fixed-point value, of its rate times the members' quantity x
// (material + labour + expense) unit prices; CSTTAL their sum. The row is posted. A row
// without a slot 1-4 stays as it is. The line-item screen and RecalcUnitPrices price
// their rate rows through this one routine.
void RefreshItemRateRow(Dataset &rows);

// Prices the breakdown rate row at the current row of rows (a dataset over NDTAIL) from
// the other rows of breakdown key (i1, i2, i3) but rate rows whose rates in its slot NORT
// equal its own, as RefreshItemRateRow prices a line-item rate row: quantity INO 1, each
// unit price the Int of its rate times the members' quantity x (material + labour +
// expense) unit prices. The row is posted, so the dataset's post rule fills its amounts.
// A row without a slot 1-4 stays as it is.
void RefreshBreakdownRateRow(Dataset &rows, int i1, int i2, int i3);

// The unit-price items of the estimate, one row per distinct item (texts, unit prices and
// breakdown key), in key order: what the recalculation walks and the overview lists.
extern const QString UnitPriceItemsSql;

// Writes the unit prices material, labour and expense into every unit-price item of the
// breakdown key (i1, i2, i3), wherever it stands, with its amounts from its own quantity;
// then CommitWork.
void WriteUnitPrices(int i1, int i2, int i3, double material, double labour, double expense);

// Stores sums, the sums of the rows below a work item, middle group or small group, in
// that group row, the current row of rows: its unit prices are the sums, its amounts the
// sums times its own quantity INO, CSTTAL the quantity times the sums' total (which holds
// what the rows' own totals add up to, lump totals and fractions included). The row is
// edited and posted. Returns whether a figure changed.
bool StoreGroupSums(Dataset &rows, const RollupSums &sums);

// The sums of the rows below group, the current row of a list of work items ('A'),
// middle groups ('B') or small groups ('F'), each priced on the way: a group with lower
// groups (SUB = 1) from them (RecalcMiddleGroupRows, RecalcSmallGroupRows), any other
// from its line items (RecalcItemGroup).
RollupSums RecalcGroupRow(const Dataset &group);

// Prices every row of kind tag in rows, an open list of group rows, from the rows below it
// (RecalcGroupRow, StoreGroupSums) and applies the changes; rows stands on its last row
// afterwards. Returns whether a figure changed.
bool PriceGroupRows(Dataset &rows, const QString &tag);

// The small groups ('F') of middle group (A, B), each priced from its line items; then
// the list with its subtotal rows. Returns the list's sums as RecalcTopRows(B, A) does.
RollupSums RecalcSmallGroupRows(int A, int B);

// The middle groups ('B') of work item A, each priced from its small groups when it has
// them (SUB = 1), else from its line items; then the list with its subtotal rows. Returns
// the list's sums as RecalcSectionRows(0, A) does.
RollupSums RecalcMiddleGroupRows(int A);

// The whole estimate, bottom up, as one command behind the wait message "자료를 재계산
// 중입니다. 잠시만...": every unit-price item and rate row, then every work item ('A')
// from its middle groups or line items, then the work-item list with its subtotal rows.
// Returns what the main window's total bar shows: the sums of the work items in whole
// units (material, labour, expense, total). Throws DatabaseError or NumberError after
// taking back the whole run.
RollupSums RecalcWholeEstimate();

} // namespace vek
