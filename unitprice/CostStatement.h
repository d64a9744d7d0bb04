#pragma once

#include "core/Currency.h"
#include "core/SubtotalWalk.h"
#include "unitprice/CostSheetCells.h"

#include <QList>
#include <QString>

#include <functional>
#include <stdexcept>

namespace vek {

// One statement row as it is stored: ODRF, NAME, CSTTAL, STAN, NOADD and ETC of an NDTAIL
// row with ABFS 'W' and TAG 'E'.
struct CostSheetRow {
    int row = 0;
    QString name;
    Currency amount;
    QString basis;
    QString formula;
    QString remark;
};

// The 29 rows a statement starts from: names, basis texts and formulas of the statement's
// template, rows 1, 5 and 9 with the material, labour and expense totals, every other
// amount 0 and every remark empty.
QList<CostSheetRow> CostSheetTemplate(Currency material, Currency labour, Currency expense);

// The summary rows 4, 7, 20, 23, 27 and 29, whose name and amount take no typing.
bool IsCostSheetSummaryRow(int row);

// Why a row cannot be computed or saved, in words naming the row.
class CostSheetError : public std::runtime_error {
public:
    explicit CostSheetError(const QString &reason) : std::runtime_error(reason.toStdString()), reason_(reason) {}
    QString reason() const { return reason_; }

private:
    QString reason_;
};

// The construction cost statement (공사원가계산서) of the whole estimate: 29 rows with a
// name, an amount, a basis text, a remark and, on computed rows, a formula over other
// rows' amounts ("[(4+5+28)]*0.0248": the row numbers in brackets, then more arithmetic).
// It works on cells (the page's grid, or a table) and keeps the rows in NDTAIL, where they
// travel with the document. The main window's material, labour and expense totals come
// from mainTotals.
//
// Every command that writes is one transaction: a failure leaves the stored statement as
// it was and shows "처리실패!!". A formula or amount that cannot be computed stops the
// recalculation at its row with a message naming the row; nothing is thrown.
class TCostStatement {
public:
    using MainTotals = std::function<RollupSums()>;

    TCostStatement(CostSheetCells &cells, MainTotals mainTotals);

    // The headers, the row numbers, amounts 0 and every other cell empty; the stored
    // statement (the template when none is stored) into the cells; a recalculation.
    void LoadCostSheet();
    void SetUpCells();
    // The stored rows into the grid rows of their ODRF; rows outside 1-29 are left out.
    void ShowStoredRows();
    // One row into its grid row: basis and remark each behind one blank.
    void ShowRow(const CostSheetRow &row);

    // Inserts one statement row into the running command (the row insert of the estimate
    // table, basis and remark without leading blanks).
    static void InsertCostSheetRow(int odrf, const QString &name, const QString &basis, Currency amount,
                                   const QString &formula, const QString &remark);
    // 0: inserts the template with the main totals. 1: replaces the stored statement by
    // the 29 rows of the cells, when every amount cell reads as a number (else a message
    // names the first that does not, which becomes current, and nothing is written).
    // True when committed.
    bool BuildCostSheet(int mode);
    // Computes rows 1-29 in order: a row with a formula from the amounts shown above it
    // (new) and below it (as they are), any other row reformatted; then row becomes
    // current. An error stops at its row, which becomes current, with a message naming
    // the row and its formula, and returns false.
    bool RecalcCostSheet(int row);
    // The expression of formula (blanks removed, "[" row numbers "]" suffix) with each row
    // number replaced by the amount that row shows. Throws CostSheetError for a formula
    // not of that form, a reference that is not a row 1-29 and an amount that is empty or
    // no number.
    QString SubstituteRowRefs(const QString &formula) const;
    // Stores the amount of one row, in the running command, and shows it.
    void UpdateCostSheetAmount(int row, Currency amount);

    // The template in place of the stored statement, without asking; shown and computed.
    bool ResetCostSheet();
    // Rows 1, 5 and 9 take the main totals, stored and shown; then a recalculation.
    bool TakeMainTotals();

    // The amounts of rows 1-29 as shown. Throws CostSheetError for a cell that is no number.
    QList<Currency> Amounts() const;

    // Where a recalculation's error message goes: the error box unless set otherwise.
    using ErrorReport = std::function<void(const QString &message)>;
    void SetErrorReport(ErrorReport report) { errorReport_ = std::move(report); }

private:
    Currency ReadAmount(int row) const;
    void ReportRecalcError(int row, const QString &formula, const QString &reason);
    static void InsertRows(const QList<CostSheetRow> &rows);
    void InsertTemplate() const;

    CostSheetCells &cells_;
    MainTotals mainTotals_;
    ErrorReport errorReport_;
};

// The 29 amounts of the template statement computed for the main totals material,
// labour and expense, as the page shows them (whole units), through the page's routines.
// Writes nothing and shows nothing: totals too large for the statement's figures throw
// CostSheetError with the page's message.
QList<Currency> CostStatementAmounts(Currency material, Currency labour, Currency expense);

} // namespace vek
