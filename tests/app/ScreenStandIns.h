#pragma once

#include "core/ScreenEntryPoints.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QTimer>

#include <functional>

class QDialog;

namespace vek {

class Tmainf;
class TRxSpeedButton;

// What an entry point or a modal dialog was opened with, and the state its opener left:
// InputKind, the opener's close button flat or not, the insert/append mode panel.
struct Opening {
    QString screen;
    int inputKind = 0;
    bool closeFlat = false;
    QString modePanel;
    QRect geometry;
    QString LsNo;
    QString LjName;
};

// Stand-ins on every entry point while it lives, and a watch on the modal dialogs that
// screens open themselves (or through an entry point a test connects for real). Each
// records what it was opened with, then runs work, what the screen is made to do to the
// estimate; the watch also runs onModal on the dialog, then closes it if still open.
// closeButton names the opener's close button whose look is recorded (none: not flat).
class ScreenStandIns {
public:
    ScreenStandIns(Tmainf &window, std::function<const TRxSpeedButton *()> closeButton);
    ~ScreenStandIns();
    ScreenStandIns(const ScreenStandIns &) = delete;
    ScreenStandIns &operator=(const ScreenStandIns &) = delete;

    QStringList names() const;

    std::function<void()> work;
    std::function<void(QDialog &)> onModal;
    QList<Opening> openings;
    QList<ItemDialogSetup> dialogs;
    QList<ListScreenSetup> lists;
    QList<TitledScreenSetup> titled;
    QList<WholeEstimateExportSetup> exports;

private:
    void record(const QString &screen, const QRect &geometry = {}, const QString &lsNo = {},
                const QString &ljName = {});
    void watchModal();

    Tmainf &window_;
    std::function<const TRxSpeedButton *()> closeButton_;
    QTimer watch_;
    bool busy_ = false;
};

} // namespace vek
