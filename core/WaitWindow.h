#pragma once

#include <QColor>
#include <QFrame>
#include <QPixmap>
#include <QPointer>
#include <QString>

class QLabel;
class QProgressBar;
class QTimer;

namespace vek {

// The small always-on-top window that asks the user to wait while a long step runs on
// the one GUI thread: a message strip, or a panel with a message and a cycling gauge.
// The gauge cycles through a program-wide counter 0..99 that keeps its value from one
// window to the next; callers may set the gauge themselves between two ticks.
class TSprSfm : public QFrame {
    Q_OBJECT
public:
    explicit TSprSfm(QWidget *parent = nullptr);

    // Shows the window centred on the screen and paints it at once.
    void ShowCentred();
    // From now on the window shows what lies on the screen behind it instead of a colour:
    // as a translucent window where the desktop composes, else as a copy of the screen
    // taken as it shows; where the screen cannot be read either, a plain light strip.
    void SetSeeThrough(bool desktopComposes);

    QProgressBar *GaugeBar;
    QLabel *MessageLabel;
    QTimer *GaugeTimer;

public slots:
    void GaugeTimerTimer();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool seeThrough_ = false;
    QPixmap behind_;
};

// The wait window on screen, or nothing.
extern QPointer<TSprSfm> SprSfm;

// A panel in colour with text in fontColour over a gauge that advances every interval ms.
void ShowWaitGauge(int interval, const QColor &colour, const QColor &fontColour, const QString &text);
// A strip of text in fontColour over the screen, without border or gauge.
void ShowWaitMessage(const QColor &fontColour, const QString &text);
// The wait message of a recalculation, "자료를 재계산 중입니다. 잠시만..." in navy, while it
// lives, hidden however the step ends; none where the program runs without windows (a
// check that calls a routine from a plain core application).
class RecalcWaitMessage {
public:
    RecalcWaitMessage();
    ~RecalcWaitMessage();
    RecalcWaitMessage(const RecalcWaitMessage &) = delete;
    RecalcWaitMessage &operator=(const RecalcWaitMessage &) = delete;

private:
    bool shown_;
};

// Hides and frees the wait window; nothing happens when none is shown.
void HideWaitWindow();
// Sets the gauge of the wait window to percent (0..100) and paints it at once, for a long
// step that keeps the event loop busy; nothing happens when no window is shown.
void SetWaitGauge(int percent);

} // namespace vek
