#include "export/LineItemSheet.h"

#include "core/Dataset.h"
#include "core/TextUtils.h"
#include "export/CellRules.h"
#include "export/ExcelRun.h"
#include "platform/spreadsheet/ExcelApplication.h"

namespace vek {
namespace {

void WriteMaterialAmount(ExcelRange cell, const QString &text)
{
    const QString bare = RemoveBlanks(text);
    if (bare == QLatin1String("0"))
        return;
    if (bare == QStringLiteral("지급")) {
        PutText(cell, text);
        cell.setHorizontalAlignment(xlCenter);
        return;
    }
    PutMoneyText(cell, text);
}

void WriteLineItemRow(ExcelApplication &app, int row, const RowValues &item)
{
    using enum ListRow::Column;
    using enum ListRow::Field;
    const auto cell = [&](int column) { return app.Cells(row, column); };
    PutText(cell(NameColumn), item[Name].toString());
    PutStandard(cell(SpecColumn), item[Spec].toString());
    PutText(cell(UnitColumn), item[Unit].toString());
    PutQuantity(cell(QuantityColumn), item[Quantity].toDouble());
    PutAmount(cell(MaterialPrice), item[MaterialPriceField].toDouble());
    WriteMaterialAmount(cell(MaterialAmount), item[MaterialAmountText].toString());
    PutAmount(cell(LabourPrice), item[LabourPriceField].toDouble());
    PutAmount(cell(LabourAmount), item[LabourAmountField].toDouble());
    PutAmount(cell(ExpensePrice), item[ExpensePriceField].toDouble());
    PutAmount(cell(ExpenseAmount), item[ExpenseAmountField].toDouble());
    PutAmount(cell(TotalAmount), item[TotalField].toDouble());
    PutText(cell(RemarkColumn), StripChar(u'-', item[Remark].toString()));
}

} // namespace

const QStringList &ListRow::Fields()
{
    static const QStringList fields = {"NAME", "STAN", "UNIT", "INO", "PCST11", "PCST22", "LCST11", "LCST22",
                                       "SCST11", "SCST22", "TCST32", "ETC"};
    return fields;
}

const SheetLayout &LineItemLayout()
{
    static const SheetLayout layout{
        {1, 20, 13, 3, 5, 7, 8, 7, 8, 7, 8, 8, 9},
        {QStringLiteral("명          칭"), QStringLiteral("규       격 "), QStringLiteral("단 위"),
         QStringLiteral("수  량"), QStringLiteral("자재단가"), QStringLiteral("자재금액"), QStringLiteral("노무단가"),
         QStringLiteral("노무금액"), QStringLiteral("경비단가"), QStringLiteral("경비금액"), QStringLiteral("계"),
         QStringLiteral("비    고")},
        QStringLiteral("B1:M1")};
    return layout;
}

void WriteLineItemFrame(ExcelApplication &app, int k, const QString &title, int recordCount)
{
    WriteStandardFrame(app, k, LineItemLayout(), title, recordCount);
    WriteHeaderRow(app, LineItemLayout());
}

void WriteLineItemRows(ExcelApplication &app, Dataset &items)
{
    WriteListRows(items, ListRow::Fields(), [&](int row, const RowValues &item) { WriteLineItemRow(app, row, item); });
}

void WriteLineItemSheet(ExcelRun &run, int k, const QString &name, const QString &title, Dataset &items)
{
    run.OpenSheet(k, name);
    items.disableControls();
    try {
        items.first();
        WriteLineItemFrame(run.app(), k, title, items.recordCount());
        WriteLineItemRows(run.app(), items);
    } catch (...) {
        items.enableControls();
        throw;
    }
    items.enableControls();
}

void ExportLineItemList(Dataset &list, const QString &lsNo, const QString &ljName)
{
    ExcelRun::Execute(
        list, [&](ExcelApplication &app) { app.WorkBooks(1).WorkSheets(1).setName(lsNo + QStringLiteral("내역서")); },
        [&](ExcelRun &run) {
            run.SetUpPage(1);
            WriteLineItemFrame(run.app(), 1, lsNo + u'.' + ljName, list.recordCount());
            run.app().setVisible(true);
            WriteLineItemRows(run.app(), list);
        });
}

} // namespace vek
