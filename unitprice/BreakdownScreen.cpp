#include "unitprice/BreakdownScreen.h"

#include "components/ArrowButton.h"
#include "components/Container.h"
#include "components/ControlHint.h"
#include "components/CurrencyEdit.h"
#include "components/DBNavigator.h"
#include "components/DataGrid.h"
#include "components/EffectLabel.h"
#include "components/ImeGrid.h"
#include "components/ImeGridStringGrid.h"
#include "components/ScreenParts.h"
#include "components/ShellGlyphs.h"
#include "components/SpeedButton.h"
#include "components/ToolButton.h"
#include "components/WindowDrag.h"
#include "core/DataModule.h"
#include "core/Environment.h"
#include "core/MessageBoxes.h"
#include "core/SiblingLibraries.h"
#include "core/TextUtils.h"
#include "unitprice/BreakdownOverview.h"
#include "unitprice/CostSheetPage.h"
#include "unitprice/RateDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vek {

namespace {

const QColor StripColour(0x00, 0x6B, 0x9F);
const QColor TitleColour(0xFF, 0xFF, 0x80);
const QColor BarColour(0xEC, 0xE9, 0xD8);
const QColor Navy(0, 0, 0x80);
const QString ScreenFont = QStringLiteral("굴림");
const QString IniFileName = QStringLiteral("VekFree.ini");
const QString RateTag = QStringLiteral("R");
const QString FooterFormat = QStringLiteral(",0.;-,0.");

constexpr int StripHeight = 21;
constexpr int ToolHeight = 30;
constexpr int FooterHeight = 24;
// Distances from the right edge.
constexpr int ExitOffset = 26;
constexpr int CloseOffset = 53;
constexpr int DirectionOffset = 113;
constexpr int EditNavigatorOffset = 198;
constexpr int ViewNavigatorOffset = 140;
constexpr int EditEndOffset = 42;
constexpr int ViewEndOffset = 44;

bool IsTextColumn(int column)
{
    return column == TSudetaif::ColName || column == TSudetaif::ColSpec || column == TSudetaif::ColUnit
           || column == TSudetaif::ColRemark;
}

// Where Enter goes from an input column with direction Right; -1 for the columns that
// only pass Enter on to the next column.
int NextInputColumn(int column)
{
    switch (column) {
    case TSudetaif::ColQuantity: return TSudetaif::ColMaterialPrice;
    case TSudetaif::ColMaterialPrice: return TSudetaif::ColLabourPrice;
    case TSudetaif::ColLabourPrice: return TSudetaif::ColExpensePrice;
    case TSudetaif::ColExpensePrice: return TSudetaif::ColRemark;
    default: return -1;
    }
}

// The grid columns of both pages: page 0's widths and NAME title, or page 1's.
QList<DatasetColumn> BreakdownColumns(bool view)
{
    struct Spec {
        const char *field;
        QString title;
        int editWidth;
        int viewWidth;
    };
    const Spec specs[] = {
        {"rOdr", QStringLiteral("No"), 30, 30},
        {"NAME", view ? QStringLiteral("명               칭") : QStringLiteral("명             칭"), 175, 170},
        {"STAN", QStringLiteral("규        격"), 120, 120},
        {"UNIT", QStringLiteral("단위"), 30, 35},
        {"INO", QStringLiteral("수량"), 49, 50},
        {"PCST11", QStringLiteral("자재단가"), 70, 70},
        {"PCST22", QStringLiteral("자재금액"), 75, 75},
        {"LCST11", QStringLiteral("노무단가"), 70, 70},
        {"LCST22", QStringLiteral("노무금액"), 75, 75},
        {"SCST11", QStringLiteral("경비단가"), 70, 70},
        {"SCST22", QStringLiteral("경비금액"), 75, 75},
        {"TCST32", QStringLiteral("계"), 75, 75},
        {"ETC", QStringLiteral("비        고"), 90, 88},
    };
    QList<DatasetColumn> columns;
    for (const Spec &spec : specs) {
        DatasetColumn column;
        column.field = QLatin1String(spec.field);
        column.title = spec.title;
        column.width = view ? spec.viewWidth : spec.editWidth;
        column.titleAlignment = Qt::AlignCenter;
        columns.append(column);
    }
    columns[TSudetaif::ColNo].alignment = view ? Qt::AlignRight : Qt::AlignHCenter;
    columns[TSudetaif::ColMaterial].alignment = Qt::AlignRight;
    if (!view)
        columns[TSudetaif::ColQuantity].color = Qt::white;
    return columns;
}

TCurrencyEdit *MakeFooterBox(QWidget *parent, const QString &name)
{
    auto *box = new TCurrencyEdit(parent);
    box->setObjectName(name);
    box->SetDisplayFormat(FooterFormat);
    box->SetReadOnly(true);
    box->setFrame(false);
    QFont bold(ScreenFont, 9);
    bold.setBold(true);
    box->setFont(bold);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, StripColour);
    colours.setColor(QPalette::Text, Qt::white);
    box->setPalette(colours);
    box->setFixedHeight(FooterHeight - 6);
    return box;
}

QLabel *MakeFooterLabel(QWidget *parent, const QString &name, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    QFont bold(ScreenFont, 9);
    bold.setBold(true);
    label->setFont(bold);
    SetTextColour(label, Qt::white);
    return label;
}

// A page's footer, disabled, in the strip's colour: its caption, the four total boxes and
// the end mark; FootPnl<page>, FootLbl<page> and EdLbl<page>.
struct Footer {
    TdxContainer *panel;
    QList<TCurrencyEdit *> boxes;
    QLabel *end;
};

Footer MakeFooter(QWidget *page, const QString &number, const QString &caption, const QStringList &boxNames)
{
    Footer footer{MakeBand(page, QStringLiteral("FootPnl") + number, StripColour, FooterHeight), {}, nullptr};
    footer.panel->setEnabled(false);
    MakeFooterLabel(footer.panel, QStringLiteral("FootLbl") + number, caption)->setGeometry(8, 3, 120, 18);
    for (const QString &name : boxNames)
        footer.boxes.append(MakeFooterBox(footer.panel, name));
    footer.end = MakeFooterLabel(footer.panel, QStringLiteral("EdLbl") + number, QStringLiteral("≪≫"));
    footer.end->setGeometry(0, 3, 30, 18);
    return footer;
}

// A page of tool bar, grid and footer, top to bottom.
void StackPage(QWidget *page, QWidget *tools, QWidget *grid, QWidget *footer)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(grid, 1);
    layout->addWidget(footer);
}

void PlaceBoxesUnder(DataGridBase *grid, QWidget *footer, const QList<TCurrencyEdit *> &boxes)
{
    const int origin = grid->mapTo(footer->parentWidget(), QPoint()).x() - footer->x() + grid->viewport()->x();
    const int columns[] = {TSudetaif::ColMaterial, TSudetaif::ColLabour, TSudetaif::ColExpense, TSudetaif::ColTotal};
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setGeometry(origin + grid->columnViewportPosition(columns[i]), 3, grid->columnWidth(columns[i]) - 2,
                              FooterHeight - 6);
}

} // namespace

QString BreakdownTitle(const Dataset &items)
{
    return QStringLiteral("대가명: ") + PadRightChar(QLatin1Char(' '), items.asString("NAME"), 35)
           + QStringLiteral("규격: ") + PadRightChar(QLatin1Char(' '), items.asString("STAN"), 21) + QStringLiteral("[")
           + items.asString("UNIT") + QStringLiteral("]");
}

std::function<void(const RollupSums &footer)> &BreakdownSheetExport()
{
    static std::function<void(const RollupSums &)> exporter;
    return exporter;
}

TSudetaif::TSudetaif(QWidget *parent, int page) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), page_(page)
{
    setObjectName(QStringLiteral("Sudetaif"));
    setFont(QFont(ScreenFont, 9));
    MakeStrip();
    nPage = new QStackedWidget(this);
    nPage->setObjectName(QStringLiteral("nPage"));
    MakeEditPage();
    MakeViewPage();
    Shet2 = new TCostSheetPage(nPage);
    Shet2->setObjectName(QStringLiteral("Shet2"));
    Shet2->OnClose = [this] { accept(); };
    nPage->addWidget(Shet0);
    nPage->addWidget(Shet1);
    nPage->addWidget(Shet2);
    nPage->setCurrentIndex(page_);
    MakePopupMenu();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TopPnl);
    layout->addWidget(nPage, 1);
    Sudetaif = this;
    // The program's main window, the root of the screens that opened this one: when it
    // closes (the shut-down), this screen closes first, while the database is still there.
    for (root_ = parent; root_ && root_->parentWidget(); root_ = root_->parentWidget()) {
    }
    if (root_)
        root_->installEventFilter(this);
}

TSudetaif::~TSudetaif()
{
    if (root_)
        root_->removeEventFilter(this);
    if (Sudetaif == this)
        Sudetaif = nullptr;
}

bool TSudetaif::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == root_ && event->type() == QEvent::Close && isVisible())
        done(QDialog::Rejected);
    return QDialog::eventFilter(watched, event);
}

void TSudetaif::MakeStrip()
{
    TopPnl = MakeBand(this, QStringLiteral("TopPnl"), StripColour, StripHeight);
    auto *icon = new QLabel(TopPnl);
    icon->setPixmap(QApplication::windowIcon().pixmap(16, 16));
    TopLabel = new QLabel(TopPnl);
    TopLabel->setObjectName(QStringLiteral("TopLabel"));
    QFont bold(ScreenFont, 9);
    bold.setBold(true);
    TopLabel->setFont(bold);
    SetTextColour(TopLabel, TitleColour);
    auto *row = new QHBoxLayout(TopPnl);
    row->setContentsMargins(3, 0, ExitOffset + 4, 0);
    row->setSpacing(6);
    row->addWidget(icon);
    row->addWidget(TopLabel, 1);
    // TpLabelMouseDown: the strip moves the caption-less window.
    new WindowDrag(TopPnl);

    mExit0 = new TdxToolButton(TopPnl);
    mExit0->setObjectName(QStringLiteral("mExit0"));
    mExit0->SetToolType(TdxToolType::ttClose);
    // A click takes no focus: a cell still being edited is dropped, not written.
    mExit0->setFocusPolicy(Qt::NoFocus);
    SetControlHint(mExit0, QStringLiteral("닫기|현재활성되어 있는 화면을 종료합니다."));
    connect(mExit0, &TdxToolButton::Click, this, &TSudetaif::mExit0Click);
}

TRxSpeedButton *TSudetaif::MakeButton(QWidget *bar, const QString &name, const QString &caption, const QString &hint,
                                      void (TSudetaif::*click)())
{
    TRxSpeedButton *button = MakeToolButton(bar, name, caption, hint);
    connect(button, &TRxSpeedButton::Click, this, click);
    return button;
}

void TSudetaif::MakeEditPage()
{
    Shet0 = new QWidget(nPage);
    Shet0->setObjectName(QStringLiteral("Shet0"));
    ToolPnl0 = MakeBand(Shet0, QStringLiteral("ToolPnl0"), BarColour, ToolHeight);
    ToolPnl0->SetBoundLines(TdxContainer::blBottom);
    AppDt0 = MakeButton(ToolPnl0, QStringLiteral("AppDt0"), QStringLiteral("추가"),
                            QStringLiteral("자료추가|기초자료를 호출하지 않고 타이프로 직접자료를 추가합니다.  F2키와 동일..."),
                            &TSudetaif::AppDt0Click);
    DelDt0 = MakeButton(ToolPnl0, QStringLiteral("DelDt0"), QStringLiteral("삭제"),
                            QStringLiteral("자료삭제|현재선택한 자료를 삭제합니다."), &TSudetaif::DelDt0Click);
    sF8Btn = MakeButton(ToolPnl0, QStringLiteral("sF8Btn"), QStringLiteral("비율"),
                            QStringLiteral("비율산|비율산 내용을  입력합니다. F8키와 동일..."), &TSudetaif::sF8BtnClick);
    dlCalc = MakeButton(ToolPnl0, QStringLiteral("dlCalc"), QString(),
                            QStringLiteral("금액정렬|일위대가 금액을 재계산합니다."), &TSudetaif::dlCalcClick);
    dlCalc->SetGlyph(ShellGlyphImage(ShellGlyph::Recalc));
    rSCost = MakeButton(
        ToolPnl0, QStringLiteral("rSCost"), QStringLiteral("증감"),
        QStringLiteral("금액조정|전제 또는 지정된 자료의 금액을  임의의 비율값을 적용하여 일괄조정합니다."),
        &TSudetaif::rSCostClick);
    CpyPst = MakeButton(ToolPnl0, QStringLiteral("CpyPst"), QString(),
                            QStringLiteral("자료이동|자료이동 모드에서 설정한 자료를 이동합니다."), &TSudetaif::CpyPstClick);
    CpyPst->SetGlyph(ShellGlyphImage(ShellGlyph::Move));
    CpyPst->hide();
    // Larger here, on its effect colours.
    TagLabel = MakeMoveLabel(ToolPnl0);
    QFont italic = TagLabel->font();
    italic.setPixelSize(16);
    italic.setBold(true);
    TagLabel->setFont(italic);
    TagLabel->SetColourScheme(TLabelE::csCustom);
    TagLabel->SetEffectStyle(TLabelE::esRaised);
    TagLabel->SetFontColor(Qt::red);
    TagLabel->SetColourHighlight(QColor(0x5B, 0xA4, 0xE6));
    TagLabel->SetColourShadow(QColor(0x5B, 0xA4, 0xE6));
    TagLabel->setFixedSize(90, 24);

    auto *row = new QHBoxLayout(ToolPnl0);
    row->setContentsMargins(6, 2, 0, 2);
    row->setSpacing(0);
    for (QWidget *control : std::initializer_list<QWidget *>{AppDt0, DelDt0, sF8Btn, dlCalc, rSCost, CpyPst})
        row->addWidget(control);
    row->addSpacing(10);
    row->addWidget(TagLabel);
    row->addStretch(1);

    DBNav0 = new TDBNavigator(ToolPnl0);
    DBNav0->setObjectName(QStringLiteral("DBNav0"));
    DBNav0->setGeometry(0, 4, 80, 22);
    DBNav0->setDataset(&dMf->Tdtail);

    // Between the navigator and sClose0: the caption's blanks leave room for the arrow.
    DrPnl = MakeDirectionPanel(ToolPnl0, BarColour, 60, ArrowBtn);
    DrPnl->SetSpacing(1);
    DrPnl->SetLayout(TdxContainer::TdxCaptionLayout::Center);
    DrPnl->setFont(QFont(ScreenFont, 8));
    connect(DrPnl, &TdxContainer::Click, this, &TSudetaif::ArrowBtnClick);
    connect(ArrowBtn, &TArrowButton::Click, this, &TSudetaif::ArrowBtnClick);

    sClose0 = MakeButton(ToolPnl0, QStringLiteral("sClose0"), QString(),
                             QStringLiteral("닫기|일위대가 금액을 내역에 적용하고 화면을 닫습니다."), &TSudetaif::sClose0Click);
    sClose0->SetGlyph(ShellGlyphImage(ShellGlyph::Quit));
    sClose0->move(0, 2);

    GrdDetail = new THDBGrid(Shet0);
    GrdDetail->setObjectName(QStringLiteral("GrdDetail"));
    GrdDetail->setColumns(BreakdownColumns(false));
    GrdDetail->SetRowsHeight(18);
    GrdDetail->SetMultiSelect(true);
    GrdDetail->SetGridDeletes(false);
    SetControlHint(GrdDetail, QStringLiteral("자료추가F2 /지급설정F3 /비율산F8 /이동F9 /특수문자 F11 /Alt+Z 복사"));
    GrdDetail->OnKeyDown = [this](int &key, Qt::KeyboardModifiers shift) { GrdDetailKeyDown(key, shift); };
    GrdDetail->OnKeyPress = [this](QChar &key) { GrdDetailKeyPress(key); };
    // Rate rows change only through the rate-row dialog; the computed columns take nothing.
    GrdDetail->OnShowEditor = [this](const QString &field, bool &allow) {
        const bool input = field == "NAME" || field == "STAN" || field == "UNIT" || field == "ETC" || field == "INO"
                           || field == "PCST11" || field == "LCST11" || field == "SCST11";
        allow = allow && input && !List.isEmpty() && List.rows().asString("TAG") != RateTag
                && List.moveState() == BreakdownList::NoMove;
    };
    connect(GrdDetail, &QAbstractItemView::doubleClicked, this, &TSudetaif::GrdDetailDblClick);
    connect(GrdDetail->horizontalHeader(), &QHeaderView::sectionResized, this, &TSudetaif::PlaceFooterBoxes);

    const Footer footer = MakeFooter(Shet0, QStringLiteral("0"), QStringLiteral("   계  ≫"),
                                     {"LCSTPTm", "LCSTPLm", "LCSTPCm", "LCSTTOT"});
    FootPnl0 = footer.panel;
    LCSTPTm = footer.boxes[0];
    LCSTPLm = footer.boxes[1];
    LCSTPCm = footer.boxes[2];
    LCSTTOT = footer.boxes[3];
    EdLbl0 = footer.end;
    StackPage(Shet0, ToolPnl0, GrdDetail, FootPnl0);
}

void TSudetaif::MakeViewPage()
{
    Shet1 = new QWidget(nPage);
    Shet1->setObjectName(QStringLiteral("Shet1"));
    ToolPnl1 = MakeBand(Shet1, QStringLiteral("ToolPnl1"), BarColour, ToolHeight);
    ToolPnl1->SetBoundLines(TdxContainer::blBottom);
    slExl1 = MakeButton(ToolPnl1, QStringLiteral("slExl1"), QString(),
                            QStringLiteral("엑셀전송|현재내역서 내용을 액셀프로그램으로 자료를 전송합니다."),
                            &TSudetaif::slExl1Click);
    slExl1->SetGlyph(ShellGlyphImage(ShellGlyph::Excel));
    slExl1->move(6, 2);
    sClose1 = MakeButton(ToolPnl1, QStringLiteral("sClose1"), QString(),
                             QStringLiteral("닫기|현재활성되어 있는 화면을 종료합니다."), &TSudetaif::mExit0Click);
    sClose1->SetGlyph(ShellGlyphImage(ShellGlyph::Quit));
    sClose1->move(0, 2);
    DBNav1 = new TDBNavigator(ToolPnl1);
    DBNav1->setObjectName(QStringLiteral("DBNav1"));
    DBNav1->setGeometry(0, 4, 80, 22);
    DBNav1->setDataset(&dMf->Tdtail);

    GrdDeaB = new TRxDBGrid(Shet1);
    GrdDeaB->setObjectName(QStringLiteral("GrdDeaB"));
    GrdDeaB->setColumns(BreakdownColumns(true));
    GrdDeaB->SetReadOnly(true);
    GrdDeaB->SetRowSelect(true);
    GrdDeaB->SetRowsHeight(18);
    connect(GrdDeaB->horizontalHeader(), &QHeaderView::sectionResized, this, &TSudetaif::PlaceFooterBoxes);

    const Footer footer = MakeFooter(Shet1, QStringLiteral("1"), QStringLiteral("  계  ≫"),
                                     {"LPCST11", "LLCST11", "LSCST11", "LCSTTAL"});
    FootPnl1 = footer.panel;
    LPCST11 = footer.boxes[0];
    LLCST11 = footer.boxes[1];
    LSCST11 = footer.boxes[2];
    LCSTTAL = footer.boxes[3];
    EdLbl1 = footer.end;
    StackPage(Shet1, ToolPnl1, GrdDeaB, FootPnl1);
}

void TSudetaif::MakePopupMenu()
{
    PopupMenu = new QMenu(this);
    QAction *insert = PopupMenu->addAction(QStringLiteral("자료추가삽입"));
    insert->setShortcut(QKeySequence(Qt::Key_Insert));
    // The grid takes Insert itself (GrdDetailKeyDown); the entry's key only labels it.
    insert->setShortcutContext(Qt::WidgetShortcut);
    QAction *help = PopupMenu->addAction(QStringLiteral("도움말(Help)"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setVisible(false);
    connect(insert, &QAction::triggered, this, &TSudetaif::InStBtnClick);
    connect(help, &QAction::triggered, this, &TSudetaif::Help1Click);
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TSudetaif::Help1Click);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu->popup(mapToGlobal(at)); });
    GrdDetail->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(GrdDetail, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu->popup(GrdDetail->viewport()->mapToGlobal(at)); });
}

void TSudetaif::PlaceRightAnchored()
{
    const int w = width();
    mExit0->move(w - ExitOffset, (StripHeight - TdxToolButton::Size) / 2);
    sClose0->move(w - CloseOffset, sClose0->y());
    sClose1->move(w - CloseOffset, sClose1->y());
    DrPnl->move(w - DirectionOffset, DrPnl->y());
    DBNav0->move(w - EditNavigatorOffset, DBNav0->y());
    DBNav1->move(w - ViewNavigatorOffset, DBNav1->y());
    EdLbl0->move(w - EditEndOffset, EdLbl0->y());
    EdLbl1->move(w - ViewEndOffset, EdLbl1->y());
}

void TSudetaif::PlaceFooterBoxes()
{
    PlaceBoxesUnder(GrdDetail, FootPnl0, {LCSTPTm, LCSTPLm, LCSTPCm, LCSTTOT});
    PlaceBoxesUnder(GrdDeaB, FootPnl1, {LPCST11, LLCST11, LSCST11, LCSTTAL});
}

void TSudetaif::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (QLayout *rows = layout())
        rows->activate();
    PlaceRightAnchored();
    PlaceFooterBoxes();
}

void TSudetaif::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void TSudetaif::FormShow()
{
    switch (page_) {
    case 0:
        TopLabel->setText(BreakdownTitle(dMf->TSlst));
        SetEnterDirection(ReadIniInteger(IniFileName, QStringLiteral("작업환경"), QStringLiteral("ArrowTag"), Down));
        GrdDetail->setDataset(&dMf->Tdtail);
        OpenOrPostBreakdown(0);
        CalcTotals();
        GrdDetail->SetSelectedIndex(ColQuantity);
        GrdDetail->setFocus();
        break;
    case 1:
        GrdDeaB->setDataset(&dMf->Tdtail);
        OpenOrPostBreakdown(0);
        CalcTotals();
        GrdDeaB->setFocus();
        break;
    default:
        Shet2->LoadCostSheet();
        Shet2->dGrid->setFocus();
        break;
    }
    PlaceFooterBoxes();
}

void TSudetaif::SetEnterDirection(int direction)
{
    direction_ = direction == Right ? Right : Down;
    ShowDirection(DrPnl, ArrowBtn, direction_);
}

void TSudetaif::ArrowBtnClick()
{
    SetEnterDirection(direction_ == Down ? Right : Down);
}

void TSudetaif::OpenOrPostBreakdown(int mode)
{
    if (mode == 0) {
        const Dataset &item = page_ == 0 ? dMf->TSlst : dMf->qDList;
        RunGuarded([this, &item] { List.Open(BreakdownKey::Of(item), page_ == 1); });
        return;
    }
    GrdDetail->postEditor();
    RollupSums footer;
    if (!RunGuarded([this, &footer] { footer = List.ApplyToItems(); }))
        return;
    ShowFooter();
    accept();
}

void TSudetaif::ShowFooter()
{
    const RollupSums &footer = List.Footer();
    const bool view = page_ == 1;
    (view ? LPCST11 : LCSTPTm)->SetValue(footer.material.toDouble());
    (view ? LLCST11 : LCSTPLm)->SetValue(footer.labour.toDouble());
    (view ? LSCST11 : LCSTPCm)->SetValue(footer.expense.toDouble());
    (view ? LCSTTAL : LCSTTOT)->SetValue(footer.total.toDouble());
}

void TSudetaif::CalcTotals()
{
    GrdDetail->postEditor();
    if (RunGuarded([this] { List.CalcTotals(); }))
        ShowFooter();
}

void TSudetaif::SetToolbarMode(int mode)
{
    const bool normal = mode == 0;
    sClose0->setVisible(normal);
    DrPnl->setVisible(normal);
    CpyPst->setVisible(!normal);
    for (QWidget *control : std::initializer_list<QWidget *>{AppDt0, DelDt0, sF8Btn, dlCalc, rSCost, DBNav0})
        control->setEnabled(normal);
}

void TSudetaif::mExit0Click()
{
    reject();
}

void TSudetaif::sClose0Click()
{
    OpenOrPostBreakdown(1);
}

void TSudetaif::dlCalcClick()
{
    CalcTotals();
    GrdDetail->setFocus();
}

void TSudetaif::AppDt0Click()
{
    SetEnterDirection(Right);
    GrdDetail->postEditor();
    RunGuarded([this] { List.AddRow(); });
    GrdDetail->SetSelectedIndex(ColNo);
    // The Enter of the navigation moves the cursor on to the name.
    MoveToColumn(ColName);
    GrdDetail->setFocus();
}

void TSudetaif::DelDt0Click()
{
    GrdDetail->postEditor();
    if (!List.isEmpty() && ConfirmYesNo(QStringLiteral(" 정말로 삭제하시겠습니까??"))
        && RunGuarded([this] { List.DeleteRow(); }))
        ShowFooter();
    GrdDetail->setFocus();
}

void TSudetaif::sF8BtnClick()
{
    OpenRateDialog(1);
}

void TSudetaif::OpenRateDialog(int inputKind)
{
    GrdDetail->postEditor();
    if (!List.isEmpty() && ShowRateDialog(this, List.place(), inputKind))
        CalcTotals();
    GrdDetail->setFocus();
}

void TSudetaif::rSCostClick()
{
    GrdDetail->postEditor();
    if (List.isEmpty())
        return;
    // A single selected row is no choice: the adjustment then covers every row.
    if (GrdDetail->SelectedCount() < 2)
        GrdDetail->ClearSelectedRows();
    InputKind = 1;
    OpenScreen(EntryPoints().ItemDialog, BulkAdjustmentDialogSetup(this));
    if (DataChanged)
        CalcTotals();
    GrdDetail->setFocus();
}

void TSudetaif::EndMoveLook()
{
    CpyPst->SetFlat(true);
    TagLabel->hide();
    SetToolbarMode(0);
    GrdDetail->SetRowSelect(false);
    GrdDetail->SetMultiSelect(false);
    GrdDetail->SetSelectedIndex(ColQuantity);
}

void TSudetaif::CpyPstClick()
{
    if (List.moveState() == BreakdownList::Marking) {
        if (RunGuarded([this] { List.Cut(); }) && List.moveState() == BreakdownList::CutWaiting) {
            SetToolbarMode(1);
            CpyPst->SetFlat(false);
        }
    } else if (List.moveState() == BreakdownList::CutWaiting) {
        if (RunGuarded([this] { List.Paste(); }) && List.moveState() == BreakdownList::NoMove) {
            EndMoveLook();
            CalcTotals();
        }
    }
    GrdDetail->setFocus();
}

void TSudetaif::MoveKey()
{
    if (List.moveState() == BreakdownList::NoMove) {
        if (!List.StartMove())
            return;
        if (MainWindowLinks().SetInputMode)
            MainWindowLinks().SetInputMode(QStringLiteral("추가"));
        CpyPst->SetFlat(true);
        TagLabel->show();
        SetToolbarMode(1);
        GrdDetail->postEditor();
        GrdDetail->SetMultiSelect(false);
        GrdDetail->SetRowSelect(true);
        return;
    }
    // Cancelled: marks cleared, or cut rows back at their places.
    if (RunGuarded([this] { List.CancelMove(); }))
        EndMoveLook();
}

void TSudetaif::InStBtnClick()
{
    if (MainWindowLinks().MsgbarClick)
        MainWindowLinks().MsgbarClick();
}

void TSudetaif::Help1Click()
{
    if (page_ == 0)
        ShowNoticePage(QStringLiteral("vekfree06.htm"));
    else if (page_ == 2)
        ShowNoticePage(QStringLiteral("vekfree05.htm"));
}

void TSudetaif::slExl1Click()
{
    if (BreakdownSheetExport() && !List.isEmpty())
        BreakdownSheetExport()(List.Footer());
    GrdDeaB->setFocus();
}

void TSudetaif::MoveToColumn(int column)
{
    GrdDetail->SetSelectedIndex(std::min(column, int(ColRemark)));
}

void TSudetaif::MoveDown()
{
    DatasetModel &model = GrdDetail->datasetModel();
    if (model.currentRow() + 1 < model.rowCount())
        model.setCurrentRow(model.currentRow() + 1);
}

void TSudetaif::GrdDetailKeyPress(QChar &key)
{
    if (List.isEmpty() || List.rows().asString("TAG") == RateTag) {
        key = QChar();
        return;
    }
    if (key != QLatin1Char('\r'))
        return;
    key = QChar();
    const int column = GrdDetail->SelectedIndex();
    const int next = NextInputColumn(column);
    if (next < 0) {
        // Text columns go down with direction Down; the computed columns always go right.
        GrdDetail->postEditor();
        if (IsTextColumn(column) && direction_ == Down)
            MoveDown();
        else
            MoveToColumn(column + 1);
        return;
    }
    CalcTotals();
    DataChanged = true;
    if (direction_ == Down)
        MoveDown();
    else
        MoveToColumn(next);
}

void TSudetaif::ToggleSupplied()
{
    GrdDetail->postEditor();
    if (RunGuarded([this] { List.ToggleSupplied(); }))
        ShowFooter();
}

void TSudetaif::CopyRow()
{
    GrdDetail->postEditor();
    RunGuarded([this] { List.CopyRow(); });
    GrdDetail->setFocus();
}

void TSudetaif::InsertSpecialChar()
{
    const int column = GrdDetail->SelectedIndex();
    if (!IsTextColumn(column) || List.rows().asString("TAG") == RateTag) {
        MessageBeep();
        return;
    }
    AppendSpecialChar(GrdDetail, List, column);
}

void TSudetaif::GrdDetailKeyDown(int &key, Qt::KeyboardModifiers shift)
{
    const bool moving = List.moveState() != BreakdownList::NoMove;
    const bool editing = GrdDetail->cellDelegate().editor() != nullptr;
    const bool empty = List.isEmpty();
    const auto take = [&key](const std::function<void()> &action) {
        key = 0;
        action();
    };
    // The commands that need rows and no move beep otherwise.
    const auto onRows = [empty, moving](const std::function<void()> &action) {
        return [empty, moving, action] {
            if (empty || moving)
                MessageBeep();
            else
                action();
        };
    };
    switch (key) {
    case Qt::Key_Down:
        // The grid appends no row: Down on the last row goes nowhere.
        if (!empty && List.rows().recNo() == List.rows().recordCount() - 1)
            key = 0;
        return;
    case Qt::Key_Insert:
        take([this] { InStBtnClick(); });
        return;
    case Qt::Key_Delete:
        if (!editing && !moving)
            take([this] { DelDt0Click(); });
        return;
    case Qt::Key_F2:
        take([this, moving] {
            if (!moving)
                AppDt0Click();
        });
        return;
    case Qt::Key_F3:
        take(onRows([this] { ToggleSupplied(); }));
        return;
    case Qt::Key_F8:
        take([this, moving] {
            if (!moving)
                sF8BtnClick();
        });
        return;
    case Qt::Key_F9:
        take([this] { MoveKey(); });
        return;
    case Qt::Key_F11:
        take(onRows([this] { InsertSpecialChar(); }));
        return;
    default:
        break;
    }
    if (!(shift & Qt::AltModifier))
        return;
    switch (key) {
    case Qt::Key_C:
        take([] { ShowCalculator(); });
        return;
    case Qt::Key_R:
        take([this] {
            GrdDetail->postEditor();
            RunGuarded([this] { List.RenumberOrder(); });
            GrdDetail->setFocus();
        });
        return;
    case Qt::Key_Z:
        take(onRows([this] { CopyRow(); }));
        return;
    default:
        return;
    }
}

void TSudetaif::GrdDetailDblClick()
{
    GrdDetail->postEditor();
    if (List.isEmpty())
        return;
    if (List.moveState() == BreakdownList::Marking)
        RunGuarded([this] { List.ToggleMark(); });
    else if (List.moveState() == BreakdownList::NoMove && List.rows().asString("TAG") == RateTag)
        OpenRateDialog(2);
}

Dataset &TSudetaif::ShownRows()
{
    return List.rows();
}

QList<Bookmark> TSudetaif::SelectedRows() const
{
    return GrdDetail->SelectedRows();
}

void TSudetaif::keyPressEvent(QKeyEvent *event)
{
    // The screen closes only by its close buttons.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

void TSudetaif::done(int result)
{
    if (!closed_) {
        closed_ = true;
        FormClose();
    }
    QDialog::done(result);
}

void TSudetaif::FormClose()
{
    if (page_ == 2)
        return;
    // An edit in progress is dropped; rows of a move go back to the breakdown.
    if (QWidget *editor = GrdDetail->cellDelegate().editor())
        GrdDetail->cellDelegate().closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    RunGuarded([this] { List.CancelMove(); });
    List.Close();
    if (Sudetaif == this)
        Sudetaif = nullptr;
}

void ConnectBreakdownScreens()
{
    EntryPoints().BreakdownScreen = [](const PlacedScreenSetup &setup) {
        TSudetaif screen(setup.owner, 0);
        screen.setGeometry(setup.geometry);
        screen.exec();
    };
    EntryPoints().CostStatement = [](const TitledScreenSetup &setup) {
        TSudetaif screen(setup.owner, 2);
        screen.setGeometry(setup.geometry);
        screen.TopLabel->setText(setup.title);
        screen.exec();
    };
    EntryPoints().BreakdownOverview = [](const TitledScreenSetup &setup) {
        TTreVewf screen(setup.owner);
        screen.setGeometry(setup.geometry);
        screen.TopLabel->setText(setup.title);
        screen.exec();
    };
}

} // namespace vek
