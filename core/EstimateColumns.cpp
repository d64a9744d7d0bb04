#include "core/EstimateColumns.h"

#include "core/Cp949Text.h"
#include "core/DatabaseError.h"
#include "core/Dataset.h"
#include "core/WorkConnection.h"

#include <QHash>

#include <vector>

namespace vek {

const QStringList &EstimateColumns()
{
    static const QStringList columns = {
        "ACODE", "BCODE", "SCODE", "NAME", "STAN", "UNIT", "ETC", "NOADD", "INO",
        "PCST11", "PCST12", "LCST11", "LCST12", "SCST11", "SCST12", "CSTTAL",
        "PRT1", "LRT1", "SRT1", "PRT2", "LRT2", "SRT2", "PRT3", "LRT3", "SRT3",
        "PRT4", "LRT4", "SRT4", "NORT", "ICD1", "ICD2", "ICD3", "PCSTA", "PCSTB", "PCSTC",
        "PAGEA", "PAGEB", "TAG", "ABFS", "MVE", "SUB", "RECV", "LRTE", "ODRF"};
    return columns;
}

int TextCapacity(const QString &column)
{
    static const QHash<QString, int> capacities = {
        {"NAME", 30}, {"STAN", 20}, {"UNIT", 4}, {"ETC", 15}, {"NOADD", 100},
        {"PAGEA", 4}, {"PAGEB", 4}, {"TAG", 1}, {"ABFS", 1}, {"MVE", 1}};
    return capacities.value(column.toUpper(), -1);
}

QVariant FitColumnValue(const QString &column, const QVariant &value)
{
    const int capacity = TextCapacity(column);
    if (capacity < 0 || value.isNull() || value.typeId() != QMetaType::QString)
        return value;
    const QString text = value.toString();
    if (text.size() <= capacity / 2)
        return value; // fits whatever its letters are
    return Cp949Left(text, capacity);
}

QVariantList EstimateRowValues(const QHash<QString, QVariant> &values)
{
    QVariantList row;
    row.reserve(EstimateColumns().size());
    for (const QString &column : EstimateColumns()) {
        const auto found = values.constFind(column);
        if (found != values.constEnd())
            row.append(found.value());
        else if (column == "MVE")
            row.append(QStringLiteral("F"));
        else if (TextCapacity(column) > 0)
            row.append(QString());
        else
            row.append(0);
    }
    return row;
}

const QString EstimateInsertSql = QStringLiteral(
    "insert into NDTAIL (ACODE,BCODE,SCODE,NAME,STAN,UNIT,ETC,NOADD, INO,PCST11,PCST12,LCST11,LCST12,"
    "SCST11,SCST12,CSTTAL,PRT1,LRT1,SRT1, PRT2,LRT2,SRT2,PRT3,LRT3, SRT3,PRT4,LRT4,SRT4,NORT,ICD1,ICD2,"
    "ICD3,PCSTA, PCSTB,PCSTC,PAGEA,PAGEB,TAG,ABFS,MVE,SUB,RECV,LRTE,ODRF) Values (:ACODE,:BCODE,:SCODE,"
    ":NAME,:STAN,:UNIT,:ETC,:NOADD,:INO,:PCST11,:PCST12, :LCST11,:LCST12,:SCST11,:SCST12,:CSTTAL,:PRT1,"
    ":LRT1,:SRT1,:PRT2,:LRT2,:SRT2, :PRT3,:LRT3,:SRT3,:PRT4,:LRT4,:SRT4,:NORT,:ICD1,:ICD2,:ICD3,:PCSTA,"
    ":PCSTB, :PCSTC,:PAGEA,:PAGEB,:TAG,:ABFS,:MVE,:SUB,:RECV,:LRTE,:ODRF)");

void InsertEstimateRow(WorkConnection &connection, const QVariantList &values)
{
    const QStringList &columns = EstimateColumns();
    if (values.size() != columns.size())
        throw DatabaseError(QStringLiteral("NDTAIL: %1 values for %2 columns").arg(values.size()).arg(columns.size()));
    QVariantList fitted;
    fitted.reserve(values.size());
    for (int i = 0; i < values.size(); ++i)
        fitted.append(FitColumnValue(columns.at(i), values.at(i)));
    connection.execute(EstimateInsertSql, fitted);
}

void ForEachEstimateRow(Dataset &rows, const std::function<void(const QVariantList &values)> &visit)
{
    const QStringList &columns = EstimateColumns();
    std::vector<int> fields;
    fields.reserve(size_t(columns.size()));
    for (const QString &column : columns) {
        const int field = rows.fieldIndex(column);
        if (field < 0)
            throw DatabaseError(QStringLiteral("%1: 필드 %2 이(가) 없습니다").arg(rows.name(), column));
        fields.push_back(field);
    }
    QVariantList values(columns.size());
    for (rows.first(); !rows.eof(); rows.next()) {
        for (qsizetype i = 0; i < values.size(); ++i)
            values[i] = rows.value(fields[size_t(i)]);
        visit(values);
    }
}

QList<QVariantList> EstimateRowsOf(Dataset &rows)
{
    QList<QVariantList> result;
    result.reserve(rows.recordCount());
    ForEachEstimateRow(rows, [&result](const QVariantList &values) { result.append(values); });
    return result;
}

} // namespace vek
