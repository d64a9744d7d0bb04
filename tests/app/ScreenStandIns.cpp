#include "tests/app/ScreenStandIns.h"

#include "app/GroupListScreen.h"
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "components/SpeedButton.h"
#include "core/ProgramState.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>

namespace vek {

ScreenStandIns::ScreenStandIns(Tmainf &window, std::function<const TRxSpeedButton *()> closeButton)
    : window_(window), closeButton_(std::move(closeButton))
{
    ScreenEntryPoints &entry = EntryPoints();
    entry.ItemDialog = [this](const ItemDialogSetup &setup) {
        dialogs.append(setup);
        record("ItemDialog", setup.geometry);
    };
    const auto listScreen = [this](const QString &name) {
        return [this, name](const ListScreenSetup &setup) {
            lists.append(setup);
            record(name, setup.geometry, setup.LsNo, setup.LjName);
        };
    };
    entry.LineItemScreen = listScreen("LineItemScreen");
    entry.MiddleGroupScreen = listScreen("MiddleGroupScreen");
    const auto titledScreen = [this](const QString &name) {
        return [this, name](const TitledScreenSetup &setup) {
            titled.append(setup);
            record(name, setup.geometry);
        };
    };
    entry.CostStatement = titledScreen("CostStatement");
    entry.BreakdownOverview = titledScreen("BreakdownOverview");
    entry.WholeEstimateExport = [this](const WholeEstimateExportSetup &setup) {
        exports.append(setup);
        record("WholeEstimateExport");
    };
    QObject::connect(&watch_, &QTimer::timeout, [this] { watchModal(); });
    watch_.start(5);
}

ScreenStandIns::~ScreenStandIns()
{
    EntryPoints() = ScreenEntryPoints();
}

QStringList ScreenStandIns::names() const
{
    QStringList result;
    for (const Opening &opening : openings)
        result.append(opening.screen);
    return result;
}

void ScreenStandIns::record(const QString &screen, const QRect &geometry, const QString &lsNo, const QString &ljName)
{
    const TRxSpeedButton *close = closeButton_();
    openings.append({screen, InputKind, close && close->Flat(), window_.Msgbar->PanelText(Tmainf::ModePanel), geometry,
                     lsNo, ljName});
    if (work)
        work();
}

// A modal dialog runs its own loop: the watch finds it there.
void ScreenStandIns::watchModal()
{
    auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    if (!dialog || busy_)
        return;
    busy_ = true;
    auto *screen = qobject_cast<TGroupListFm *>(dialog);
    record(dialog->objectName(), dialog->geometry(), screen ? screen->LsNo->text() : QString(),
           screen ? screen->LjName->text() : QString());
    if (onModal)
        onModal(*dialog);
    if (dialog->isVisible())
        dialog->done(0);
    busy_ = false;
}

} // namespace vek
