#include "tests/support/PlaceRows.h"

#include "tests/support/TempDatabase.h"

#include <QStringList>

namespace vek {

void AddPlaceRow(TempDatabase &db, const RatePlace &place, QVariantHash values)
{
    const bool breakdown = place.kind == RatePlace::BreakdownRows;
    const QStringList keys = breakdown ? QStringList{"ICD1", "ICD2", "ICD3"} : QStringList{"ACODE", "BCODE", "SCODE"};
    for (int i = 0; i < 3; ++i)
        values.insert(keys.at(i), place.Keys().at(i));
    values.insert("ABFS", breakdown ? "X" : "S");
    if (!values.contains("TAG"))
        values.insert("TAG", "N");
    db.insertRow(values);
}

} // namespace vek
