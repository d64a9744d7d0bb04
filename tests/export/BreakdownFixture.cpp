#include "tests/export/BreakdownFixture.h"

#include "core/BreakdownFooter.h"
#include "core/DataModule.h"
#include "core/Recalc.h"
#include "tests/support/TempDatabase.h"

namespace vek::BreakdownFixture {

void AddRow(TempDatabase &db, int i1, int i2, int i3, int order, QVariantHash values)
{
    values.insert("ABFS", "X");
    values.insert("ICD1", i1);
    values.insert("ICD2", i2);
    values.insert("ICD3", i3);
    values.insert("ODRF", order);
    if (!values.contains("TAG"))
        values.insert("TAG", "N");
    db.insertRow(values);
}

void AddItem(TempDatabase &db, int i1, int i2, int i3, const QVariantHash &values)
{
    QVariantHash row = values;
    row.insert("ACODE", 1);
    row.insert("ABFS", "S");
    row.insert("TAG", "D");
    row.insert("ICD1", i1);
    row.insert("ICD2", i2);
    row.insert("ICD3", i3);
    db.insertRow(row);
}

void AddFooterBreakdown(TempDatabase &db, int i1, int i2, int i3)
{
    AddRow(db, i1, i2, i3, 1,
           {{"NAME", "보통인부"}, {"STAN", "일반공사 직종"}, {"UNIT", "인"}, {"INO", 4}, {"LCST11", 25000}, {"LRT1", 0.02},
            {"ETC", "A-1"}});
    AddRow(db, i1, i2, i3, 2,
           {{"NAME", "시멘트"}, {"STAN", "40kg"}, {"UNIT", "포"}, {"INO", 1.5}, {"PCST11", 3333.3}, {"SCST11", 7},
            {"LRT1", 0.02}});
    AddRow(db, i1, i2, i3, 3,
           {{"NAME", "철근"}, {"STAN", "D10"}, {"UNIT", "ton"}, {"INO", 2}, {"RECV", 12000}, {"LCST11", 800}});
    AddRow(db, i1, i2, i3, 4,
           {{"NAME", "공구손료"}, {"STAN", "인력품의 2%"}, {"UNIT", "식"}, {"INO", 1}, {"LCST11", 999},
            {"LCST12", 999}, {"TAG", "R"}, {"NORT", 1}, {"LRT1", 0.02}});
}

Dataset &OpenOverviewList(TdMf &module)
{
    Dataset &list = module.qDList;
    list.close();
    list.setCommandText("Select NAME,STAN,UNIT,ETC, PCST11,LCST11, SCST11,ICD1,ICD2,ICD3 from NDTAIL where  "
                        "TAG='D' and ABFS='S' Group by NAME,STAN,UNIT,ETC, PCST11,LCST11,SCST11,ICD1,ICD2,ICD3 "
                        "Order by ICD1,ICD2,ICD3");
    list.open();
    return list;
}

RollupSums OpenPageOne(TdMf &module)
{
    const QVariantList key{module.qDList.value("ICD1"), module.qDList.value("ICD2"), module.qDList.value("ICD3")};
    Dataset &rows = module.Tdtail;
    rows.close();
    rows.setCachedUpdates(true);
    rows.setCommandText("select * from NDTAIL where ABFS='X' and  ICD1=? and ICD2=? and ICD3=? Order by ODRF", key);
    rows.open();
    BreakdownFooter footer;
    for (rows.first(); !rows.eof(); rows.next()) {
        if (rows.asString("TAG") == "R")
            RefreshBreakdownRateRow(rows, key[0].toInt(), key[1].toInt(), key[2].toInt());
        footer.Add(rows);
    }
    rows.first();
    return footer.Values();
}

OverviewRows::OverviewRows()
{
    SetUpOverviewRows(Tdtail);
}

} // namespace vek::BreakdownFixture
