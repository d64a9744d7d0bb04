#include "components/CustomControl.h"

#include "components/ModalResult.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace vek {

TdxCustomControl::TdxCustomControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void TdxCustomControl::EndUpdate()
{
    updateLock_ = false;
    InternalRedraw();
}

void TdxCustomControl::SetCaption(const QString &caption)
{
    if (caption_ == caption)
        return;
    caption_ = caption;
    if (acceleratorId_ != 0)
        releaseShortcut(acceleratorId_);
    const QKeySequence accelerator = QKeySequence::mnemonic(caption);
    acceleratorId_ = accelerator.isEmpty() ? 0 : grabShortcut(accelerator);
    DoTextChanged();
}

void TdxCustomControl::InternalRedraw()
{
    if (!updateLock_)
        update();
}

void TdxCustomControl::RedrawOn(RedrawEvent event)
{
    if (redrawEvents_ & event)
        InternalRedraw();
}

void TdxCustomControl::SetDrawState(quint8 bits, bool on)
{
    drawState_ = on ? drawState_ | bits : drawState_ & ~bits;
}

void TdxCustomControl::DoFocusChanged()
{
    if (hasFocus())
        SetDrawState(dsFocused, true);
    else
        SetDrawState(dsFocused | dsPressed, false);
    RedrawOn(reFocusChanged);
}

void TdxCustomControl::DoMouseDown()
{
    if (!hasFocus() && (focusPolicy() & Qt::ClickFocus) && isEnabled())
        setFocus(Qt::MouseFocusReason);
    SetDrawState(dsPressed, true);
    RedrawOn(reMouseDown);
}

void TdxCustomControl::DoMouseEnter()
{
    SetDrawState(dsHot, true);
    RedrawOn(reMouseEnter);
    emit MouseEnter();
}

void TdxCustomControl::DoMouseLeave()
{
    SetDrawState(dsHot, false);
    RedrawOn(reMouseLeave);
    emit MouseLeave();
}

void TdxCustomControl::DoMouseUp(const QPoint &globalPos)
{
    SetDrawState(dsPressed, false);
    RedrawOn(reMouseUp);
    // Hot tracking passes at once to a neighbour of this family under the cursor.
    auto *under = qobject_cast<TdxCustomControl *>(QApplication::widgetAt(globalPos));
    if (under && under != this && !under->IsHot())
        under->DoMouseEnter();
}

void TdxCustomControl::DoClick()
{
    ClickWithModalResult(*this, modalResult_, [this] { emit Click(); });
}

bool TdxCustomControl::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && CanFocusNow()) {
        DoClick();
        return true;
    }
    return QWidget::event(event);
}

void TdxCustomControl::keyPressEvent(QKeyEvent *event)
{
    const QKeySequence accelerator = QKeySequence::mnemonic(caption_);
    if (!accelerator.isEmpty() && CanFocusNow() && event->modifiers() == Qt::NoModifier
        && QKeySequence(event->key() | Qt::AltModifier) == accelerator) {
        DoClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TdxCustomControl::changeEvent(QEvent *event)
{
    // Qt's own handling would repaint on every palette, font and enabled change; the
    // hooks decide instead.
    switch (event->type()) {
    case QEvent::EnabledChange:
        // Only the control's own Enabled counts, not a parent's.
        if (ownEnabled_ != OwnEnabled()) {
            ownEnabled_ = OwnEnabled();
            DoEnabledChanged();
        }
        break;
    case QEvent::PaletteChange: DoParentColorChanged(); break;
    case QEvent::FontChange:
        updateGeometry();
        DoParentFontChanged();
        break;
    default: QWidget::changeEvent(event); break;
    }
}

void TdxCustomControl::enterEvent(QEnterEvent *)
{
    if (!IsHot())
        DoMouseEnter();
}

void TdxCustomControl::leaveEvent(QEvent *)
{
    if (IsHot())
        DoMouseLeave();
}

void TdxCustomControl::focusInEvent(QFocusEvent *)
{
    DoFocusChanged();
}

void TdxCustomControl::focusOutEvent(QFocusEvent *)
{
    DoFocusChanged();
}

void TdxCustomControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    clicking_ = true;
    DoMouseDown();
}

void TdxCustomControl::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    // While the button is held Qt sends no enter or leave: decide from the position.
    if (clicking_ && rect().contains(pos) != IsHot()) {
        if (IsHot())
            DoMouseLeave();
        else
            DoMouseEnter();
    }
    DoMouseMove(pos.x(), pos.y());
}

void TdxCustomControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !clicking_)
        return;
    clicking_ = false;
    DoMouseUp(event->globalPosition().toPoint());
    if (rect().contains(event->position().toPoint()))
        DoClick();
}

void TdxCustomControl::moveEvent(QMoveEvent *)
{
    DoPositionChanged();
}

void TdxCustomControl::resizeEvent(QResizeEvent *)
{
    DoSizeChanged();
}

} // namespace vek
