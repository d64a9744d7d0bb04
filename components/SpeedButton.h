#pragma once

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>

class QPainter;
class QTimer;

namespace vek {

// The window-less push button of title bars and dialogs. It paints a glyph (one to five
// state frames side by side) and a caption into an off-screen image and copies that to
// the screen in one step. It can be flat (frame only under the mouse, glyph greyed
// meanwhile), transparent, grouped (radio-like Down state), auto-repeating, and can drop
// a pop-up menu down. It never takes the keyboard focus.
class TRxSpeedButton : public QWidget {
    Q_OBJECT
public:
    // The order of the frames in a glyph.
    enum TRxButtonState { rbsUp, rbsDisabled, rbsDown, rbsExclusive, rbsInactive };
    enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
    enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
    enum TDropDownMenuPos { dmpBottom, dmpRight };

    explicit TRxSpeedButton(QWidget *parent = nullptr);

    QImage Glyph() const { return glyph_; }
    // Also sets NumGlyphs when the width is a whole multiple k of the height (k below 6).
    void SetGlyph(const QImage &glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    QString Caption() const { return caption_; }
    void SetCaption(const QString &caption);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment horizontal);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle style);
    bool Flat() const { return flat_; }
    void SetFlat(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool GrayedInactive() const { return grayedInactive_; }
    void SetGrayedInactive(bool on);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool Down() const { return down_; }
    void SetDown(bool on);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool on);
    bool AllowTimer() const { return allowTimer_; }
    void SetAllowTimer(bool on);
    int InitPause() const { return initPause_; }
    void SetInitPause(int ms) { initPause_ = ms; }
    int RepeatInterval() const { return repeatInterval_; }
    void SetRepeatInterval(int ms) { repeatInterval_ = ms; }
    QMenu *DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(QMenu *menu);
    TDropDownMenuPos MenuPosition() const { return menuPosition_; }
    void SetMenuPosition(TDropDownMenuPos position) { menuPosition_ = position; }
    // The alignment of the drop-down menu on its point (Qt's menu has none of its own):
    // its left edge, its right edge or its middle stands there.
    Qt::Alignment MenuAlignment() const { return menuAlignment_; }
    void SetMenuAlignment(Qt::Alignment horizontal) { menuAlignment_ = horizontal & Qt::AlignHorizontal_Mask; }
    // Where the menu drops, in button coordinates, by position and alignment.
    QPoint MenuPoint() const;
    bool MarkDropDown() const { return markDropDown_; }
    void SetMarkDropDown(bool on);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool on) { showHint_ = on; }

    TRxButtonState State() const { return state_; }
    bool MouseInControl() const { return mouseInControl_; }
    // The glyph's colour that is left out when drawing (its bottom-left pixel).
    QRgb TransparentGlyphColor() const { return transparentColor_; }
    // The picture of a state, made on first use and kept until the glyph, NumGlyphs or
    // the system colours change; the generated disabled picture leaves out the face colour.
    QImage GlyphFor(TRxButtonState state) const;

    // Where glyph and caption stand in the content rectangle: the caption's text as drawn
    // (each line shortened with "..." unless WordWrap) and its bounds.
    struct ContentLayout {
        QPoint glyphAt;
        QRect textBounds;
        QString text;
    };
    ContentLayout LayoutContent(const QRect &client, QSize glyphSize, bool withMark) const;

    // Gives the owning dialog ModalResult, then fires Click().
    void DoClick();

signals:
    void Click();
    void DblClick();
    void MouseEnter();
    void MouseLeave();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct StateGlyph {
        QImage image;
        QRgb transparent = 0;
    };

    const StateGlyph &cachedGlyph(TRxButtonState state) const;
    StateGlyph makeStateGlyph(TRxButtonState state) const;
    void clearGlyphCache();
    int frameWidth() const;
    void syncEnabledState();
    TRxButtonState paintState() const;
    void paintButton(QPainter &painter);
    void drawFrame(QPainter &painter, QRect &rect, bool pressed) const;
    void drawCaption(QPainter &painter, const QRect &bounds, const QString &text) const;
    void drawDropDownMark(QPainter &painter, QPoint anchor) const;
    bool isInside(QPointF pos) const;
    void press();
    // Ends a press; the mouse-in-control mark is then taken from where the mouse is.
    void finishPress(bool inside, std::optional<QPoint> globalPos = std::nullopt);
    void popUpDropDownMenu();
    void repeatTimerExpired();
    void updateMouseInControl(std::optional<QPoint> globalPos = std::nullopt);
    void SetMouseInControl(bool inside);
    void updateExclusive();
    void groupMessage(const TRxSpeedButton &sender);

    QImage glyph_;
    int numGlyphs_ = 1;
    QRgb transparentColor_ = qRgb(255, 0, 255);
    mutable std::array<std::optional<StateGlyph>, 5> glyphCache_;
    QString caption_;
    int shortcutId_ = 0;
    TButtonLayout layout_ = blGlyphTop;
    int margin_ = -1;
    int spacing_ = 1;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    bool wordWrap_ = false;
    TButtonStyle style_ = bsAutoDetect;
    bool flat_ = false;
    bool transparent_ = false;
    bool grayedInactive_ = true;
    int groupIndex_ = 0;
    bool down_ = false;
    bool allowAllUp_ = false;
    bool allowTimer_ = false;
    int initPause_ = 500;
    int repeatInterval_ = 100;
    QTimer *repeatTimer_ = nullptr;
    QPointer<QMenu> dropDownMenu_;
    TDropDownMenuPos menuPosition_ = dmpBottom;
    Qt::Alignment menuAlignment_ = Qt::AlignLeft;
    bool markDropDown_ = true;
    int modalResult_ = 0;
    bool showHint_ = true;

    TRxButtonState state_ = rbsUp;
    bool mouseInControl_ = false;
    bool dragging_ = false;
    bool menuTracking_ = false;
};

} // namespace vek
