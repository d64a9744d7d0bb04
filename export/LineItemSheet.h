#pragma once

#include "export/SheetFrame.h"

#include <QString>

namespace vek {

class Dataset;
class ExcelApplication;
class ExcelRun;

// The line-item sheet: one table row per line item of a list (TSlst or TpSlst, with the
// data module's display fields), from row 3, under the standard frame with last column M.
const SheetLayout &LineItemLayout();

// Frame and header row of a line-item sheet on sheet k for recordCount line items.
void WriteLineItemFrame(ExcelApplication &app, int k, const QString &title, int recordCount);
// The current record of items and the records after it, as many as items held when
// called, into rows 3 onwards; items moves on by one after each row.
void WriteLineItemRows(ExcelApplication &app, Dataset &items);

// A line-item sheet of an export of several sheets, on sheet k: the sheet is opened as
// ExcelRun::OpenSheet does, then items (opened by the caller) has its controls disabled
// and goes to its first record, the frame, header and rows are written, and its controls
// are enabled again. items is left on its last record. The run's first sheet makes the
// workbook visible, not this.
void WriteLineItemSheet(ExcelRun &run, int k, const QString &name, const QString &title, Dataset &items);

// The export command of the line-item list screen (TSlstFm.slExclClick): the screen's list
// (the data module's TSlst), its number lsNo (the order numbers of the open rows, such as
// "01-03-02") and its title ljName (a blank and the open row's title). Sheet 1 is named
// lsNo + "내역서", titled lsNo + "." + ljName, and made visible before the first row.
void ExportLineItemList(Dataset &list, const QString &lsNo, const QString &ljName);

} // namespace vek
