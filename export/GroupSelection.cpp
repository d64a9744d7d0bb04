#include "export/GroupSelection.h"

namespace vek {
namespace {

bool SameKey(const Dataset &set, int row, const char *field, int key)
{
    const QVariant value = set.valueAt(row, QString::fromLatin1(field));
    return !value.isNull() && value.toInt() == key;
}

void Release(Dataset &set, const QString &commandText, const QVariantList &params)
{
    set.close();
    set.setFiltered(false);
    set.setFilter({});
    set.setCommandText(commandText, params);
}

} // namespace

QString GroupSelection::sql() const
{
    QString sql = QStringLiteral("select * from NDTAIL where ABFS='%1'").arg(level);
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

bool GroupSelection::holds(const Dataset &set, int row) const
{
    if (set.valueAt(row, QStringLiteral("ABFS")).toString() != QString(level))
        return false;
    if (level == u'S') {
        const QVariant tag = set.valueAt(row, QStringLiteral("TAG"));
        if (tag.isNull() || tag.toString() == QLatin1String("M"))
            return false;
    }
    return SameKey(set, row, "ACODE", acode) && (!bcode || SameKey(set, row, "BCODE", *bcode))
           && (!scode || SameKey(set, row, "SCODE", *scode));
}

SelectedRows::SelectedRows(Dataset &set, const GroupSelection &selection)
    : set_(set), commandText_(set.commandText()), params_(set.params())
{
    set_.setFilter([selection](const Dataset &rows, int row) { return selection.holds(rows, row); });
    set_.setFiltered(true);
    set_.setCommandText(selection.sql(), selection.values());
    try {
        set_.open();
    } catch (...) {
        Release(set_, commandText_, params_);
        throw;
    }
}

SelectedRows::~SelectedRows()
{
    Release(set_, commandText_, params_);
}

} // namespace vek
