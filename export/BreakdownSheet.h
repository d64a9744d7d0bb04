#pragma once

#include "core/ProgramState.h"
#include "core/SubtotalWalk.h"
#include "export/SheetFrame.h"

#include <QString>

namespace vek {

class Dataset;
class ExcelApplication;

// The unit-price item whose breakdown a sheet or block shows: the texts of its row of the
// overview list (qDList).
struct BreakdownItem {
    QString name;
    QString standard;
    QString unit;
    QString remark;
};

// The item at the current row of items (the overview list qDList).
BreakdownItem BreakdownItemOf(const Dataset &items);

// "대가명: " + name padded with blanks to 35 bytes + "규격: " + standard padded to 21 +
// "단위: " + unit + " 당".
QString BreakdownSheetTitle(const BreakdownItem &item);

// Where a breakdown of rowCount rows has its total row (rowCount + 3) and where its frame
// ends: the last row ExcelLastRow gives for one row more, so that the total row is always
// inside the grid (a page's worth of rows would otherwise push it just below).
int BreakdownTotalRow(int rowCount);
int BreakdownFrameLastRow(int rowCount);

// How a breakdown row is written: on the breakdown sheet; as an ordinary row of an
// overview block; or as the total row of an overview block.
enum class BreakdownRowStyle { Sheet, Block, BlockTotal };

// Writes one breakdown row into sheet row `row` of the active sheet, from the values of
// ListRow::Fields():
// B name; C the standard; D the unit; E the quantity (on the sheet only when not 0);
// F, H, J the unit prices cut to one decimal, in whole units, when not 0; G the material
// amount text as it shows, unless it reads "0.0", centred when it is the supplied mark and
// right-aligned otherwise; I, K, L the labour, expense and row amounts cut to one decimal,
// as texts with one decimal (on a block's total row: numbers in whole units), when not 0,
// right-aligned; M the remark, on the sheet trimmed and without its hyphens, in a block
// without its padding.
void WriteBreakdownRow(ExcelApplication &app, int row, const RowValues &values, BreakdownRowStyle style);

// The breakdown sheet "단위일위대가표" (the breakdown screen's page-1 export, slExl1): rows
// (the data module's Tdtail as the page holds it, display fields and rate rows as its totals
// left them in the cache) from row 3 under the line-item sheet's frame, titled for item,
// and the total row with the footer values (material, labour, expense, total). Through
// ExcelRun: nothing when rows is empty; rows back on its row with its controls enabled at
// the end. Returns the saved workbook's path, or an empty text.
QString ExportBreakdownSheet(Dataset &rows, const BreakdownItem &item, const RollupSums &footer,
                             const QString &documentName = CurrentFileName);

} // namespace vek
