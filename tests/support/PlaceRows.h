#pragma once

#include "core/RatePlace.h"

#include <QVariantHash>

namespace vek {

class TempDatabase;

// Stores one row of place: a line item of its node or a breakdown row of its key, of kind
// 'N' unless values give TAG, with the other columns in values.
void AddPlaceRow(TempDatabase &db, const RatePlace &place, QVariantHash values);

} // namespace vek
