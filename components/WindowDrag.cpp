#include "components/WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace vek {

WindowDrag::WindowDrag(QWidget *handle) : QObject(handle), handle_(handle)
{
    handle_->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != handle_)
        return false;
    QWidget *window = handle_->window();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *press = static_cast<QMouseEvent *>(event);
        if (press->button() != Qt::LeftButton)
            return false;
        if (window->windowHandle() && window->windowHandle()->startSystemMove())
            return true;
        dragging_ = true;
        offset_ = press->globalPosition().toPoint() - window->pos();
        return true;
    }
    case QEvent::MouseMove: {
        const auto *move = static_cast<QMouseEvent *>(event);
        if (!dragging_ || !(move->buttons() & Qt::LeftButton))
            return false;
        window->move(move->globalPosition().toPoint() - offset_);
        return true;
    }
    case QEvent::MouseButtonRelease:
        dragging_ = false;
        return false;
    default:
        return false;
    }
}

} // namespace vek
