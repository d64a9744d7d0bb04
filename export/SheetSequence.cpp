#include "export/SheetSequence.h"

#include "core/Dataset.h"
#include "export/ExcelRun.h"
#include "export/GroupSelection.h"
#include "export/LineItemSheet.h"
#include "export/SummarySheet.h"

namespace vek {
namespace {

bool HasTag(const Dataset &row, QChar tag)
{
    return row.asString("TAG") == QString(tag);
}

} // namespace

SheetSequence::SheetSequence(ExcelRun &run, Dataset &TpBfst, Dataset &TpSlst)
    : run_(run), TpBfst_(TpBfst), TpSlst_(TpSlst), reading_(TpSlst.connection())
{
}

void SheetSequence::AddSummarySheet(const QString &name, const QString &title, Dataset &groups)
{
    run_.OpenSheet(k_, name);
    groups.first();
    WriteSummaryFrame(run_.app(), k_, title, groups.recordCount());
    WriteSummaryRows(run_.app(), groups);
    ++k_;
}

void SheetSequence::AddLineItemSheet(const GroupSelection &selection, const QString &digits, const Dataset &group)
{
    const SelectedRows items(TpSlst_, selection);
    if (TpSlst_.isEmpty())
        return;
    WriteLineItemSheet(run_, k_, digits + QStringLiteral("내역서"), GroupSheetTitle(digits, group.asString("NOADD")),
                       TpSlst_);
    ++k_;
}

void SheetSequence::WriteMiddleGroupSheets(Dataset &groups, int acode, const QString &digits)
{
    for (groups.first(); !groups.eof(); groups.next()) {
        if (!HasTag(groups, u'B'))
            continue;
        const int bcode = groups.asInteger("BCODE");
        const QString path = digits + OrderDigits(groups);
        if (groups.asInteger("SUB") == 1)
            ExportSmallGroupSheets(acode, bcode, path, groups.asString("NOADD"));
        else
            AddLineItemSheet({u'S', acode, bcode, {}}, path, groups);
    }
}

void SheetSequence::ExportSmallGroupSheets(int acode, int bcode, const QString &digits, const QString &title)
{
    const SelectedRows groups(TpBfst_, {u'F', acode, bcode, {}});
    AddSummarySheet(digits + QStringLiteral("【소공종】"), GroupSheetTitle(digits, title), TpBfst_);
    WriteSmallGroupSheets(TpBfst_, acode, bcode, digits);
}

void SheetSequence::WriteSmallGroupSheets(Dataset &groups, int acode, int bcode, const QString &digits)
{
    for (groups.first(); !groups.eof(); groups.next())
        if (HasTag(groups, u'F'))
            AddLineItemSheet({u'S', acode, bcode, groups.asInteger("SCODE")}, digits + OrderDigits(groups), groups);
}

} // namespace vek
