#include "core/RowAmounts.h"

#include <cmath>
#include <cstdlib>

namespace vek {

namespace {

// Beyond what a fixed-point value holds the double is truncated as it is.
constexpr double FixedPointLimit = 9.0e14;

double TruncWhole(double v)
{
    return std::fabs(v) < FixedPointLimit ? double(Currency::truncOf(v)) : std::trunc(v);
}

} // namespace

const QString SuppliedMaterialText = QStringLiteral("지   급     ");

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
    if (!(std::fabs(v) < FixedPointLimit))
        return std::trunc(v * 10) / 10;
    const std::int64_t raw = Currency::fromDouble(v).raw();
    const std::int64_t hundredths = (std::llabs(raw) + 50) / 100;   // two decimals, halves away
    const std::int64_t tenths = hundredths / 10;                   // the second decimal cut
    return double(raw < 0 ? -tenths : tenths) / 10;
}

double FixedPointTotal(double labour, double expense, double material)
{
    if (std::fabs(labour) + std::fabs(expense) + std::fabs(material) >= FixedPointLimit)
        return labour + expense + material;
    return (Currency::fromDouble(expense) + Currency::fromDouble(labour) + Currency::fromDouble(material)).toDouble();
}

} // namespace vek
