#include "export/CellRules.h"

#include "core/Currency.h"
#include "core/MoneyFormat.h"

namespace vek {
namespace {

const QString WholeUnits = QStringLiteral("#,##0");

} // namespace

void PutMoneyText(ExcelRange cell, const QString &text)
{
    cell.setValue(ParseAmount(text).toDouble());
    cell.setNumberFormat(WholeUnits);
}

void PutAmount(ExcelRange cell, double value)
{
    if (value != 0)
        PutMoneyText(cell, FormatCurrNumberPad(1, 16, Currency::fromDouble(value)));
}

void PutQuantity(ExcelRange cell, double quantity)
{
    if (quantity != 0)
        cell.setValue(QString::number(quantity, 'g', 15).toDouble());
}

void PutOrderNumber(ExcelRange cell, int order)
{
    cell.setValue(double(order));
}

void PutSpecification(ExcelRange cell, const QString &specification)
{
    cell.setValue(specification);
}

void PutGroupTitle(ExcelRange cell, const QString &title)
{
    cell.setValue(u' ' + WithoutPadding(title));
}

void PutText(ExcelRange cell, const QString &text)
{
    cell.setValue(text);
}

QString WithoutPadding(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

} // namespace vek
