#include "core/SqlRoutines.h"

#include "core/DataModule.h"

namespace vek {

namespace {

// The keys of the open node: ACODE of TAlst's current row, BCODE of TBlst's from open
// level 1, SCODE of TFlst's at level 2; with the " and ..." clauses that select them.
struct OpenNode {
    int level;
    QVariantList keys;
    QString clauses;
};

OpenNode CurrentNode()
{
    OpenNode node{OpenListLevel(), {dMf->TAlst.value("ACODE")}, QStringLiteral(" and ACODE=?")};
    if (node.level >= 1) {
        node.keys.append(dMf->TBlst.value("BCODE"));
        node.clauses += QStringLiteral(" and BCODE=?");
    }
    if (node.level == 2) {
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
    const OpenNode node = CurrentNode();
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
    const OpenNode node = CurrentNode();
    // The list of a work item or middle group holds only the line items directly under it.
    static const QString ownListOnly[] = {QStringLiteral(" and BCODE=0 and SCODE=0"), QStringLiteral(" and SCODE=0"),
                                          QString()};
    RunTempSql(true,
               QStringLiteral("UpDate NDTAIL Set ODRF=ODRF+1 where ODRF>=? and ABFS='S' and TAG<>'M'") + node.clauses
                   + ownListOnly[node.level],
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
