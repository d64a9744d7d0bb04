#include "app/LineItemScreen.h"

#include "app/HintHandler.h"
#include "app/ListControls.h"
#include "app/MainWindow.h"
#include "app/ScreenOpening.h"
#include "app/TotalBar.h"
#include "components/ShellGlyphs.h"
#include "components/ArrowButton.h"
#include "components/Container.h"
#include "components/DBNavigator.h"
#include "components/ImeGrid.h"
#include "components/ShadowLabel.h"
#include "components/SpeedButton.h"
#include "components/WindowDrag.h"
#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/DocumentError.h"
#include "core/Environment.h"
#include "core/MessageBoxes.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "core/SiblingLibraries.h"
#include "core/WaitWindow.h"
#include "export/LineItemSheet.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QVBoxLayout>

namespace vek {

TSlstFm *SlstFm = nullptr;

namespace {

const QColor TitleColour(0x42, 0x95, 0xAA);
const QColor BarColour(0xEC, 0xE9, 0xD8);
const QColor GridColour(0xFE, 0xFF, 0xF4);
const QColor Navy(0, 0, 0x80);
const QString ScreenFont = QStringLiteral("굴림");
const QString IniFileName = QStringLiteral("VekFree.ini");

constexpr int TitleHeight = 28;
constexpr int ToolHeight = 30;
// Distances from the right edge.
constexpr int CloseOffset = 53;
constexpr int HelpOffset = 82;
constexpr int DirectionOffset = 89;
constexpr int NavigatorOffset = 171;
constexpr int FooterEndOffset = 54;

// The columns that take text, and the quantity and unit prices, which take numbers.
bool IsTextColumn(int column)
{
    return column == TSlstFm::ColName || column == TSlstFm::ColSpec || column == TSlstFm::ColUnit
           || column == TSlstFm::ColRemark;
}

bool IsPriceColumn(int column)
{
    return column == TSlstFm::ColMaterialPrice || column == TSlstFm::ColLabourPrice
           || column == TSlstFm::ColExpensePrice;
}

// Where Enter goes from a number column with direction Right.
int NextNumberColumn(int column)
{
    switch (column) {
    case TSlstFm::ColQuantity: return TSlstFm::ColMaterialPrice;
    case TSlstFm::ColMaterialPrice: return TSlstFm::ColLabourPrice;
    case TSlstFm::ColLabourPrice: return TSlstFm::ColExpensePrice;
    default: return TSlstFm::ColRemark;
    }
}

QFont Bold(int size)
{
    QFont font(ScreenFont, size);
    font.setBold(true);
    return font;
}

TSdLabel *MakeTitleLabel(QWidget *parent, const QString &name, const QString &caption, const QRect &place)
{
    auto *label = new TSdLabel(parent);
    label->setObjectName(name);
    label->SetCaption(caption);
    label->setFont(Bold(10));
    label->SetFontColor(Qt::yellow);
    label->SetShadowColor(QColor(0x20, 0x40, 0x50));
    label->SetShadowDepth(1);
    label->SetTransparent(true);
    label->setGeometry(place);
    return label;
}

} // namespace

TSlstFm::TSlstFm(QWidget *parent) : ModalListScreen(parent)
{
    SlstFm = this;
    SlstFmHook = this;
    setObjectName(QStringLiteral("SlstFm"));
    setFont(QFont(ScreenFont, 9));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    MakeTitleBand();
    MakeToolBar();
    MakeGrid();
    FootPnl = new TTotalBar(QStringLiteral(" 합     계 ≫≫"), 200, {85, 85, 85, 85}, this);
    FootPnl->setObjectName(QStringLiteral("FootPnl"));
    MakePopupMenu();
    layout->addWidget(TopPnl);
    layout->addWidget(ToolPnl);
    layout->addWidget(GrdSlst, 1);
    layout->addWidget(FootPnl);
    resize(1095, 661);
}

TSlstFm::~TSlstFm()
{
    if (SlstFm == this)
        SlstFm = nullptr;
    if (SlstFmHook == this)
        SlstFmHook = nullptr;
}

void TSlstFm::MakeTitleBand()
{
    TopPnl = MakeBand(this, QStringLiteral("TopPnl"), TitleColour, TitleHeight);
    LsNoTitle = MakeTitleLabel(TopPnl, QStringLiteral("LsNoTitle"), QStringLiteral("공종No"), QRect(10, 6, 52, 18));
    LsNo = MakeTitleLabel(TopPnl, QStringLiteral("LsNo"), QString(), QRect(64, 6, 110, 18));
    LjNameTitle = MakeTitleLabel(TopPnl, QStringLiteral("LjNameTitle"), QStringLiteral("공종명"), QRect(190, 6, 52, 18));
    LjName = MakeTitleLabel(TopPnl, QStringLiteral("LjName"), QString(), QRect(244, 6, 560, 18));

    HelpBtn = new TRxSpeedButton(TopPnl);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    HelpBtn->SetGlyph(ShellGlyphImage(ShellGlyph::Help));
    HelpBtn->SetFlat(true);
    HelpBtn->SetTransparent(true);
    HelpBtn->setGeometry(0, 2, 25, 24);
    SetControlHint(HelpBtn, QStringLiteral("도움말|도움말 내용을 보여줍니다."));
    connect(HelpBtn, &TRxSpeedButton::Click, this, &TSlstFm::HelpBtnClick);

    sClose = new TRxSpeedButton(TopPnl);
    sClose->setObjectName(QStringLiteral("sClose"));
    sClose->SetGlyph(ShellGlyphImage(ShellGlyph::Quit));
    sClose->SetCaption(QStringLiteral("닫기"));
    sClose->SetLayout(TRxSpeedButton::blGlyphLeft);
    sClose->SetTransparent(true);
    SetTextColour(sClose, Qt::white);
    sClose->setGeometry(0, 2, 50, 24);
    SetControlHint(sClose, QStringLiteral("닫기|현재활성되어 있는 화면을 종료합니다."));
    connect(sClose, &TRxSpeedButton::Click, this, &TSlstFm::sCloseClick);
    new WindowDrag(TopPnl);
}

TRxSpeedButton *TSlstFm::MakeToolButton(const QString &name, const QString &caption, const QString &hint,
                                        void (TSlstFm::*click)())
{
    TRxSpeedButton *button = vek::MakeToolButton(ToolPnl, name, caption, hint);
    if (click)
        connect(button, &TRxSpeedButton::Click, this, click);
    return button;
}

void TSlstFm::MakeToolBar()
{
    ToolPnl = MakeBand(this, QStringLiteral("ToolPnl"), BarColour, ToolHeight);
    ToolPnl->SetBoundLines(TdxContainer::blBottom);
    AppDt0 = MakeToolButton(QStringLiteral("AppDt0"), QStringLiteral("추가"),
                            QStringLiteral("자료추가|기초자료를 호출하지 않고 타이프로 직접자료를 추가합니다.  F2키와 동일..."),
                            &TSlstFm::AppDt0Click);
    DelDt0 = MakeToolButton(QStringLiteral("DelDt0"), QStringLiteral("삭제"),
                            QStringLiteral("자료삭제|현재선택한 자료를 삭제합니다."), &TSlstFm::DelDt0Click);
    sF8Btn = MakeToolButton(QStringLiteral("sF8Btn"), QStringLiteral("비율"),
                            QStringLiteral("비율산|비율산 내용을  입력합니다. F8키와 동일..."), &TSlstFm::sF8BtnClick);
    SlCalc = MakeToolButton(QStringLiteral("SlCalc"), QString(), QStringLiteral("금액정렬|내역서 금액을 재계산합니다."),
                            &TSlstFm::SlCalcClick);
    rSCost = MakeToolButton(
        QStringLiteral("rSCost"), QStringLiteral("증감"),
        QStringLiteral("금액조정|전제 또는 지정된 자료의 금액을  임의의 비율값을 적용하여 일괄조정합니다."),
        &TSlstFm::rSCostClick);
    SmBtn0 = MakeToolButton(
        QStringLiteral("SmBtn0"), QStringLiteral("합계"),
        QStringLiteral("집계메뉴|집계메뉴 소계, 계, 합계메뉴를 호출하는 버튼이며 단축키 F10과 같습니다."),
        &TSlstFm::SmBtn0Click);
    slExcl = MakeToolButton(QStringLiteral("slExcl"), QString(),
                            QStringLiteral("엑셀전송|현재내역서 내용을 액셀프로그램으로 자료를 전송합니다."),
                            &TSlstFm::slExclClick);
    CpyPst = MakeToolButton(QStringLiteral("CpyPst"), QString(),
                            QStringLiteral("자료이동|자료이동 모드에서 설정한 자료를 이동합니다."), &TSlstFm::CpyPstClick);
    CpyPst->hide();
    SlCalc->SetGlyph(ShellGlyphImage(ShellGlyph::Recalc));
    slExcl->SetGlyph(ShellGlyphImage(ShellGlyph::Excel));
    CpyPst->SetGlyph(ShellGlyphImage(ShellGlyph::Move));
    TagLabel = new QLabel(QStringLiteral("자료이동"), ToolPnl);
    TagLabel->setObjectName(QStringLiteral("TagLabel"));
    QFont italic(ScreenFont, 10);
    italic.setItalic(true);
    italic.setBold(true);
    TagLabel->setFont(italic);
    SetTextColour(TagLabel, Qt::red);
    TagLabel->hide();

    auto *row = new QHBoxLayout(ToolPnl);
    row->setContentsMargins(6, 2, 0, 2);
    row->setSpacing(0);
    for (QWidget *control : {static_cast<QWidget *>(AppDt0), static_cast<QWidget *>(DelDt0),
                             static_cast<QWidget *>(sF8Btn), static_cast<QWidget *>(SlCalc),
                             static_cast<QWidget *>(rSCost), static_cast<QWidget *>(SmBtn0),
                             static_cast<QWidget *>(slExcl), static_cast<QWidget *>(CpyPst)})
        row->addWidget(control);
    row->addSpacing(10);
    row->addWidget(TagLabel);
    row->addStretch(1);

    DBNav0 = new TDBNavigator(ToolPnl);
    DBNav0->setObjectName(QStringLiteral("DBNav0"));
    DBNav0->setGeometry(0, 4, 80, 22);
    DBNav0->setDataset(&dMf->TSlst);

    DrPnl = MakeDirectionPanel(ToolPnl, BarColour, 85, ArrowBtn);
    DrPnl->setFont(Bold(9));
    connect(DrPnl, &TdxContainer::Click, this, &TSlstFm::ArrowBtnClick);
    connect(ArrowBtn, &TArrowButton::Click, this, &TSlstFm::ArrowBtnClick);
}

void TSlstFm::MakeGrid()
{
    GrdSlst = new THDBGrid(this);
    GrdSlst->setObjectName(QStringLiteral("GrdSlst"));
    QPalette colours = GrdSlst->palette();
    colours.setColor(QPalette::Base, GridColour);
    GrdSlst->setPalette(colours);
    GrdSlst->setDataset(&dMf->TSlst);
    const auto column = [](const char *field, const QString &title, int width) {
        DatasetColumn c;
        c.field = QLatin1String(field);
        c.title = title;
        c.width = width;
        c.titleAlignment = Qt::AlignCenter;
        return c;
    };
    DatasetColumn mark = column("rTg", QStringLiteral("◎"), 20);
    mark.alignment = Qt::AlignHCenter;
    DatasetColumn quantity = column("INO", QStringLiteral("수량"), 49);
    quantity.color = Qt::white;
    DatasetColumn material = column("PCST22", QStringLiteral("자재금액"), 85);
    material.alignment = Qt::AlignRight;
    GrdSlst->setColumns({mark, column("NAME", QStringLiteral("명             칭"), 175),
                         column("STAN", QStringLiteral("규        격"), 120), column("UNIT", QStringLiteral("단위"), 30),
                         quantity, column("PCST11", QStringLiteral("자재단가"), 75), material,
                         column("LCST11", QStringLiteral("노무단가"), 75), column("LCST22", QStringLiteral("노무금액"), 85),
                         column("SCST11", QStringLiteral("경비단가"), 75), column("SCST22", QStringLiteral("경비금액"), 85),
                         column("TCST32", QStringLiteral("계"), 85), column("ETC", QStringLiteral("비        고"), 93)});
    GrdSlst->SetRowsHeight(18);
    GrdSlst->SetMultiSelect(true);
    GrdSlst->SetConfirmDelete(true);
    GrdSlst->SetGridDeletes(false);
    SetControlHint(GrdSlst, QStringLiteral("자료추가F2 /지급설정F3 /비율산F8 /이동F9 /집계F10 /특수문자 F11 /Alt+Z 복사"));
    GrdSlst->OnKeyDown = [this](int &key, Qt::KeyboardModifiers shift) { GrdSlstKeyDown(key, shift); };
    GrdSlst->OnKeyPress = [this](QChar &key) { GrdSlstKeyPress(key); };
    GrdSlst->OnShowEditor = [this](const QString &field, bool &allow) {
        for (int c = 0; c < GrdSlst->datasetModel().columnCount(); ++c)
            if (GrdSlst->fieldAt(c) == field)
                allow = allow && CellTakesKeys(c);
    };
    connect(GrdSlst, &QAbstractItemView::doubleClicked, this, &TSlstFm::GrdSlstDblClick);
    connect(GrdSlst->horizontalHeader(), &QHeaderView::sectionResized, this, &TSlstFm::PlaceFooterBoxes);
}

void TSlstFm::MakePopupMenu()
{
    PopupMenu = new QMenu(this);
    QAction *help = PopupMenu->addAction(QStringLiteral("도움말(Help)"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setVisible(false);
    QAction *insert = PopupMenu->addAction(QStringLiteral("자료추가삽입"));
    insert->setShortcut(QKeySequence(Qt::Key_Insert));
    // The grid takes Insert itself (GrdSlstKeyDown); the entry's key only labels it.
    insert->setShortcutContext(Qt::WidgetShortcut);
    connect(help, &QAction::triggered, this, &TSlstFm::HelpBtnClick);
    connect(insert, &QAction::triggered, this, &TSlstFm::InsertModeClick);
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TSlstFm::HelpBtnClick);
    setContextMenuPolicy(Qt::CustomContextMenu);
    GrdSlst->setContextMenuPolicy(Qt::CustomContextMenu);
    const auto popUp = [this](QWidget *from) {
        return [this, from](const QPoint &at) { PopupMenu->popup(from->mapToGlobal(at)); };
    };
    connect(this, &QWidget::customContextMenuRequested, this, popUp(this));
    connect(GrdSlst, &QWidget::customContextMenuRequested, this, popUp(GrdSlst->viewport()));
}

void TSlstFm::PlaceRightAnchored()
{
    const int w = width();
    sClose->move(w - CloseOffset, sClose->y());
    HelpBtn->move(w - HelpOffset, HelpBtn->y());
    DrPnl->move(w - DirectionOffset, DrPnl->y());
    DBNav0->move(w - NavigatorOffset, DBNav0->y());
    FootPnl->EndMark->move(w - FooterEndOffset, FootPnl->EndMark->y());
}

void TSlstFm::PlaceFooterBoxes()
{
    // Each box stands under the grid column whose amounts it sums.
    const int origin = GrdSlst->x() + GrdSlst->viewport()->x();
    QList<std::pair<int, int>> places;
    for (int column : {ColMaterial, ColLabour, ColExpense, ColTotal})
        places.append({origin + GrdSlst->columnViewportPosition(column), GrdSlst->columnWidth(column)});
    FootPnl->PlaceBoxes(places);
}

void TSlstFm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (QLayout *rows = layout())
        rows->activate();
    PlaceRightAnchored();
    PlaceFooterBoxes();
}

void TSlstFm::FormShow()
{
    DataChanged = true;
    SetEnterDirection(Down);
    OpenOrFinishList(0);
    RecalcList();
    PlaceFooterBoxes();
}

void TSlstFm::SetEnterDirection(int direction)
{
    direction_ = direction;
    ShowDirection(DrPnl, ArrowBtn, direction);
}

void TSlstFm::ArrowBtnClick()
{
    SetEnterDirection(direction_ == Down ? Right : Down);
}

void TSlstFm::OpenOrFinishList(int mode)
{
    if (mode == 0) {
        RunGuarded([this] { List.Open(); });
        return;
    }
    if (!RunGuarded([this] { List.Finish(); }))
        return;
    if (mode == 1) {
        finished_ = true;
        accept();
    }
    else
        SaveFromList();
}

void TSlstFm::SaveFromList()
{
    if (mainf)
        mainf->SavBtn0Click();
}

void TSlstFm::RecalcList()
{
    if (RunGuarded([this] { List.RecalcList(); }))
        FootPnl->ShowSums(List.Footer());
    GrdSlst->setFocus();
}

void TSlstFm::SetToolbarMode(int mode)
{
    const bool normal = mode == 0;
    sClose->setVisible(normal);
    for (TRxSpeedButton *button : {AppDt0, DelDt0, sF8Btn, SlCalc, rSCost, SmBtn0, slExcl})
        button->setEnabled(normal);
    DBNav0->setEnabled(normal);
    DrPnl->setVisible(normal);
    CpyPst->setVisible(!normal);
}

void TSlstFm::AppDt0Click()
{
    SetEnterDirection(Right);
    if (List.isEmpty() && mainf)
        mainf->SetInputMode(QStringLiteral("추가"));
    GrdSlst->postEditor();
    RunGuarded([this] { List.AddRow(); });
    GrdSlst->SetSelectedIndex(ColName);
    GrdSlst->setFocus();
}

void TSlstFm::DelDt0Click()
{
    if (List.isEmpty())
        return;
    if (ConfirmYesNo(QStringLiteral(" 정말로 삭제하시겠습니까??")) && RunGuarded([this] { List.DeleteRow(); }))
        FootPnl->ShowSums(List.Footer());
    GrdSlst->setFocus();
}

void TSlstFm::sF8BtnClick()
{
    GrdSlst->postEditor();
    if (List.isEmpty() || List.moveState() != LineItemList::NoMove)
        return;
    OpenRateDialog(1);
}

void TSlstFm::OpenRateDialog(int inputKind)
{
    OpenScreen(EntryPoints().RateDialog, RateDialogSetup{this, CurrentRatePlace(), inputKind});
    if (DataChanged)
        RecalcList();
    GrdSlst->setFocus();
}

void TSlstFm::SlCalcClick()
{
    ShowWaitMessage(Navy, QStringLiteral("자료를 재계산 중입니다. 잠시만..."));
    RecalcList();
    HideWaitWindow();
}

void TSlstFm::rSCostClick()
{
    if (List.isEmpty())
        return;
    GrdSlst->postEditor();
    // A single selected row is where the cursor stands, not a choice: the whole list.
    if (GrdSlst->SelectedRows().size() <= 1)
        GrdSlst->ClearSelectedRows();
    InputKind = 1;
    OpenScreen(EntryPoints().ItemDialog, BulkAdjustmentDialogSetup(this));
    if (DataChanged)
        RecalcList();
}

void TSlstFm::SmBtn0Click()
{
    if (List.isEmpty())
        return;
    GrdSlst->postEditor();
    const int rowsBefore = List.rows().recordCount();
    InputKind = 1;
    OpenScreen(EntryPoints().ItemDialog, SumMenuDialogSetup(this));
    if (List.rows().recordCount() != rowsBefore)
        RecalcList();
}

Dataset &TSlstFm::ShownRows()
{
    return List.rows();
}

QList<Bookmark> TSlstFm::SelectedRows() const
{
    return GrdSlst->SelectedRows();
}

void TSlstFm::EndMoveLook()
{
    CpyPst->SetFlat(true);
    TagLabel->hide();
    SetToolbarMode(0);
    GrdSlst->SetRowSelect(false);
    GrdSlst->SetMultiSelect(false);
    GrdSlst->SetSelectedIndex(ColQuantity);
}

void TSlstFm::slExclClick()
{
    GrdSlst->postEditor();
    ExportLineItemList(dMf->TSlst, LsNo->Caption(), LjName->Caption());
    GrdSlst->setFocus();
}

void TSlstFm::CpyPstClick()
{
    if (List.moveState() == LineItemList::Marking) {
        if (RunGuarded([this] { List.Cut(); }) && List.moveState() == LineItemList::CutWaiting) {
            SetToolbarMode(1);
            CpyPst->SetFlat(false);
        }
    } else if (List.moveState() == LineItemList::CutWaiting) {
        if (RunGuarded([this] { List.Paste(); }) && List.moveState() == LineItemList::NoMove) {
            EndMoveLook();
            FootPnl->ShowSums(List.Footer());
            DataChanged = true;
        }
    }
    GrdSlst->setFocus();
}

void TSlstFm::MoveKey()
{
    switch (List.moveState()) {
    case LineItemList::NoMove:
        if (!List.StartMove())
            return;
        if (mainf)
            mainf->SetInputMode(QStringLiteral("추가"));
        CpyPst->SetFlat(true);
        TagLabel->show();
        SetToolbarMode(1);
        GrdSlst->postEditor();
        GrdSlst->SetMultiSelect(false);
        GrdSlst->SetRowSelect(true);
        break;
    case LineItemList::Marking:
        RunGuarded([this] { List.EndMoveWithoutMoving(); });
        EndMoveLook();
        break;
    case LineItemList::CutWaiting:
        // The cut rows wait in the move file only: the move ends with the paste.
        MessageBeep();
        break;
    }
}

void TSlstFm::sCloseClick()
{
    if (ConfirmYesNo(QStringLiteral(" 현재의 작업을 끝마치겠습니까 ?")))
        OpenOrFinishList(1);
}

void TSlstFm::HelpBtnClick()
{
    ShowNoticePage(QStringLiteral("vekfree02.htm"));
}

void TSlstFm::InsertModeClick()
{
    if (mainf)
        mainf->MsgbarClick();
}

bool TSlstFm::CellTakesKeys(int column) const
{
    if (List.isEmpty())
        return false;
    const QString tag = List.rows().asString("TAG");
    if (IsNoDrillTag(tag))
        return false;
    if (IsTextColumn(column) || column == ColQuantity)
        return true;
    return tag != QLatin1String("D") && IsPriceColumn(column);
}

void TSlstFm::MoveDown()
{
    DatasetModel &model = GrdSlst->datasetModel();
    model.setCurrentRow(model.currentRow() + 1);
}

void TSlstFm::EnterAfterText(int column)
{
    GrdSlst->postEditor();
    if (direction_ == Right)
        GrdSlst->SetSelectedIndex(column + 1);
    else
        MoveDown();
}

void TSlstFm::EnterAfterAmount(int column, bool down)
{
    GrdSlst->postEditor();
    RecalcList();
    DataChanged = true;
    if (down)
        MoveDown();
    else
        GrdSlst->SetSelectedIndex(NextNumberColumn(column));
}

void TSlstFm::GrdSlstKeyPress(QChar &key)
{
    const int column = GrdSlst->SelectedIndex();
    const bool enter = key == QLatin1Char('\r');
    if (List.isEmpty() || IsNoDrillTag(List.rows().asString("TAG"))) {
        key = QChar();
        return;
    }
    const bool unitPrice = List.rows().asString("TAG") == QLatin1String("D");
    if (!CellTakesKeys(column)) {
        // The read-only columns pass Enter on to the right; a unit-price item's prices
        // take nothing.
        key = QChar();
        if (enter && !unitPrice)
            GrdSlst->SetSelectedIndex(column + 1);
        return;
    }
    if (!enter)
        return;
    key = QChar();
    if (IsTextColumn(column))
        EnterAfterText(column);
    else
        EnterAfterAmount(column, unitPrice || direction_ == Down);
}

void TSlstFm::ToggleSupplied()
{
    GrdSlst->postEditor();
    if (RunGuarded([this] { List.ToggleSupplied(); }))
        FootPnl->ShowSums(List.Footer());
}

void TSlstFm::CopyRow()
{
    GrdSlst->postEditor();
    RunGuarded([this] { List.CopyRow(); });
    GrdSlst->setFocus();
}

void TSlstFm::InsertSpecialChar()
{
    const int column = GrdSlst->SelectedIndex();
    if (!IsTextColumn(column) || !CellTakesKeys(column))
        return;
    AppendSpecialChar(GrdSlst, List, column);
}

void TSlstFm::GrdSlstKeyDown(int &key, Qt::KeyboardModifiers shift)
{
    const bool moving = List.moveState() != LineItemList::NoMove;
    const bool editing = GrdSlst->cellDelegate().editor() != nullptr;
    const bool empty = List.isEmpty();
    const auto take = [&key](const std::function<void()> &action) {
        key = 0;
        action();
    };
    // F3, F11 and Alt+Z work on the current row: a beep on an empty list or in move mode.
    const auto onRow = [&take, this, empty, moving](void (TSlstFm::*action)()) {
        take([this, empty, moving, action] {
            if (empty || moving)
                MessageBeep();
            else
                (this->*action)();
        });
    };
    switch (key) {
    case Qt::Key_Escape:
        if (!editing)
            take([this, moving] {
                if (!moving)
                    sCloseClick();
            });
        return;
    case Qt::Key_Down:
        // The grid appends no row: Down on the last row goes nowhere.
        if (!empty && List.rows().recNo() == List.rows().recordCount() - 1)
            key = 0;
        return;
    case Qt::Key_Insert:
        take([this] { InsertModeClick(); });
        return;
    case Qt::Key_Delete:
        // Also Ctrl+Delete: the grid deletes no row by itself.
        if (!editing)
            take([this] { DelDt0Click(); });
        return;
    case Qt::Key_F2:
        take([this, moving] {
            if (!moving)
                AppDt0Click();
        });
        return;
    case Qt::Key_F3:
        onRow(&TSlstFm::ToggleSupplied);
        return;
    case Qt::Key_F8:
        take([this] { sF8BtnClick(); });
        return;
    case Qt::Key_F9:
        take([this] { MoveKey(); });
        return;
    case Qt::Key_F10:
        take([this] { SmBtn0Click(); });
        return;
    case Qt::Key_F11:
        onRow(&TSlstFm::InsertSpecialChar);
        return;
    default:
        break;
    }
    if (!(shift & Qt::AltModifier))
        return;
    switch (key) {
    case Qt::Key_R:
        take([this] {
            GrdSlst->postEditor();
            RunGuarded([this] { List.RenumberOrder(); });
            GrdSlst->setFocus();
        });
        return;
    case Qt::Key_S:
        take([this] {
            // A saved document would lack the rows that wait in the move file.
            if (List.moveState() == LineItemList::CutWaiting)
                MessageBeep();
            else
                OpenOrFinishList(2);
        });
        return;
    case Qt::Key_Z:
        onRow(&TSlstFm::CopyRow);
        return;
    default:
        return;
    }
}

void TSlstFm::GrdSlstDblClick()
{
    GrdSlst->postEditor();
    if (List.isEmpty())
        return;
    switch (List.moveState()) {
    case LineItemList::Marking:
        RunGuarded([this] { List.ToggleMark(); });
        return;
    case LineItemList::CutWaiting:
        return;
    case LineItemList::NoMove:
        break;
    }
    const QString tag = List.rows().asString("TAG");
    if (tag == QLatin1String("R")) {
        OpenRateDialog(2);
        return;
    }
    if (tag != QLatin1String("D"))
        return;
    {
        FlatWhileOpen flat(sClose);
        OpenScreen(EntryPoints().BreakdownScreen, PlacedScreenSetup{this, BreakdownScreenPlacement(geometry())});
    }
    // The breakdown's close wrote new prices into the unit-price items.
    RunGuarded([this] { List.rows().refresh(); });
    if (DataChanged)
        RecalcList();
}

bool TSlstFm::EscCloses() const
{
    // Esc asks as the close button does.
    return List.moveState() == LineItemList::NoMove;
}

void TSlstFm::FormClose()
{
    GrdSlst->postEditor();
    // A close by other ways than the close button: rows of a move go back to the list,
    // and the list is finished as the close button finishes it.
    RunGuarded([this] {
        List.RescueMove();
        if (!finished_)
            List.Finish();
    });
    WriteIniInteger(IniFileName, QStringLiteral("작업환경"), QStringLiteral("ArrowTag"), direction_);
    RunGuarded([this] { FootPnl->ShowSums(List.CloseList()); });
    if (SlstFm == this)
        SlstFm = nullptr;
    if (SlstFmHook == this)
        SlstFmHook = nullptr;
}

void InstallLineItemScreen()
{
    EntryPoints().LineItemScreen = [](const ListScreenSetup &setup) {
        ShowLineItemScreen(setup.owner, setup.geometry, setup.LsNo, setup.LjName);
    };
}

void ShowLineItemScreen(QWidget *owner, const QRect &place, const QString &lsNo, const QString &ljName)
{
    TSlstFm screen(owner);
    screen.setGeometry(place);
    screen.LsNo->SetCaption(lsNo);
    screen.LjName->SetCaption(ljName);
    if (mainf)
        mainf->SetInputMode(QStringLiteral("추가"));
    screen.exec();
}

} // namespace vek
