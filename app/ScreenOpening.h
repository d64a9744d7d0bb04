#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace vek {

class TRxSpeedButton;

// Where the screens opened from the list screens stand: pure functions of the screen size
// and the main window's place and size (top, left, width, height as the window manager
// has them). The two small pages of the item dialog stand where they were last closed
// (RememberedDialogPlacement, core/ScreenEntryPoints.h).

// The item dialog's item-row page (390 x 270): left (screen width - 390) div 2, top (main
// window height - 270) div 2.
QRect ItemRowDialogPlacement(QSize screen, const QRect &main);

// A list screen opened from a list: left main left + 3, width main width - 5, top main top
// + topOffset, height main height - topOffset - 2 (topOffset 125 from the work items, 130
// from the middle groups, 135 from the small groups).
QRect ListScreenPlacement(const QRect &main, int topOffset);

// The breakdown screen on its cost-statement page: top main top + 130; on a screen higher
// than 768 pixels 760 x 725 ending 5 pixels inside the main window's right edge, else 780
// wide, main height - 117 high, ending 5 pixels inside.
QRect CostStatementPlacement(QSize screen, const QRect &main);

// The breakdown overview: 960 wide, ending 2 pixels inside the main window's right edge,
// top main top + 125, height main height - 127.
QRect BreakdownOverviewPlacement(const QRect &main);

// The breakdown screen opened from a line-item screen at list: 48 pixels in from its
// left edge to its right edge, top 39 below its top, height its height - 25.
QRect BreakdownScreenPlacement(const QRect &list);

// Runs the item dialog's item-row page (InputKind := inputKind) owned by owner and placed
// by the main window at main: adding a row to the open list (1) or changing its current
// row (2).
void OpenItemRowDialog(QWidget *owner, const QRect &main, int inputKind);
// Runs the item dialog's sum-menu page (InputKind := 1) owned by owner.
void OpenSumMenuDialog(QWidget *owner);

// An opener's close button, drawn flat while the screen it opened runs modally and
// raised again however the opening ends.
class FlatWhileOpen {
public:
    explicit FlatWhileOpen(TRxSpeedButton *button);
    ~FlatWhileOpen();
    FlatWhileOpen(const FlatWhileOpen &) = delete;
    FlatWhileOpen &operator=(const FlatWhileOpen &) = delete;

private:
    TRxSpeedButton *button_;
};

} // namespace vek
