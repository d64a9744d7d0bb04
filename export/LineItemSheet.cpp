#include "export/LineItemSheet.h"

#include "core/Dataset.h"
#include "core/TextUtils.h"
#include "export/CellRules.h"
#include "export/ExcelRun.h"
#include "platform/spreadsheet/ExcelApplication.h"

namespace vek {
namespace {

enum Column { NameColumn = 2, SpecColumn, UnitColumn, QuantityColumn, MaterialPrice, MaterialAmount, LabourPrice,
              LabourAmount, ExpensePrice, ExpenseAmount, TotalAmount, RemarkColumn };

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

void WriteLineItemRow(ExcelApplication &app, int row, const Dataset &item)
{
    const auto cell = [&](int column) { return app.Cells(row, column); };
    PutText(cell(NameColumn), item.asString("NAME"));
    PutSpecification(cell(SpecColumn), item.asString("STAN"));
    PutText(cell(UnitColumn), item.asString("UNIT"));
    PutQuantity(cell(QuantityColumn), item.asDouble("INO"));
    PutAmount(cell(MaterialPrice), item.asDouble("PCST11"));
    WriteMaterialAmount(cell(MaterialAmount), item.asString("PCST22"));
    PutAmount(cell(LabourPrice), item.asDouble("LCST11"));
    PutAmount(cell(LabourAmount), item.asDouble("LCST22"));
    PutAmount(cell(ExpensePrice), item.asDouble("SCST11"));
    PutAmount(cell(ExpenseAmount), item.asDouble("SCST22"));
    PutAmount(cell(TotalAmount), item.asDouble("TCST32"));
    PutText(cell(RemarkColumn), StripChar(u'-', item.asString("ETC")));
}

} // namespace

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
    const int count = items.recordCount();
    for (int i = 1; i <= count; ++i) {
        WriteLineItemRow(app, i + 2, items);
        items.next();
    }
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
