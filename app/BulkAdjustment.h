#pragma once

#include "core/Currency.h"

#include <QList>
#include <QString>

namespace vek {

class Dataset;
struct Bookmark;

// The bulk adjustment of the item dialog: the material, labour or expense unit price, or
// the quantity, of many rows raised or lowered by a percentage p, each value x becoming
// x + Int(x × p / 100). Each adjustment is one transaction: when a statement fails, or a
// result does not fit a fixed-point value, nothing of it stays, the rows shown are read
// again and the failure passes on as DatabaseError or NumberError. A refused commit is
// reported to the user and returns false. p = 0 changes nothing. A successful adjustment
// sets DataChanged.

// The targets of the dialog's group BulGrup, in its order.
enum class BulkTarget { Material = 0, Labour = 1, Expense = 2, Quantity = 3 };
// The column a target adjusts: PCST11, LCST11, SCST11 or INO.
QString BulkTargetField(BulkTarget target);

// x + Int(x × p / 100), the Int of the exact product of the two fixed-point values (3,000
// and 4.1 give 3,123; 995 and -10 give 896). Throws NumberError when the result does not fit.
Currency AdjustByPercent(Currency x, Currency p);

// The rows of a list shown in a grid (the open line-item list TSlst, or the open breakdown
// Tdtail): with fewer than two rows selected every row of kind 'C', 'L', 'N' or 'P', else
// every selected row in selection order whatever its kind; each row posted, so that its
// amounts follow its dataset's post rule. With redrawing suspended; the current row stays
// current. lineItems: the rows are line items, whose labour rows ('M', kept out of the
// list) rise with a labour adjustment by the same percentage, untruncated: all of the open
// node's, or those of a selected 'L' row (NORT = its ICD3); the list is then read again.
bool AdjustListRows(Dataset &rows, const QList<Bookmark> &selected, BulkTarget target, Currency p, bool lineItems);

// Every line item and breakdown row of kind 'C', 'L', 'N' or 'P' of the estimate, through
// the scratch dataset TmFst behind the wait window with its gauge counting the rows; each
// row's amounts by its own post rule (line items in whole units, breakdown rows to one
// decimal). With a labour adjustment every labour row rises untruncated. Then every
// unit-price item and rate row is priced again (RecalcUnitPrices(0, 0)).
bool AdjustWholeEstimate(BulkTarget target, Currency p);

} // namespace vek
