#include "tests/unitprice/BreakdownFixture.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace vek {

const BreakdownKey TestKey{5, 6, 7};
const BreakdownKey OtherKey{5, 6, 8};
const RatePlace TestPlace = RatePlace::Breakdown(5, 6, 7);
const RatePlace OtherPlace = RatePlace::Breakdown(5, 6, 8);

void InsertUnitPriceItem(TempDatabase &db, const BreakdownKey &key, int acode, double quantity)
{
    db.insertRow({{"ACODE", acode}, {"NAME", QStringLiteral("대가")}, {"INO", quantity}, {"TAG", "D"}, {"ABFS", "S"},
                  {"ICD1", key.i1}, {"ICD2", key.i2}, {"ICD3", key.i3}, {"ODRF", 1}});
}

void InsertNumberedRows(TempDatabase &db, const BreakdownKey &key, int count)
{
    for (int n = count; n >= 1; --n)
        AddPlaceRow(db, RatePlace::Breakdown(key.i1, key.i2, key.i3), {{"NAME", QStringLiteral("r%1").arg(n)}, {"ODRF", n}, {"INO", 1}, {"LCST11", 100 * n}});
}

void InsertFooterExample(TempDatabase &db)
{
    AddPlaceRow(db, TestPlace, {{"NAME", "노무"}, {"ODRF", 1}, {"INO", 4}, {"LCST11", 25000}, {"LRT1", 0.02}});
    AddPlaceRow(db, TestPlace,
                       {{"NAME", "자재"}, {"ODRF", 2}, {"INO", 1.5}, {"PCST11", 3333.3}, {"SCST11", 7}, {"LRT1", 0.02}});
    AddPlaceRow(db, TestPlace, {{"NAME", "지급"}, {"ODRF", 3}, {"INO", 2}, {"RECV", 12000}, {"LCST11", 800}});
    AddPlaceRow(db, TestPlace,
                       {{"NAME", "공구손료"}, {"ODRF", 4}, {"TAG", "R"}, {"NORT", 1}, {"INO", 1}, {"LRT1", 0.02}});
}

void OpenItemOf(TempDatabase &db, const BreakdownKey &key)
{
    Dataset &items = db.module().TSlst;
    items.close();
    items.setCommandText(QStringLiteral("select * from NDTAIL where ABFS='S' and TAG='D' and ICD1=? and ICD2=? and ICD3=? "
                                        "Order by ACODE"),
                         key.values());
    items.open();
}

QStringList StoredOrder(TempDatabase &db, const BreakdownKey &key)
{
    QSqlQuery query = db.module().SQLConect.select(
        QStringLiteral("select NAME, ODRF from NDTAIL where ABFS='X' and ICD1=? and ICD2=? and ICD3=? Order by ODRF"),
        key.values());
    QStringList order;
    while (query.next())
        order.append(QStringLiteral("%1@%2").arg(query.value(0).toString()).arg(query.value(1).toInt()));
    return order;
}

QList<QVariantList> WholeTable(TempDatabase &db)
{
    QSqlQuery query = db.module().SQLConect.select(QStringLiteral("select * from NDTAIL Order by RID"));
    QList<QVariantList> rows;
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < query.record().count(); ++i)
            row.append(query.value(i));
        rows.append(row);
    }
    return rows;
}

} // namespace vek
