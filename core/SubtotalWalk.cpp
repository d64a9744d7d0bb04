#include "core/SubtotalWalk.h"

#include <array>
#include <cmath>
#include <string>

namespace vek {

namespace {

enum SubtotalKind { Subtotal = 1, Total = 2, GrandTotal = 3 };

class Accumulator {
public:
    explicit Accumulator(WalkTotals totals) : totals_(totals) {}

    void add(const SubtotalWalkRow &row)
    {
        for (RollupSums &set : sets_) {
            set.material = AddRounded(set.material, row.material);
            set.labour = AddRounded(set.labour, row.labour);
            set.expense = AddRounded(set.expense, row.expense);
            if (totals_ == WalkTotals::Summed)
                set.total = AddRounded(set.total, row.total);
        }
    }

    // Writes the set of row's kind into row; a kind without a set leaves row as it is.
    void take(SubtotalWalkRow &row)
    {
        RollupSums taken;
        switch (row.subtotalKind) {
        case Subtotal:
        case Total:
            taken = sets_[size_t(row.subtotalKind - 1)];
            sets_[size_t(row.subtotalKind - 1)] = RollupSums();
            break;
        case GrandTotal: {
            const RollupSums &set = sets_[2];
            taken = {WholeUnits(set.material), WholeUnits(set.labour), WholeUnits(set.expense), WholeUnits(set.total)};
            break;
        }
        default:
            return;
        }
        if (totals_ == WalkTotals::FromParts)
            taken.total = SumOfParts(taken);
        row.material = taken.material.toDouble();
        row.labour = taken.labour.toDouble();
        row.expense = taken.expense.toDouble();
        row.total = taken.total.toDouble();
    }

    const RollupSums &grandTotal() const { return sets_[2]; }

private:
    WalkTotals totals_;
    std::array<RollupSums, 3> sets_{};
};

} // namespace

Currency WholeUnits(Currency value)
{
    return Currency::fromRaw(value.trunc() * Currency::Scale);
}

Currency SumOfParts(const RollupSums &sums)
{
    // Three 64-bit parts cannot leave 128 bits.
    const __int128 total = __int128(sums.material.raw()) + sums.labour.raw() + sums.expense.raw();
    if (total > Currency::RawLimit || total < -Currency::RawLimit)
        throw NumberError("total out of range: " + std::to_string(double(total) / Currency::Scale));
    return Currency::fromRaw(std::int64_t(total));
}

Currency AddRounded(Currency acc, double column)
{
    return Currency::fromScaled(column * Currency::Scale + double(acc.raw()));
}

RollupSums SubtotalWalk(std::vector<SubtotalWalkRow> &rows, WalkTotals totals)
{
    Accumulator accumulator(totals);
    for (SubtotalWalkRow &row : rows) {
        if (row.tag == SubtotalTag)
            accumulator.take(row);
        else
            accumulator.add(row);
    }
    return accumulator.grandTotal();
}

} // namespace vek
