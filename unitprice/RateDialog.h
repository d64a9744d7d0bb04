#pragma once

#include "core/Dataset.h"
#include "core/RatePlace.h"
#include "core/WorkConnection.h"

#include <QDialog>

class QAction;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;

namespace vek {

class TCurrencyEdit;
class TdxToolButton;
class TRxDBGrid;
class TRxSpeedButton;

// The rate-row dialog: creates (InputKind 1) or changes (InputKind 2, the current row of
// the place's dataset) one rate row (비율산) of a place, the line items of a node or the
// breakdown rows of a unit-price item. The user names the row, picks the basis, the
// target group (material, labour or expense) and the percentage, and marks in the grid
// the rows the rate covers. Apply stores the rate as a fraction in one slot of the rate
// row and of every marked row; the amounts are the rate-row refresh's to compute.
//
// The grid lists the place's rows on a connection of its own to the working database, so
// that a mark is posted and committed at once while the data module's connection holds
// nothing; Apply's transaction on the data module's connection starts after the marks.
// Every way out (Apply, Cancel, the close button, Esc) ends with no row marked in the
// whole table.
class TInBsDtf : public QDialog {
    Q_OBJECT
public:
    // The target groups of GrupRte, in the order of its columns.
    enum TargetGroup { Material = 0, Labour = 1, Expense = 2 };

    explicit TInBsDtf(const RatePlace &place, QWidget *parent = nullptr);
    ~TInBsDtf() override;

    const RatePlace &Place() const { return place_; }

    QLabel *TopTitle;
    TdxToolButton *mExit0;
    QComboBox *EtRname;
    QComboBox *EtRstan;
    QGroupBox *GrupRte;
    QButtonGroup *GrupRteItems;
    QLabel *RateLabel;
    TCurrencyEdit *EtRate;
    TRxSpeedButton *mOk0;
    TRxSpeedButton *mVode0;
    TRxDBGrid *detaileR;
    QAction *Help1;

    // The dialog's own connection to the working database and the candidate rows on it.
    WorkConnection RateConnection;
    Dataset iTRate;

    int Target() const;
    void SetTarget(int group);

    // The caption's height given back, the candidate rows read; the focus on the name
    // (InputKind 1, caret at the end) or the grid (2).
    void FormShow();
    // The grid closed, status panel 1 back to "카브로소프트".
    void FormClose();
    void FormResize();
    void iTRateCalcFields(Dataset &rows);
    // Enter moves on: name, basis, percentage, grid. Sets key to a null character then.
    void EtRnameKeyPress(QWidget *box, QChar &key);
    // The current candidate's mark (MVE 'T'/'F') turned over, committed at once.
    void detaileRDblClick();
    // Marked rows on #F9EDFA, the others on white; the highlighted cell as it is.
    void detaileRGetCellParams(int row, QColor &background, bool highlight) const;
    // Cancel: every mark of the table cleared, the dialog closed.
    void mVode0Click();
    // Apply: the rate row written and its rate into every marked row of the place, as one
    // command, then the marks cleared and the dialog closed. A missing mark, name or
    // percentage is told and leaves the dialog open with nothing written.
    void mOk0Click();
    void Help1Click() {}

public slots:
    void done(int result) override;
    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MakeInputBand();
    void MakeGrid();
    // The rate row and its covered rows written; throws DatabaseError. False when the
    // engine refused the commit (already told).
    bool WriteRateRow(double rate);
    // Every mark of the table cleared through the data module's connection.
    void ClearMarks();

    RatePlace place_;
    bool shown_ = false;
    // Apply cleared the marks in its own command.
    bool marksCleared_ = false;
};

// The dialog while it lives.
extern TInBsDtf *InBsDtf;

// The one way both openers (line-item screen and breakdown screen) open the dialog over
// their screen opener, on place (CurrentRatePlace()), for a new rate row (inputKind 1) or
// for the current row of the place's dataset, a rate row (2). Pending changes of that
// dataset are written first. A fifth rate row is refused with "비율산은 4항목 이상 등록할
// 수 없습니다."; an empty place, and a change on a row that is no rate row, open nothing.
// For a change the dialog shows the row's name, basis, target group and percentage, and
// the rows it covers are marked. The dialog runs modally at the opener's right edge
// (top + 5, height − 3, left + width − 405, width 400) and is freed; the place's dataset
// is read again. Returns DataChanged: the opener then recalculates its rows.
bool ShowRateDialog(QWidget *opener, const RatePlace &place, int inputKind);
// Connects ShowRateDialog as the entry point EntryPoints().RateDialog.
void ConnectRateDialog();

} // namespace vek
