#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <map>
#include <vector>

namespace vek {

// The raw database work that the benchmarks measure against: plain statements of one
// connection, each prepared once and run as often as needed.
class RawStatements {
public:
    using Row = std::vector<QVariant>;

    explicit RawStatements(QSqlDatabase db) : db_(db) {}

    QSqlDatabase database() const { return db_; }
    QSqlQuery &prepared(const QString &sql);
    // Binds params in order and runs the statement of sql.
    QSqlQuery &exec(const QString &sql, const QVariantList &params);
    // Every value of every row that the statement of sql yields with params.
    std::vector<Row> select(const QString &sql, const QVariantList &params);
    // Forgets the prepared statements (before the transaction they belong to ends).
    void clear() { statements_.clear(); }

private:
    QSqlDatabase db_;
    std::map<QString, QSqlQuery> statements_;
};

// Every value of every row of query, run.
std::vector<RawStatements::Row> ReadRows(QSqlQuery &query);

} // namespace vek
