#pragma once

#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace vek {

class TLabelE;

namespace detail {

// The backup library's one-line wait window, standing on top while the zip engine works:
// its message in a relief label over whatever lies behind the window. The program has a
// wait window of the same name in core; this one lives in detail so that the two never
// meet.
class TSprSfm : public QWidget {
    Q_OBJECT
public:
    explicit TSprSfm(QWidget *parent = nullptr);

    // Kind 1 sets the hourglass cursor and shows a new window with text, freeing the one
    // shown before (the hourglass is set once); kind 2 frees the window and restores the
    // cursor; any other kind does nothing.
    static void MessageVisible(quint8 kind, const QString &text);

    // Before the window shows: HideCaptionBar.
    void FormShow();
    // Removes the caption bar of a window that has one; its border stays.
    void HideCaptionBar();

    TLabelE *MessageLabel;

    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Centres the window on the screen, shows it and paints it before returning.
    void showAtOnce();

    QPixmap behind_;
};

// The wait window on screen, or nothing.
extern QPointer<TSprSfm> SprSfm;

} // namespace detail
} // namespace vek
