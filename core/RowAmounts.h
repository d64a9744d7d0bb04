#pragma once

#include "core/Currency.h"

#include <QString>

namespace vek {

// The amounts a row shows and stores, from its quantity and unit prices. Every truncation
// goes through the fixed-point value, so that 0.29 x 100 gives 29.

// Int(v + 0.001) when v >= 0, else Int(v - 0.001): a product truncated to whole units
// with a small margin against binary fractions just below a whole unit.
double IntWithMargin(double v);
// The same to one decimal: Int((v ± 0.001) x 10) / 10.
double IntWithMarginTenths(double v);

// A line item's material amount: quantity x Round(material unit price), truncated as above.
double LineMaterialAmount(double quantity, double materialPrice);
// A breakdown row's material amount as it shows: quantity x material unit price to two
// decimals (halves away from zero), the second decimal then cut off.
double DetailMaterialAmount(double quantity, double materialPrice);

// The row total of labour, expense and material amounts, summed in fixed point.
double FixedPointTotal(double labour, double expense, double material);

// Throws NumberError, with a message for the user naming the number, when value lies
// beyond what a fixed-point value holds: no roll-up, formula or document could carry it.
void RequireFixedPointRange(double value);

// The text shown in place of the material amount of a row with supplied material.
extern const QString SuppliedMaterialText;

} // namespace vek
