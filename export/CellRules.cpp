#include "export/CellRules.h"

#include "core/Currency.h"
#include "core/MoneyFormat.h"

#include <charconv>
#include <cstdlib>
#include <iterator>

namespace vek {
namespace {

const QString WholeUnits = QStringLiteral("#,##0");

void PutWholeUnits(ExcelRange cell, double units)
{
    cell.setValue(units);
    cell.setNumberFormat(WholeUnits);
}

} // namespace

double AmountNumber(Currency value)
{
    // Below 10^11 the value has at most 15 significant digits, which its text shows
    // exactly; rounding the hundredths half away from zero and cutting them off is then
    // integer work, and spares the text (the busiest step of a large export).
    constexpr std::int64_t ExactDigits = 1'000'000'000'000'000;
    const std::int64_t raw = value.raw();
    if (raw > -ExactDigits && raw < ExactDigits) {
        const std::int64_t whole = (std::llabs(raw) + 50) / 100 / 100;
        return double(raw < 0 ? -whole : whole);
    }
    return ParseAmount(FormatCurrNumberPad(1, 16, value)).toDouble();
}

void PutMoneyText(ExcelRange cell, const QString &text)
{
    PutWholeUnits(cell, ParseAmount(text).toDouble());
}

void PutAmount(ExcelRange cell, double value)
{
    if (value != 0)
        PutWholeUnits(cell, AmountNumber(Currency::fromDouble(value)));
}

void PutQuantity(ExcelRange cell, double quantity)
{
    if (quantity == 0)
        return;
    // The number that the quantity's text of 15 significant digits reads as.
    char text[32];
    const auto written = std::to_chars(std::begin(text), std::end(text), quantity, std::chars_format::general, 15);
    double shown = quantity;
    std::from_chars(text, written.ptr, shown);
    cell.setValue(shown);
}

void PutOrderNumber(ExcelRange cell, int order)
{
    cell.setValue(double(order));
}

void PutStandard(ExcelRange cell, const QString &standard)
{
    cell.setValue(standard);
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
