#include "core/SqlRoutines.h"

#include "core/DataModule.h"

namespace vek {

namespace {

// The rows under the node, whatever group below it they belong to: ACODE of TAlst's
// current row, BCODE of TBlst's from open level 1, SCODE of TFlst's at level 2.
NodeFilter NodeSubtree()
{
    const int level = OpenListLevel();
    NodeFilter node{QStringLiteral(" and ACODE=?"), {dMf->TAlst.value("ACODE")}};
    if (level >= 1) {
        node.keys.append(dMf->TBlst.value("BCODE"));
        node.clauses += QStringLiteral(" and BCODE=?");
    }
    if (level == 2) {
        node.keys.append(dMf->TFlst.value("SCODE"));
        node.clauses += QStringLiteral(" and SCODE=?");
    }
    return node;
}

int MaxPlusOne(const QString &sql, const QVariantList &params)
{
    RunTempSql(false, sql, params);
    const int largest = dMf->sQTmp.value(0).toInt();
    dMf->sQTmp.close();
    return largest + 1;
}

} // namespace

void RunTempSql(bool execute, const QString &sql, const QVariantList &params)
{
    Dataset &query = dMf->sQTmp;
    query.close();
    query.setCommandText(sql, params);
    if (execute)
        query.execute();
    else
        query.open();
}

void CommitWork()
{
    WorkConnection &connection = dMf->SQLConect;
    if (connection.commandDepth() > 0)
        return;
    CommitOrReport(connection);
}

QVariantList OpenNodeKeys()
{
    const int level = OpenListLevel();
    return {dMf->TAlst.value("ACODE"), level >= 1 ? dMf->TBlst.value("BCODE") : QVariant(0),
            level == 2 ? dMf->TFlst.value("SCODE") : QVariant(0)};
}

NodeFilter OpenNodeFilter()
{
    // The list of a work item or middle group holds only the line items directly under
    // it, whose lower keys are 0; a small group's list is all of its keys.
    return {QStringLiteral(" and ACODE=? and BCODE=? and SCODE=?"), OpenNodeKeys()};
}

int OpenListLevel()
{
    if (!dMf->TBlst.isActive())
        return 0;
    return dMf->TFlst.isActive() ? 2 : 1;
}

void DeleteDetailRows(int i1, int i2, int i3)
{
    RunTempSql(true, QStringLiteral("Delete from NDTAIL where ABFS='X' and ICD1=? and ICD2=? and ICD3=?"), {i1, i2, i3});
    CommitWork();
}

void PurgeOrphanDetails()
{
    const NodeFilter node = NodeSubtree();
    WorkTransaction command(dMf->SQLConect);
    Dataset &triples = dMf->qDgdel;
    triples.close();
    triples.setCommandText(QStringLiteral("select Icd1, Icd2, Icd3 from NDTAIL where ABFS='S' and TAG='D'")
                               + node.clauses
                               + QStringLiteral(" group by Icd1, Icd2, Icd3 order by Icd1, Icd2, Icd3"),
                           node.keys);
    triples.open();
    // Outside the node: not all of the node's keys at once.
    const QString outside = node.clauses.mid(5);
    const QString countSql = QStringLiteral("select count(*) from NDTAIL\nwhere TAG='D' and ABFS='S'\n"
                                            "and ICD1=?\nand ICD2=?\nand ICD3=?\nand not (%1)")
                                 .arg(outside);
    for (triples.first(); !triples.eof(); triples.next()) {
        const int i1 = triples.value(0).toInt();
        const int i2 = triples.value(1).toInt();
        const int i3 = triples.value(2).toInt();
        RunTempSql(false, countSql, QVariantList{i1, i2, i3} + node.keys);
        const int usedOutside = dMf->sQTmp.value(0).toInt();
        dMf->sQTmp.close();
        if (usedOutside == 0)
            DeleteDetailRows(i1, i2, i3);
    }
    triples.close();
    command.commit();
}

void ShiftItemOrder(int n)
{
    const NodeFilter node = OpenNodeFilter();
    RunTempSql(true, QStringLiteral("UpDate NDTAIL Set ODRF=ODRF+1 where ODRF>=? and ABFS='S' and TAG<>'M'") + node.clauses,
               QVariantList{n} + node.keys);
    CommitWork();
}

void ShiftDetailOrder(int n)
{
    const Dataset &items = dMf->TSlst;
    RunTempSql(true,
               QStringLiteral("UpDate NDTAIL Set ODRF=ODRF+1 where ODRF>=? and ABFS='X' and ICD1=? and ICD2=? and ICD3=?"),
               {n, items.value("ICD1"), items.value("ICD2"), items.value("ICD3")});
    CommitWork();
}

int NextWorkItemCode()
{
    return MaxPlusOne(QStringLiteral("select Max(ACODE) from NDTAIL Where ABFS='A'"), {});
}

int NextMiddleGroupCode(int a)
{
    return MaxPlusOne(QStringLiteral("select Max(BCODE) from NDTAIL Where ABFS='B' and ACODE=?"), {a});
}

int NextSmallGroupCode(int a, int b)
{
    return MaxPlusOne(QStringLiteral("select Max(SCODE) from NDTAIL Where ABFS='F' and ACODE=? and BCODE=?"), {a, b});
}

} // namespace vek
