#include "core/DataModule.h"

#include "core/EstimateColumns.h"
#include "core/Evaluator.h"
#include "core/MoneyFormat.h"
#include "core/NumberFormat.h"
#include "core/ProgramState.h"
#include "core/RowAmounts.h"
#include "core/SqlRoutines.h"
#include "core/TextUtils.h"

#include <cmath>

namespace vek {

TdMf *dMf = nullptr;

namespace {

const QString MoneyFormat = QStringLiteral("##,###,###,###");
// The formula value NoCal is a text field of 10 characters: longer values are cut there.
constexpr int FormulaValueSize = 10;
const QStringList RateColumns = {"PRT1", "LRT1", "SRT1", "PRT2", "LRT2", "SRT2",
                                 "PRT3", "LRT3", "SRT3", "PRT4", "LRT4", "SRT4"};

bool HasSuppliedMaterial(const Dataset &ds)
{
    return ds.asDouble("RECV") != 0;
}

// A stored amount beyond the fixed-point range (a foreign document's) shows whole: a
// display never throws.
QString MoneyText(double amount)
{
    return Currency::fits(amount) ? FormatMoneyPad(13, Currency::fromDouble(amount)) : FormatFloat(",0", amount);
}

void SetZero(Dataset &ds, const QStringList &fields)
{
    for (const QString &field : fields)
        ds.setValue(field, 0);
}

void AddAmountFields(Dataset &ds)
{
    ds.addCalcField("PCST22", QMetaType::QString);
    for (const char *field : {"LCST22", "SCST22", "TCST31", "TCST32"})
        ds.addCalcField(field, QMetaType::Double);
}

void SetDisplayFormats(Dataset &ds, const QStringList &fields, const QString &format)
{
    for (const QString &field : fields)
        ds.setDisplayFormat(field, format);
}

// The number column of the group lists: "☞" on a row marked for a move, else its ODRF.
void GroupListCalcFields(Dataset &ds)
{
    ds.setValue("rTg", ds.asString("MVE") == "T" ? QStringLiteral("☞") : QString::number(ds.asInteger("ODRF")));
}

// How a list truncates its amounts: line items to whole units, breakdown rows to one
// decimal, each with its own material amount.
struct AmountRule {
    double (*truncate)(double);
    double (*material)(double quantity, double price);
};
const AmountRule LineItemRule{IntWithMargin, LineMaterialAmount};
const AmountRule DetailRule{IntWithMarginTenths, DetailMaterialAmount};

double Labour(const Dataset &ds, const AmountRule &rule)
{
    return rule.truncate(ds.asDouble("INO") * ds.asDouble("LCST11"));
}

double Expense(const Dataset &ds, const AmountRule &rule)
{
    return rule.truncate(ds.asDouble("INO") * ds.asDouble("SCST11"));
}

double Material(const Dataset &ds, const AmountRule &rule)
{
    return rule.material(ds.asDouble("INO"), ds.asDouble("PCST11"));
}

double UnitPriceTotal(const Dataset &ds)
{
    return std::nearbyint(ds.asDouble("PCST11")) + ds.asDouble("LCST11") + ds.asDouble("SCST11");
}

// The amount fields of a line item (without its mark and formula value).
void LineAmountFields(Dataset &ds)
{
    const bool supplied = HasSuppliedMaterial(ds);
    if (ds.asString("TAG") != "T") {
        ds.setValue("PCST22", supplied ? SuppliedMaterialText : MoneyText(Material(ds, LineItemRule)));
        ds.setValue("LCST22", Labour(ds, LineItemRule));
        ds.setValue("SCST22", Expense(ds, LineItemRule));
    } else {
        ds.setValue("PCST22", MoneyText(ds.asDouble("PCST12")));
        ds.setValue("LCST22", ds.asDouble("LCST12"));
        ds.setValue("SCST22", ds.asDouble("SCST12"));
    }
    ds.setValue("TCST31", UnitPriceTotal(ds));
    const double labourExpense = ds.asDouble("LCST22") + ds.asDouble("SCST22");
    ds.setValue("TCST32", supplied ? labourExpense : ds.asDouble("PCST12") + labourExpense);
}

// A line item's mark (move "☞", unit-price item "●", else "○"), amounts and the value
// of its quantity formula.
void LineItemCalcFields(Dataset &ds)
{
    if (ds.asString("MVE") == "T")
        ds.setValue("rTg", QStringLiteral("☞"));
    else
        ds.setValue("rTg", ds.asString("TAG") == "D" ? QStringLiteral("●") : QStringLiteral("○"));
    LineAmountFields(ds);
    const QString formula = RemoveBlanks(ds.asString("NOADD"));
    if (!formula.isEmpty())
        ds.setValue("NoCal", EvaluateExpression(formula).left(FormulaValueSize));
}

// A breakdown row's amounts to one decimal.
void DetailAmountFields(Dataset &ds)
{
    const bool supplied = HasSuppliedMaterial(ds);
    const double material = ds.asDouble("INO") * ds.asDouble("PCST11");
    ds.setValue("PCST22", supplied                    ? SuppliedMaterialText
                          : Currency::fits(material) ? FormatNumberPad(3, QString::number(material, 'g', 15), 13)
                                                     : MoneyText(material));
    const double labour = Labour(ds, DetailRule);
    const double expense = Expense(ds, DetailRule);
    ds.setValue("LCST22", labour);
    ds.setValue("SCST22", expense);
    ds.setValue("TCST31", UnitPriceTotal(ds));
    ds.setValue("TCST32", supplied ? labour + expense : FixedPointTotal(labour, expense, Material(ds, DetailRule)));
}

// A breakdown row's number column ("▶" when marked) and its amounts to one decimal.
void DetailCalcFields(Dataset &ds)
{
    ds.setValue("rOdr", ds.asString("MVE") == "T" ? QStringLiteral("▶") : QString::number(ds.asInteger("ODRF")));
    DetailAmountFields(ds);
}

// Before a post the shown amounts become the stored ones; subtotal rows post unchanged.
// The amounts come from the numbers by the steps of the display rule, never read back
// from a display text. An amount beyond the fixed-point range refuses the post, and the
// row stays as it was.
void StoreShownAmounts(Dataset &ds, const AmountRule &rule)
{
    if (ds.asString("TAG") == "T")
        return;
    const double labour = Labour(ds, rule);
    const double expense = Expense(ds, rule);
    const double material = HasSuppliedMaterial(ds) ? 0.0 : Material(ds, rule);
    const double total = HasSuppliedMaterial(ds) ? labour + expense : FixedPointTotal(labour, expense, material);
    for (double amount : {labour, expense, material, total})
        RequireFixedPointRange(amount);
    ds.setValue("LCST12", labour);
    ds.setValue("SCST12", expense);
    ds.setValue("PCST12", material);
    ds.setValue("CSTTAL", total);
}

} // namespace

void OverviewDetailCalcFields(Dataset &ds)
{
    if (ds.asString("TAG") != "T") {
        DetailAmountFields(ds);
        return;
    }
    const QString material = MoneyText(ds.asDouble("PCST12"));
    const double labour = ds.asDouble("LCST12");
    const double expense = ds.asDouble("SCST12");
    ds.setValue("PCST22", material);
    ds.setValue("LCST22", labour);
    ds.setValue("SCST22", expense);
    ds.setValue("TCST31", UnitPriceTotal(ds));
    ds.setValue("TCST32", HasSuppliedMaterial(ds) ? labour + expense
                                                  : FixedPointTotal(labour, expense, ParseAmount(material).toDouble()));
}

void SetUpOverviewRows(Dataset &ds)
{
    ds.setCommandText(QStringLiteral("select * from SDTAIL Order by ODRF"));
    ds.setUpdateTable(QStringLiteral("SDTAIL"), QStringLiteral("RID"));
    AddAmountFields(ds);
    ds.onCalcFields = OverviewDetailCalcFields;
    SetDisplayFormats(ds, {"PCST11", "LCST11", "SCST11"}, MoneyFormat);
    SetDisplayFormats(ds, {"LCST22", "SCST22", "TCST31", "TCST32"}, "##,###,###,###.#");
}

void StoreLineItemAmounts(Dataset &ds)
{
    StoreShownAmounts(ds, LineItemRule);
}

void StoreBreakdownAmounts(Dataset &ds)
{
    StoreShownAmounts(ds, DetailRule);
}

TdMf::TdMf(QObject *parent)
    : QObject(parent),
      SQLConect(QStringLiteral("SQLConect")),
      TAlst("TAlst", &SQLConect), TBlst("TBlst", &SQLConect), TFlst("TFlst", &SQLConect),
      TSlst("TSlst", &SQLConect), Tdtail("Tdtail", &SQLConect), qDList("qDList", &SQLConect),
      mvDtail("mvDtail", &SQLConect), TABFs("TABFs", &SQLConect), TmFst("TmFst", &SQLConect),
      TpSlst("TpSlst", &SQLConect), TpBfst("TpBfst", &SQLConect), qDgdel("qDgdel", &SQLConect),
      TNmu("TNmu", &SQLConect), qLSlst("qLSlst", &SQLConect), sQTmp("sQTmp", &SQLConect),
      TnDtail("TnDtail", &SQLConect)
{
    dMf = this;

    TAlst.setCommandText("select * from NDTAIL where ABFS='A'");
    TBlst.setCommandText("select * from NDTAIL where ABFS='B'");
    TFlst.setCommandText("select * from NDTAIL where ABFS='F'");
    TSlst.setCommandText("select * from NDTAIL where ABFS='S'");
    Tdtail.setCommandText("select * from NDTAIL where ABFS='X'");
    qDList.setCommandText("Select * from nDtail where TAG='D' and ABFS='S'");
    mvDtail.setCommandText("select * from NDTAIL where ABFS='X'");
    for (Dataset *ds : {&TABFs, &TmFst, &TpSlst, &TpBfst})
        ds->setCommandText("select * from NDTAIL Order by ODRF");
    qDgdel.setCommandText("select Icd1, Icd2, Icd3 from Dgadel group by Icd1, Icd2, Icd3 order by Icd1, Icd2, Icd3");
    TNmu.setCommandText("select * from PNOMU Order by LCODE");
    qLSlst.setCommandText("Select * from NDTAIL where TAG='M' Order by ICD1,ICD2,ICD3,NoRT");
    // The 44 columns that documents hold, without the row key.
    TnDtail.setCommandText("select " + EstimateColumns().join(',') + " from NDTAIL");
    // Scratch cursors and the document reader send their changes with applyUpdates(); the
    // lists that screens edit post each row at once.
    for (Dataset *ds : {&mvDtail, &TABFs, &TmFst, &TnDtail})
        ds->setCachedUpdates(true);

    for (Dataset *ds : {&TAlst, &TBlst, &TFlst}) {
        ds->addCalcField("rTg", QMetaType::QString);
        ds->onCalcFields = GroupListCalcFields;
        SetDisplayFormats(*ds, {"PCST12", "LCST12", "SCST12", "CSTTAL"}, MoneyFormat);
    }

    TSlst.addCalcField("rTg", QMetaType::QString);
    AddAmountFields(TSlst);
    TSlst.addCalcField("NoCal", QMetaType::QString);
    TSlst.onCalcFields = LineItemCalcFields;
    SetDisplayFormats(TSlst, {"PCST11", "LCST11", "SCST11", "LCST22", "SCST22", "TCST31", "TCST32"}, MoneyFormat);
    TSlst.beforeInsert = [this](Dataset &ds) { TSlstBeforeInsert(ds); };
    TSlst.onNewRecord = [this](Dataset &ds) { TSlstNewRecord(ds); };
    TSlst.beforePost = StoreLineItemAmounts;
    TSlst.beforeDelete = [this](Dataset &ds) { TSlstBeforeDelete(ds); };

    Tdtail.addCalcField("rOdr", QMetaType::QString);
    AddAmountFields(Tdtail);
    Tdtail.onCalcFields = DetailCalcFields;
    Tdtail.setDisplayFormat("PCST11", "##,###,###,###.#");
    SetDisplayFormats(Tdtail, {"LCST11", "SCST11"}, MoneyFormat);
    SetDisplayFormats(Tdtail, {"LCST22", "SCST22", "TCST31", "TCST32"}, "###,###,###.#");
    Tdtail.beforeInsert = [this](Dataset &ds) { TdtailBeforeInsert(ds); };
    Tdtail.onNewRecord = [this](Dataset &ds) { TdtailNewRecord(ds); };
    Tdtail.beforePost = StoreBreakdownAmounts;

    // The export cursor shows the line items' amounts, without the mark and the formula value.
    AddAmountFields(TpSlst);
    TpSlst.onCalcFields = LineAmountFields;
    SetDisplayFormats(TpSlst, {"PCST11", "LCST11", "SCST11", "LCST22", "SCST22", "TCST31", "TCST32", "RECV"},
                      MoneyFormat);

    // The unit-price list shows each item's unit-price total.
    qDList.addCalcField("mToTAL", QMetaType::Double);
    qDList.onCalcFields = [](Dataset &ds) {
        ds.setValue("mToTAL", ds.asDouble("PCST11") + ds.asDouble("LCST11") + ds.asDouble("SCST11"));
    };
}

TdMf::~TdMf()
{
    Disconnect();
    if (dMf == this)
        dMf = nullptr;
}

void TdMf::Connect(const QString &path)
{
    SQLConect.open(path);
}

void TdMf::Disconnect()
{
    for (Dataset *ds : {&TAlst, &TBlst, &TFlst, &TSlst, &Tdtail, &qDList, &mvDtail, &TABFs, &TmFst, &TpSlst,
                        &TpBfst, &qDgdel, &TNmu, &qLSlst, &sQTmp, &TnDtail})
        ds->close();
    SQLConect.close();
}

// Before a line item or breakdown row is inserted: in insert mode the new row takes the
// current row's place and the rows from there on move down, in the table and in the
// cached rows; otherwise it comes after the last row. An empty list has no current row
// and nothing to move: its first row is 1 either way.
int TdMf::ChooseNextOdrf(Dataset &ds, void (*shift)(int))
{
    if (InsertMode && !ds.isEmpty()) {
        NextOdrf = ds.asInteger("ODRF");
        shift(NextOdrf);
        ds.shiftCachedValues("ODRF", NextOdrf, 1);
    } else {
        ds.last();
        NextOdrf = ds.asInteger("ODRF") + 1;
        ds.placeNewRowLast();
    }
    return NextOdrf;
}

void TdMf::TSlstBeforeInsert(Dataset &ds)
{
    ChooseNextOdrf(ds, ShiftItemOrder);
}

// A new line item carries the keys of the open lists and starts as an ordinary line of
// quantity 0 at the chosen place.
void TdMf::TSlstNewRecord(Dataset &ds)
{
    const QVariantList keys = OpenNodeKeys();
    ds.setValue("ACODE", keys.at(0));
    ds.setValue("BCODE", keys.at(1));
    ds.setValue("SCODE", keys.at(2));
    SetZero(ds, {"INO", "NORT", "ICD1", "ICD2", "ICD3", "RECV", "SUB", "LRTE"});
    SetZero(ds, RateColumns);
    ds.setValue("ODRF", NextOdrf);
    ds.setValue("ABFS", "S");
    ds.setValue("TAG", "N");
}

void TdMf::TdtailBeforeInsert(Dataset &ds)
{
    ChooseNextOdrf(ds, ShiftDetailOrder);
}

// A new breakdown row belongs to the current line item's key, unmarked, at the chosen place.
void TdMf::TdtailNewRecord(Dataset &ds)
{
    SetZero(ds, {"ACODE", "BCODE", "SCODE", "INO", "NORT", "RECV", "SUB", "LRTE"});
    SetZero(ds, RateColumns);
    for (const char *key : {"ICD1", "ICD2", "ICD3"})
        ds.setValue(key, TSlst.value(key));
    ds.setValue("MVE", "F");
    ds.setValue("ODRF", NextOdrf);
    ds.setValue("ABFS", "X");
    ds.setValue("TAG", "N");
}

// A deleted unit-price item queues its breakdown key for purging.
void TdMf::TSlstBeforeDelete(Dataset &ds)
{
    if (ds.asString("TAG") != "D")
        return;
    RunTempSql(true, QStringLiteral("insert into DGADEL (ICD1,ICD2,ICD3) Values (?, ?,?)"),
               {ds.value("ICD1"), ds.value("ICD2"), ds.value("ICD3")});
    CommitWork();
}

bool RunCommandOnRows(Dataset &rows, const std::function<void()> &work)
{
    bool committed = false;
    try {
        WorkTransaction command(dMf->SQLConect);
        work();
        committed = command.commit();
    } catch (...) {
        // A row that work left half edited goes with the rest.
        rows.cancel();
        rows.refresh();
        throw;
    }
    if (!committed)
        rows.refresh();
    return committed;
}

} // namespace vek
