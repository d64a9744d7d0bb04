#include "core/WaitWindow.h"

#include "platform/desktop/DesktopCompositing.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace vek {

QPointer<TSprSfm> SprSfm;

namespace {

constexpr int WindowWidth = 371;
constexpr int GaugeWindowHeight = 56;
constexpr int MessageWindowHeight = 25;
constexpr int ControlLeft = 9;
constexpr int ControlWidth = 352;
constexpr int ExposeWaitMs = 500;

// Advanced by every gauge window's timer; kept from one window to the next.
int GaugeCounter = 0;

void SetColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// Frees a window still shown, so that a new one never hides an old one behind it.
TSprSfm *NewWaitWindow(const QColor &fontColour, const QString &text, int messageTop)
{
    HideWaitWindow();
    SprSfm = new TSprSfm;
    SprSfm->MessageLabel->setText(text);
    SetColour(SprSfm->MessageLabel, QPalette::WindowText, fontColour);
    SprSfm->MessageLabel->move(ControlLeft, messageTop);
    return SprSfm;
}

} // namespace

TSprSfm::TSprSfm(QWidget *parent)
    : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      GaugeBar(new QProgressBar(this)),
      MessageLabel(new QLabel(this)),
      GaugeTimer(new QTimer(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("잠시만..."));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    SetColour(this, QPalette::Window, QColor(0x1F, 0x7C, 0xD1));
    QFont font(QStringLiteral("굴림"));
    font.setPointSize(9);
    setFont(font);
    resize(WindowWidth, GaugeWindowHeight);

    GaugeBar->setGeometry(ControlLeft, 12, ControlWidth, 11);
    GaugeBar->setRange(0, 100);
    GaugeBar->setValue(0);
    GaugeBar->setTextVisible(false);

    font.setBold(true);
    MessageLabel->setFont(font);
    MessageLabel->setGeometry(ControlLeft, 30, ControlWidth, std::max(12, MessageLabel->fontMetrics().height()));
    MessageLabel->setText(QStringLiteral("자료를 준비중입니다. 잠시만..."));
    SetColour(MessageLabel, QPalette::WindowText, Qt::black);

    GaugeTimer->setInterval(10);
    connect(GaugeTimer, &QTimer::timeout, this, &TSprSfm::GaugeTimerTimer);
}

void TSprSfm::ShowCentred()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    if (seeThrough_ && !testAttribute(Qt::WA_TranslucentBackground) && screen())
        behind_ = screen()->grabWindow(0, x(), y(), width(), height());
    show();
    // The step the window announces keeps the event loop busy, so wait here until the
    // window is on screen and painted; input waits until the step is done.
    QElapsedTimer clock;
    clock.start();
    while (!windowHandle()->isExposed() && clock.elapsed() < ExposeWaitMs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSprSfm::SetSeeThrough(bool desktopComposes)
{
    seeThrough_ = true;
    setFrameStyle(QFrame::NoFrame);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground, desktopComposes);
}

void TSprSfm::GaugeTimerTimer()
{
    GaugeCounter = GaugeCounter >= 99 ? 0 : GaugeCounter + 1;
    GaugeBar->setValue(GaugeCounter);
}

void TSprSfm::paintEvent(QPaintEvent *event)
{
    if (seeThrough_ && !testAttribute(Qt::WA_TranslucentBackground)) {
        QPainter painter(this);
        // Where the screen cannot be read, a light strip keeps dark text readable; never
        // the window's own colour, on which dark text would vanish.
        if (behind_.isNull())
            painter.fillRect(rect(), QGuiApplication::palette().color(QPalette::Window));
        else
            painter.drawPixmap(0, 0, behind_);
    }
    QFrame::paintEvent(event);
}

void ShowWaitGauge(int interval, const QColor &colour, const QColor &fontColour, const QString &text)
{
    TSprSfm *window = NewWaitWindow(fontColour, text, 30);
    SetColour(window, QPalette::Window, colour);
    window->GaugeBar->show();
    window->GaugeTimer->setInterval(interval);
    window->GaugeTimer->start();
    window->resize(WindowWidth, GaugeWindowHeight);
    window->ShowCentred();
}

void ShowWaitMessage(const QColor &fontColour, const QString &text)
{
    TSprSfm *window = NewWaitWindow(fontColour, text, 12);
    window->SetSeeThrough(DesktopComposes());
    window->GaugeTimer->stop();
    window->GaugeBar->hide();
    window->resize(WindowWidth, MessageWindowHeight);
    window->ShowCentred();
}

void HideWaitWindow()
{
    if (!SprSfm)
        return;
    SprSfm->hide();
    delete SprSfm.data();
}

void SetWaitGauge(int percent)
{
    if (!SprSfm)
        return;
    SprSfm->GaugeBar->setValue(std::clamp(percent, 0, 100));
    SprSfm->GaugeBar->repaint();
}

RecalcWaitMessage::RecalcWaitMessage() : shown_(qobject_cast<QApplication *>(QCoreApplication::instance()))
{
    if (shown_)
        ShowWaitMessage(QColor(0, 0, 0x80), QStringLiteral("자료를 재계산 중입니다. 잠시만..."));
}

RecalcWaitMessage::~RecalcWaitMessage()
{
    if (shown_)
        HideWaitWindow();
}

} // namespace vek
