#pragma once

#include "app/ModalListScreen.h"
#include "core/GroupList.h"

#include <QColor>

class QLabel;
class QMenu;

namespace vek {

class TDBNavigator;
class TLabelE;
class TRxDBGrid;
class TRxSpeedButton;
class TTotalBar;
class TdxContainer;
struct ListScreenSetup;

// What tells the two group screens apart: the middle groups of a work item and the small
// groups of a middle group.
struct GroupScreenTwin {
    GroupLevel level;
    // The names the screen's own controls bear: the screen, its grid and its
    // recalculation button.
    QString screenName;
    QString gridName;
    QString calcName;
    // The captions "공종No" and "공종명" of the title strip.
    QColor captionColour;
    // The client size before the opener places the screen.
    int clientHeight;
    // How far below the main window's top the screen opened from this one stands.
    int childTopOffset;
    // The export of the list and everything below it, given the texts of LsNo and LjName.
    void (*exportList)(const QString &lsNo, const QString &ljName);
};

// The list screen of one level below a work item: the middle groups of the current work
// item (TBlstFm) or the small groups of the current middle group (TFlstFm), one screen
// built from its twin's description. The user adds, edits, deletes, moves and renumbers
// the groups, recalculates them from the rows below, opens the sum menu and drills down
// to the next level; the footer shows the list's sums. However the screen closes, a move
// in progress is ended (the marks cleared) and the footer is written into the parent row
// (the work item or the middle group). The list's logic is GroupList's; a failure of a
// command is shown and the screen goes on.
class TGroupListFm : public ModalListScreen {
    Q_OBJECT
public:
    TGroupListFm(const GroupScreenTwin &twin, QWidget *parent);

    TdxContainer *TopPnl;
    QLabel *LsNoTitle;
    QLabel *LsNo;     // the path number, "01-03"; set by the opener
    QLabel *LjNameTitle;
    QLabel *LjName;   // one blank and the parent row's title; set by the opener
    TRxSpeedButton *HelpBtn;
    TRxSpeedButton *sClose;
    TdxContainer *ToPnl0;
    TRxSpeedButton *AppBtn0; // "등록", F2: add
    TRxSpeedButton *EdtBtn0; // "수정", F3: edit
    TRxSpeedButton *DelBtn0; // "삭제", Delete: delete
    TRxSpeedButton *CalcBtn; // BlstCalc / FlstCalc: recalculate
    TRxSpeedButton *SumBtn0; // "합계", F10: sum menu
    TRxSpeedButton *ExcelBtn; // the export of the list with everything below it
    TLabelE *TagLabel;       // "자료이동", shown in move mode
    TDBNavigator *DBNav0;
    TRxDBGrid *Grid;         // GrdBlst / GrdFlst
    TTotalBar *FootPnl;      // LPCST11, LLCST11, LSCST11, LCSTTAL
    QMenu *PopupMenu;

    GroupList List;

    bool MoveMode() const { return moveMode_; }

    // The list opened under the parent rows, then its totals.
    void FormShow() override;
    void FormResize();
    // The close steps, once: move mode ended, the totals shown, the list closed and its
    // footer written into the parent row.
    void FormClose() override;
    void sCloseClick() override;
    void AppBtn0Click();
    void EdtBtn0Click();
    void DelBtn0Click();
    // BlstCalcClick / FlstCalcClick.
    void CalcClick();
    void SumBtn0Click();
    void ExcelBtnClick();
    void Help1Click();
    void InStBtnClick();
    // GrdBlstKeyDown / GrdFlstKeyDown: a key handled here is set to 0.
    void GrdKeyDown(int &key, Qt::KeyboardModifiers shift);
    // GrdBlstDblClick / GrdFlstDblClick, and Enter outside move mode: the next level.
    void GrdDblClick();

    // The list's sums: its subtotal rows rewritten, the footer in whole units, the grid
    // focused.
    void ShowTotals();
    // F9: on marks the current row and disables the tool bar; off clears the marks.
    void SetMoveMode(bool on);
    // Enter in move mode: the marked row goes just before the current row.
    void PasteMovedRow();
    // Alt+R: ODRF := 1..n in the shown order, the same row current.
    void RenumberOrder();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool EscCloses() const override { return !moveMode_; }

private:
    void MakeTitleStrip();
    void MakeToolBar();
    void MakeGrid();
    void MakePopupMenu();
    bool HasRows() const;
    void SetToolBarEnabled(bool enabled);
    // The path number of the current row: the ODRFs of the work item, the middle group
    // and, on the small groups, the small group, each two digits, joined by "-".
    QString PathNumber() const;
    QRect MainGeometry() const;

    GroupScreenTwin twin_;
    bool moveMode_ = false;
};

// The middle groups of the current work item.
class TBlstFm : public TGroupListFm {
    Q_OBJECT
public:
    explicit TBlstFm(QWidget *parent = nullptr);
};

// The small groups of the current middle group.
class TFlstFm : public TGroupListFm {
    Q_OBJECT
public:
    explicit TFlstFm(QWidget *parent = nullptr);
};

// Opens a group screen as its opener does: created over setup.owner at setup.geometry,
// with setup's LsNo and LjName, run modally and freed (append mode is already forced).
void ShowMiddleGroupScreen(const ListScreenSetup &setup);
void ShowSmallGroupScreen(const ListScreenSetup &setup);

} // namespace vek
