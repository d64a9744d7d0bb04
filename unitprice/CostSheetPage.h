#pragma once

#include "unitprice/CostSheetCells.h"
#include "unitprice/CostStatement.h"

#include <QWidget>

#include <array>
#include <functional>

class QPainter;

namespace vek {

class TdxContainer;
class THStringGrid;
class TRxSpeedButton;

// The cost-statement page of the breakdown screen: its tool bar and the statement's grid
// dGrid, on which it runs the statement (TCostStatement). The window that holds the page
// loads it when it shows it (LoadCostSheet) and closes when the page asks it to (OnClose,
// after sClose2 has saved the statement); its own caption close button closes without
// saving the grid.
class TCostSheetPage : public QWidget, public CostSheetCells {
    Q_OBJECT
public:
    // The main totals come from totals, or from the main window when none is given.
    explicit TCostSheetPage(QWidget *parent = nullptr, TCostStatement::MainTotals totals = {});

    TdxContainer *ToolPnl;
    TRxSpeedButton *slExl2;
    TRxSpeedButton *WgaPak;
    TRxSpeedButton *wlCalc;
    TRxSpeedButton *WgCal;
    TRxSpeedButton *sClose2;
    THStringGrid *dGrid;

    // Closes the window that holds the page: set by that window.
    std::function<void()> OnClose;

    // The grid's columns and rows set up, then the statement loaded and computed.
    void LoadCostSheet();

    void WgaPakClick();
    void wlCalcClick();
    void WgCalClick();
    void sClose2Click();
    void slExl2Click();
    void dGridDrawCell(QPainter &canvas, int col, int row, const QRect &rect, bool selected, bool fixed) const;
    void dGridKeyPress(QChar &key);

    // The grid's cells, and its current row (the column stays).
    QString Cells(int col, int row) const override;
    void SetCells(int col, int row, const QString &text) override;
    int Row() const override;
    void SetRow(int row) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void MakeToolBar();
    void MakeGrid();
    void SetTextColumnWidths(const std::array<int, 3> &widths);
    // Whether key may go into the open editor of a text column without passing what the
    // column's field holds.
    bool FitsColumn(int col, QChar key) const;

    TCostStatement statement_;
};

// What slExl2 runs: the statement's sheet export, connected at program start by the
// export that builds it, given the page's cells; nothing until then.
std::function<void(const CostSheetCells &cells)> &CostSheetExport();

} // namespace vek
