#include "app/MainWindow.h"

#include "components/Cp949ByteValidator.h"
#include "app/FileDialogs.h"
#include "app/HintHandler.h"
#include "app/Program.h"
#include "app/ProgramUpdate.h"
#include "app/StatusBar.h"
#include "app/TerminationSignals.h"
#include "app/TotalBar.h"
#include "app/WorkItemList.h"
#include "components/DBNavigator.h"
#include "components/Container.h"
#include "components/EffectLabel.h"
#include "components/ShellGlyphs.h"
#include "components/SpeedButton.h"
#include "core/Cp949Text.h"
#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/Environment.h"
#include "core/EstimateDocument.h"
#include "core/MessageBoxes.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "core/SiblingLibraries.h"
#include "core/SqlRoutines.h"
#include "core/WaitWindow.h"
#include "core/WorkDatabase.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>
#include <qdrawutil.h>

namespace vek {

Tmainf *mainf = nullptr;

namespace {

const QColor TitleColour(0x1C, 0x49, 0xB3);
const QColor BarColour(0xEC, 0xE9, 0xD8);
const QColor GaugeColour(0x00, 0x6B, 0x9F);
const QString ScreenFont = QStringLiteral("굴림");
constexpr int FrameWidth = 2;
constexpr int TitleHeight = 24;
constexpr int BarHeight = 30;
constexpr int BandHeight = 28;
constexpr int BarButtonWidth = 25;

// The top bar's five buttons, left to right, and their distances from the right edge.
constexpr int BarButtonOffsets[] = {192, 166, 140, 114, 88};
constexpr int QuitBtnOffset = 61;
constexpr int NavigatorOffset = 112;
constexpr int EndMarkOffset = 52;
constexpr int MinButnOffset = 48;
constexpr int BtnExitOffset = 29;

const QString DatabaseFailure = QStringLiteral(
    " 데이타베이스가 정상적으로 작동하지 않습니다.\n\n 종료 후 다시 실행해 보시기 바랍니다.  확인 !!! ");

const QString IniFileName = QStringLiteral("VekFree.ini");

// A dialog for estimate documents, starting in the work folder. File names are
// case-sensitive here: the filter lists the suffix as the system writes it and as other
// copies may have it.
FileDialogRequest DocumentDialog(FileDialogRequest::Kind kind, const QString &title, const QString &fileName)
{
    return {kind, title, GetWorkFolder(IniFileName), fileName, QStringLiteral("내역서파일 (*.Vek *.vek *.VEK)"),
            QStringLiteral("Vek")};
}

void SetOverrideCursor(Qt::CursorShape shape)
{
    QApplication::setOverrideCursor(QCursor(shape));
}

} // namespace

TRxSpeedButton *MakeToolBandButton(QWidget *band, const QString &name, const QString &caption, const QString &hint)
{
    auto *button = new TRxSpeedButton(band);
    button->setObjectName(name);
    button->SetCaption(caption);
    button->SetFlat(true);
    button->SetTransparent(true);
    // Two letters 44 pixels, each further letter 10 more; a glyph alone 26.
    button->setFixedSize(caption.isEmpty() ? 26 : 24 + 5 * Cp949Width(caption), 24);
    SetControlHint(button, hint);
    return button;
}

QRect MainWindowPlacement(QSize screen)
{
    if (screen.width() > 1024)
        return QRect((screen.width() - 1110) / 2, 20, 1110, screen.height() - 67);
    return QRect(1, 1, screen.width() - 2, screen.height() - 28);
}

Tmainf::Tmainf(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    mainf = this;
    FormCreate();
}

Tmainf::~Tmainf()
{
    if (mainf == this)
        mainf = nullptr;
    MainWindowLinks() = MainWindowLink();
}

void Tmainf::FormCreate()
{
    setObjectName(QStringLiteral("mainf"));
    setWindowTitle(ApplicationTitle);
    setFont(QFont(ScreenFont, 9));
    hints_ = new THintHandler(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(FrameWidth, FrameWidth, FrameWidth, FrameWidth);
    layout->setSpacing(0);
    MakeTitle();
    MakeTopBar();
    MakeFileBand();
    MakeToolBand();
    ListPlace = new QWidget(this);
    ListPlace->setObjectName(QStringLiteral("ListPlace"));
    auto *listLayout = new QVBoxLayout(ListPlace);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(WorkItems);
    MakeStatusBar();
    layout->addWidget(TopTitle);
    layout->addWidget(TopBar);
    layout->addWidget(FileBand);
    layout->addWidget(ToPnl0);
    layout->addWidget(ListPlace, 1);
    layout->addWidget(Msgbar);
    MakePopupMenu();

    connect(hints_, &THintHandler::hintChanged, this,
            [this](const QString &hint) { Msgbar->SetPanelText(HintPanel, u' ' + hint); });
    connect(Msgbar, &TStatusBar::clicked, this, &Tmainf::MsgbarClick);
    MainWindowLink &link = MainWindowLinks();
    link.SetInputMode = [this](const QString &mode) { SetInputMode(mode); };
    link.MsgbarClick = [this] { MsgbarClick(); };
    link.Totals = [this] { return WorkItems->TotalBar->Sums(); };
    link.Geometry = [this] { return geometry(); };
    link.SetStatusText = [this](int panel, const QString &text) { Msgbar->SetPanelText(panel, text); };
    resize(MainWindowPlacement(QSize(1280, 1024)).size());
}

void Tmainf::MakeTitle()
{
    TopTitle = new QLabel(QStringLiteral("       카브로소프트 공사견적관리 [공개용]"), this);
    TopTitle->setObjectName(QStringLiteral("TopTitle"));
    TopTitle->setFixedHeight(TitleHeight);
    TopTitle->setAutoFillBackground(true);
    QPalette colours = TopTitle->palette();
    colours.setColor(QPalette::Window, TitleColour);
    colours.setColor(QPalette::WindowText, Qt::white);
    TopTitle->setPalette(colours);
    QFont bold(ScreenFont, 10);
    bold.setBold(true);
    TopTitle->setFont(bold);
    TopTitle->installEventFilter(this);

    const auto makeButton = [this](const QString &caption, void (Tmainf::*click)()) {
        auto *button = new TRxSpeedButton(TopTitle);
        button->SetCaption(caption);
        button->SetFlat(true);
        button->SetTransparent(true);
        button->setGeometry(0, 3, 19, 18);
        QPalette white = button->palette();
        white.setColor(QPalette::ButtonText, Qt::white);
        white.setColor(QPalette::WindowText, Qt::white);
        button->setPalette(white);
        connect(button, &TRxSpeedButton::Click, this, click);
        return button;
    };
    MinButn = makeButton(QStringLiteral("－"), &Tmainf::MinButnClick);
    BtnExit = makeButton(QStringLiteral("ｘ"), &Tmainf::BtnExitClick);
}

TRxSpeedButton *Tmainf::MakeBarButton(const QString &name, ShellGlyph glyph, const QString &hint,
                                      void (Tmainf::*click)())
{
    auto *button = new TRxSpeedButton(TopBar);
    button->setObjectName(name);
    button->SetGlyph(ShellGlyphImage(glyph));
    button->SetFlat(true);
    button->SetGrayedInactive(false);
    button->setGeometry(0, 3, BarButtonWidth, 24);
    SetControlHint(button, hint);
    connect(button, &TRxSpeedButton::Click, this, click);
    return button;
}

TdxContainer *Tmainf::MakeBar(const QString &name, int height)
{
    auto *bar = new TdxContainer(this);
    bar->setObjectName(name);
    bar->SetColor(BarColour);
    bar->SetBoundLines(TdxContainer::blBottom);
    bar->setFixedHeight(height);
    return bar;
}

void Tmainf::MakeTopBar()
{
    TopBar = MakeBar(QStringLiteral("TopBar"), BarHeight);

    // Grey, its light copy down-right and a dark blue one up.
    mLabel = new TLabelE(TopBar);
    mLabel->setObjectName(QStringLiteral("mLabel"));
    mLabel->SetCaption(QStringLiteral("견적관리시스템 [내역서작업]"));
    mLabel->setFont(QFont(QStringLiteral("바탕"), 14));
    mLabel->SetFontColor(QColor(0x80, 0x80, 0x80));
    mLabel->SetDirectionHighlight(TLabelE::edDownRight);
    mLabel->SetDirectionShadow(TLabelE::edUp);
    mLabel->SetColourShadow(QColor(0x00, 0x40, 0x80));
    mLabel->SetTransparent(true);
    mLabel->setGeometry(12, 4, 330, 24);

    HelpBtn = MakeBarButton(QStringLiteral("HelpBtn"), ShellGlyph::Help,
                            QStringLiteral("도움말|도움말을 봅니다. (F1)"), &Tmainf::HelpBtnClick);
    ExeUpDate = MakeBarButton(QStringLiteral("ExeUpDate"), ShellGlyph::Update,
                              QStringLiteral("업데이트|실행 파일을 최신 파일로 패치합니다."), &Tmainf::ExeUpDateClick);
    dDTZIP = MakeBarButton(QStringLiteral("dDTZIP"), ShellGlyph::Download,
                           QStringLiteral("다운로드|자료실을 엽니다."), &Tmainf::dDTZIPClick);
    KvrBtn = MakeBarButton(QStringLiteral("KvrBtn"), ShellGlyph::HomePage,
                           QStringLiteral("홈페이지|카브로소프트 홈페이지로 갑니다."), &Tmainf::KvrBtnClick);
    Hinfo = MakeBarButton(QStringLiteral("Hinfo"), ShellGlyph::About,
                          QStringLiteral("프로그램 정보|프로그램 정보를 봅니다."), &Tmainf::HinfoClick);
    QuitBtn = MakeBarButton(QStringLiteral("QuitBtn"), ShellGlyph::Quit, QStringLiteral("프로그램을 종료합니다."),
                            &Tmainf::QuitBtnClick);
    QuitBtn->SetCaption(QStringLiteral("종료"));
    // Raised; drawn flat only while a screen opened from here runs.
    QuitBtn->SetFlat(false);
    QuitBtn->SetLayout(TRxSpeedButton::blGlyphLeft);
    QuitBtn->setFixedWidth(54);
}

void Tmainf::MakeFileBand()
{
    FileBand = MakeBar(QStringLiteral("FileBand"), BandHeight);
    auto *layout = new QHBoxLayout(FileBand);
    layout->setContentsMargins(8, 3, 8, 4);
    layout->setSpacing(2);

    filName = new QLabel(FileBand);
    filName->setObjectName(QStringLiteral("filName"));
    filName->setFrameShape(QFrame::Panel);
    filName->setFrameShadow(QFrame::Sunken);
    filName->setMinimumWidth(200);
    dGongSa = new QLineEdit(FileBand);
    dGongSa->setObjectName(QStringLiteral("dGongSa"));
    dGongSa->setValidator(new Cp949ByteValidator(ProjectNameBytes, dGongSa));
    dGongSa->setFixedWidth(360);
    SetControlHint(dGongSa, QStringLiteral("공사명을 입력하는 곳으로 최대 한글24자까지 입력이 가능합니다."));
    // The header of the document carries the name: typing it is a change to save. Names
    // set by the program (New, Open) are none.
    connect(dGongSa, &QLineEdit::textEdited, this, [] { DataChanged = true; });

    layout->addWidget(new QLabel(QStringLiteral("파일명: "), FileBand));
    layout->addWidget(filName, 1);
    layout->addSpacing(12);
    layout->addWidget(new QLabel(QStringLiteral("공사명: "), FileBand));
    layout->addWidget(dGongSa);
}

void Tmainf::MakeToolBand()
{
    ToPnl0 = MakeBar(QStringLiteral("ToPnl0"), BarHeight);
    auto *layout = new QHBoxLayout(ToPnl0);
    layout->setContentsMargins(8, 2, 8, 3);
    layout->setSpacing(0);
    WorkItems = new TWorkItemList(this);
    OpnBtn0 = MakeToolBandButton(ToPnl0, QStringLiteral("OpnBtn0"), QStringLiteral("열기"),
                                 QStringLiteral("열기|저장된 내역서 파일을 엽니다."));
    NewBtn0 = MakeToolBandButton(ToPnl0, QStringLiteral("NewBtn0"), QStringLiteral("신규"),
                                 QStringLiteral("신규|새 내역서를 작성합니다."));
    SavBtn0 = MakeToolBandButton(ToPnl0, QStringLiteral("SavBtn0"), QStringLiteral("저장"),
                                 QStringLiteral("저장|작업내용을 저장합니다. (Alt+S)"));
    SavAs0 = MakeToolBandButton(ToPnl0, QStringLiteral("SavAs0"), QStringLiteral("따로저장"),
                                QStringLiteral("따로저장|작업내용을 다른 이름으로 저장합니다."));
    connect(OpnBtn0, &TRxSpeedButton::Click, this, &Tmainf::OpnBtn0Click);
    connect(NewBtn0, &TRxSpeedButton::Click, this, &Tmainf::NewBtn0Click);
    connect(SavBtn0, &TRxSpeedButton::Click, this, &Tmainf::SavBtn0Click);
    connect(SavAs0, &TRxSpeedButton::Click, this, &Tmainf::SavAs0Click);
    for (TRxSpeedButton *button : ToolBandButtons())
        layout->addWidget(button);
    layout->addSpacing(12);
    layout->addWidget(WorkItems->TagLabel);
    layout->addStretch(1);
    // The navigator keeps its distance from the right edge (FormResize).
    WorkItems->DBNav0->setGeometry(0, 3, 100, 24);
}

QList<TRxSpeedButton *> Tmainf::ToolBandButtons() const
{
    return WorkItems->ButtonsBeforeDocuments() + QList<TRxSpeedButton *>{OpnBtn0, NewBtn0, SavBtn0, SavAs0}
           + WorkItems->ButtonsAfterDocuments();
}

void Tmainf::MakePopupMenu()
{
    PopupMenu = new QMenu(this);
    const auto addItem = [this](const QString &caption, const QKeySequence &key, auto command) {
        QAction *item = PopupMenu->addAction(caption, this, command);
        item->setShortcut(key);
        item->setShortcutContext(Qt::WindowShortcut);
        // The window holds the item too, so that its key works while the menu is closed.
        addAction(item);
    };
    addItem(QStringLiteral("작업내용저장"), QKeySequence(Qt::ALT | Qt::Key_S), [this] { SavBtn0Click(); });
    addItem(QStringLiteral("VEK 계 산 기"), QKeySequence(Qt::ALT | Qt::Key_C), [] { ShowCalculator(); });
    addItem(QStringLiteral("자료추가삽입"), QKeySequence(Qt::Key_Insert), [this] { MsgbarClick(); });
    addItem(QStringLiteral("도 움 말 보기"), QKeySequence(Qt::Key_F1), [this] { HelpBtnClick(); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu->popup(mapToGlobal(at)); });
}

void Tmainf::SetInputMode(const QString &mode)
{
    InsertMode = mode == QStringLiteral("삽입");
    Msgbar->SetPanelText(ModePanel, u'[' + mode + u']');
}

void Tmainf::MsgbarClick()
{
    const QString insert = QStringLiteral("[삽입]");
    Msgbar->SetPanelText(ModePanel, Msgbar->PanelText(ModePanel) != insert ? insert : QStringLiteral("[추가]"));
    InsertMode = Msgbar->PanelText(ModePanel) == insert;
}

void Tmainf::MakeStatusBar()
{
    Msgbar = new TStatusBar({{45, Qt::AlignHCenter, QStringLiteral("[추가]")},
                             {80, Qt::AlignLeft, QStringLiteral("카브로소프트")},
                             {0, Qt::AlignLeft, QString()}},
                            this);
    Msgbar->setObjectName(QStringLiteral("Msgbar"));
    Msgbar->setFixedHeight(21);
}

void Tmainf::AnchorRight(QWidget *control, int offset)
{
    const int parentLeft = control->parentWidget()->mapTo(this, QPoint(0, 0)).x();
    control->move(width() - offset - parentLeft, control->y());
}

void Tmainf::FormResize()
{
    AnchorRight(BtnExit, BtnExitOffset);
    AnchorRight(MinButn, MinButnOffset);
    AnchorRight(QuitBtn, QuitBtnOffset);
    TRxSpeedButton *const barButtons[] = {HelpBtn, ExeUpDate, dDTZIP, KvrBtn, Hinfo};
    for (int i = 0; i < 5; ++i)
        AnchorRight(barButtons[i], BarButtonOffsets[i]);
    AnchorRight(WorkItems->DBNav0, NavigatorOffset);
    AnchorRight(WorkItems->TotalBar->EndMark, EndMarkOffset);
}

void Tmainf::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The bars have their new width only once the layout has run.
    if (QLayout *rows = layout())
        rows->activate();
    FormResize();
}

void Tmainf::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void Tmainf::FormShow()
{
    setGeometry(MainWindowPlacement(ScreenSize()));
    try {
        PrepareWorkDatabase();
    } catch (const DatabaseError &) {
        ShowInfoMsg(DatabaseFailure);
        return;
    }
    OpenWorkDatabase(20);
}

void Tmainf::OpenWorkDatabase(int ms)
{
    QThread::msleep(ms);
    InputKind = 0;
    SetOverrideCursor(Qt::WaitCursor);
    ShowWaitMessage(QColor(0, 0, 0x80), QStringLiteral("카브로소프트 견적관리 프로그램을 준비중입니다. 잠시만..."));
    DelayMs(1500);
    HideWaitWindow();
    QApplication::restoreOverrideCursor();
    // Closed while it waited: the shut-down has run, there is nothing to connect for.
    if (closed_)
        return;
    try {
        // The engine's lock folder must be set before the first attachment.
        SetupLocalServer();
        dMf->Connect(WorkDatabasePath());
        RunTempSql(true, QStringLiteral("DELETE from NDTAIL"));
        CommitWork();
        DataChanged = false;
        InsertMode = false;
        CurrentFileName = UntitledFileName;
        filName->clear();
        WorkItems->OpenList();
        dGongSa->setFocus();
    } catch (const DatabaseError &) {
        dMf->Disconnect();
        ShowInfoMsg(DatabaseFailure);
    }
}

bool Tmainf::DatabaseReady() const
{
    return dMf && dMf->SQLConect.isOpen();
}

void Tmainf::ShowFileName(const QString &path)
{
    filName->setText(u' ' + path + QStringLiteral("  "));
}

bool Tmainf::SaveChangesFirst()
{
    if (!DataChanged)
        return true;
    const SaveResult result = SavBtn0Click();
    return result == SaveResult::Saved || result == SaveResult::NothingToSave;
}

void Tmainf::NewBtn0Click()
{
    if (!DatabaseReady() || !SaveChangesFirst())
        return;
    try {
        WorkTransaction command(dMf->SQLConect);
        RunTempSql(true, QStringLiteral("DELETE from NDTAIL"));
        if (!command.commit())
            return;
        WorkItems->OpenList();
        WorkItems->ClearTotals();
    } catch (const DatabaseError &error) {
        ShowInfoMsg(error.message());
        return;
    }
    CurrentFileName = UntitledFileName;
    filName->clear();
    dGongSa->clear();
    dGongSa->setFocus();
    DataChanged = false;
}

void Tmainf::OpnBtn0Click()
{
    if (!DatabaseReady() || !SaveChangesFirst())
        return;
    const QString path = PresentFileDialog(
        DocumentDialog(FileDialogRequest::Kind::Open, QStringLiteral("파일명을 확인하세요."), QString()));
    if (path.isEmpty())
        return;
    ShowWaitGauge(30, GaugeColour, Qt::white, QStringLiteral("자료를 준비중입니다. 잠시만..."));
    try {
        const QString project = ReadEstimateDocument(path, SetWaitGauge);
        HideWaitWindow();
        // Only a document that was read takes the place of the old one.
        CurrentFileName = path;
        ShowFileName(path);
        dGongSa->setText(project);
        WorkItems->OpenList();
        WorkItems->RefreshTotals();
        dMf->TAlst.first();
        DataChanged = false;
    } catch (const std::runtime_error &error) {
        HideWaitWindow();
        ShowInfoMsg(QString::fromStdString(error.what()));
    }
}

Tmainf::SaveResult Tmainf::SavBtn0Click()
{
    if (!dMf || dMf->TAlst.isEmpty())
        return SaveResult::NothingToSave;
    CommitWork();
    if (CurrentFileName == UntitledFileName)
        return SavAs0Click();
    return WriteDocument(CurrentFileName);
}

Tmainf::SaveResult Tmainf::SavAs0Click()
{
    if (!dMf || dMf->TAlst.isEmpty())
        return SaveResult::NothingToSave;
    const QString path = PresentFileDialog(
        DocumentDialog(FileDialogRequest::Kind::Save, QStringLiteral("다른 이름으로 저장"), CurrentFileName));
    if (path.isEmpty())
        return SaveResult::Cancelled;
    CommitWork();
    const SaveResult result = WriteDocument(path);
    // A document that could not be written keeps its old name.
    if (result == SaveResult::Saved) {
        CurrentFileName = path;
        ShowFileName(path);
    }
    return result;
}

Tmainf::SaveResult Tmainf::WriteDocument(const QString &path)
{
    ShowWaitGauge(30, GaugeColour, Qt::white, QStringLiteral("자료를 저장합니다. 잠시만..."));
    try {
        WriteEstimateDocument(path, dGongSa->text(), SetWaitGauge);
    } catch (const DocumentError &error) {
        HideWaitWindow();
        ShowInfoMsg(error.message());
        return SaveResult::Failed;
    }
    SaveWorkFolder(path, IniFileName);
    DelayMs(150);
    HideWaitWindow();
    DataChanged = false;
    return SaveResult::Saved;
}

void Tmainf::MinButnClick()
{
    showMinimized();
}

void Tmainf::BtnExitClick()
{
    close();
}

void Tmainf::QuitBtnClick()
{
    // A changed document is saved first; the window stays when that was cancelled or failed.
    if (ConfirmYesNo(QStringLiteral(" 작업을 종료하겠습니까 ??")) && SaveChangesFirst())
        close();
}

void Tmainf::HelpBtnClick()
{
    ShowNoticePage(QStringLiteral("vekfree01.htm"));
}

void Tmainf::HinfoClick()
{
    ShowAboutBox(QStringLiteral("변경: 2018년01월12일 "), QStringLiteral("Project: 공사견적관리 [공개용] Ver 2.5"));
}

void Tmainf::KvrBtnClick()
{
    // What the desktop's URL opener (QDesktopServices) runs, started so that the browser
    // does not inherit the signals this program keeps blocked.
    StartDetachedProgram(QStringLiteral("xdg-open"), {MakerHomePage()});
}

void Tmainf::dDTZIPClick()
{
    ShowLeafNote(y() + 55, x() + width() - 565, 580, 560, MakerDownloadPage());
}

void Tmainf::ExeUpDateClick()
{
    if (!ConfirmYesNo(QStringLiteral("실행 파일을 카브로 서브에 있는 최신 파일로 패치합니다.")))
        return;
    if (!IsUrlReachable(MakerHomePage())) {
        ShowInfoMsg(QStringLiteral("인터넷에 연결되지 않았습니다."));
        return;
    }
    if (!DownloadUpdate())
        return;
    ShrinkAndClose();
    StartUpdater();
}

void Tmainf::ShrinkAndClose()
{
    ShowWaitMessage(Qt::black, QStringLiteral("파일 패치를 위해 프로그램을 잠시 종료합니다...."));
    // A window cannot become narrower than its smallest size: stop there.
    for (int previous = width() + 1; width() > 0 && width() < previous;) {
        previous = width();
        resize(width() - 3, height() - 3);
        QCoreApplication::processEvents();
    }
    HideWaitWindow();
    close();
}

void Tmainf::RestoreOrRaise()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void Tmainf::closeEvent(QCloseEvent *event)
{
    if (!closed_) {
        closed_ = true;
        FormClose();
    }
    QWidget::closeEvent(event);
}

void Tmainf::FormClose()
{
    SetOverrideCursor(Qt::BusyCursor);
    ShowWaitGauge(30, GaugeColour, Qt::white, QStringLiteral("프로그램을 종료하고 있습니다. 잠시만..."));
    SetWaitGauge(60);
    if (dMf) {
        dMf->TAlst.close();
        SetWaitGauge(80);
        dMf->Disconnect();
    }
    DelayMs(100);
    SetWaitGauge(100);
    QApplication::restoreOverrideCursor();
    QThread::msleep(70);
    HideWaitWindow();
    mainf = nullptr;
}

bool Tmainf::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == TopTitle) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: BeginDrag(static_cast<QMouseEvent *>(event)); return true;
        case QEvent::MouseMove: DragTo(static_cast<QMouseEvent *>(event)); return true;
        case QEvent::MouseButtonRelease: dragging_ = false; return true;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Tmainf::mousePressEvent(QMouseEvent *event)
{
    BeginDrag(event);
}

void Tmainf::mouseMoveEvent(QMouseEvent *event)
{
    DragTo(event);
}

void Tmainf::mouseReleaseEvent(QMouseEvent *)
{
    dragging_ = false;
}

void Tmainf::BeginDrag(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The window manager moves the window as by its caption; where there is none to ask,
    // the window follows the mouse itself.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - pos();
}

void Tmainf::DragTo(QMouseEvent *event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - dragOffset_);
}

void Tmainf::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

} // namespace vek
