#pragma once

#include "core/Dataset.h"
#include "core/WorkConnection.h"

#include <QObject>

#include <functional>

namespace vek {

// The data module: the connection to the working database and every shared dataset over
// NDTAIL, with the rules that keep ODRF consistent on insert, fill the keys of new rows,
// copy the shown amounts into the stored columns on post, queue deleted unit-price items
// and compute the display fields. One instance, dMf, created at start-up; it opens
// nothing by itself.
class TdMf : public QObject {
    Q_OBJECT
public:
    explicit TdMf(QObject *parent = nullptr);
    ~TdMf() override;

    // Attaches SQLConect to the database file at path; throws DatabaseError naming it.
    void Connect(const QString &path);
    // Closes every dataset, then the connection.
    void Disconnect();

    WorkConnection SQLConect;

    Dataset TAlst;   // work items
    Dataset TBlst;   // middle groups (+ parent keys at run time)
    Dataset TFlst;   // small groups (+ parent keys)
    Dataset TSlst;   // line items (+ "and TAG<>'M'" and parent keys)
    Dataset Tdtail;  // breakdown rows of one unit-price item
    Dataset qDList;  // unit-price items
    Dataset mvDtail; // scratch cursor of roll-ups and moves
    Dataset TABFs;   // recalculation
    Dataset TmFst;   // recalculation, bulk adjustment
    Dataset TpSlst;  // export
    Dataset TpBfst;  // export
    Dataset qDgdel;  // queued triples of deleted unit-price items
    Dataset TNmu;    // labour wages
    Dataset qLSlst;  // labour rows
    Dataset sQTmp;   // ad-hoc SQL
    Dataset TnDtail; // every row, for documents

    // The ODRF that a before-insert rule chose, for the new-record rule that follows it.
    int NextOdrf = 0;

    // The ODRF of a new row of the list ds, kept in NextOdrf: in insert mode the current
    // row's, after shift moved the rows from there on one place down; otherwise (and in an
    // empty list) the last row's + 1, the last row then being current.
    int ChooseNextOdrf(Dataset &ds, void (*shift)(int));

private:
    void TSlstBeforeInsert(Dataset &ds);
    void TSlstNewRecord(Dataset &ds);
    void TdtailBeforeInsert(Dataset &ds);
    void TdtailNewRecord(Dataset &ds);
    void TSlstBeforeDelete(Dataset &ds);
};

// The post rule of the rows that show amounts (rule 6), on the row being edited in ds:
// the amounts the row shows from its quantity and unit prices become its stored amounts,
// line items in whole units, breakdown rows to one decimal; subtotal rows keep theirs.
void StoreLineItemAmounts(Dataset &ds);
void StoreBreakdownAmounts(Dataset &ds);

// The calculated fields of the breakdown overview's rows (its own set Tdtail over SDTAIL):
// PCST22, LCST22, SCST22, TCST31 and TCST32 as on the data module's Tdtail, except that a
// total row (TAG 'T') shows its stored amounts, the material as whole-unit money text, and
// TCST32 from the material as shown.
void OverviewDetailCalcFields(Dataset &ds);
// Sets ds up as the overview's rows: "select * from SDTAIL Order by ODRF", posts to SDTAIL
// by its row key RID, those calculated fields with their display formats.
void SetUpOverviewRows(Dataset &ds);

// The one data module of the program.
extern TdMf *dMf;

// Runs work as one command (one transaction) on the data module's connection. When work
// throws or the commit is refused, rows is read again to show what the table kept (and a
// throw passes on). True when committed.
bool RunCommandOnRows(Dataset &rows, const std::function<void()> &work);

} // namespace vek
