#include "tests/support/TempDatabase.h"

#include "core/EstimateColumns.h"
#include "core/WorkDatabase.h"

#include <QSqlQuery>

#include <stdexcept>

namespace vek {

TempDatabase::TempDatabase()
{
    PrepareFirebirdLock();
    PrepareWorkDatabase();
    module_ = std::make_unique<TdMf>();
    module_->Connect(WorkDatabasePath());
}

TempDatabase::~TempDatabase() = default;

void TempDatabase::insertRow(const QVariantHash &values)
{
    InsertEstimateRow(module_->SQLConect, EstimateRowValues(values));
    if (!module_->SQLConect.commit())
        throw std::runtime_error("the test row was not committed");
}

QVariant TempDatabase::scalar(const QString &sql, const QVariantList &params)
{
    QSqlQuery query = module_->SQLConect.select(sql, params);
    return query.next() ? query.value(0) : QVariant();
}

} // namespace vek
