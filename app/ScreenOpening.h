#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace vek {

class GroupList;
class TRxSpeedButton;

// Where the screens opened from the list screens stand: pure functions of the screen size
// and the main window's place and size (top, left, width, height as the window manager
// has them), and, for the two small dialog pages, of their last place in the ini file.

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

// A dialog page of size that remembers its place under topKey and leftKey of section
// "FormTopLft" in "VekFree.ini" (top 220, left 780 when none is stored).
QRect RememberedDialogPlacement(const QString &topKey, const QString &leftKey, QSize size);

// Runs the item dialog's item-row page (InputKind := inputKind) over a list of group rows,
// owned by owner and placed by the main window at main: adding a row (inputKind 1: kind
// 0, quantity 1, everything else empty) or changing the list's current row (2: its kind by
// TAG, title, quantity, unit prices, total per unit, remark; the sub-level box ticked by
// SUB, and, with the kind group, locked when an ordinary row has rows below it). The
// sub-level box shows except on the small groups.
void OpenItemRowDialog(QWidget *owner, const QRect &main, const GroupList &list, int inputKind);
// Runs the item dialog's sum-menu page (InputKind := 1) owned by owner at its remembered
// place ("합계Top"/"합계Lft").
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
