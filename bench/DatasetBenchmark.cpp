// Times the dataset class and the data module's rules against the same work done with raw
// prepared statements in one transaction on the same database: opening and refreshing a
// 5,000-row line-item list, posting 5,000 edited rows, and the order shift of the insert rule.

#include "BenchTiming.h"
#include "EstimateGenerator.h"
#include "RawStatements.h"

#include "core/DataModule.h"
#include "core/SqlRoutines.h"

#include <QCoreApplication>
#include <QSqlQuery>

#include <cstdio>
#include <vector>

using namespace vek;

namespace {

const QString NodeItems = QStringLiteral(
    "select * from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=? and BCODE=? and SCODE=? Order by ODRF");
const QVariantList Node = {1, 1, 1};
constexpr int Repeats = 9;

void RawReadList(QSqlDatabase db, int times)
{
    for (int t = 0; t < times; ++t) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        Check(query.prepare(NodeItems), "prepare");
        for (int i = 0; i < Node.size(); ++i)
            query.bindValue(i, Node.at(i));
        Check(query.exec(), "select");
        ReadRows(query);
    }
}

// The five amount columns of each row by one prepared update, in one transaction.
void RawPost(QSqlDatabase db, const std::vector<QVariant> &keys)
{
    Check(db.transaction(), "transaction");
    QSqlQuery update(db);
    Check(update.prepare("update NDTAIL set INO=?,PCST12=?,LCST12=?,SCST12=?,CSTTAL=? where RID=?"), "prepare");
    double quantity = 1;
    for (const QVariant &key : keys) {
        quantity += 0.25;
        const QVariantList values = {quantity, quantity * 10, quantity * 20, quantity * 30, quantity * 60, key};
        for (int i = 0; i < values.size(); ++i)
            update.bindValue(i, values.at(i));
        Check(update.exec(), "update");
    }
    update.finish();
    Check(db.commit(), "commit");
}

void RawShift(QSqlDatabase db, int first)
{
    Check(db.transaction(), "transaction");
    QSqlQuery shift(db);
    Check(shift.prepare("UpDate NDTAIL Set ODRF=ODRF+1 where ODRF>=? and ABFS='S' and TAG<>'M' and ACODE=? and "
                        "BCODE=? and SCODE=?"),
          "prepare");
    const QVariantList values = {first, 1, 1, 1};
    for (int i = 0; i < values.size(); ++i)
        shift.bindValue(i, values.at(i));
    Check(shift.exec(), "shift");
    shift.finish();
    Check(db.commit(), "commit");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    GeneratedEstimate estimate;
    TdMf &module = estimate.module;
    QSqlDatabase db = estimate.database();

    Dataset &items = estimate.OpenBigList();
    std::vector<QVariant> keys;
    for (items.first(); !items.eof(); items.next())
        keys.push_back(items.value("RID"));

    const auto openTwice = [&] {
        items.open();
        items.refresh();
    };
    ReportTimes("open and refresh the list", "dataset",
                CompareTimes(Repeats, openTwice, [&] { RawReadList(db, 2); }));

    const auto postAll = [&] {
        WorkTransaction command(module.SQLConect);
        for (items.first(); !items.eof(); items.next()) {
            items.edit();
            items.setValue("INO", items.asDouble("INO") + 0.25);
            items.post();
        }
        command.commit();
    };
    ReportTimes("post 5,000 edited rows", "dataset", CompareTimes(Repeats, postAll, [&] { RawPost(db, keys); }));

    items.first();
    const int first = items.asInteger("ODRF");
    ReportTimes("shift the order of the list", "dataset",
                CompareTimes(Repeats, [&] { ShiftItemOrder(first); }, [&] { RawShift(db, first); }));
    return 0;
}
