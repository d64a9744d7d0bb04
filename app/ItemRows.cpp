#include "app/ItemRows.h"

#include "core/Currency.h"
#include "core/Cp949Text.h"
#include "core/DataModule.h"
#include "core/EstimateColumns.h"
#include "core/GroupList.h"
#include "core/ProgramState.h"
#include "core/SqlRoutines.h"
#include "core/TextUtils.h"

#include <QHash>

namespace vek {

namespace {

GroupList ListOf(int level)
{
    return GroupList(GroupLevel(level));
}

Dataset &LevelRows(int level)
{
    return ListOf(level).rows();
}

QString LevelLetter(int level)
{
    return ListOf(level).letter();
}

const QString GroupUnit = QStringLiteral("식");
const QString SubtotalTag = QStringLiteral("T");

// quantity x price as the table keeps it: in fixed point, so that a product binary floating
// point leaves a hair off its four decimals is stored as the decimal it is.
double Product(double quantity, double price)
{
    return Currency::fromDouble(quantity * price).toDouble();
}

// The figures of the row as stored: unit prices, their amounts, and CSTTAL.
QHash<QString, QVariant> FigureValues(const ItemRowFields &fields)
{
    const double q = fields.quantity;
    return {{"INO", q},
            {"PCST11", fields.material}, {"PCST12", Product(q, fields.material)},
            {"LCST11", fields.labour}, {"LCST12", Product(q, fields.labour)},
            {"SCST11", fields.expense}, {"SCST12", Product(q, fields.expense)},
            {"CSTTAL", Product(q, fields.total)}};
}

// SUB of a row of the fields at level: only ordinary rows above the small groups have
// lower groups.
int SubFlag(const ItemRowFields &fields, int level)
{
    return level < 2 && fields.kind == ItemKind::Ordinary && fields.sub ? 1 : 0;
}

// The keys of a new row of level with key k: (k, 0, 0), (ACODE, k, 0) or (ACODE, BCODE, k)
// under the current rows of the lists above.
QHash<QString, QVariant> NewRowKeys(int level, int k)
{
    if (level == 0)
        return {{"ACODE", k}, {"BCODE", 0}, {"SCODE", 0}};
    const QVariant a = dMf->TAlst.value("ACODE");
    if (level == 1)
        return {{"ACODE", a}, {"BCODE", k}, {"SCODE", 0}};
    return {{"ACODE", a}, {"BCODE", dMf->TBlst.value("BCODE")}, {"SCODE", k}};
}

int NextLevelCode(int level)
{
    switch (level) {
    case 0: return NextWorkItemCode();
    case 1: return NextMiddleGroupCode(dMf->TAlst.asInteger("ACODE"));
    default: return NextSmallGroupCode(dMf->TAlst.asInteger("ACODE"), dMf->TBlst.asInteger("BCODE"));
    }
}

// Inserts a new row of the open level list with the given values, with its new key and
// order; returns its ODRF.
int InsertLevelRow(int level, QHash<QString, QVariant> values)
{
    Dataset &rows = LevelRows(level);
    const int k = NextLevelCode(level);
    values.insert(NewRowKeys(level, k));
    values.insert("ABFS", LevelLetter(level));
    const int odrf = dMf->ChooseNextOdrf(rows, ShiftLevelOrder);
    values.insert("ODRF", odrf);
    InsertEstimateRow(dMf->SQLConect, EstimateRowValues(values));
    return odrf;
}

// Runs write, which returns the ODRF of the row it inserted (0 when it inserted none), as
// one command on the list rows. Committed, the list is read again with the inserted row
// current. Failed or refused, the list is read again to show what the table kept, and the
// failure passes on.
template <typename Write>
bool RunCommandOnRows(Dataset &rows, Write write)
{
    bool committed = false;
    int inserted = 0;
    try {
        WorkTransaction command(dMf->SQLConect);
        inserted = write();
        committed = command.commit();
    } catch (...) {
        rows.cancel();
        rows.refresh();
        throw;
    }
    rows.refresh();
    if (!committed)
        return false;
    const int recNo = inserted != 0 ? LocateRow(rows, "ODRF", inserted) : -1;
    if (recNo >= 0)
        rows.setRecNo(recNo);
    DataChanged = true;
    return true;
}

} // namespace

QString ItemKindTag(ItemKind kind, int level)
{
    switch (kind) {
    case ItemKind::RateRow: return QStringLiteral("R");
    case ItemKind::LeftOut: return QStringLiteral("E");
    case ItemKind::Ordinary: break;
    }
    return LevelLetter(level);
}

ItemKind ItemKindOf(const QString &tag)
{
    if (tag == QLatin1String("R"))
        return ItemKind::RateRow;
    if (tag == QLatin1String("E"))
        return ItemKind::LeftOut;
    return ItemKind::Ordinary;
}

bool SameFigures(const ItemRowFields &a, const ItemRowFields &b)
{
    return a.quantity == b.quantity && a.material == b.material && a.labour == b.labour && a.expense == b.expense
           && a.total == b.total;
}

double UnitPriceSum(double material, double labour, double expense)
{
    return (Currency::fromDouble(material) + Currency::fromDouble(labour) + Currency::fromDouble(expense)).toDouble();
}

ItemRowFields NewItemRowFields(int level)
{
    ItemRowFields fields;
    fields.subAllowed = level < 2;
    return fields;
}

ItemRowFields LoadItemRow(int level)
{
    const Dataset &rows = LevelRows(level);
    ItemRowFields fields = NewItemRowFields(level);
    fields.kind = ItemKindOf(rows.asString("TAG"));
    fields.sub = fields.subAllowed && fields.kind == ItemKind::Ordinary && rows.asInteger("SUB") == 1;
    fields.name = TrimRightText(rows.asString("NOADD"));
    fields.remark = TrimRightText(rows.asString("ETC"));
    fields.quantity = rows.asDouble("INO");
    fields.material = rows.asDouble("PCST11");
    fields.labour = rows.asDouble("LCST11");
    fields.expense = rows.asDouble("SCST11");
    fields.total = UnitPriceSum(fields.material, fields.labour, fields.expense);
    if (fields.total == 0) {
        // A lump row: its unit total is what times its quantity gave CSTTAL.
        const double amount = rows.asDouble("CSTTAL");
        fields.total = fields.quantity != 0 ? Currency::fromDouble(amount / fields.quantity).toDouble() : amount;
    }

    fields.locked = ListOf(level).HasLowerRows();
    return fields;
}

bool AddItemRow(int level, const ItemRowFields &fields)
{
    return RunCommandOnRows(LevelRows(level), [&] {
        QHash<QString, QVariant> values = FigureValues(fields);
        values.insert("UNIT", GroupUnit);
        values.insert("ETC", fields.remark);
        values.insert("NOADD", fields.name);
        values.insert("TAG", ItemKindTag(fields.kind, level));
        values.insert("SUB", SubFlag(fields, level));
        return InsertLevelRow(level, values);
    });
}

bool ChangeItemRow(int level, const ItemRowFields &fields, bool figuresChanged)
{
    Dataset &rows = LevelRows(level);
    return RunCommandOnRows(rows, [&] {
        rows.edit();
        rows.setValue("NOADD", fields.name);
        if (figuresChanged) {
            const QHash<QString, QVariant> figures = FigureValues(fields);
            for (auto it = figures.cbegin(); it != figures.cend(); ++it)
                rows.setValue(it.key(), it.value());
        }
        rows.setValue("ETC", fields.remark);
        if (level < 2)
            rows.setValue("SUB", SubFlag(fields, level));
        rows.setValue("TAG", ItemKindTag(fields.kind, level));
        rows.post();
        return 0;
    });
}

void ShiftLevelOrder(int o)
{
    const int level = OpenListLevel();
    QString sql = QStringLiteral("UpDate NDTAIL Set ODRF=ODRF+1 where ODRF>=? and ABFS=?");
    QVariantList params{o, LevelLetter(level)};
    if (level >= 1) {
        sql += QStringLiteral(" and ACODE=?");
        params.append(dMf->TAlst.value("ACODE"));
    }
    if (level == 2) {
        sql += QStringLiteral(" and BCODE=?");
        params.append(dMf->TBlst.value("BCODE"));
    }
    RunTempSql(true, sql, params);
    CommitWork();
}

QString FormatSumLabel(const QString &caption)
{
    if (Cp949Width(caption) <= 2)
        return PadLeftChar(u' ', caption, 13);
    return PadLeftChar(u' ', caption.left(1), 5) + PadLeftChar(u' ', caption.mid(1), 13);
}

bool InsertSubtotalRow(int kind, const QString &label)
{
    Dataset &items = dMf->TSlst;
    if (items.isActive()) {
        return RunCommandOnRows(items, [&] {
            const QVariantList keys = OpenNodeKeys();
            const int odrf = dMf->ChooseNextOdrf(items, ShiftItemOrder);
            InsertEstimateRow(dMf->SQLConect,
                              EstimateRowValues({{"ACODE", keys.at(0)}, {"BCODE", keys.at(1)}, {"SCODE", keys.at(2)},
                                                 {"NAME", label}, {"ICD1", kind}, {"TAG", SubtotalTag},
                                                 {"ABFS", QStringLiteral("S")}, {"ODRF", odrf}}));
            return odrf;
        });
    }
    const int level = OpenListLevel();
    return RunCommandOnRows(LevelRows(level), [&] {
        return InsertLevelRow(level, {{"NOADD", label}, {"ICD1", kind}, {"TAG", SubtotalTag}});
    });
}

} // namespace vek
