#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace vek {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TLeftRight { taLeftJustify, taRightJustify };

// A focusable three-state check box that shows a picture per state (by default the
// bitmaps "CHECKED", "GRAYED" and "UNCHECKED") in place of the system's check mark. A
// picture may hold two cells side by side: the second is shown while the box is disabled.
class TBitCheckBox : public QWidget {
    Q_OBJECT
public:
    explicit TBitCheckBox(QWidget *parent = nullptr);

    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool allow) { allowGrayed_ = allow; }
    TLeftRight Alignment() const { return alignment_; }
    void SetAlignment(TLeftRight alignment);
    QString Caption() const { return caption_; }
    void SetCaption(const QString &caption);
    QColor Color() const { return color_; }
    void SetColor(const QColor &color);
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool ctl3D);

    // A null picture reloads the state's own bitmap.
    void SetGlyph(TCheckBoxState state, const QImage &picture);
    QImage Glyph(TCheckBoxState state) const { return pictures_[state]; }
    int NumGlyphs(TCheckBoxState state) const { return cells_[state]; }
    void SetNumGlyphs(TCheckBoxState state, int cells);

    // unchecked -> grayed (with AllowGrayed) or checked -> unchecked; grayed -> checked.
    void Toggle();
    // Where the caption is drawn (and the focus rectangle around it).
    QRect CaptionRect() const;
    QSize sizeHint() const override { return {97, 17}; }

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void clicked();
    int cellWidth() const;

    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TLeftRight alignment_ = taRightJustify;
    QString caption_;
    QColor color_;
    bool ctl3D_ = true;
    QImage pictures_[3];
    int cells_[3] = {1, 1, 1};
    bool pressed_ = false;
    int shortcut_ = 0;
};

} // namespace vek
