#include "core/RowAmounts.h"

#include "core/MoneyFormat.h"
#include "core/NumberFormat.h"

#include <cmath>

namespace vek {

namespace {

// Beyond what a fixed-point value holds the double is truncated as it is.
double TruncWhole(double v)
{
    return Currency::fits(v) ? double(Currency::truncOf(v)) : std::trunc(v);
}

} // namespace

const QString SuppliedMaterialText = QStringLiteral("지   급     ");

void RequireFixedPointRange(double value)
{
    if (Currency::fits(value))
        return;
    const QString limit = FormatFloat(QStringLiteral(",0"), std::trunc(Currency::Limit));
    throw NumberError(QStringLiteral("처리할 수 있는 수의 범위(±%1)를 넘습니다: %2")
                          .arg(limit, FormatFloat(QStringLiteral(",0"), value))
                          .toStdString());
}

double IntWithMargin(double v)
{
    return TruncWhole(v >= 0 ? v + 0.001 : v - 0.001);
}

double IntWithMarginTenths(double v)
{
    return TruncWhole((v >= 0 ? v + 0.001 : v - 0.001) * 10) / 10;
}

double LineMaterialAmount(double quantity, double materialPrice)
{
    return IntWithMargin(quantity * std::nearbyint(materialPrice));
}

double DetailMaterialAmount(double quantity, double materialPrice)
{
    const double v = quantity * materialPrice;
    // Rounding to 15 significant digits may carry the last half unit past the range.
    if (!Currency::fits(std::fabs(v) + 0.5))
        return std::trunc(v * 10) / 10;
    // Rounded to two decimals from the product itself, as its text shows it (rounding to
    // four decimals first could carry a half into the second), then the second cut.
    const std::int64_t hundredths = RoundNumber(v, 2).raw() / 100;
    return double(hundredths / 10) / 10;
}

double FixedPointTotal(double labour, double expense, double material)
{
    if (!Currency::fits(std::fabs(labour) + std::fabs(expense) + std::fabs(material)))
        return labour + expense + material;
    return (Currency::fromDouble(expense) + Currency::fromDouble(labour) + Currency::fromDouble(material)).toDouble();
}

} // namespace vek
