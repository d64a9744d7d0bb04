#include "core/BreakdownFooter.h"

#include "core/Dataset.h"
#include "core/MoneyFormat.h"

namespace vek {
namespace {

// Int((sum ± 10) / 10000): whole units after a margin of 0.001 away from zero.
Currency WholeWithMargin(Currency sum)
{
    const Currency margin = Currency::fromRaw(sum.raw() >= 0 ? 10 : -10);
    return Currency::fromRaw((sum + margin).trunc() * Currency::Scale);
}

} // namespace

void BreakdownFooter::Add(const Dataset &rows)
{
    if (rows.asDouble("RECV") == 0)
        material_ += ParseAmount(rows.asString("PCST22"));
    labour_ = AddRounded(labour_, rows.asDouble("LCST22"));
    expense_ = AddRounded(expense_, rows.asDouble("SCST22"));
}

RollupSums BreakdownFooter::Values() const
{
    return {WholeWithMargin(material_), WholeWithMargin(labour_), WholeWithMargin(expense_),
            WholeWithMargin(material_ + labour_ + expense_)};
}

} // namespace vek
