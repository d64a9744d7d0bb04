#include "archiver/ZipWaitWindow.h"

#include "components/EffectLabel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace vek::detail {

QPointer<TSprSfm> SprSfm;

namespace {

constexpr int ClientWidth = 365;
constexpr int ClientHeight = 25;
constexpr int ExposeWaitMs = 500;
const QColor Background(247, 251, 200);

// Whether MessageVisible set the hourglass, so that it is set and restored once.
bool hourglass = false;

void FreeWaitWindow()
{
    if (!SprSfm)
        return;
    SprSfm->hide();
    delete SprSfm.data();
}

} // namespace

TSprSfm::TSprSfm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), MessageLabel(new TLabelE(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("잠시만..."));
    resize(ClientWidth, ClientHeight);

    MessageLabel->setGeometry(8, 1, 364, 19);
    MessageLabel->SetAlignment(Qt::AlignHCenter);
    QFont font(QStringLiteral("굴림"), 12);
    font.setBold(true);
    font.setItalic(true);
    MessageLabel->setFont(font);
    MessageLabel->SetTransparent(true);
    MessageLabel->SetColourScheme(TLabelE::csCustom);
    MessageLabel->SetEffectStyle(TLabelE::esCustom);
    MessageLabel->SetDirectionHighlight(TLabelE::edDownRight);
    MessageLabel->SetColourHighlight(QColor(0, 0, 64));
    MessageLabel->SetFontColor(QColor(130, 223, 202));
    MessageLabel->SetCaption(QStringLiteral("프로그램을 로딩중입니다..."));
}

void TSprSfm::MessageVisible(quint8 kind, const QString &text)
{
    if (kind == 1) {
        if (!hourglass) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            hourglass = true;
        }
        FreeWaitWindow();
        SprSfm = new TSprSfm;
        SprSfm->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        SprSfm->MessageLabel->SetCaption(text);
        SprSfm->resize(SprSfm->width(), ClientHeight);
        SprSfm->showAtOnce();
    } else if (kind == 2) {
        FreeWaitWindow();
        if (hourglass) {
            QApplication::restoreOverrideCursor();
            hourglass = false;
        }
    }
}

void TSprSfm::setVisible(bool visible)
{
    if (visible && !isVisible())
        FormShow();
    QWidget::setVisible(visible);
}

void TSprSfm::FormShow()
{
    HideCaptionBar();
}

void TSprSfm::HideCaptionBar()
{
    const Qt::WindowFlags flags = windowFlags();
    const bool captioned = flags.testFlag(Qt::WindowTitleHint) || !flags.testFlag(Qt::CustomizeWindowHint);
    if (flags.testFlag(Qt::FramelessWindowHint) || !captioned)
        return;
    const Qt::WindowFlags captionBits = Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint;
    setWindowFlags((flags | Qt::CustomizeWindowHint) & ~captionBits);
}

void TSprSfm::showAtOnce()
{
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - rect().center());
        // The window has no background of its own: what lay on the screen shows through.
        behind_ = screen->grabWindow(0, x(), y(), width(), height());
    }
    show();
    // The engine's work keeps the event loop busy, so wait here until the window is on
    // the screen and painted. A timer run meanwhile may free the window.
    const QPointer<TSprSfm> self(this);
    QElapsedTimer clock;
    clock.start();
    while (self && !windowHandle()->isExposed() && clock.elapsed() < ExposeWaitMs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    if (!self)
        return;
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSprSfm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Where the screen cannot be read, the window's colour stands in for it.
    if (behind_.isNull())
        painter.fillRect(rect(), Background);
    else
        painter.drawPixmap(0, 0, behind_);
}

} // namespace vek::detail
