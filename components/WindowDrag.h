#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace vek {

// Makes a caption-less window movable by one of its widgets (a title label): pressing the
// left button there starts a move as if the caption had been pressed. The window manager
// moves the window where it can; elsewhere the window follows the mouse itself.
class WindowDrag : public QObject {
    Q_OBJECT
public:
    // Lives as long as handle, whose window it moves.
    explicit WindowDrag(QWidget *handle);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *handle_;
    bool dragging_ = false;
    QPoint offset_;
};

} // namespace vek
