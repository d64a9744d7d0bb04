#include "tests/unitprice/CostSheetFixture.h"

#include "core/MoneyFormat.h"
#include "core/ScreenEntryPoints.h"
#include "core/TextUtils.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QSqlQuery>
#include <QTest>

namespace vek {

const QList<qint64> EdgeCaseAmounts = {
    1000000, // 1 direct material: the material total
    0,       // 2
    0,       // 3
    1000000, // 4 = 1 + 2 - 3
    2000000, // 5 direct labour: the labour total
    220000,  // 6 = 5 x 0.11
    2220000, // 7 = 5 + 6
    0,       // 8
    300000,  // 9 machine expenses: the expense total
    0,       // 10
    25000,   // 11 = 5 x 0.0125
    68820,   // 12 = 7 x 0.031
    25974,   // 13 = 7 x 0.0117
    48000,   // 14 = 5 x 0.024
    31000,   // 15 = 5 x 0.0155
    74400,   // 16 = (4 + 5 + 28) x 0.0248, row 28 still 0
    0,       // 17
    0,       // 18
    164220,  // 19 = (4 + 7) x 0.051
    737414,  // 20 = 8 + 9 + ... + 19
    11872,   // 21 = (4 + 7 + 20) x 0.003 = 11,872.242
    185998,  // 22 = (4 + 7 + 20) x 0.047 = 185,998.458
    4155284, // 23 = 4 + 7 + 20 + 21 + 22, with the whole amounts shown
    445392,  // 24 = (7 + 20 + 21) x 0.15 = 445,392.9
    4600676, // 25 = 23 + 24
    460067,  // 26 = 25 x 0.1 = 460,067.6
    5060743, // 27 = 25 + 26
    0,       // 28
    5060743, // 29 = 27 + 28
};

QList<qint64> Whole(const QList<Currency> &amounts)
{
    QList<qint64> whole;
    for (Currency amount : amounts)
        whole.append(amount.trunc());
    return whole;
}

RollupSums MainTotals(qint64 material, qint64 labour, qint64 expense)
{
    const auto whole = [](qint64 units) { return Currency::fromRaw(units * Currency::Scale); };
    return {whole(material), whole(labour), whole(expense), whole(material + labour + expense)};
}

MainTotalsLink::MainTotalsLink(const RollupSums &totals)
{
    MainWindowLinks().Totals = [totals] { return totals; };
}

MainTotalsLink::~MainTotalsLink()
{
    MainWindowLinks() = MainWindowLink();
}

QStringList UnexpectedMessages::Stop()
{
    const QStringList shown = answers_ ? answers_->texts() : QStringList();
    answers_.reset();
    return shown;
}

QMap<int, StoredRow> StoredStatement(TempDatabase &db)
{
    QMap<int, StoredRow> rows;
    QSqlQuery query = db.module().SQLConect.select(QStringLiteral(
        "select ODRF, NAME, CSTTAL, STAN, ETC, NOADD from NDTAIL where ABFS='W' and TAG='E' order by ODRF"));
    while (query.next())
        rows.insert(query.value(0).toInt(), {query.value(1).toString(), query.value(2).toDouble(),
                                             query.value(3).toString(), TrimRightText(query.value(4).toString()),
                                             TrimRightText(query.value(5).toString())});
    return rows;
}

QList<qint64> ShownAmounts(const CostSheetCells &cells)
{
    QList<qint64> amounts;
    for (int row = 1; row <= CostSheet::Rows; ++row)
        amounts.append(ParseAmount(cells.Cells(CostSheet::AmountCol, row)).trunc());
    return amounts;
}

QStringList AllCells(const CostSheetCells &cells)
{
    QStringList all;
    for (int row = 0; row <= CostSheet::Rows; ++row) {
        for (int col = 0; col < CostSheet::ColCount; ++col)
            all.append(cells.Cells(col, row));
    }
    return all;
}

void TypeText(QWidget *grid, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClicks(grid, QString(c));
            continue;
        }
        QInputMethodEvent preedit(QString(c), {});
        QApplication::sendEvent(grid, &preedit);
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QApplication::sendEvent(grid, &commit);
    }
}

namespace {

void CreateRefusal(TempDatabase &db, const QString &trigger)
{
    WorkConnection &connection = db.module().SQLConect;
    connection.execute(QStringLiteral("CREATE EXCEPTION STATEMENT_REFUSED 'refused by the test'"));
    if (!connection.commit())
        QFAIL("the test exception was not created");
    connection.execute(trigger);
    if (!connection.commit())
        QFAIL("the test trigger was not created");
}

} // namespace

void RefuseStatementRowInsert(TempDatabase &db, int odrf)
{
    CreateRefusal(db, QStringLiteral("CREATE TRIGGER REFUSE_ROW FOR NDTAIL BEFORE INSERT AS BEGIN "
                                     "IF (NEW.ABFS = 'W' AND NEW.ODRF = %1) THEN EXCEPTION STATEMENT_REFUSED; END")
                          .arg(odrf));
}

void RefuseStatementAmountUpdate(TempDatabase &db)
{
    CreateRefusal(db, QStringLiteral("CREATE TRIGGER REFUSE_AMOUNT FOR NDTAIL BEFORE UPDATE AS BEGIN "
                                     "IF (OLD.ABFS = 'W' AND NEW.CSTTAL <> OLD.CSTTAL) THEN EXCEPTION "
                                     "STATEMENT_REFUSED; END"));
}

} // namespace vek
