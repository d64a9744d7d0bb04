#pragma once

#include "core/SubtotalWalk.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "unitprice/CostSheetCells.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace vek {

// The 29 amounts of the template statement for main totals 1,000,000 / 2,000,000 /
// 300,000, worked out by hand from the template's formulas: each row computed from the
// amounts shown above it, whole units shown (the decimals cut after rounding to two).
extern const QList<qint64> EdgeCaseAmounts;

// The whole units of amounts.
QList<qint64> Whole(const QList<Currency> &amounts);

// The main totals the tests give the statement: material, labour, expense.
RollupSums MainTotals(qint64 material, qint64 labour, qint64 expense);

// The main window's totals as the statement reads them while it lives.
class MainTotalsLink {
public:
    explicit MainTotalsLink(const RollupSums &totals);
    ~MainTotalsLink();
    MainTotalsLink(const MainTotalsLink &) = delete;
    MainTotalsLink &operator=(const MainTotalsLink &) = delete;
};

// Answers, from Start() to Stop(), the messages a test does not expect, so that none waits
// for a click; Stop() tells what they were.
class UnexpectedMessages {
public:
    void Start() { answers_ = std::make_unique<MessageAnswerer>(); }
    QStringList Stop();

private:
    std::unique_ptr<MessageAnswerer> answers_;
};

// One stored statement row.
struct StoredRow {
    QString name;
    double amount = 0;
    QString basis;
    QString remark;
    QString formula;
    bool operator==(const StoredRow &) const = default;
};

// The stored statement rows by ODRF.
QMap<int, StoredRow> StoredStatement(TempDatabase &db);

// The whole amounts shown in rows 1-29 (a cell that is no number throws), and every cell
// of the grid, row by row.
QList<qint64> ShownAmounts(const CostSheetCells &cells);
QStringList AllCells(const CostSheetCells &cells);

// Types text into a grid as a user does: ASCII letters as keys, Korean as syllables that
// the input method composes and commits one by one.
void TypeText(QWidget *grid, const QString &text);

// A trigger that refuses the insert of the statement row odrf, and one that refuses every
// change of a statement row's amount: the database says no in the middle of a command.
void RefuseStatementRowInsert(TempDatabase &db, int odrf);
void RefuseStatementAmountUpdate(TempDatabase &db);

} // namespace vek
