#include "app/ScreenOpening.h"

#include "components/SpeedButton.h"
#include "core/DataModule.h"
#include "core/Environment.h"
#include "core/GroupList.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "core/TextUtils.h"

namespace vek {

namespace {

// What the edit dialog's total box starts with: the sum of the unit prices; for a lump
// row (prices 0) the total per unit, which the dialog multiplies by the quantity again,
// so that an unchanged edit keeps the row's total.
double EditTotal(const Dataset &row)
{
    const double prices = row.asDouble("PCST11") + row.asDouble("LCST11") + row.asDouble("SCST11");
    if (prices != 0)
        return prices;
    const double quantity = row.asDouble("INO");
    if (quantity == 0)
        return row.asDouble("CSTTAL");
    return Currency::fromDouble(row.asDouble("CSTTAL") / quantity).toDouble();
}

// The kind group's choice for a row kind: rate row 1, left-out row 2, else 0.
int KindOfTag(const QString &tag)
{
    if (tag == QLatin1String("R"))
        return 1;
    if (tag == QLatin1String("E"))
        return 2;
    return 0;
}

} // namespace

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

QRect RememberedDialogPlacement(const QString &topKey, const QString &leftKey, QSize size)
{
    const QString ini = QStringLiteral("VekFree.ini");
    const QString section = QStringLiteral("FormTopLft");
    return QRect(QPoint(ReadIniInteger(ini, section, leftKey, 780), ReadIniInteger(ini, section, topKey, 220)), size);
}

void OpenItemRowDialog(QWidget *owner, const QRect &main, const GroupList &list, int inputKind)
{
    ItemDialogSetup setup;
    setup.owner = owner;
    setup.page = 0;
    setup.geometry = ItemRowDialogPlacement(ScreenSize(), main);
    setup.subLevelShown = list.level() != GroupLevel::SmallGroups;
    InputKind = inputKind;
    if (inputKind == 1) {
        setup.title = CenterText(QStringLiteral("내  역  서  공  종  명  등  록"), 80);
    } else {
        const Dataset &row = list.rows();
        const QString tag = row.asString("TAG");
        setup.title = CenterText(QStringLiteral("내  역  서  공  종  명  수  정"), 80);
        setup.kind = KindOfTag(tag);
        // A group with rows below it keeps its kind: a rate or left-out row has no
        // drill-down and no cascade delete, and would leave its rows behind.
        setup.subLevelEnabled = tag != list.letter() || !list.HasLowerRows();
        setup.subLevelTicked = row.asInteger("SUB") == 1;
        setup.name = TrimRightText(row.asString("NOADD"));
        setup.quantity = row.asDouble("INO");
        setup.material = row.asDouble("PCST11");
        setup.labour = row.asDouble("LCST11");
        setup.expense = row.asDouble("SCST11");
        setup.total = EditTotal(row);
        setup.remark = TrimRightText(row.asString("ETC"));
    }
    OpenScreen(EntryPoints().ItemDialog, setup);
}

void OpenSumMenuDialog(QWidget *owner)
{
    ItemDialogSetup setup;
    setup.owner = owner;
    setup.page = 2;
    setup.geometry = RememberedDialogPlacement(QStringLiteral("합계Top"), QStringLiteral("합계Lft"), QSize(118, 140));
    setup.title = CenterText(QStringLiteral("집계메뉴"), 24);
    InputKind = 1;
    OpenScreen(EntryPoints().ItemDialog, setup);
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
