#pragma once

#include <QString>

namespace vek {

class Dataset;

// The exports of the middle-group and small-group list screens: the list the screen
// shows and everything below it in one workbook, in list order. The screens pass their
// list, the current rows above it, and the texts of their labels LsNo (the path number,
// such as "01" or "01-03") and LjName (a blank and the open row's NOADD). Each returns at
// once on an empty list; the list is back on its current record afterwards. The sheets
// read the data module's export sets TpBfst and TpSlst, closed again after each group.
// The workbook is saved as "<document name> <sheet 1 name>.xlsx" in the work folder.

// TFlstFm.ExcelBtnClick: sheet 1 "<LsNo>【소공종】" titled LsNo + LjName lists every
// small group of TFlst; then the line items of each small group with line items, on a
// sheet named for the order numbers of work item (TAlst's current row), middle group
// (TBlst's) and small group run together: "010203내역서", titled "010203 " and its NOADD.
void ExportSmallGroupList(Dataset &TFlst, const Dataset &TAlst, const Dataset &TBlst, const QString &lsNo,
                          const QString &ljName);

// TBlstFm.ExcelBtnClick: sheet 1 "<LsNo>【중공종】" titled LsNo + LjName lists every
// middle group of TBlst; then for each middle group with small groups (SUB 1) its
// small-group summary "0102【소공종】" (even when it has none) and the line items of each
// small group ("010203내역서"), and for one without small groups its line items
// ("0102내역서"); TAlst's current row is the work item.
void ExportMiddleGroupList(Dataset &TBlst, const Dataset &TAlst, const QString &lsNo, const QString &ljName);

} // namespace vek
