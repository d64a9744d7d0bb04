#include "app/GroupListScreen.h"

#include "app/ListControls.h"
#include "app/MainWindow.h"
#include "app/ScreenOpening.h"
#include "app/TotalBar.h"
#include "components/Container.h"
#include "components/ControlHint.h"
#include "components/DBNavigator.h"
#include "components/DataGrid.h"
#include "components/EffectLabel.h"
#include "components/ShellGlyphs.h"
#include "components/SpeedButton.h"
#include "components/WindowDrag.h"
#include "core/DataModule.h"
#include "core/MessageBoxes.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "core/SiblingLibraries.h"
#include "core/TextUtils.h"
#include "core/WaitWindow.h"
#include "export/SubtreeExport.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QVBoxLayout>

#include <initializer_list>

namespace vek {

namespace {

const QColor StripColour(0x00, 0x80, 0xC0);
const QColor BarColour(0xEC, 0xE9, 0xD8);
const QColor GridColour(0xFE, 0xFF, 0xF4);
const QColor Navy(0, 0, 0x80);
const QString ScreenFont = QStringLiteral("굴림");

constexpr int ClientWidth = 1027;
constexpr int StripHeight = 28;
constexpr int BarHeight = 30;
// Distances from the right edge.
constexpr int CloseOffset = 53;
constexpr int HelpOffset = 82;
constexpr int NavigatorOffset = 114;
constexpr int EndMarkOffset = 54;

const GroupScreenTwin MiddleGroupTwin{
    GroupLevel::MiddleGroups, QStringLiteral("BlstFm"), QStringLiteral("GrdBlst"), QStringLiteral("BlstCalc"),
    QColor(0xF4, 0xFA, 0xB8), 692, 130, [](const QString &lsNo, const QString &ljName) {
        ExportMiddleGroupList(dMf->TBlst, dMf->TAlst, lsNo, ljName);
    }};
const GroupScreenTwin SmallGroupTwin{
    GroupLevel::SmallGroups, QStringLiteral("FlstFm"), QStringLiteral("GrdFlst"), QStringLiteral("FlstCalc"),
    QColor(0xE7, 0xF1, 0x69), 619, 135, [](const QString &lsNo, const QString &ljName) {
        ExportSmallGroupList(dMf->TFlst, dMf->TAlst, dMf->TBlst, lsNo, ljName);
    }};

QFont Bold(int size)
{
    QFont font(ScreenFont, size);
    font.setBold(true);
    return font;
}

void SetColours(QWidget *widget, const QColor &text, const QColor &background = {})
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, text);
    colours.setColor(QPalette::ButtonText, text);
    if (background.isValid()) {
        colours.setColor(QPalette::Window, background);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(colours);
}

QLabel *MakeStripLabel(QWidget *strip, const QString &name, const QString &caption, const QRect &place)
{
    auto *label = new QLabel(caption, strip);
    label->setObjectName(name);
    label->setFont(Bold(10));
    label->setGeometry(place);
    return label;
}

TRxSpeedButton *MakeStripButton(QWidget *strip, const QString &name, ShellGlyph glyph, const QString &hint)
{
    auto *button = new TRxSpeedButton(strip);
    button->setObjectName(name);
    button->SetGlyph(ShellGlyphImage(glyph));
    button->SetTransparent(true);
    SetControlHint(button, hint);
    return button;
}

void SetInputMode(const QString &mode)
{
    if (mainf)
        mainf->SetInputMode(mode);
}

} // namespace

TGroupListFm::TGroupListFm(const GroupScreenTwin &twin, QWidget *parent)
    : ModalListScreen(parent), List(twin.level), twin_(twin)
{
    setObjectName(twin.screenName);
    setFont(QFont(ScreenFont, 9));
    MakeTitleStrip();
    MakeToolBar();
    MakeGrid();
    FootPnl = new TTotalBar(QStringLiteral(" 합    계 ≫"), TRxDBGrid::IndicatorWidth + 30 + 287 + 50 + 45 + 1,
                            {100, 100, 100, 110}, this);
    FootPnl->setObjectName(QStringLiteral("FootPnl"));
    MakePopupMenu();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TopPnl);
    layout->addWidget(ToPnl0);
    layout->addWidget(Grid, 1);
    layout->addWidget(FootPnl);
    resize(ClientWidth, twin.clientHeight);
}

void TGroupListFm::MakeTitleStrip()
{
    TopPnl = new TdxContainer(this);
    TopPnl->setObjectName(QStringLiteral("TopPnl"));
    TopPnl->SetColor(StripColour);
    TopPnl->setFixedHeight(StripHeight);
    LsNoTitle = MakeStripLabel(TopPnl, QStringLiteral("LsNoTitle"), QStringLiteral("공종No"), QRect(10, 5, 52, 18));
    LsNo = MakeStripLabel(TopPnl, QStringLiteral("LsNo"), QString(), QRect(64, 4, 84, 20));
    LsNo->setAlignment(Qt::AlignCenter);
    LjNameTitle = MakeStripLabel(TopPnl, QStringLiteral("LjNameTitle"), QStringLiteral("공종명"), QRect(166, 5, 52, 18));
    LjName = MakeStripLabel(TopPnl, QStringLiteral("LjName"), QString(), QRect(220, 4, 440, 20));
    LjName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (QLabel *caption : {LsNoTitle, LjNameTitle})
        SetColours(caption, twin_.captionColour);
    for (QLabel *box : {LsNo, LjName})
        SetColours(box, Navy, Qt::white);

    HelpBtn = MakeStripButton(TopPnl, QStringLiteral("HelpBtn"), ShellGlyph::Help,
                              QStringLiteral("도움말|도움말 내용을 보여줍니다."));
    HelpBtn->SetFlat(true);
    HelpBtn->setGeometry(0, 2, 25, 24);
    connect(HelpBtn, &TRxSpeedButton::Click, this, &TGroupListFm::Help1Click);
    sClose = MakeStripButton(TopPnl, QStringLiteral("sClose"), ShellGlyph::Quit,
                             QStringLiteral("닫기|현재활성되어 있는 화면을 종료합니다."));
    sClose->SetCaption(QStringLiteral("닫기"));
    sClose->SetLayout(TRxSpeedButton::blGlyphLeft);
    SetColours(sClose, Qt::white);
    sClose->setGeometry(0, 2, 50, 24);
    connect(sClose, &TRxSpeedButton::Click, this, &TGroupListFm::sCloseClick);
    // The strip drags the caption-less window.
    new WindowDrag(TopPnl);
}

void TGroupListFm::MakeToolBar()
{
    ToPnl0 = new TdxContainer(this);
    ToPnl0->setObjectName(QStringLiteral("ToPnl0"));
    ToPnl0->SetColor(BarColour);
    ToPnl0->SetBoundLines(TdxContainer::blBottom);
    ToPnl0->setFixedHeight(BarHeight);
    const auto button = [this](const QString &name, const QString &caption, const QString &hint,
                               void (TGroupListFm::*click)()) {
        TRxSpeedButton *made = MakeToolBandButton(ToPnl0, name, caption, hint);
        SetColours(made, Navy);
        if (click)
            connect(made, &TRxSpeedButton::Click, this, click);
        return made;
    };
    AppBtn0 = button(QStringLiteral("AppBtn0"), QStringLiteral("등록"),
                     QStringLiteral("공종등록|새로운 공종명을 등록합니다. 단축키 F2와 동일합니다."),
                     &TGroupListFm::AppBtn0Click);
    EdtBtn0 = button(QStringLiteral("EdtBtn0"), QStringLiteral("수정"),
                     QStringLiteral("공종수정|현재 선택한 공종명을 수정합니다.  단축키 F3과 동일합니다."),
                     &TGroupListFm::EdtBtn0Click);
    DelBtn0 = button(QStringLiteral("DelBtn0"), QStringLiteral("삭제"),
                     QStringLiteral("공종삭제|현재 선택한 공종명이나 기타내용을 삭제합니다."),
                     &TGroupListFm::DelBtn0Click);
    CalcBtn = button(twin_.calcName, QString(), QStringLiteral("금액정렬|내역서 금액을 재계산합니다."),
                     &TGroupListFm::CalcClick);
    CalcBtn->SetGlyph(ShellGlyphImage(ShellGlyph::Recalc));
    SumBtn0 = button(QStringLiteral("SumBtn0"), QStringLiteral("합계"),
                     QStringLiteral("집계메뉴|집계메뉴 소계, 계, 합계메뉴를 호출하는 버튼이며 단축키 F10과 같습니다."),
                     &TGroupListFm::SumBtn0Click);
    ExcelBtn = button(QStringLiteral("ExcelBtn"), QString(),
                      QStringLiteral("액셀전송|내역서 작업 내용을 액셀파일 형태로 넘깁니다."), &TGroupListFm::ExcelBtnClick);
    ExcelBtn->SetGlyph(ShellGlyphImage(ShellGlyph::Excel));
    TagLabel = MakeMoveLabel(ToPnl0);

    auto *row = new QHBoxLayout(ToPnl0);
    row->setContentsMargins(8, 2, 0, 3);
    row->setSpacing(0);
    for (QWidget *control : std::initializer_list<QWidget *>{AppBtn0, EdtBtn0, DelBtn0, CalcBtn, SumBtn0, ExcelBtn})
        row->addWidget(control);
    row->addSpacing(12);
    row->addWidget(TagLabel);
    row->addStretch(1);

    DBNav0 = new TDBNavigator(ToPnl0);
    DBNav0->setObjectName(QStringLiteral("DBNav0"));
    DBNav0->setGeometry(0, 4, 96, 22);
}

void TGroupListFm::MakeGrid()
{
    Grid = MakeGroupListGrid(this, twin_.gridName,
                             {ListColumn("rTg", QStringLiteral("No"), 30, Qt::AlignRight | Qt::AlignVCenter),
                              ListColumn("NOADD", QStringLiteral("공           종           명"), 287),
                              ListColumn("INO", QStringLiteral("수량"), 50),
                              ListColumn("UNIT", QStringLiteral("단위"), 45, Qt::AlignCenter),
                              ListColumn("PCST12", QStringLiteral("자   재   비"), 100),
                              ListColumn("LCST12", QStringLiteral("노   무   비"), 100),
                              ListColumn("SCST12", QStringLiteral("경          비"), 100),
                              ListColumn("CSTTAL", QStringLiteral("계"), 110),
                              ListColumn("ETC", QStringLiteral("비        고"), 140)});
    QPalette colours = Grid->palette();
    colours.setColor(QPalette::Base, GridColour);
    Grid->setPalette(colours);
    Grid->OnKeyDown = [this](int &key, Qt::KeyboardModifiers shift) { GrdKeyDown(key, shift); };
    connect(Grid, &QAbstractItemView::doubleClicked, this, &TGroupListFm::GrdDblClick);
}

void TGroupListFm::MakePopupMenu()
{
    PopupMenu = new QMenu(this);
    const auto addItem = [this](const QString &caption, Qt::Key key, void (TGroupListFm::*command)()) {
        QAction *item = PopupMenu->addAction(caption, this, command);
        item->setShortcut(QKeySequence(key));
        item->setShortcutContext(Qt::WindowShortcut);
        // The screen holds the item too, so that its key works while the menu is closed.
        addAction(item);
        return item;
    };
    addItem(QStringLiteral("도움말(Help)"), Qt::Key_F1, &TGroupListFm::Help1Click)->setVisible(false);
    addItem(QStringLiteral("자료추가삽입"), Qt::Key_Insert, &TGroupListFm::InStBtnClick);
    // A hidden item's key does not work: F1 has its own.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, &TGroupListFm::Help1Click);
    Grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu->popup(Grid->viewport()->mapToGlobal(at)); });
}

bool TGroupListFm::HasRows() const
{
    return List.rows().isActive() && !List.rows().isEmpty();
}

QRect TGroupListFm::MainGeometry() const
{
    return mainf ? mainf->geometry() : QRect();
}

QString TGroupListFm::PathNumber() const
{
    const Dataset *const path[] = {&dMf->TAlst, &dMf->TBlst, &dMf->TFlst};
    QStringList numbers;
    for (int i = 0; i <= int(twin_.level); ++i)
        numbers.append(PadLeftChar(u'0', QString::number(path[i]->asInteger("ODRF")), 2));
    return numbers.join(u'-');
}

void TGroupListFm::FormShow()
{
    if (!RunGuarded([this] { List.OpenList(); }))
        return;
    Grid->setDataset(&List.rows());
    DBNav0->setDataset(&List.rows());
    ShowTotals();
}

void TGroupListFm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TGroupListFm::FormResize()
{
    const int w = width();
    sClose->move(w - CloseOffset, sClose->y());
    HelpBtn->move(w - HelpOffset, HelpBtn->y());
    DBNav0->move(w - NavigatorOffset, DBNav0->y());
    FootPnl->EndMark->move(w - EndMarkOffset, FootPnl->EndMark->y());
}

void TGroupListFm::ShowTotals()
{
    RunGuarded([this] { FootPnl->ShowSums(List.RecalcTotals()); });
    Grid->setFocus();
}

void TGroupListFm::SetToolBarEnabled(bool enabled)
{
    for (TRxSpeedButton *button : {AppBtn0, EdtBtn0, DelBtn0, CalcBtn, SumBtn0, ExcelBtn})
        button->setEnabled(enabled);
}

void TGroupListFm::AppBtn0Click()
{
    if (!List.rows().isActive())
        return;
    if (List.rows().isEmpty())
        SetInputMode(QStringLiteral("추가"));
    OpenItemRowDialog(this, MainGeometry(), 1);
    if (DataChanged)
        ShowTotals();
}

void TGroupListFm::EdtBtn0Click()
{
    if (!HasRows() || List.rows().asString("TAG") == SubtotalTag)
        return;
    OpenItemRowDialog(this, MainGeometry(), 2);
    if (DataChanged)
        ShowTotals();
}

void TGroupListFm::DelBtn0Click()
{
    if (!HasRows() || !ConfirmYesNo(QStringLiteral(" 자료를 정말 삭제하겠습니까?")))
        return;
    RunGuarded([this] { List.DeleteCurrentRow(); });
    ShowTotals();
}

void TGroupListFm::CalcClick()
{
    RecalcWaitMessage wait;
    RunGuarded([this] { List.RecalcAmounts(); });
    ShowTotals();
}

void TGroupListFm::SumBtn0Click()
{
    if (!HasRows())
        return;
    const int rowsBefore = List.rows().recordCount();
    OpenSumMenuDialog(this);
    if (List.rows().recordCount() != rowsBefore)
        ShowTotals();
}

void TGroupListFm::ExcelBtnClick()
{
    twin_.exportList(LsNo->text(), LjName->text());
}

void TGroupListFm::SetMoveMode(bool on)
{
    if (on && !HasRows())
        return;
    const bool done = RunGuarded([this, on] {
        if (on)
            List.MarkForMove();
        else
            List.ClearMoveMarks();
    });
    if (on && !done)
        return;
    SetToolBarEnabled(!on);
    TagLabel->setVisible(on);
    moveMode_ = on;
}

void TGroupListFm::PasteMovedRow()
{
    RunGuarded([this] { List.DropMovedRows(); });
    moveMode_ = false;
    TagLabel->hide();
    SetToolBarEnabled(true);
    Grid->setFocus();
}

void TGroupListFm::RenumberOrder()
{
    if (!HasRows())
        return;
    RunGuarded([this] { List.RenumberOrder(); });
    Grid->setFocus();
}

void TGroupListFm::GrdDblClick()
{
    if (!HasRows() || IsNoDrillTag(List.rows().asString("TAG")))
        return;
    {
        FlatWhileOpen flat(sClose);
        SetInputMode(QStringLiteral("추가"));
        const Dataset &row = List.rows();
        const ListScreenSetup setup{this, ListScreenPlacement(MainGeometry(), twin_.childTopOffset), PathNumber(),
                                    u' ' + TrimRightText(row.asString("NOADD"))};
        if (twin_.level == GroupLevel::MiddleGroups && row.asInteger("SUB") == 1)
            ShowSmallGroupScreen(setup);
        else
            OpenScreen(EntryPoints().LineItemScreen, setup);
    }
    // Closed meanwhile with the main window: the database may be gone.
    if (!Closed() && DataChanged)
        ShowTotals();
}

void TGroupListFm::Help1Click()
{
    ShowNoticePage(QStringLiteral("vekfree01.htm"));
}

void TGroupListFm::InStBtnClick()
{
    if (mainf)
        mainf->MsgbarClick();
}

void TGroupListFm::GrdKeyDown(int &key, Qt::KeyboardModifiers shift)
{
    GroupListKeyDown(key, shift,
                     {moveMode_, [this] { GrdDblClick(); }, [this] { PasteMovedRow(); }, [this] { sCloseClick(); },
                      [this] { DelBtn0Click(); }, [this] { AppBtn0Click(); }, [this] { EdtBtn0Click(); },
                      [this] { SetMoveMode(!moveMode_); }, [this] { SumBtn0Click(); }, [this] { RenumberOrder(); }});
}

void TGroupListFm::sCloseClick()
{
    done(QDialog::Accepted);
}

void TGroupListFm::FormClose()
{
    // A marked row would stay marked, and the next move would drop two marked rows onto
    // one number.
    if (moveMode_)
        SetMoveMode(false);
    Dataset &rows = List.rows();
    if (rows.isActive()) {
        // Without the list's sums (a failure) the parent row keeps what it has.
        RunGuarded([this] {
            const RollupSums sums = List.RecalcTotals();
            FootPnl->ShowSums(sums);
            List.CloseList(sums);
        });
    }
    rows.close();
}

TBlstFm::TBlstFm(QWidget *parent) : TGroupListFm(MiddleGroupTwin, parent) {}

TFlstFm::TFlstFm(QWidget *parent) : TGroupListFm(SmallGroupTwin, parent) {}

namespace {

template <typename Screen>
void ShowGroupScreen(const ListScreenSetup &setup)
{
    Screen screen(setup.owner);
    screen.setGeometry(setup.geometry);
    screen.LsNo->setText(setup.LsNo);
    screen.LjName->setText(setup.LjName);
    screen.exec();
}

} // namespace

void ShowMiddleGroupScreen(const ListScreenSetup &setup)
{
    ShowGroupScreen<TBlstFm>(setup);
}

void ShowSmallGroupScreen(const ListScreenSetup &setup)
{
    ShowGroupScreen<TFlstFm>(setup);
}

} // namespace vek
