#include "app/WorkItemList.h"

#include "app/ListControls.h"
#include "app/MainWindow.h"
#include "app/ScreenOpening.h"
#include "app/TotalBar.h"
#include "components/DBNavigator.h"
#include "components/DataGrid.h"
#include "components/EffectLabel.h"
#include "components/ScreenParts.h"
#include "components/ShellGlyphs.h"
#include "components/SpeedButton.h"
#include "core/DataModule.h"
#include "core/Environment.h"
#include "core/MessageBoxes.h"
#include "core/ProgramState.h"
#include "core/Recalc.h"
#include "core/ScreenEntryPoints.h"
#include "core/SqlRoutines.h"
#include "core/TextUtils.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace vek {

TWorkItemList::TWorkItemList(Tmainf *main) : QWidget(main), main_(main)
{
    setObjectName(QStringLiteral("WorkItemList"));
    QWidget *band = main->ToPnl0;
    const struct {
        TRxSpeedButton *TWorkItemList::*button;
        const char *name;
        const char *caption; // none: a glyph button
        const char *hint;
        void (TWorkItemList::*click)();
    } commands[] = {
        {&TWorkItemList::AppBtn0, "AppBtn0", "공종", "공종등록|새로운 공종명을 등록합니다. 단축키 F2와 동일합니다.",
         &TWorkItemList::AppBtn0Click},
        {&TWorkItemList::EdtBtn0, "EdtBtn0", "수정", "공종수정|현재 선택한 공종명을 수정합니다.  단축키 F3과 동일합니다.",
         &TWorkItemList::EdtBtn0Click},
        {&TWorkItemList::DelBtn0, "DelBtn0", "삭제", "공종삭제|현재 선택한 공종명이나 기타내용을 삭제합니다.",
         &TWorkItemList::DelBtn0Click},
        {&TWorkItemList::SumBtn0, "SumBtn0", "합계",
         "집계메뉴|집계메뉴 소계, 계, 합계메뉴를 호출하는 버튼이며 단축키 F10과 같습니다.", &TWorkItemList::SumBtn0Click},
        {&TWorkItemList::rSCost, "rSCost", "증감", "금액조정|내역서 전체의 금액을 임의의 비율값을 적용하여 일괄조정합니다.",
         &TWorkItemList::rSCostClick},
        {&TWorkItemList::TreBtn0, "TreBtn0", "대가목록", "대가목록|내역서에 적용한 일위대가 목록을 보여줍니다.",
         &TWorkItemList::TreBtn0Click},
        {&TWorkItemList::CostBtn0, "CostBtn0", "원가서", "원가계산서|공사원가계산서를 작성합니다.",
         &TWorkItemList::CostBtn0Click},
        {&TWorkItemList::ExcelBtn0, "ExcelBtn0", "", "엑셀전송|내역서 작업 내용을 액셀파일 형태로 넘깁니다.",
         &TWorkItemList::ExcelBtn0Click},
        {&TWorkItemList::CalcBtn0, "CalcBtn0", "", "금액정렬|내역서 금액을 재계산합니다.", &TWorkItemList::CalcBtn0Click},
    };
    for (const auto &command : commands) {
        TRxSpeedButton *button = MakeToolBandButton(band, QString::fromUtf8(command.name),
                                                    QString::fromUtf8(command.caption), QString::fromUtf8(command.hint));
        connect(button, &TRxSpeedButton::Click, this, command.click);
        this->*command.button = button;
    }
    ExcelBtn0->SetGlyph(ShellGlyphImage(ShellGlyph::Excel));
    CalcBtn0->SetGlyph(ShellGlyphImage(ShellGlyph::Recalc));
    for (TRxSpeedButton *glyphOnly : {ExcelBtn0, CalcBtn0})
        glyphOnly->SetGrayedInactive(false);
    CalcBtn0->hide();

    TagLabel = MakeMoveLabel(band);

    DBNav0 = new TDBNavigator(band);
    DBNav0->setObjectName(QStringLiteral("DBNav0"));

    GrdAlst = MakeGroupListGrid(this, QStringLiteral("GrdAlst"),
                                {ListColumn("rTg", QStringLiteral("No"), 30, Qt::AlignRight | Qt::AlignVCenter),
                                 ListColumn("NOADD", QStringLiteral("공             종            명"), 270),
                                 ListColumn("INO", QStringLiteral("수  량"), 50),
                                 ListColumn("UNIT", QStringLiteral("단위"), 45, Qt::AlignCenter),
                                 ListColumn("PCST12", QStringLiteral("자    재    비"), 100),
                                 ListColumn("LCST12", QStringLiteral("노    무    비"), 100),
                                 ListColumn("SCST12", QStringLiteral("경        비"), 100),
                                 ListColumn("CSTTAL", QStringLiteral("계"), 110),
                                 ListColumn("ETC", QStringLiteral("비        고"), 145)});
    GrdAlst->OnKeyDown = [this](int &key, Qt::KeyboardModifiers shift) { GrdAlstKeyDown(key, shift); };
    connect(GrdAlst, &QAbstractItemView::doubleClicked, this, &TWorkItemList::DrillDown);

    // The boxes stand under the amount columns: the indicator, then No, name, quantity
    // and unit before them.
    TotalBar = new TTotalBar(QStringLiteral(" 합     계 ≫≫"), TRxDBGrid::IndicatorWidth + 30 + 270 + 50 + 45 + 1,
                             {100, 100, 100, 110}, this);
    TotalBar->setObjectName(QStringLiteral("TotalBar"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(GrdAlst, 1);
    layout->addWidget(TotalBar);
}

QList<TRxSpeedButton *> TWorkItemList::ButtonsBeforeDocuments() const
{
    return {AppBtn0, EdtBtn0, DelBtn0};
}

QList<TRxSpeedButton *> TWorkItemList::ButtonsAfterDocuments() const
{
    return {SumBtn0, rSCost, TreBtn0, CostBtn0, ExcelBtn0, CalcBtn0};
}

bool TWorkItemList::HasRows() const
{
    return dMf->TAlst.isActive() && !dMf->TAlst.isEmpty();
}

void TWorkItemList::OpenList()
{
    list_.OpenList();
    GrdAlst->setDataset(&dMf->TAlst);
    DBNav0->setDataset(&dMf->TAlst);
}

void TWorkItemList::RefreshTotals()
{
    HourGlass busy;
    ShowTotals(RecalcTopRows(0, 0));
}

void TWorkItemList::ShowTotals(const RollupSums &sums)
{
    dMf->TAlst.refresh();
    TotalBar->ShowSums(sums);
    GrdAlst->setFocus();
}

void TWorkItemList::ClearTotals()
{
    TotalBar->ShowSums({});
}

void TWorkItemList::OpenItemRowDialog(int inputKind)
{
    vek::OpenItemRowDialog(main_, main_->geometry(), inputKind);
    if (DataChanged)
        RefreshTotals();
}

void TWorkItemList::AppBtn0Click()
{
    if (main_->dGongSa->text().trimmed().isEmpty()) {
        ShowInfoMsg(QStringLiteral("공사명이 입력되지 않았습니다."));
        main_->dGongSa->setFocus();
        return;
    }
    if (!dMf->TAlst.isActive())
        OpenList();
    if (dMf->TAlst.isEmpty())
        main_->SetInputMode(QStringLiteral("추가"));
    OpenItemRowDialog(1);
}

void TWorkItemList::EdtBtn0Click()
{
    if (!HasRows() || dMf->TAlst.asString("TAG") == SubtotalTag)
        return;
    OpenItemRowDialog(2);
}

void TWorkItemList::DelBtn0Click()
{
    if (!HasRows() || !ConfirmYesNo(QStringLiteral(" 자료를 정말 삭제하겠습니까?")))
        return;
    {
        HourGlass busy;
        list_.DeleteCurrentRow();
    }
    RefreshTotals();
}

void TWorkItemList::RenumberOrder()
{
    if (!HasRows())
        return;
    HourGlass busy;
    list_.RenumberOrder();
    GrdAlst->setFocus();
}

void TWorkItemList::SetToolBandEnabled(bool enabled)
{
    for (TRxSpeedButton *button : main_->ToolBandButtons())
        button->setEnabled(enabled);
}

void TWorkItemList::SetMoveMode(bool enter)
{
    if (!HasRows())
        return;
    if (enter)
        list_.MarkForMove();
    else
        list_.ClearMoveMarks();
    SetToolBandEnabled(!enter);
    TagLabel->setVisible(enter);
    moveMode_ = enter;
}

void TWorkItemList::DropMovedItems()
{
    {
        HourGlass busy;
        list_.DropMovedRows();
    }
    moveMode_ = false;
    TagLabel->hide();
    SetToolBandEnabled(true);
    GrdAlst->setFocus();
}

void TWorkItemList::DrillDown()
{
    if (!HasRows() || IsNoDrillTag(dMf->TAlst.asString("TAG")))
        return;
    const Dataset &row = dMf->TAlst;
    {
        FlatWhileOpen flat(main_->QuitBtn);
        main_->SetInputMode(QStringLiteral("추가"));
        const ListScreenSetup setup{main_, ListScreenPlacement(main_->geometry(), 125),
                                    PadLeftChar(u'0', QString::number(row.asInteger("ODRF")), 2),
                                    u' ' + TrimRightText(row.asString("NOADD"))};
        const auto &entry = row.asInteger("SUB") == 1 ? EntryPoints().MiddleGroupScreen : EntryPoints().LineItemScreen;
        OpenScreen(entry, setup);
    }
    if (DataChanged)
        RefreshTotals();
}

void TWorkItemList::SumBtn0Click()
{
    if (!HasRows())
        return;
    const int rowsBefore = dMf->TAlst.recordCount();
    OpenSumMenuDialog(main_);
    if (dMf->TAlst.recordCount() != rowsBefore)
        RefreshTotals();
}

void TWorkItemList::rSCostClick()
{
    if (!HasRows())
        return;
    InputKind = 2;
    OpenScreen(EntryPoints().ItemDialog, BulkAdjustmentDialogSetup(main_));
    if (DataChanged)
        CalcBtn0Click();
}

void TWorkItemList::CostBtn0Click()
{
    if (!HasRows())
        return;
    FlatWhileOpen flat(main_->QuitBtn);
    OpenScreen(EntryPoints().CostStatement,
               TitledScreenSetup{main_, CostStatementPlacement(ScreenSize(), main_->geometry()),
                                 QStringLiteral("공사원가계산서")});
}

void TWorkItemList::TreBtn0Click()
{
    RunTempSql(false, QStringLiteral("Select count(*) from NDTAIL where ABFS='S' and TAG='D'"));
    const int items = dMf->sQTmp.value(0).toInt();
    dMf->sQTmp.close();
    if (items == 0) {
        ShowInfoMsg(QStringLiteral("표를 작성할 대가내용이 없습니다."));
        return;
    }
    FlatWhileOpen flat(main_->QuitBtn);
    OpenScreen(EntryPoints().BreakdownOverview,
               TitledScreenSetup{main_, BreakdownOverviewPlacement(main_->geometry()), QStringLiteral("일위대가일람표")});
}

void TWorkItemList::ExcelBtn0Click()
{
    OpenScreen(EntryPoints().WholeEstimateExport, WholeEstimateExportSetup{main_, main_->dGongSa->text()});
}

void TWorkItemList::CalcBtn0Click()
{
    RollupSums totals;
    {
        HourGlass busy;
        totals = RecalcWholeEstimate();
    }
    ShowTotals(totals);
}

void TWorkItemList::GrdAlstKeyDown(int &key, Qt::KeyboardModifiers shift)
{
    // Esc quits through the main window's question; the shell's own Esc never sees it.
    GroupListKeyDown(key, shift,
                     {moveMode_, [this] { DrillDown(); }, [this] { DropMovedItems(); }, [this] { main_->QuitBtnClick(); },
                      [this] { DelBtn0Click(); }, [this] { AppBtn0Click(); }, [this] { EdtBtn0Click(); },
                      [this] { SetMoveMode(!moveMode_); }, [this] { SumBtn0Click(); }, [this] { RenumberOrder(); }});
}

} // namespace vek
