#pragma once

#include "app/ModalListScreen.h"
#include "core/LineItemList.h"
#include "core/ProgramState.h"

#include <QRect>

class QLabel;
class QMenu;

namespace vek {

class TArrowButton;
class TDBNavigator;
class TdxContainer;
class THDBGrid;
class TRxSpeedButton;
class TSdLabel;
class TTotalBar;

// The line-item screen: the editable bill of quantities (내역서) of one node, the work
// item, middle group or small group its opener has current, with the footer of its totals.
// Caption-less and modal; its title band drags it. When it closes, by its close button or
// any other way, it finishes the list, and a move in progress gives its rows back to the
// list; then it writes its totals into the parent row. The list's logic is LineItemList's;
// the screen shows it, takes the keys and opens the dialogs. From its creation until it
// closes it names itself in SlstFmHook, so that the item dialog's bulk adjustment works on
// its rows and the grid's selection.
class TSlstFm : public ModalListScreen, public ListScreenHook {
    Q_OBJECT
public:
    // The grid's columns, by index.
    enum Column {
        ColMark, ColName, ColSpec, ColUnit, ColQuantity, ColMaterialPrice, ColMaterial, ColLabourPrice, ColLabour,
        ColExpensePrice, ColExpense, ColTotal, ColRemark
    };
    // The Enter direction of the grid.
    enum Direction { Right = 1, Down = 2 };

    explicit TSlstFm(QWidget *parent = nullptr);
    ~TSlstFm() override;

    TdxContainer *TopPnl;
    TSdLabel *LsNoTitle;
    TSdLabel *LsNo;
    TSdLabel *LjNameTitle;
    TSdLabel *LjName;
    TRxSpeedButton *HelpBtn;
    TRxSpeedButton *sClose;
    TdxContainer *ToolPnl;
    TRxSpeedButton *AppDt0;
    TRxSpeedButton *DelDt0;
    TRxSpeedButton *sF8Btn;
    TRxSpeedButton *SlCalc;
    TRxSpeedButton *rSCost;
    TRxSpeedButton *SmBtn0;
    TRxSpeedButton *slExcl;
    TRxSpeedButton *CpyPst;
    QLabel *TagLabel;
    TDBNavigator *DBNav0;
    TdxContainer *DrPnl;
    TArrowButton *ArrowBtn;
    THDBGrid *GrdSlst;
    // " 합     계 ≫≫", the boxes LPCST11, LLCST11, LSCST11, LCSTTAL under the amount
    // columns, and the end mark.
    TTotalBar *FootPnl;
    QMenu *PopupMenu;

    LineItemList List;

    int EnterDirection() const { return direction_; }
    void SetEnterDirection(int direction);
    void ArrowBtnClick();
    // 0 opens the list; 1 finishes it and closes the screen; 2 finishes it and saves the
    // document, the screen staying open.
    void OpenOrFinishList(int mode);
    // The list recalculated and its footer shown.
    void RecalcList();
    // 0 normal; 1 move mode: close button and Enter-direction panel hidden, tool buttons
    // and navigator disabled, CpyPst shown.
    void SetToolbarMode(int mode);

    void AppDt0Click();
    void DelDt0Click();
    // F8: a new rate row through the rate-row dialog, outside move mode on a non-empty list.
    void sF8BtnClick();
    void SlCalcClick();
    // The item dialog's bulk adjustment over the grid's selected rows, or the whole list
    // when at most one row is selected.
    void rSCostClick();
    // The item dialog's sum menu: a subtotal row into the list.
    void SmBtn0Click();
    // The list as its own workbook, named and titled by LsNo and LjName.
    void slExclClick();
    void CpyPstClick();
    void sCloseClick() override;
    void HelpBtnClick();
    // The popup menu's "자료추가삽입" (Insert): the insert/append switch of the main window.
    void InsertModeClick();

    // The grid's keys before the grid's own handling; a key handled here is set to 0.
    void GrdSlstKeyDown(int &key, Qt::KeyboardModifiers shift);
    // The typing guard before the grid takes a character (also each character of an input
    // method's commit); a dropped key is set to a null character.
    void GrdSlstKeyPress(QChar &key);
    // In move mode marks the row; otherwise opens a unit-price item's breakdown or a rate
    // row's dialog.
    void GrdSlstDblClick();
    // Whether a key typed into column of the current row is taken: what the typing guard
    // and the cell editor agree on.
    bool CellTakesKeys(int column) const;

    Dataset &ShownRows() override;
    QList<Bookmark> SelectedRows() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool EscCloses() const override;

private:
    // The rate-row dialog for a new rate row (1) or the current one (2); the list
    // recalculated after it when DataChanged is set.
    void OpenRateDialog(int inputKind);
    void MakeTitleBand();
    void MakeToolBar();
    void MakeGrid();
    void MakePopupMenu();
    TRxSpeedButton *MakeToolButton(const QString &name, const QString &caption, const QString &hint,
                                   void (TSlstFm::*click)());
    void FormShow() override;
    // The close steps, once: a move in progress undone, the list finished, the Enter
    // direction kept, the totals rolled up into the parent row.
    void FormClose() override;
    void PlaceRightAnchored();
    void PlaceFooterBoxes();
    // After Enter in an amount column: the list recalculated, then on to the next cell.
    void EnterAfterAmount(int column, bool down);
    // After Enter in a text column: one column right or one row down.
    void EnterAfterText(int column);
    void MoveDown();
    void ToggleSupplied();
    void CopyRow();
    void InsertSpecialChar();
    // F9: move mode on (state 0) or off without moving (state 1); refused in state 2.
    void MoveKey();
    // The grid back to cell editing after a move, the cursor on the quantity.
    void EndMoveLook();
    void SaveFromList();

    int direction_ = Down;
    // The close button finished the list before it closed the screen.
    bool finished_ = false;
};

// The line-item screen while it exists.
extern TSlstFm *SlstFm;

// Opens the line-item screen of the node the open lists have current: created with owner,
// at place, its path number lsNo ("01-03-02") and name ljName (a blank and the parent's
// title), append mode forced, run modally and freed. The work-item list and the group
// screens open it this way.
void ShowLineItemScreen(QWidget *owner, const QRect &place, const QString &lsNo, const QString &ljName);
// Connects the work-item list's drill-down (the entry point LineItemScreen) to
// ShowLineItemScreen.
void InstallLineItemScreen();

} // namespace vek
