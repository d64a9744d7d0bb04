#include "tests/support/LineItemNode.h"

#include "core/DataModule.h"
#include "tests/support/TempDatabase.h"

#include <QSqlQuery>

namespace vek {

namespace {

const QString NodeRows = QStringLiteral(" from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=? and BCODE=? and SCODE=? "
                                        "order by ODRF");

} // namespace

LineItemNode::LineItemNode(TempDatabase &db, int level) : db_(db), level_(level)
{
    db_.insertRow({{"ACODE", 1}, {"NOADD", "공종"}, {"UNIT", "식"}, {"INO", 2}, {"TAG", "A"}, {"ABFS", "A"},
                   {"SUB", level > 0 ? 1 : 0}, {"ODRF", 1}});
    db_.insertRow({{"ACODE", 1}, {"BCODE", 2}, {"NOADD", "중공종"}, {"UNIT", "식"}, {"INO", 2}, {"TAG", "B"},
                   {"ABFS", "B"}, {"SUB", level > 1 ? 1 : 0}, {"ODRF", 1}});
    db_.insertRow({{"ACODE", 1}, {"BCODE", 2}, {"SCODE", 3}, {"NOADD", "소공종"}, {"UNIT", "식"}, {"INO", 2},
                   {"TAG", "F"}, {"ABFS", "F"}, {"ODRF", 1}});
    TdMf &m = db_.module();
    m.TAlst.setCommandText("select * from NDTAIL where ABFS='A' Order by ODRF");
    m.TAlst.open();
    if (level >= 1) {
        m.TBlst.setCommandText("select * from NDTAIL where ABFS='B' and ACODE=? Order by ODRF", {1});
        m.TBlst.open();
    }
    if (level == 2) {
        m.TFlst.setCommandText("select * from NDTAIL where ABFS='F' and ACODE=? and BCODE=? Order by ODRF", {1, 2});
        m.TFlst.open();
    }
}

QVariantList LineItemNode::keys() const
{
    return {1, level_ >= 1 ? 2 : 0, level_ == 2 ? 3 : 0};
}

void LineItemNode::add(const QString &name, const QString &tag, int odrf, const QVariantHash &more)
{
    QVariantHash values = more;
    const QVariantList node = keys();
    values.insert("ACODE", node.at(0));
    values.insert("BCODE", node.at(1));
    values.insert("SCODE", node.at(2));
    values.insert("NAME", name);
    values.insert("TAG", tag);
    values.insert("ABFS", "S");
    values.insert("ODRF", odrf);
    db_.insertRow(values);
}

void LineItemNode::addNumbered(int count)
{
    for (int i = 1; i <= count; ++i)
        add(QString::number(i), "N", i);
}

QStringList LineItemNode::names() const
{
    QSqlQuery query = db_.module().SQLConect.select("select NAME" + NodeRows, keys());
    QStringList result;
    while (query.next())
        result.append(query.value(0).toString());
    return result;
}

QList<int> LineItemNode::orders() const
{
    QSqlQuery query = db_.module().SQLConect.select("select ODRF" + NodeRows, keys());
    QList<int> result;
    while (query.next())
        result.append(query.value(0).toInt());
    return result;
}

QVariant LineItemNode::column(const QString &name, const QString &column) const
{
    if (name.isEmpty()) {
        const QString abfs = QString("ABF").at(level_);
        return db_.scalar(QStringLiteral("select %1 from NDTAIL where ABFS=? and ACODE=? and BCODE=? and SCODE=?").arg(column),
                          QVariantList{abfs} + keys());
    }
    return db_.scalar(QStringLiteral("select %1 from NDTAIL where ABFS='S' and NAME=? and ACODE=? and BCODE=? and SCODE=?")
                          .arg(column),
                      QVariantList{name} + keys());
}

} // namespace vek
