#include "core/RowList.h"

#include "core/DataModule.h"
#include "core/ProgramState.h"
#include "core/SqlRoutines.h"

namespace vek {

bool RowList::isEmpty() const
{
    return !rows().isActive() || rows().isEmpty();
}

void RowList::InsertNewRow(const QString &name, const QString &spec, const QString &unit)
{
    PostEdit(rows());
    int order = 0;
    if (!RunCommandOnRows(rows(), [&] {
            order = dMf->ChooseNextOdrf(rows(), shiftOrder_);
            InsertOrdinaryRow(name, spec, unit, order);
        }))
        return;
    // The new row becomes current in both modes: a refresh by key would land on the row
    // that was current before.
    rows().refresh();
    GotoOrder(rows(), order);
    DataChanged = true;
}

void RowList::DeleteRow()
{
    PostEdit(rows());
    if (isEmpty())
        return;
    Dataset &ds = rows();
    const int order = ds.asInteger("ODRF");
    if (!RunCommandOnRows(ds, [&] {
            ReleaseDependents(ds);
            ds.deleteRecord();
            CloseOrderGap(order);
            CommitWork();
        }))
        return;
    ds.refresh();
    GotoOrder(ds, order);
    Recompute();
    DataChanged = true;
}

void RowList::AddRow()
{
    InsertNewRow(QString(), QString(), QString());
}

bool RowList::CopyRow()
{
    PostEdit(rows());
    const Dataset &ds = rows();
    if (isEmpty() || ds.asString("TAG") == QLatin1String("R"))
        return false;
    InsertNewRow(ds.asString("NAME"), ds.asString("STAN"), ds.asString("UNIT"));
    return true;
}

void RowList::AppendToField(const QString &field, const QString &text)
{
    PostEdit(rows());
    Dataset &ds = rows();
    ds.edit();
    ds.setValue(field, ds.asString(field) + text);
    ds.post();
    DataChanged = true;
}

bool RowList::StartMove()
{
    PostEdit(rows());
    if (isEmpty() || moveState_ != NoMove)
        return false;
    moveState_ = Marking;
    return true;
}

void RowList::ToggleMark()
{
    PostEdit(rows());
    Dataset &ds = rows();
    if (moveState_ != Marking || isEmpty())
        return;
    ds.edit();
    ds.setValue("MVE", ds.asString("MVE") == QLatin1String("T") ? QStringLiteral("F") : QStringLiteral("T"));
    ds.post();
}

} // namespace vek
