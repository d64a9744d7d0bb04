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

    QImage glyph() const { return glyph_; }
    // Also sets NumGlyphs when the width is a whole multiple k of the height (k below 6).
    void setGlyph(const QImage &glyph);
    int numGlyphs() const { return numGlyphs_; }
    void setNumGlyphs(int count);
    QString caption() const { return caption_; }
    void setCaption(const QString &caption);
    TButtonLayout buttonLayout() const { return layout_; }
    void setButtonLayout(TButtonLayout layout);
    int margin() const { return margin_; }
    void setMargin(int margin);
    int spacing() const { return spacing_; }
    void setSpacing(int spacing);
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment horizontal);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);
    TButtonStyle buttonStyle() const { return style_; }
    void setButtonStyle(TButtonStyle style);
    bool flat() const { return flat_; }
    void setFlat(bool on);
    bool transparent() const { return transparent_; }
    void setTransparent(bool on);
    bool grayedInactive() const { return grayedInactive_; }
    void setGrayedInactive(bool on);
    int groupIndex() const { return groupIndex_; }
    void setGroupIndex(int index);
    bool down() const { return down_; }
    void setDown(bool on);
    bool allowAllUp() const { return allowAllUp_; }
    void setAllowAllUp(bool on);
    bool allowTimer() const { return allowTimer_; }
    void setAllowTimer(bool on);
    int initPause() const { return initPause_; }
    void setInitPause(int ms) { initPause_ = ms; }
    int repeatInterval() const { return repeatInterval_; }
    void setRepeatInterval(int ms) { repeatInterval_ = ms; }
    QMenu *dropDownMenu() const { return dropDownMenu_; }
    void setDropDownMenu(QMenu *menu);
    TDropDownMenuPos menuPosition() const { return menuPosition_; }
    void setMenuPosition(TDropDownMenuPos position) { menuPosition_ = position; }
    bool markDropDown() const { return markDropDown_; }
    void setMarkDropDown(bool on);
    int modalResult() const { return modalResult_; }
    void setModalResult(int result) { modalResult_ = result; }
    bool showHint() const { return showHint_; }
    void setShowHint(bool on) { showHint_ = on; }

    TRxButtonState state() const { return state_; }
    bool mouseInControl() const { return mouseInControl_; }
    // The glyph's colour that is left out when drawing (its bottom-left pixel).
    QRgb transparentColor() const { return transparentColor_; }
    // The picture of a state, made on first use and kept until the glyph, NumGlyphs or
    // the system colours change; the generated disabled picture leaves out the face colour.
    QImage stateGlyph(TRxButtonState state) const;

    // Where glyph and caption stand in the content rectangle: the caption's text as drawn
    // (each line shortened with "..." unless WordWrap) and its bounds.
    struct ContentLayout {
        QPoint glyphAt;
        QRect textBounds;
        QString text;
    };
    ContentLayout layoutContent(const QRect &client, QSize glyphSize, bool withMark) const;

    // Gives the owning dialog ModalResult, then fires clicked().
    void click();

signals:
    void clicked();
    void doubleClicked();
    void mouseEnter();
    void mouseLeave();

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
    void setMouseInControl(bool inside);
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
    bool markDropDown_ = true;
    int modalResult_ = 0;
    bool showHint_ = true;

    TRxButtonState state_ = rbsUp;
    bool mouseInControl_ = false;
    bool dragging_ = false;
    bool menuTracking_ = false;
};

} // namespace vek
