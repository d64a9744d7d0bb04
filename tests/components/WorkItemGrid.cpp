#include "tests/components/WorkItemGrid.h"

namespace vek {

DatasetColumn Column(const QString &field, const QString &title, int width)
{
    DatasetColumn column;
    column.field = field;
    column.title = title;
    column.width = width;
    return column;
}

Dataset &OpenWorkItems(TempDatabase &db, const QStringList &names)
{
    for (int i = 0; i < names.size(); ++i)
        db.insertRow({{"ABFS", "A"}, {"TAG", "N"}, {"ACODE", i + 1}, {"ODRF", i + 1}, {"NAME", names.at(i)}});
    Dataset &list = db.module().TAlst;
    list.setCommandText("select * from NDTAIL where ABFS='A' order by ODRF");
    list.open();
    return list;
}

} // namespace vek
