#pragma once

#include <QString>

namespace vek {

class Dataset;

// The export of the main window's Excel button (Tmainf.ExcelBtn0Click): the whole estimate
// in one workbook. Sheet 1 "【내역서집계】" lists every work item under the title "공사명:"
// and the project name; then, work item by work item, a work item with middle groups gets
// its middle-group summary ("01【중공종】") and below each middle group either its
// small-group summary ("0101【소공종】") and the line items of each small group
// ("010101내역서") or its own line items ("0102내역서"); a work item without middle groups
// gets its line items ("02내역서"). Labour rows reach no sheet; subtotal, rate and left-out
// rows are listed on their summary but get no sheet of their own; a group without line
// items gets no sheet.
//
// Reads the data module's work-item list TAlst as it stands (opened in ODRF order when it
// is closed, and closed again afterwards), and the export sets TpBfst and TpSlst; the loop
// over the middle groups of a work item runs on TpAfst, a set over an attachment of its
// own to the working database, made at the start of the run and released at its end. The
// workbook is saved as "<document name without .Vek> 【내역서집계】.xlsx" in the work
// folder and opened (unless VEK_NO_OPEN=1); returns its path, or an empty text when
// nothing was saved (no work items, no spreadsheet, a failure before the first row).
// Needs dMf connected; no widget.
QString ExportWholeEstimate(const QString &projectName, const QString &documentName);

} // namespace vek
