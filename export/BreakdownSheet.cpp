#include "export/BreakdownSheet.h"

#include "core/Dataset.h"
#include "core/Environment.h"
#include "core/MoneyFormat.h"
#include "core/TextUtils.h"
#include "export/CellRules.h"
#include "export/ExcelRun.h"
#include "export/LineItemSheet.h"
#include "platform/spreadsheet/ExcelApplication.h"

namespace vek {
namespace {

const QString SheetName = QStringLiteral("단위일위대가표");
const QString TotalLabel = QStringLiteral("      계");

// Int(v x 10) / 10, through the fixed-point value.
Currency Tenths(double value)
{
    const std::int64_t raw = Currency::fromDouble(value).raw();
    return Currency::fromRaw(raw - raw % (Currency::Scale / 10));
}

// A unit price or a total-row amount: cut to one decimal, the whole units it shows.
void PutTenthsAmount(ExcelRange cell, double value)
{
    if (value != 0)
        PutAmount(cell, Tenths(value).toDouble());
}

// An amount sent with its apostrophe: the text with one decimal, blanks kept.
void PutTenthsText(ExcelRange cell, double value)
{
    if (value != 0)
        PutText(cell, FormatCurrNumberPad(3, 16, Tenths(value)));
}

void PutMaterialText(ExcelRange cell, const QString &text)
{
    const QString bare = RemoveBlanks(text);
    if (bare != QLatin1String("0.0"))
        PutText(cell, text);
    cell.setHorizontalAlignment(bare == QStringLiteral("지급") ? xlCenter : xlRight);
}

} // namespace

BreakdownItem BreakdownItemOf(const Dataset &items)
{
    return {items.asString("NAME"), items.asString("STAN"), items.asString("UNIT"), WithoutPadding(items.asString("ETC"))};
}

QString BreakdownSheetTitle(const BreakdownItem &item)
{
    return QStringLiteral("대가명: ") + PadRightChar(u' ', item.name, 35) + QStringLiteral("규격: ")
           + PadRightChar(u' ', item.standard, 21) + QStringLiteral("단위: ") + item.unit + QStringLiteral(" 당");
}

int BreakdownTotalRow(int rowCount)
{
    return rowCount + 3;
}

int BreakdownFrameLastRow(int rowCount)
{
    return ExcelLastRow(rowCount + 1);
}

void WriteBreakdownRow(ExcelApplication &app, int row, const RowValues &values, BreakdownRowStyle style)
{
    using enum ListRow::Column;
    using enum ListRow::Field;
    const auto cell = [&](int column) { return app.Cells(row, column); };
    const bool onSheet = style == BreakdownRowStyle::Sheet;
    PutText(cell(NameColumn), values[Name].toString());
    PutStandard(cell(SpecColumn), values[Spec].toString());
    PutText(cell(UnitColumn), values[Unit].toString());
    const double quantity = values[Quantity].toDouble();
    if (onSheet)
        PutQuantity(cell(QuantityColumn), quantity);
    else
        cell(QuantityColumn).setValue(quantity);
    PutTenthsAmount(cell(MaterialPrice), values[MaterialPriceField].toDouble());
    PutMaterialText(cell(MaterialAmount), values[MaterialAmountText].toString());
    PutTenthsAmount(cell(LabourPrice), values[LabourPriceField].toDouble());
    PutTenthsAmount(cell(ExpensePrice), values[ExpensePriceField].toDouble());
    const auto amount = style == BreakdownRowStyle::BlockTotal ? PutTenthsAmount : PutTenthsText;
    for (const auto &[column, field] : {std::pair{LabourAmount, LabourAmountField}, {ExpenseAmount, ExpenseAmountField},
                                        {TotalAmount, TotalField}}) {
        amount(cell(column), values[field].toDouble());
        cell(column).setHorizontalAlignment(xlRight);
    }
    const QString remark = values[Remark].toString();
    PutText(cell(RemarkColumn), onSheet ? StripChar(u'-', TrimText(remark)) : WithoutPadding(remark));
}

QString ExportBreakdownSheet(Dataset &rows, const BreakdownItem &item, const RollupSums &footer,
                             const QString &documentName)
{
    return ExcelRun::Execute(
        rows, [](ExcelApplication &app) { app.WorkBooks(1).WorkSheets(1).setName(SheetName); },
        [&](ExcelRun &run) {
            ExcelApplication &app = run.app();
            const int count = rows.recordCount();
            run.SetUpPage(1);
            WriteFrameToRow(app, 1, LineItemLayout(), BreakdownSheetTitle(item), BreakdownFrameLastRow(count));
            WriteHeaderRow(app, LineItemLayout());
            app.setVisible(true);
            WriteListRows(rows, ListRow::Fields(), [&](int row, const RowValues &values) {
                WriteBreakdownRow(app, row, values, BreakdownRowStyle::Sheet);
            });
            const int total = BreakdownTotalRow(count);
            using enum ListRow::Column;
            PutText(app.Cells(total, NameColumn), TotalLabel);
            PutAmount(app.Cells(total, MaterialAmount), footer.material.toDouble());
            PutAmount(app.Cells(total, LabourAmount), footer.labour.toDouble());
            PutAmount(app.Cells(total, ExpenseAmount), footer.expense.toDouble());
            PutAmount(app.Cells(total, TotalAmount), footer.total.toDouble());
        },
        documentName);
}

} // namespace vek
