#pragma once

#include "core/GroupList.h"
#include "core/SubtotalWalk.h"

#include <QList>
#include <QWidget>

namespace vek {

class TDBNavigator;
class TLabelE;
class TRxDBGrid;
class TRxSpeedButton;
class TTotalBar;
class Tmainf;

// The work-item list of the main window, in its ListPlace: the grid GrdAlst over the data
// module's TAlst, the total bar below it, and the commands of the tool band ToPnl0 with
// the grid's keys. The list's controls of the tool band are made here, in the main
// window's ToPnl0, which lays them out around its document buttons.
//
// Commands that open a later screen check what they must, build what the screen is given
// and call the screen's entry point (core/ScreenEntryPoints.h); after it closes they run
// their after-step. Failures of the database pass to the caller (the application shows
// them); the list then shows what the table kept.
class TWorkItemList : public QWidget {
    Q_OBJECT
public:
    // Made by the main window once its ToPnl0 exists.
    explicit TWorkItemList(Tmainf *main);

    TRxSpeedButton *AppBtn0;   // "공종", F2: add
    TRxSpeedButton *EdtBtn0;   // "수정", F3: edit
    TRxSpeedButton *DelBtn0;   // "삭제", Del: delete
    TRxSpeedButton *SumBtn0;   // "합계", F10: sum menu
    TRxSpeedButton *rSCost;    // "증감": bulk adjustment of the whole estimate
    TRxSpeedButton *TreBtn0;   // "대가목록": breakdown overview
    TRxSpeedButton *CostBtn0;  // "원가서": cost statement
    TRxSpeedButton *ExcelBtn0; // whole-estimate export
    TRxSpeedButton *CalcBtn0;  // hidden: whole-estimate recalculation
    TLabelE *TagLabel;         // "자료이동", shown in move mode
    TDBNavigator *DBNav0;
    TRxDBGrid *GrdAlst;
    TTotalBar *TotalBar;

    // The command buttons, in the tool band's order: those before the document buttons,
    // then those after them (the label and the navigator follow).
    QList<TRxSpeedButton *> ButtonsBeforeDocuments() const;
    QList<TRxSpeedButton *> ButtonsAfterDocuments() const;

    // TAlst ordered by ODRF and opened, shown in the grid and the navigator.
    void OpenList();
    // RecalcTopRows over the work items (which rewrites their subtotal rows), then
    // ShowTotals; hourglass meanwhile.
    void RefreshTotals();
    // TAlst read again, the total boxes := the sums in whole units, the focus to the grid.
    void ShowTotals(const RollupSums &sums);
    // The four boxes to 0 (a new document).
    void ClearTotals();

    void AppBtn0Click();
    void EdtBtn0Click();
    void DelBtn0Click();
    void SumBtn0Click();
    void rSCostClick();
    void TreBtn0Click();
    void CostBtn0Click();
    void ExcelBtn0Click();
    // The recalculation cascade of the whole estimate, then its totals.
    void CalcBtn0Click();

    // Alt+R: ODRF := 1..n in the shown order; the same row stays current.
    void RenumberOrder();
    // F9: enter marks the current row and disables the tool band; leaving without a
    // move clears the marks. Nothing on an empty list.
    void SetMoveMode(bool enter);
    bool MoveMode() const { return moveMode_; }
    // Enter in move mode: the marked row goes just before the current row.
    void DropMovedItems();
    // Enter, double click: the work item opened in the middle-group screen (SUB = 1) or
    // the line-item screen.
    void DrillDown();

    // The grid's keys; a key handled here is set to 0.
    void GrdAlstKeyDown(int &key, Qt::KeyboardModifiers shift);

private:
    bool HasRows() const;
    // The tool band's command buttons, enabled or not.
    void SetToolBandEnabled(bool enabled);
    // The item dialog on an item-row page: add (InputKind 1) or change (InputKind 2).
    void OpenItemRowDialog(int inputKind);
    // The moved-row marks' list, the work items.
    GroupList list_{GroupLevel::WorkItems};

    Tmainf *main_;
    bool moveMode_ = false;
};

} // namespace vek
