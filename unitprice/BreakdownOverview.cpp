#include "unitprice/BreakdownOverview.h"

#include "components/Container.h"
#include "components/ControlHint.h"
#include "components/DBNavigator.h"
#include "components/DataGrid.h"
#include "components/ScreenParts.h"
#include "components/ShellGlyphs.h"
#include "components/SpeedButton.h"
#include "components/ToolButton.h"
#include "components/WindowDrag.h"
#include "core/DataModule.h"
#include "core/Recalc.h"
#include "core/WaitWindow.h"
#include "core/WorkDatabase.h"
#include "unitprice/BreakdownScreen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>


namespace vek {

namespace {

const QColor BandColour(0x00, 0x80, 0xC0);
const QColor ListColour(0xFF, 0xFE, 0xFD);
const QColor BarColour(0xEC, 0xE9, 0xD8);
const QColor Navy(0, 0, 0x80);
const QString ScreenFont = QStringLiteral("굴림");

constexpr int BandHeight = 24;
constexpr int ToolHeight = 30;
// Distances from the right edge.
constexpr int ExitOffset = 28;
constexpr int CloseOffset = 53;
constexpr int NavigatorOffset = 137;

QList<DatasetColumn> OverviewColumns()
{
    const auto column = [](const char *field, const QString &title, int width) {
        DatasetColumn c;
        c.field = QLatin1String(field);
        c.title = title;
        c.width = width;
        c.titleAlignment = Qt::AlignCenter;
        return c;
    };
    DatasetColumn unit = column("UNIT", QStringLiteral("단위"), 40);
    unit.alignment = Qt::AlignHCenter;
    return {column("NAME", QStringLiteral("대        가        명"), 200),
            column("STAN", QStringLiteral("규         격"), 150),
            unit,
            column("PCST11", QStringLiteral("자  재  비"), 103),
            column("LCST11", QStringLiteral("노  무  비"), 103),
            column("SCST11", QStringLiteral("경      비"), 103),
            column("mToTAL", QStringLiteral("계"), 103),
            column("ETC", QStringLiteral("비    고"), 105)};
}

} // namespace

std::function<void(TTreVewf &screen)> &BreakdownOverviewExport()
{
    static std::function<void(TTreVewf &)> exporter;
    return exporter;
}

TTreVewf::TTreVewf(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      TdtailConnection(QStringLiteral("TreVewTdtail")),
      Tdtail(QStringLiteral("Tdtail"), &TdtailConnection)
{
    setObjectName(QStringLiteral("TreVewf"));
    setFont(QFont(ScreenFont, 9));
    resize(961, 715);

    // TdtailCalcFields: the breakdown rows' amounts, a subtotal row's stored ones.
    SetUpOverviewRows(Tdtail);

    // Painted in its colour when the list loads.
    TpLabel = MakeBand(this, QStringLiteral("TpLabel"), palette().color(QPalette::Window), BandHeight);
    TopLabel = new QLabel(TpLabel);
    TopLabel->setObjectName(QStringLiteral("TopLabel"));
    QFont bold(ScreenFont, 10);
    bold.setBold(true);
    TopLabel->setFont(bold);
    SetTextColour(TopLabel, Qt::white);
    auto *band = new QHBoxLayout(TpLabel);
    band->setContentsMargins(8, 0, ExitOffset + 4, 0);
    band->addWidget(TopLabel, 1);
    new WindowDrag(TpLabel);
    mExit0 = new TdxToolButton(TpLabel);
    mExit0->setObjectName(QStringLiteral("mExit0"));
    mExit0->SetToolType(TdxToolType::ttClose);
    SetControlHint(mExit0, QStringLiteral("닫기|현재활성되어 있는 화면을 종료합니다."));
    connect(mExit0, &TdxToolButton::Click, this, &TTreVewf::mExit0Click);

    ToolPnl = MakeBand(this, QStringLiteral("ToolPnl"), BarColour, ToolHeight);
    ToolPnl->SetBoundLines(TdxContainer::blBottom);
    dBtn = MakeToolButton(ToolPnl, QStringLiteral("dBtn"), QStringLiteral("대가내용"),
                          QStringLiteral("대가내용|구체적인 대가내역을 보여줍니다. "));
    dBtn->setFixedSize(70, 26);
    dBtn->move(6, 2);
    slExl0 = MakeToolButton(ToolPnl, QStringLiteral("slExl0"), QString(),
                            QStringLiteral("엑셀전송|현재내역서 내용을 액셀프로그램으로 자료를 전송합니다."));
    slExl0->SetGlyph(ShellGlyphImage(ShellGlyph::Excel));
    slExl0->move(80, 2);
    sClose0 = MakeToolButton(ToolPnl, QStringLiteral("sClose0"), QString(),
                             QStringLiteral("닫기|현재활성되어 있는 화면을 종료합니다."));
    sClose0->SetGlyph(ShellGlyphImage(ShellGlyph::Quit));
    sClose0->move(0, 2);
    DBNav0 = new TDBNavigator(ToolPnl);
    DBNav0->setObjectName(QStringLiteral("DBNav0"));
    DBNav0->setGeometry(0, 4, 80, 22);
    connect(dBtn, &TRxSpeedButton::Click, this, &TTreVewf::dBtnClick);
    connect(slExl0, &TRxSpeedButton::Click, this, &TTreVewf::slExl0Click);
    connect(sClose0, &TRxSpeedButton::Click, this, &TTreVewf::mExit0Click);

    GrdDeaA = new TRxDBGrid(this);
    GrdDeaA->setObjectName(QStringLiteral("GrdDeaA"));
    GrdDeaA->setColumns(OverviewColumns());
    GrdDeaA->SetReadOnly(true);
    GrdDeaA->SetRowSelect(true);
    GrdDeaA->SetRowsHeight(18);
    QPalette colours = GrdDeaA->palette();
    colours.setColor(QPalette::Base, ListColour);
    GrdDeaA->setPalette(colours);
    SetControlHint(GrdDeaA, QStringLiteral("내역서에 적용한 일위대가 목록을 열람하는 곳입니다. 대가내역 MOUSE_DblClick & Enter 키"));
    connect(GrdDeaA, &QAbstractItemView::doubleClicked, this, &TTreVewf::dBtnClick);
    GrdDeaA->OnKeyDown = [this](int &key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            key = 0;
            dBtnClick();
        }
    };

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TpLabel);
    layout->addWidget(ToolPnl);
    layout->addWidget(GrdDeaA, 1);
}

TTreVewf::~TTreVewf()
{
    Tdtail.close();
}

void TTreVewf::ConnectOwnDatasets()
{
    if (!TdtailConnection.isOpen())
        TdtailConnection.open(WorkDatabasePath());
}

void TTreVewf::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    LoadList();
}

void TTreVewf::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    const int w = width();
    mExit0->move(w - ExitOffset, (BandHeight - TdxToolButton::Size) / 2);
    DBNav0->move(w - NavigatorOffset, DBNav0->y());
    sClose0->move(w - CloseOffset, sClose0->y());
}

void TTreVewf::LoadList()
{
    TpLabel->SetColor(BandColour);
    ShowWaitMessage(Navy, QStringLiteral("자료를 준비중입니다. 잠시만..."));
    GrdDeaA->setDataset(nullptr);
    DBNav0->setDataset(nullptr);
    Dataset &items = dMf->qDList;
    if (RunGuarded([&items] {
            items.close();
            items.setCommandText(UnitPriceItemsSql);
            items.open();
        })) {
        GrdDeaA->setDataset(&items);
        DBNav0->setDataset(&items);
        GrdDeaA->viewport()->update();
        GrdDeaA->setFocus();
    }
    HideWaitWindow();
}

void TTreVewf::dBtnClick()
{
    Dataset &items = dMf->qDList;
    if (!items.isActive() || items.isEmpty())
        return;
    mExit0->SetToolType(TdxToolType::ttRestore);
    {
        TSudetaif screen(this, 1);
        screen.setGeometry(x() + 1, y() + 25, width() - 2, height());
        screen.TopLabel->setText(BreakdownTitle(items));
        QPalette colours = screen.TopLabel->palette();
        colours.setColor(QPalette::WindowText, ListColour);
        screen.TopLabel->setPalette(colours);
        screen.exec();
    }
    mExit0->SetToolType(TdxToolType::ttClose);
    GrdDeaA->setFocus();
}

void TTreVewf::slExl0Click()
{
    if (BreakdownOverviewExport())
        BreakdownOverviewExport()(*this);
    GrdDeaA->setFocus();
}

void TTreVewf::mExit0Click()
{
    reject();
}

void TTreVewf::done(int result)
{
    GrdDeaA->setDataset(nullptr);
    DBNav0->setDataset(nullptr);
    dMf->qDList.close();
    QDialog::done(result);
}

} // namespace vek
