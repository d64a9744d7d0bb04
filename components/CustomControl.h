#pragma once

#include <QString>
#include <QWidget>

namespace vek {

// Base of the self-painting controls (container panel, tool button): it turns Qt's events
// into a fixed set of state hooks, keeps the draw state (hot, pressed, focused), repaints
// only on the notifications RedrawEvents names, and collapses repaints between
// BeginUpdate and EndUpdate. Qt's backing store gives the double buffering.
class TdxCustomControl : public QWidget {
    Q_OBJECT
public:
    // Bits of RedrawEvents: the notifications that repaint the control.
    enum RedrawEvent : quint16 {
        reTextChanged = 1,
        reBorderChanged = 2,
        reEnabledChanged = 4,
        reFocusChanged = 8,
        reMouseDown = 16,
        reMouseEnter = 32,
        reMouseLeave = 64,
        reMouseMove = 128,
        reMouseUp = 256,
        reParentColorChanged = 512,
        reParentFontChanged = 1024,
        rePositionChanged = 2048,
        reSizeChanged = 4096,
    };
    // Bits of DrawState.
    enum DrawStateBit : quint8 { dsHot = 2, dsPressed = 4, dsFocused = 8 };
    static constexpr quint16 DefaultRedrawEvents = 893;

    explicit TdxCustomControl(QWidget *parent = nullptr);

    quint16 RedrawEvents() const { return redrawEvents_; }
    void SetRedrawEvents(quint16 events) { redrawEvents_ = events; }
    quint8 DrawState() const { return drawState_; }
    bool IsHot() const { return drawState_ & dsHot; }
    bool IsPressed() const { return drawState_ & dsPressed; }

    void BeginUpdate() { updateLock_ = true; }
    void EndUpdate();

    // Handed to the owning dialog on every click, before Click(): a non-zero result closes
    // a modal dialog with that result.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    QString Caption() const { return caption_; }
    void SetCaption(const QString &caption);

    // The control's own Enabled, whatever its parents' state.
    bool OwnEnabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

signals:
    void Click();
    void MouseEnter();
    void MouseLeave();

protected:
    // Requests a repaint unless the update lock is set.
    void InternalRedraw();
    void RedrawOn(RedrawEvent event);

    virtual void DoTextChanged() { RedrawOn(reTextChanged); }
    virtual void DoEnabledChanged() { RedrawOn(reEnabledChanged); }
    virtual void DoFocusChanged();
    virtual void DoMouseDown();
    virtual void DoMouseEnter();
    virtual void DoMouseLeave();
    virtual void DoMouseMove(int, int) { RedrawOn(reMouseMove); }
    // globalPos: where the button came up.
    virtual void DoMouseUp(const QPoint &globalPos);
    virtual void DoParentColorChanged() { RedrawOn(reParentColorChanged); }
    virtual void DoParentFontChanged() { RedrawOn(reParentFontChanged); }
    virtual void DoPositionChanged() { RedrawOn(rePositionChanged); }
    virtual void DoSizeChanged() { RedrawOn(reSizeChanged); }

    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

    void SetDrawState(quint8 bits, bool on);

private:
    void DoClick();
    // Clicks the control by its caption's accelerator (the letter after '&') when it can
    // take the focus: with Alt anywhere in the window, or plain while it has the focus.
    bool CanFocusNow() const { return isVisible() && isEnabled(); }

    quint16 redrawEvents_ = DefaultRedrawEvents;
    quint8 drawState_ = 1;
    bool updateLock_ = false;
    bool clicking_ = false;
    bool ownEnabled_ = true;
    int modalResult_ = 0;
    QString caption_;
    int acceleratorId_ = 0;
};

} // namespace vek
