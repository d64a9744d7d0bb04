#include "unitprice/CostStatementWindow.h"

#include "components/ControlHint.h"
#include "components/ImeGridStringGrid.h"
#include "components/ToolButton.h"
#include "components/WindowDrag.h"
#include "core/ScreenEntryPoints.h"
#include "core/SiblingLibraries.h"
#include "unitprice/CostSheetPage.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>

namespace vek {
namespace {

const QColor StripColour(0x00, 0x6B, 0x9F);
const QColor TitleColour(0xFF, 0xFF, 0x80);
constexpr int StripHeight = 21;
constexpr int ExitOffset = 26;

} // namespace

TCostStatementWindow::TCostStatementWindow(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Sudetaif"));
    setFont(QFont(QStringLiteral("굴림"), 9));

    TopPnl = new QWidget(this);
    TopPnl->setObjectName(QStringLiteral("TopPnl"));
    TopPnl->setFixedHeight(StripHeight);
    TopPnl->setAutoFillBackground(true);
    QPalette strip = TopPnl->palette();
    strip.setColor(QPalette::Window, StripColour);
    strip.setColor(QPalette::WindowText, TitleColour);
    TopPnl->setPalette(strip);
    auto *icon = new QLabel(TopPnl);
    icon->setPixmap(QApplication::windowIcon().pixmap(16, 16));
    TopLabel = new QLabel(TopPnl);
    TopLabel->setObjectName(QStringLiteral("TopLabel"));
    QFont bold = font();
    bold.setBold(true);
    TopLabel->setFont(bold);
    auto *row = new QHBoxLayout(TopPnl);
    row->setContentsMargins(3, 0, ExitOffset + 4, 0);
    row->setSpacing(6);
    row->addWidget(icon);
    row->addWidget(TopLabel, 1);
    new WindowDrag(TopPnl);

    mExit0 = new TdxToolButton(TopPnl);
    mExit0->setObjectName(QStringLiteral("mExit0"));
    mExit0->SetToolType(TdxToolType::ttClose);
    SetControlHint(mExit0, QStringLiteral("닫기|현재활성되어 있는 화면을 종료합니다."));
    connect(mExit0, &TdxToolButton::Click, this, &TCostStatementWindow::mExit0Click);

    Shet2 = new TCostSheetPage(this);
    Shet2->OnClose = [this] { accept(); };

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TopPnl);
    layout->addWidget(Shet2, 1);

    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &TCostStatementWindow::Help1Click);
}

void TCostStatementWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    Shet2->LoadCostSheet();
    Shet2->dGrid->setFocus();
}

void TCostStatementWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    mExit0->move(width() - ExitOffset, (StripHeight - TdxToolButton::Size) / 2);
}

void TCostStatementWindow::mExit0Click()
{
    reject();
}

void TCostStatementWindow::Help1Click()
{
    ShowNoticePage(QStringLiteral("vekfree05.htm"));
}

void ConnectCostStatementScreen()
{
    EntryPoints().CostStatement = [](const TitledScreenSetup &setup) {
        TCostStatementWindow window(setup.owner);
        window.setGeometry(setup.geometry);
        window.TopLabel->setText(setup.title);
        window.exec();
    };
}

} // namespace vek
