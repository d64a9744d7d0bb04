#pragma once

#include "export/GroupSelection.h"

#include <QString>

namespace vek {

class Dataset;
class ExcelRun;

// The sheets after the first of an export that descends through the levels of the
// estimate: the index k of the next sheet, shared by every level (2 after the first
// sheet), and the export sets the sheets read, TpBfst for the summaries of small groups
// and TpSlst for the line items, which read in one transaction while this lives.
//
// Every sheet is written in the same slot: from k = 3 a sheet added after the active
// one, its page set-up, its name (one that another sheet holds gets " (2)", ...),
// selected, written, and k advanced. A group without line items gets no sheet and leaves
// k as it is, so that each new sheet is the one just added, next to the one written
// before it.
class SheetSequence {
public:
    SheetSequence(ExcelRun &run, Dataset &TpBfst, Dataset &TpSlst);

    Dataset &TpBfst() const { return TpBfst_; }

    // The summary of groups (every record, from the first) on the next sheet.
    void AddSummarySheet(const QString &name, const QString &title, Dataset &groups);
    // The line items of selection, when there are any, on the next sheet, named for the
    // current record of group with the order digits of its path, digits: digits + "내역서",
    // titled digits, a blank and its NOADD.
    void AddLineItemSheet(const GroupSelection &selection, const QString &digits, const Dataset &group);

    // Each middle group of groups (those of work item acode, whose order digits are
    // digits), from the first record on, with TAG 'B': with small groups (SUB 1) its
    // ExportSmallGroupSheets, else its line items. Records of other kinds get no sheet.
    void WriteMiddleGroupSheets(Dataset &groups, int acode, const QString &digits);
    // The small-group summary of the middle group bcode of work item acode, even when it
    // has no small groups, then WriteSmallGroupSheets over them. digits are the order
    // digits of the work item and the middle group, title the middle group's NOADD.
    void ExportSmallGroupSheets(int acode, int bcode, const QString &digits, const QString &title);
    // The line items of each small group of groups (those of acode and bcode, order
    // digits digits), from the first record on, with TAG 'F'; other kinds get no sheet.
    void WriteSmallGroupSheets(Dataset &groups, int acode, int bcode, const QString &digits);

private:
    ExcelRun &run_;
    Dataset &TpBfst_;
    Dataset &TpSlst_;
    ReadingTransaction reading_;
    int k_ = 2;
};

} // namespace vek
