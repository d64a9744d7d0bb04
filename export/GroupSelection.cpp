#include "export/GroupSelection.h"

#include "core/WorkConnection.h"

namespace vek {
namespace {

// What a line-item sheet shows, and what the display fields of TpSlst are worked out from.
const QString LineItemColumns = QStringLiteral(
    "RID, NAME, STAN, UNIT, ETC, INO, PCST11, PCST12, LCST11, LCST12, SCST11, SCST12, TAG, RECV, ODRF");
// What a summary sheet shows, and what the walk down to the lower levels reads.
const QString GroupColumns = QStringLiteral(
    "RID, BCODE, SCODE, ETC, NOADD, UNIT, INO, PCST12, LCST12, SCST12, CSTTAL, TAG, SUB, ODRF");

} // namespace

QString GroupSelection::sql() const
{
    QString sql = QStringLiteral("select %1 from NDTAIL where ABFS='%2'")
                      .arg(level == u'S' ? LineItemColumns : GroupColumns, level);
    if (level == u'S')
        sql += QStringLiteral(" and TAG<>'M'");
    sql += QStringLiteral(" and ACODE=?");
    if (bcode)
        sql += QStringLiteral(" and BCODE=?");
    if (scode)
        sql += QStringLiteral(" and SCODE=?");
    return sql + QStringLiteral(" Order by ODRF");
}

QVariantList GroupSelection::values() const
{
    QVariantList values{acode};
    if (bcode)
        values.append(*bcode);
    if (scode)
        values.append(*scode);
    return values;
}

SelectedRows::SelectedRows(Dataset &set, const GroupSelection &selection)
    : SelectedRows(set, selection.sql(), selection.values())
{
}

SelectedRows::SelectedRows(Dataset &set, const QString &sql, const QVariantList &params)
    : set_(set), commandText_(set.commandText()), params_(set.params())
{
    set_.setCommandText(sql, params);
    try {
        set_.open();
    } catch (...) {
        set_.setCommandText(commandText_, params_);
        throw;
    }
}

SelectedRows::~SelectedRows()
{
    set_.close();
    set_.setCommandText(commandText_, params_);
}

ReadingTransaction::ReadingTransaction(WorkConnection *connection)
    : connection_(connection), started_(connection && connection->isOpen() && !connection->inTransaction())
{
    if (started_)
        connection_->startTransaction();
}

ReadingTransaction::~ReadingTransaction()
{
    if (started_)
        connection_->rollback();
}

} // namespace vek
