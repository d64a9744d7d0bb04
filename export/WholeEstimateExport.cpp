#include "export/WholeEstimateExport.h"

#include "core/DataModule.h"
#include "core/WorkDatabase.h"
#include "export/ExcelRun.h"
#include "export/GroupSelection.h"
#include "export/SheetSequence.h"
#include "export/SummarySheet.h"

#include <optional>

namespace vek {
namespace {

// TpAfst: the set that carries the loop over the middle groups of one work item while
// TpBfst is opened anew on the small groups of each. It reads over an attachment of its
// own to the working database, made when this is made and released when it goes; a fresh
// attachment sees every row committed so far. Its reads share one transaction.
class MiddleGroupLoop {
public:
    MiddleGroupLoop()
    {
        connection_.open(WorkDatabasePath());
        connection_.startTransaction();
    }
    Dataset &TpAfst() { return TpAfst_; }

private:
    WorkConnection connection_{QStringLiteral("TpAfst")};
    Dataset TpAfst_{QStringLiteral("TpAfst"), &connection_};
};

// The middle-group summary of work item acode on the next sheet, then the sheets below
// each of its middle groups.
void ExportMiddleGroupSheets(SheetSequence &sheets, Dataset &TpAfst, int acode, const QString &digits,
                             const QString &title)
{
    {
        const SelectedRows groups(sheets.TpBfst(), {u'B', acode, {}, {}});
        sheets.AddSummarySheet(digits + QStringLiteral("【중공종】"), GroupSheetTitle(digits, title), sheets.TpBfst());
    }
    const SelectedRows groups(TpAfst, {u'B', acode, {}, {}});
    sheets.WriteMiddleGroupSheets(TpAfst, acode, digits);
}

} // namespace

QString ExportWholeEstimate(const QString &projectName, const QString &documentName)
{
    Dataset &TAlst = dMf->TAlst;
    // The work-item list as the main window shows it, opened for the run when it is closed.
    std::optional<SelectedRows> workItems;
    if (!TAlst.isActive())
        workItems.emplace(TAlst, QStringLiteral("select * from NDTAIL where ABFS='A' Order by ODRF"), QVariantList());
    return ExcelRun::Execute(
        TAlst, {},
        [&](ExcelRun &run) {
            MiddleGroupLoop loop;
            WriteFirstSummarySheet(run, QStringLiteral("【내역서집계】"), QStringLiteral("공사명:") + projectName, TAlst);
            SheetSequence sheets(run, dMf->TpBfst, dMf->TpSlst);
            for (TAlst.first(); !TAlst.eof(); TAlst.next()) {
                if (TAlst.asString("TAG") != QLatin1String("A"))
                    continue;
                const int acode = TAlst.asInteger("ACODE");
                const QString digits = OrderDigits(TAlst);
                if (TAlst.asInteger("SUB") == 1)
                    ExportMiddleGroupSheets(sheets, loop.TpAfst(), acode, digits, TAlst.asString("NOADD"));
                else
                    sheets.AddLineItemSheet({u'S', acode, {}, {}}, digits, TAlst);
            }
        },
        documentName);
}

} // namespace vek
