#pragma once

#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "unitprice/BreakdownList.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QLabel;
class QMenu;
class QStackedWidget;

namespace vek {

class TArrowButton;
class TCostSheetPage;
class TCurrencyEdit;
class TDBNavigator;
class TRxDBGrid;
class TdxContainer;
class TdxToolButton;
class THDBGrid;
class TLabelE;
class TRxSpeedButton;

// The unit-price breakdown screen (일위대가), caption-less and modal, with three pages in
// nPage: page 0 edits the breakdown of the line-item screen's current unit-price item,
// page 1 shows the breakdown of the overview's current item read-only, page 2 is the
// construction cost statement. While it lives Sudetaif names it, so that the bulk
// adjustment and the rate-row dialog work on its rows. Whatever way it closes, a move in
// progress gives its rows back, an edit in progress is dropped, Tdtail is closed and
// Sudetaif cleared; only sClose0 writes the breakdown's totals into the unit-price items.
class TSudetaif : public QDialog, public ListScreenHook {
    Q_OBJECT
public:
    // The columns of GrdDetail and GrdDeaB, by index.
    enum Column {
        ColNo, ColName, ColSpec, ColUnit, ColQuantity, ColMaterialPrice, ColMaterial, ColLabourPrice, ColLabour,
        ColExpensePrice, ColExpense, ColTotal, ColRemark
    };
    enum Direction { Right = 1, Down = 2 };

    // page: 0 edit, 1 view, 2 cost statement.
    explicit TSudetaif(QWidget *parent, int page);
    ~TSudetaif() override;

    TdxContainer *TopPnl;
    QLabel *TopLabel;
    TdxToolButton *mExit0;
    QStackedWidget *nPage;
    QWidget *Shet0;
    QWidget *Shet1;
    TCostSheetPage *Shet2;

    TdxContainer *ToolPnl0;
    TRxSpeedButton *AppDt0;
    TRxSpeedButton *DelDt0;
    TRxSpeedButton *sF8Btn;
    TRxSpeedButton *dlCalc;
    TRxSpeedButton *rSCost;
    TRxSpeedButton *CpyPst;
    TLabelE *TagLabel;
    TDBNavigator *DBNav0;
    TdxContainer *DrPnl;
    TArrowButton *ArrowBtn;
    TRxSpeedButton *sClose0;
    THDBGrid *GrdDetail;
    TdxContainer *FootPnl0;
    QLabel *EdLbl0;
    TCurrencyEdit *LCSTPTm;
    TCurrencyEdit *LCSTPLm;
    TCurrencyEdit *LCSTPCm;
    TCurrencyEdit *LCSTTOT;

    TdxContainer *ToolPnl1;
    TRxSpeedButton *sClose1;
    TRxSpeedButton *slExl1;
    TDBNavigator *DBNav1;
    TRxDBGrid *GrdDeaB;
    TdxContainer *FootPnl1;
    QLabel *EdLbl1;
    TCurrencyEdit *LPCST11;
    TCurrencyEdit *LLCST11;
    TCurrencyEdit *LSCST11;
    TCurrencyEdit *LCSTTAL;

    QMenu *PopupMenu;

    BreakdownList List;

    int Page() const { return page_; }
    int EnterDirection() const { return direction_; }
    void SetEnterDirection(int direction);
    // 0 opens the rows of the page's key; 1 applies, writes the totals into the unit-price
    // items and closes the screen.
    void OpenOrPostBreakdown(int mode);
    // 0 normal; 1 move mode: sClose0 and DrPnl hidden, CpyPst shown, the commands and the
    // navigator disabled.
    void SetToolbarMode(int mode);

    void mExit0Click();
    void sClose0Click();
    void AppDt0Click();
    void DelDt0Click();
    void sF8BtnClick();
    void dlCalcClick();
    void rSCostClick();
    void CpyPstClick();
    void ArrowBtnClick();
    void InStBtnClick();
    void Help1Click();
    // The breakdown sheet of page 1: connected by the export that builds it.
    void slExl1Click();
    // The grid's keys before its own handling; a key handled here is set to 0.
    void GrdDetailKeyDown(int &key, Qt::KeyboardModifiers shift);
    // The typing guard and the Enter navigation; a dropped key is set to a null character.
    void GrdDetailKeyPress(QChar &key);
    void GrdDetailDblClick();

    // ListScreenHook: the rows shown and GrdDetail's selected rows.
    Dataset &ShownRows() override;
    QList<Bookmark> SelectedRows() const override;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MakeStrip();
    void MakeEditPage();
    void MakeViewPage();
    void MakePopupMenu();
    TRxSpeedButton *MakeButton(QWidget *bar, const QString &name, const QString &caption, const QString &hint,
                               void (TSudetaif::*click)());
    void FormShow();
    void FormClose();
    void PlaceRightAnchored();
    void PlaceFooterBoxes();
    // The footer recomputed and shown on the page's boxes.
    void CalcTotals();
    void ShowFooter();
    void MoveToColumn(int column);
    void MoveDown();
    void ToggleSupplied();
    void CopyRow();
    void InsertSpecialChar();
    void MoveKey();
    // The rate-row dialog over the screen: a new rate row (1) or the current one (2); the
    // footer is recomputed when it changed something.
    void OpenRateDialog(int inputKind);
    // The grid back to cell editing after a move, the cursor on the quantity.
    void EndMoveLook();

    int page_;
    QPointer<QWidget> root_;
    int direction_ = Down;
    bool shown_ = false;
    bool closed_ = false;
};

// Connects the entry points that open the breakdown screen (the line-item screen's
// unit-price item, page 0; the main window's cost statement, page 2) and the breakdown
// overview.
void ConnectBreakdownScreens();

// What slExl1 of page 1 runs: the breakdown sheet of Tdtail, titled by qDList's current
// item, with the footer shown; connected at program start by the export that builds it,
// nothing until then.
std::function<void(const RollupSums &footer)> &BreakdownSheetExport();

// The title of a breakdown: "대가명: " + the item's NAME padded to 35 + "규격: " + STAN
// padded to 21 + "[" + UNIT + "]", from the current row of items.
QString BreakdownTitle(const Dataset &items);

} // namespace vek
