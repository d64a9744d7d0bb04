#include "RawStatements.h"

#include "BenchTiming.h"

#include <QSqlRecord>

namespace vek {

QSqlQuery &RawStatements::prepared(const QString &sql)
{
    auto found = statements_.find(sql);
    if (found == statements_.end()) {
        QSqlQuery query(db_);
        query.setForwardOnly(true);
        Check(query.prepare(sql), "prepare");
        found = statements_.emplace(sql, std::move(query)).first;
    }
    return found->second;
}

QSqlQuery &RawStatements::exec(const QString &sql, const QVariantList &params)
{
    QSqlQuery &query = prepared(sql);
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params.at(i));
    Check(query.exec(), "statement");
    return query;
}

std::vector<RawStatements::Row> RawStatements::select(const QString &sql, const QVariantList &params)
{
    return ReadRows(exec(sql, params));
}

std::vector<RawStatements::Row> ReadRows(QSqlQuery &query)
{
    std::vector<RawStatements::Row> rows;
    const int columns = query.record().count();
    while (query.next()) {
        RawStatements::Row row;
        row.reserve(size_t(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(query.value(c));
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace vek
