#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <functional>

namespace vek {

class Dataset;
class WorkConnection;

// The 44 columns of NDTAIL in table order: the order of the document record, of the
// full-row dataset and of every column list of an insert into NDTAIL.
const QStringList &EstimateColumns();

// The CP949 byte capacity of a text column of NDTAIL (NAME 30, STAN 20, UNIT 4, ETC 15,
// NOADD 100, PAGEA and PAGEB 4, TAG, ABFS and MVE 1); -1 for a column that holds no text.
int TextCapacity(const QString &column);

// value as column keeps it: a text longer than the column's capacity is cut on a letter
// boundary (never half a Korean letter); other values are returned unchanged.
QVariant FitColumnValue(const QString &column, const QVariant &value);

// The 44 values of a row in table order: those given by column name, and for every other
// column 0, an empty text, or 'F' for MVE (not marked).
QVariantList EstimateRowValues(const QHash<QString, QVariant> &values);

// The row insert statement of the screens that add whole rows, one parameter per column.
extern const QString EstimateInsertSql;

// Runs EstimateInsertSql with the 44 values in table order (texts fitted to their
// columns) in the connection's transaction; throws DatabaseError.
void InsertEstimateRow(WorkConnection &connection, const QVariantList &values);

// Walks every row of rows (a dataset over NDTAIL) from the first and gives visit its 44
// values in table order, taken by column name; throws DatabaseError when a column is missing.
void ForEachEstimateRow(Dataset &rows, const std::function<void(const QVariantList &values)> &visit);
// Every row of rows as its 44 values in table order.
QList<QVariantList> EstimateRowsOf(Dataset &rows);

} // namespace vek
