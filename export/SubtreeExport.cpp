#include "export/SubtreeExport.h"

#include "core/DataModule.h"
#include "export/ExcelRun.h"
#include "export/SheetSequence.h"
#include "export/SummarySheet.h"

namespace vek {

void ExportSmallGroupList(Dataset &TFlst, const Dataset &TAlst, const Dataset &TBlst, const QString &lsNo,
                          const QString &ljName)
{
    ExcelRun::Execute(TFlst, {}, [&](ExcelRun &run) {
        WriteFirstSummarySheet(run, lsNo + QStringLiteral("【소공종】"), lsNo + ljName, TFlst);
        SheetSequence sheets(run, dMf->TpBfst, dMf->TpSlst);
        sheets.WriteSmallGroupSheets(TFlst, TAlst.asInteger("ACODE"), TBlst.asInteger("BCODE"),
                                     OrderDigits(TAlst) + OrderDigits(TBlst));
    });
}

void ExportMiddleGroupList(Dataset &TBlst, const Dataset &TAlst, const QString &lsNo, const QString &ljName)
{
    ExcelRun::Execute(TBlst, {}, [&](ExcelRun &run) {
        WriteFirstSummarySheet(run, lsNo + QStringLiteral("【중공종】"), lsNo + ljName, TBlst);
        SheetSequence sheets(run, dMf->TpBfst, dMf->TpSlst);
        sheets.WriteMiddleGroupSheets(TBlst, TAlst.asInteger("ACODE"), OrderDigits(TAlst));
    });
}

} // namespace vek
