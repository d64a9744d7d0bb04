#pragma once

#include "export/SheetFrame.h"

#include <QString>

namespace vek {

class Dataset;
class ExcelApplication;
class ExcelRun;

// The summary sheet: one table row per row of a list of groups (work items, middle groups
// or small groups), whatever its kind, from row 3, under the standard frame with last
// column J; the title merged over B1:I1 only.
const SheetLayout &SummaryLayout();

// Frame and header row of a summary sheet on sheet k for recordCount groups.
void WriteSummaryFrame(ExcelApplication &app, int k, const QString &title, int recordCount);
// The current record of groups and the records after it, as many as groups held when
// called, into rows 3 onwards; groups moves on by one after each row.
void WriteSummaryRows(ExcelApplication &app, Dataset &groups);

// Sheet 1 of an export of a list of groups: its page set-up, its name, the summary of
// list (standing on its first record) under title; the workbook made visible before the
// first row.
void WriteFirstSummarySheet(ExcelRun &run, const QString &name, const QString &title, Dataset &list);

// The order number of the current record of row as the sheet names and titles show it:
// its ODRF padded on the left with '0' to two places ("01", "12", "112").
QString OrderDigits(const Dataset &row);
// The title of a sheet of one group: its order digits, a blank and its NOADD.
QString GroupSheetTitle(const QString &digits, const QString &noadd);

} // namespace vek
