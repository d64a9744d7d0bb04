#include "core/ScreenEntryPoints.h"

#include "core/Environment.h"
#include "core/TextUtils.h"

namespace vek {

const DialogPlaceKeys BulkAdjustmentPlace{QStringLiteral("조정Top"), QStringLiteral("조정Lft")};
const DialogPlaceKeys SumMenuPlace{QStringLiteral("합계Top"), QStringLiteral("합계Lft")};

QRect RememberedDialogPlacement(const DialogPlaceKeys &keys, QSize size)
{
    const QString ini = QStringLiteral("VekFree.ini");
    const QString section = QStringLiteral("FormTopLft");
    return QRect(QPoint(ReadIniInteger(ini, section, keys.left, 780), ReadIniInteger(ini, section, keys.top, 220)), size);
}

ItemDialogSetup ItemRowDialogSetup(QWidget *owner, int inputKind, const QRect &geometry)
{
    const QString title = inputKind == 2 ? QStringLiteral("내  역  서  공  종  명  수  정")
                                         : QStringLiteral("내  역  서  공  종  명  등  록");
    return {owner, 0, geometry, CenterText(title, 80), 0};
}

ItemDialogSetup BulkAdjustmentDialogSetup(QWidget *owner)
{
    return {owner, 1, RememberedDialogPlacement(BulkAdjustmentPlace, {195, 180}),
            CenterText(QStringLiteral("금 액 일 괄 조 정"), 40), 0};
}

ItemDialogSetup SumMenuDialogSetup(QWidget *owner)
{
    return {owner, 2, RememberedDialogPlacement(SumMenuPlace, {118, 140}), CenterText(QStringLiteral("집계메뉴"), 24), 0};
}

ScreenEntryPoints &EntryPoints()
{
    static ScreenEntryPoints entryPoints;
    return entryPoints;
}

MainWindowLink &MainWindowLinks()
{
    static MainWindowLink link;
    return link;
}

} // namespace vek
