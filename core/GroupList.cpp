#include "core/GroupList.h"

#include "core/DataModule.h"
#include "core/ProgramState.h"
#include "core/Recalc.h"
#include "core/SqlRoutines.h"

namespace vek {

namespace {

const char *const KeyColumns[] = {"ACODE", "BCODE", "SCODE"};
const QString MarkedForMove = QStringLiteral("T");
const QString NotMarked = QStringLiteral("F");

// " and ACODE=? and BCODE=?" for two keys, each clause after separator.
QString KeyClauses(int count, const QString &separator)
{
    QString clauses;
    for (int i = 0; i < count; ++i)
        clauses += separator + QStringLiteral("and %1=?").arg(QLatin1String(KeyColumns[i]));
    return clauses;
}

void SetOrder(Dataset &list, int odrf)
{
    list.edit();
    list.setValue("ODRF", odrf);
    list.setValue("MVE", NotMarked);
    list.post();
}

} // namespace

GroupList::GroupList(GroupLevel level) : level_(level) {}

Dataset &GroupList::rows() const
{
    switch (level_) {
    case GroupLevel::WorkItems: return dMf->TAlst;
    case GroupLevel::MiddleGroups: return dMf->TBlst;
    case GroupLevel::SmallGroups: break;
    }
    return dMf->TFlst;
}

QString GroupList::letter() const
{
    static const QString letters[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("F")};
    return letters[int(level_)];
}

QVariantList GroupList::ownKeys() const
{
    QVariantList keys;
    for (int i = 0; i <= int(level_); ++i)
        keys.append(rows().value(QLatin1String(KeyColumns[i])));
    return keys;
}

QString GroupList::ownKeyClauses(const QString &separator) const
{
    return KeyClauses(int(level_) + 1, separator);
}

QVariantList GroupList::parentKeys() const
{
    QVariantList keys;
    if (level_ != GroupLevel::WorkItems)
        keys.append(dMf->TAlst.value("ACODE"));
    if (level_ == GroupLevel::SmallGroups)
        keys.append(dMf->TBlst.value("BCODE"));
    return keys;
}

Dataset &GroupList::parentRows() const
{
    return level_ == GroupLevel::SmallGroups ? dMf->TBlst : dMf->TAlst;
}

template <typename Work>
void GroupList::RunCommand(Work work)
{
    RunCommandOnRows(rows(), work);
}

void GroupList::OpenList()
{
    Dataset &list = rows();
    list.close();
    list.setCommandText(QStringLiteral("select * from NDTAIL where ABFS='%1'").arg(letter())
                            + KeyClauses(int(level_), QStringLiteral(" ")) + QStringLiteral(" Order by ODRF"),
                        parentKeys());
    list.open();
}

RollupSums GroupList::RecalcTotals()
{
    const QVariantList parents = parentKeys();
    RollupSums sums;
    switch (level_) {
    case GroupLevel::WorkItems: sums = RecalcTopRows(0, 0); break;
    case GroupLevel::MiddleGroups: sums = RecalcSectionRows(0, parents.at(0).toInt()); break;
    case GroupLevel::SmallGroups: sums = RecalcSectionRows(parents.at(1).toInt(), parents.at(0).toInt()); break;
    }
    rows().refresh();
    return sums;
}

void GroupList::RecalcAmounts()
{
    Dataset &list = rows();
    const QVariantList parents = parentKeys();
    const Bookmark place = list.bookmark();
    bool changed = false;
    {
        FrozenControls frozen(list);
        RunCommand([&] {
            RecalcUnitPrices(parents.value(0).toInt(), parents.value(1).toInt());
            changed = PriceGroupRows(list, letter());
        });
        list.gotoBookmark(place);
    }
    if (changed)
        DataChanged = true;
}

void GroupList::CloseList(const RollupSums &sums)
{
    rows().close();
    Dataset &parent = parentRows();
    bool changed = false;
    RunCommandOnRows(parent, [&] { changed = StoreGroupSums(parent, sums); });
    if (changed)
        DataChanged = true;
}

bool GroupList::HasLowerRows() const
{
    RunTempSql(false,
               QStringLiteral("Select count(*) from NDTAIL where ABFS<>'%1'").arg(letter()) + ownKeyClauses(QStringLiteral(" ")),
               ownKeys());
    const int lower = dMf->sQTmp.value(0).toInt();
    dMf->sQTmp.close();
    return lower != 0;
}

void GroupList::Renumber()
{
    Dataset &list = rows();
    const int place = list.recNo();
    for (int recNo = list.recordCount() - 1; recNo >= 0; --recNo) {
        list.setRecNo(recNo);
        if (list.asInteger("ODRF") != recNo + 1 || list.asString("MVE") != NotMarked)
            SetOrder(list, recNo + 1);
    }
    list.setRecNo(place);
}

void GroupList::RenumberOrder()
{
    {
        FrozenControls frozen(rows());
        RunCommand([this] { Renumber(); });
    }
    DataChanged = true;
}

void GroupList::MarkForMove()
{
    Dataset &list = rows();
    RunCommand([&list] {
        list.edit();
        list.setValue("MVE", MarkedForMove);
        list.post();
    });
}

void GroupList::ClearMoveMarks()
{
    // The marks of the list: the rows of this level under the current row's parents.
    const QVariantList parents = ownKeys().mid(0, int(level_));
    RunTempSql(true,
               QStringLiteral("UpDate NDTAIL Set MVE='F' where ABFS='%1'").arg(letter())
                   + KeyClauses(int(level_), QStringLiteral(" ")),
               parents);
    CommitWork();
    rows().refresh();
}

bool GroupList::DropMovedRows()
{
    Dataset &list = rows();
    const int target = list.asInteger("ODRF");
    bool changed = false;
    {
        FrozenControls frozen(list);
        RunCommand([&] {
            for (list.first(); !list.eof(); list.next()) {
                const int odrf = list.asInteger("ODRF");
                const bool marked = list.asString("MVE") == MarkedForMove;
                const int moved = marked ? target : odrf >= target ? odrf + 1 : odrf;
                if (moved != odrf || list.asString("MVE") != NotMarked) {
                    changed = changed || moved != odrf;
                    SetOrder(list, moved);
                }
            }
        });
        list.refresh();
        list.setRecNo(LocateRow(list, QStringLiteral("ODRF"), target));
    }
    if (changed)
        DataChanged = true;
    return changed;
}

void GroupList::DeleteCurrentRow()
{
    Dataset &list = rows();
    const int place = list.recNo();
    {
        FrozenControls frozen(list);
        RunCommand([&] {
            if (!IsNoDrillTag(list.asString("TAG"))) {
                PurgeOrphanDetails();
                RunTempSql(true,
                           QStringLiteral("Delete from NDTAIL where not (ABFS in ('%1','X'))").arg(letter())
                               + ownKeyClauses(QStringLiteral("\n")),
                           ownKeys());
                CommitWork();
            }
            list.deleteRecord();
            Renumber();
        });
        // The row that took the deleted row's place, or the new last row.
        list.setRecNo(place);
    }
    DataChanged = true;
}

} // namespace vek
