#pragma once

#include "core/RatePlace.h"
#include "core/SubtotalWalk.h"

#include <QRect>
#include <QString>

#include <functional>

class QWidget;

namespace vek {

// The screens that the main window and the list screens open live in app/ and unitprice/,
// which do not link each other. Each such screen is reached through one entry point here:
// the opener checks what it must, sets the program-wide state (InputKind, append mode,
// its close button flat), builds the setup below and calls the entry point; the screen's
// own code connects the entry point at program start (in RunProgram, app/Program.cpp,
// before the main window is made: a registration object alone in a static library is
// dropped by the linker). The entry point creates the screen, gives it the setup, runs it
// modally and frees it; the opener then runs its after-step (totals when DataChanged is
// set). Until a screen is connected its entry point does nothing.

// What the opener of the item dialog TInPutf sets before the modal run (with InputKind
// in the program-wide variable: 1 add or the open list, 2 change or the whole estimate).
// On page 0 the dialog fills its boxes itself: empty for a new row, else from the current
// row of the open level's list.
struct ItemDialogSetup {
    QWidget *owner = nullptr;
    // 0 item row, 1 bulk adjustment ("금 액 일 괄 조 정"), 2 sum menu ("집계메뉴").
    int page = 0;
    // The window's place and size.
    QRect geometry;
    // TopTitle, already centred (CenterText).
    QString title;
    // Page 1: EdtBiul.
    double percentage = 0;
};

// Where pages 1 and 2 of the item dialog remember their last place: keys of section
// "FormTopLft" of "VekFree.ini".
struct DialogPlaceKeys {
    QString top;
    QString left;
};
extern const DialogPlaceKeys BulkAdjustmentPlace; // "조정Top", "조정Lft"
extern const DialogPlaceKeys SumMenuPlace;        // "합계Top", "합계Lft"

// A dialog page of size that remembers its place under keys (top 220, left 780 when none
// is stored).
QRect RememberedDialogPlacement(const DialogPlaceKeys &keys, QSize size);

// The setups every opener gives the item dialog: page 0 at geometry, titled for adding
// (inputKind 1) or changing (2) a row; page 1, 195 × 180, percentage 0; page 2, 118 × 140;
// pages 1 and 2 where they were last closed.
ItemDialogSetup ItemRowDialogSetup(QWidget *owner, int inputKind, const QRect &geometry);
ItemDialogSetup BulkAdjustmentDialogSetup(QWidget *owner);
ItemDialogSetup SumMenuDialogSetup(QWidget *owner);

// What the opener of a list screen (TSlstFm, TBlstFm, TFlstFm) sets before the modal run;
// append mode is already forced (SetInputMode("추가")).
struct ListScreenSetup {
    QWidget *owner = nullptr;
    QRect geometry;
    // The path number of the opened row: "01", "01-03", "01-03-02".
    QString LsNo;
    // One blank and the opened row's NOADD.
    QString LjName;
};

// A screen opened with a place and a title: the breakdown screen TSudetaif on its
// cost-statement page (page 2), the breakdown overview TTreVewf.
struct TitledScreenSetup {
    QWidget *owner = nullptr;
    QRect geometry;
    QString title;
};

// The rate-row dialog TInBsDtf over its opener, on place, for a new rate row (inputKind 1)
// or for the current row of the place's dataset, a rate row (2).
struct RateDialogSetup {
    QWidget *owner = nullptr;
    RatePlace place;
    int inputKind = 1;
};

// A screen opened at a place only: the breakdown screen TSudetaif on its breakdown page
// (page 0), showing the breakdown of the current line item of TSlst.
struct PlacedScreenSetup {
    QWidget *owner = nullptr;
    QRect geometry;
};

// What the whole-estimate export of the main window reads from it.
struct WholeEstimateExportSetup {
    QWidget *owner = nullptr;
    // The text of the project-name box dGongSa.
    QString projectName;
};

struct ScreenEntryPoints {
    // TInPutf, pages 0, 1 and 2: the main window and the list screens, and the breakdown
    // screen of unitprice/ for its bulk adjustment.
    std::function<void(const ItemDialogSetup &)> ItemDialog;
    // TSlstFm, the line items of a work item, middle group or small group.
    std::function<void(const ListScreenSetup &)> LineItemScreen;
    // TBlstFm, the middle groups of a work item.
    std::function<void(const ListScreenSetup &)> MiddleGroupScreen;
    // TSudetaif on page 2, titled "공사원가계산서".
    std::function<void(const TitledScreenSetup &)> CostStatement;
    // TSudetaif on page 0, the breakdown of the line-item screen's unit-price item.
    std::function<void(const PlacedScreenSetup &)> BreakdownScreen;
    // TInBsDtf over the line-item screen (the breakdown screen, in unitprice/ itself, calls
    // ShowRateDialog).
    std::function<void(const RateDialogSetup &)> RateDialog;
    // TTreVewf, titled "일위대가일람표".
    std::function<void(const TitledScreenSetup &)> BreakdownOverview;
    // The export behind the main window's Excel button (ExcelBtn0Click); it returns at once
    // when the work-item list is empty.
    std::function<void(const WholeEstimateExportSetup &)> WholeEstimateExport;
};

// The program's entry points.
ScreenEntryPoints &EntryPoints();

// Calls entry with setup when its screen has connected it.
template <typename Setup>
void OpenScreen(const std::function<void(const Setup &)> &entry, const Setup &setup)
{
    if (entry)
        entry(setup);
}

// What the screens of unitprice/ reach of the main window, which they cannot link: set
// by the main window while it lives and emptied when it goes (test a member before
// calling it).
struct MainWindowLink {
    // Tmainf::SetInputMode: InsertMode and status panel 0 ("추가" or "삽입").
    std::function<void(const QString &mode)> SetInputMode;
    // Tmainf::MsgbarClick: the insert/append toggle.
    std::function<void()> MsgbarClick;
    // The four total boxes LPCST11, LLCST11, LSCST11, LCSTTAL as they show.
    std::function<RollupSums()> Totals;
    // The main window's place and size, from which the screens place themselves.
    std::function<QRect()> Geometry;
    // The text of a panel of the status bar Msgbar.
    std::function<void(int panel, const QString &text)> SetStatusText;
};

MainWindowLink &MainWindowLinks();

} // namespace vek
