#pragma once

#include "core/ProgramState.h"

#include <QString>

#include <array>

namespace vek {

// One row of the cost statement as its grid shows it.
struct CostStatementRow {
    QString name;
    QString amount; // as shown, such as "      1,000,000"
    QString basis;  // as the cell holds it, with its leading blank
    QString remark; // likewise
};
using CostStatementRows = std::array<CostStatementRow, 29>;

// The cost-statement sheet "원가계산서" (the breakdown screen's page-2 export, slExl2):
// statement row k goes to sheet row k + 4, under the title "공 사 원 가 계 산 서" and the
// project line "공사명: " + projectName, with the statement's own frame, labels and page
// set-up (A4 landscape, margins top 35, left 65, bottom 20, only with a default printer).
// Written only when the estimate has a work item; through ExcelRun otherwise. Returns the
// saved workbook's path, or an empty text.
QString ExportCostStatementSheet(const CostStatementRows &rows, const QString &projectName,
                                 const QString &documentName = CurrentFileName);

} // namespace vek
