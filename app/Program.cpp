#include "app/Program.h"

#include "app/GroupListScreen.h"
#include "app/ItemDialog.h"
#include "app/LineItemScreen.h"
#include "app/MainWindow.h"
#include "app/ProgramBlock.h"
#include "app/QtTranslations.h"
#include "app/TerminationSignals.h"
#include "components/FontSubstitutes.h"
#include "components/InputComposition.h"
#include "core/DataModule.h"
#include "core/MessageBoxes.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "export/BreakdownOverviewWorkbook.h"
#include "export/BreakdownSheet.h"
#include "export/CostStatementSheet.h"
#include "export/WholeEstimateExport.h"
#include "unitprice/BreakdownOverview.h"
#include "unitprice/BreakdownScreen.h"
#include "unitprice/CostSheetPage.h"
#include "unitprice/RateDialog.h"

#include <QApplication>
#include <QIcon>

static void InitProgramResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace vek {

const QString ApplicationTitle = QStringLiteral("카브로공사견적");

int RunProgram()
{
    QApplication::setOrganizationName(QStringLiteral("KavroSft"));
    QApplication::setApplicationName(QStringLiteral("VekWFree"));

    ProgramBlock block(ApplicationTitle);
    if (!block.Claim()) {
        PresentMessage({MessageKind::Information, QStringLiteral(" 확인!!"),
                        QStringLiteral(" 프로그램이 이미 실행중입니다.")});
        block.ActivateRunningInstance();
        return 0;
    }

    InitProgramResources();
    InstallFontSubstitutes();
    InstallQtTranslations();
    InputComposition::Watch();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vekwfree.png")));
    ConnectExports();
    ConnectBreakdownScreens();
    ConnectRateDialog();

    EntryPoints().MiddleGroupScreen = ShowMiddleGroupScreen;
    Tmainf window;
    TdMf dataModule;
    dMf = &dataModule;
    ConnectItemDialog();
    InstallLineItemScreen();
    QObject::connect(&block, &ProgramBlock::activationRequested, &window, &Tmainf::RestoreOrRaise);
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &window, &QWidget::close);
    window.show();
    // Closed while it started up: the shut-down has run before the loop could see it.
    const int code = window.isVisible() ? QApplication::exec() : 0;
    dMf = nullptr;
    return code;
}

void ConnectExports()
{
    const auto projectName = [] {
        const MainWindowLink &link = MainWindowLinks();
        return link.ProjectName ? link.ProjectName() : QString();
    };
    BreakdownSheetExport() = [](const RollupSums &footer) {
        ExportBreakdownSheet(dMf->Tdtail, BreakdownItemOf(dMf->qDList), footer);
    };
    CostSheetExport() = [projectName](const CostSheetCells &cells) {
        CostStatementRows rows;
        for (int k = 1; k <= CostSheet::Rows; ++k)
            rows[size_t(k - 1)] = {cells.Cells(CostSheet::NameCol, k), cells.Cells(CostSheet::AmountCol, k),
                                   cells.Cells(CostSheet::BasisCol, k), cells.Cells(CostSheet::RemarkCol, k)};
        ExportCostStatementSheet(rows, projectName());
    };
    BreakdownOverviewExport() = [projectName](TTreVewf &screen) {
        ExportBreakdownOverview(dMf->qDList, screen.Tdtail, projectName());
    };
    EntryPoints().WholeEstimateExport = [](const WholeEstimateExportSetup &setup) {
        ExportWholeEstimate(setup.projectName, CurrentFileName);
    };
}

} // namespace vek
