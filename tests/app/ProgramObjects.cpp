#include "tests/app/ProgramObjects.h"

#include <QSqlQuery>

namespace vek {

ProgramObjects::ProgramObjects()
{
    dMf = module.get();
}

ProgramObjects::~ProgramObjects()
{
    window.reset();
    dMf = nullptr;
}

int ProgramObjects::count(const QString &sql)
{
    QSqlQuery query = module->SQLConect.select(sql);
    return query.next() ? query.value(0).toInt() : -1;
}

} // namespace vek
