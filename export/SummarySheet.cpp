#include "export/SummarySheet.h"

#include "core/Dataset.h"
#include "core/TextUtils.h"
#include "export/CellRules.h"
#include "export/ExcelRun.h"
#include "platform/spreadsheet/ExcelApplication.h"

namespace vek {
namespace {

enum Column { OrderColumn = 2, TitleColumn, QuantityColumn, UnitColumn, MaterialColumn, LabourColumn,
              ExpenseColumn, TotalColumn, RemarkColumn };

// The fields a row reads, in the order of Field.
const QStringList Fields = {"ODRF", "NOADD", "INO", "UNIT", "PCST12", "LCST12", "SCST12", "CSTTAL", "ETC"};
enum Field { Order, Title, Quantity, Unit, Material, Labour, Expense, Total, Remark };

void WriteSummaryRow(ExcelApplication &app, int row, const RowValues &group)
{
    const auto cell = [&](int column) { return app.Cells(row, column); };
    PutOrderNumber(cell(OrderColumn), group[Order].toInt());
    PutGroupTitle(cell(TitleColumn), group[Title].toString());
    PutQuantity(cell(QuantityColumn), group[Quantity].toDouble());
    PutText(cell(UnitColumn), u' ' + group[Unit].toString());
    PutAmount(cell(MaterialColumn), group[Material].toDouble());
    PutAmount(cell(LabourColumn), group[Labour].toDouble());
    PutAmount(cell(ExpenseColumn), group[Expense].toDouble());
    PutAmount(cell(TotalColumn), group[Total].toDouble());
    PutText(cell(RemarkColumn), WithoutPadding(group[Remark].toString()));
}

} // namespace

const SheetLayout &SummaryLayout()
{
    static const SheetLayout layout{
        {1, 3, 30, 4, 4, 12, 12, 12, 13, 15},
        {QStringLiteral(" No"), QStringLiteral("공        종        명"), QStringLiteral("수  량"),
         QStringLiteral("단 위"), QStringLiteral("자   재    비"), QStringLiteral("노   무    비"),
         QStringLiteral("경         비"), QStringLiteral("계"), QStringLiteral("비       고")},
        QStringLiteral("B1:I1")};
    return layout;
}

void WriteSummaryFrame(ExcelApplication &app, int k, const QString &title, int recordCount)
{
    WriteStandardFrame(app, k, SummaryLayout(), title, recordCount);
    WriteHeaderRow(app, SummaryLayout());
}

void WriteSummaryRows(ExcelApplication &app, Dataset &groups)
{
    WriteListRows(groups, Fields, [&](int row, const RowValues &group) { WriteSummaryRow(app, row, group); });
}

void WriteFirstSummarySheet(ExcelRun &run, const QString &name, const QString &title, Dataset &list)
{
    run.SetUpPage(1);
    run.app().WorkBooks(1).WorkSheets(1).setName(name);
    WriteSummaryFrame(run.app(), 1, title, list.recordCount());
    run.app().setVisible(true);
    WriteSummaryRows(run.app(), list);
}

QString OrderDigits(const Dataset &row)
{
    return PadLeftChar(u'0', QString::number(row.asInteger("ODRF")), 2);
}

QString GroupSheetTitle(const QString &digits, const QString &noadd)
{
    return digits + u' ' + WithoutPadding(noadd);
}

} // namespace vek
