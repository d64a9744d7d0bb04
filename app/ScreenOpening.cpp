#include "app/ScreenOpening.h"

#include "components/SpeedButton.h"
#include "core/Environment.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"

namespace vek {

QRect ItemRowDialogPlacement(QSize screen, const QRect &main)
{
    return QRect((screen.width() - 390) / 2, (main.height() - 270) / 2, 390, 270);
}

QRect ListScreenPlacement(const QRect &main, int topOffset)
{
    return QRect(main.left() + 3, main.top() + topOffset, main.width() - 5, main.height() - topOffset - 2);
}

QRect CostStatementPlacement(QSize screen, const QRect &main)
{
    const int right = main.left() + main.width();
    if (screen.height() > 768)
        return QRect(right - 765, main.top() + 130, 760, 725);
    return QRect(right - 785, main.top() + 130, 780, main.height() - 117);
}

QRect BreakdownOverviewPlacement(const QRect &main)
{
    return QRect(main.left() + main.width() - 962, main.top() + 125, 960, main.height() - 127);
}

QRect BreakdownScreenPlacement(const QRect &list)
{
    return QRect(list.left() + 48, list.top() + 39, list.width() - 48, list.height() - 25);
}

void OpenItemRowDialog(QWidget *owner, const QRect &main, int inputKind)
{
    InputKind = inputKind;
    OpenScreen(EntryPoints().ItemDialog, ItemRowDialogSetup(owner, inputKind, ItemRowDialogPlacement(ScreenSize(), main)));
}

void OpenSumMenuDialog(QWidget *owner)
{
    InputKind = 1;
    OpenScreen(EntryPoints().ItemDialog, SumMenuDialogSetup(owner));
}

FlatWhileOpen::FlatWhileOpen(TRxSpeedButton *button) : button_(button)
{
    button_->SetFlat(true);
}

FlatWhileOpen::~FlatWhileOpen()
{
    button_->SetFlat(false);
}

} // namespace vek
