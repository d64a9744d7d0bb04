#include "components/SpeedButton.h"

#include "components/DrawingRoutines.h"
#include "components/ModalResult.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace vek {
namespace {

// The system colours a button is drawn with.
struct ButtonColours {
    explicit ButtonColours(const QPalette &palette)
        : face(palette.color(QPalette::Normal, QPalette::Button)),
          highlight(palette.color(QPalette::Normal, QPalette::Light)),
          shadow(palette.color(QPalette::Normal, QPalette::Dark)),
          windowFrame(palette.color(QPalette::Normal, QPalette::Shadow)),
          text(palette.color(QPalette::Normal, QPalette::ButtonText))
    {
    }
    QColor face, highlight, shadow, windowFrame, text;
};

// One ring of a frame: the top and left edges in topLeft, the bottom and right edges in
// bottomRight (which owns the top-right and bottom-left corners); an invalid colour
// leaves its edges alone. The rectangle shrinks by one pixel on each side.
void FrameRing(QPainter &painter, QRect &rect, const QColor &topLeft, const QColor &bottomRight)
{
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    if (topLeft.isValid()) {
        painter.fillRect(QRect(l, t, 1, b - t), topLeft);
        painter.fillRect(QRect(l, t, r - l, 1), topLeft);
    }
    if (bottomRight.isValid()) {
        painter.fillRect(QRect(r, t, 1, b - t + 1), bottomRight);
        painter.fillRect(QRect(l, b, r - l + 1, 1), bottomRight);
    }
    rect.adjust(1, 1, -1, -1);
}

// The engraved picture of a disabled one-frame glyph: its black pixels once in the
// highlight colour one pixel right and down, then in the shadow colour in place, on face.
QImage EngravedGlyph(const QImage &frame, const ButtonColours &colours)
{
    QImage result(frame.size(), QImage::Format_ARGB32);
    result.fill(colours.face);
    auto isBlack = [&](int x, int y) { return (frame.pixel(x, y) & RGB_MASK) == 0; };
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (isBlack(x, y) && x + 1 < frame.width() && y + 1 < frame.height())
                result.setPixel(x + 1, y + 1, colours.highlight.rgb());
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (isBlack(x, y))
                result.setPixel(x, y, colours.shadow.rgb());
    return result;
}

// The grey picture of an inactive flat button: the transparent and face colours stay,
// every other colour becomes its grey (77 R + 150 G + 29 B) / 256.
QImage GrayedGlyph(const QImage &frame, QRgb transparent, QRgb face)
{
    QImage result = frame.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb rgb = line[x] & RGB_MASK;
            if (rgb == (transparent & RGB_MASK) || rgb == (face & RGB_MASK))
                continue;
            const int grey = (77 * qRed(rgb) + 150 * qGreen(rgb) + 29 * qBlue(rgb)) >> 8;
            line[x] = qRgb(grey, grey, grey);
        }
    }
    return result;
}

} // namespace

TRxSpeedButton::TRxSpeedButton(QWidget *parent) : QWidget(parent)
{
    resize(25, 25);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TRxSpeedButton::SetGlyph(const QImage &glyph)
{
    glyph_ = glyph.convertToFormat(QImage::Format_ARGB32);
    transparentColor_ = glyph_.isNull() ? qRgb(255, 0, 255) : glyph_.pixel(0, glyph_.height() - 1) | ~RGB_MASK;
    if (glyph_.height() > 0 && glyph_.width() >= glyph_.height() && glyph_.width() % glyph_.height() == 0) {
        const int frames = glyph_.width() / glyph_.height();
        numGlyphs_ = frames < 6 ? frames : 1;
    }
    clearGlyphCache();
}

void TRxSpeedButton::SetNumGlyphs(int count)
{
    if (count <= 0)
        return;
    numGlyphs_ = std::min(count, 5);
    clearGlyphCache();
}

void TRxSpeedButton::clearGlyphCache()
{
    glyphCache_.fill(std::nullopt);
    update();
}

int TRxSpeedButton::frameWidth() const
{
    return glyph_.width() / numGlyphs_;
}

void TRxSpeedButton::SetCaption(const QString &caption)
{
    caption_ = caption;
    if (shortcutId_)
        releaseShortcut(shortcutId_);
    const QKeySequence accelerator = QKeySequence::mnemonic(caption);
    shortcutId_ = accelerator.isEmpty() ? 0 : grabShortcut(accelerator);
    update();
}

void TRxSpeedButton::SetLayout(TButtonLayout layout)
{
    layout_ = layout;
    update();
}

void TRxSpeedButton::SetMargin(int margin)
{
    if (margin < -1)
        return;
    margin_ = margin;
    update();
}

void TRxSpeedButton::SetSpacing(int spacing)
{
    spacing_ = spacing;
    update();
}

void TRxSpeedButton::SetAlignment(Qt::Alignment horizontal)
{
    alignment_ = horizontal & Qt::AlignHorizontal_Mask;
    update();
}

void TRxSpeedButton::SetWordWrap(bool on)
{
    wordWrap_ = on;
    update();
}

void TRxSpeedButton::SetStyle(TButtonStyle style)
{
    style_ = style;
    update();
}

void TRxSpeedButton::SetFlat(bool on)
{
    flat_ = on;
    update();
}

void TRxSpeedButton::SetTransparent(bool on)
{
    transparent_ = on;
    setAttribute(Qt::WA_OpaquePaintEvent, !on);
    update();
}

void TRxSpeedButton::SetGrayedInactive(bool on)
{
    grayedInactive_ = on;
    update();
}

void TRxSpeedButton::SetGroupIndex(int index)
{
    groupIndex_ = index;
    updateExclusive();
}

void TRxSpeedButton::SetDown(bool on)
{
    if (groupIndex_ == 0)
        on = false;
    if (on == down_ || (down_ && !allowAllUp_))
        return;
    down_ = on;
    state_ = on ? rbsExclusive : rbsUp;
    syncEnabledState();
    update();
    if (on)
        updateExclusive();
}

void TRxSpeedButton::SetAllowAllUp(bool on)
{
    allowAllUp_ = on;
    updateExclusive();
}

void TRxSpeedButton::SetAllowTimer(bool on)
{
    allowTimer_ = on;
    if (!on) {
        delete repeatTimer_;
        repeatTimer_ = nullptr;
    }
}

void TRxSpeedButton::SetDropDownMenu(QMenu *menu)
{
    dropDownMenu_ = menu;
    update();
}

void TRxSpeedButton::SetMarkDropDown(bool on)
{
    markDropDown_ = on;
    update();
}

// Every button of the parent in this group hears the news: the one that was down goes up
// when this one is down, and all take this one's AllowAllUp.
void TRxSpeedButton::updateExclusive()
{
    if (groupIndex_ == 0 || !parentWidget())
        return;
    for (TRxSpeedButton *button : parentWidget()->findChildren<TRxSpeedButton *>(Qt::FindDirectChildrenOnly))
        if (button != this)
            button->groupMessage(*this);
}

void TRxSpeedButton::groupMessage(const TRxSpeedButton &sender)
{
    if (sender.groupIndex_ != groupIndex_)
        return;
    if (sender.down_ && down_) {
        down_ = false;
        state_ = rbsUp;
        syncEnabledState();
        update();
    }
    allowAllUp_ = sender.allowAllUp_;
}

// --- Glyphs ----------------------------------------------------------------------------

QImage TRxSpeedButton::GlyphFor(TRxButtonState state) const
{
    return cachedGlyph(state).image;
}

const TRxSpeedButton::StateGlyph &TRxSpeedButton::cachedGlyph(TRxButtonState state) const
{
    auto &cached = glyphCache_[state];
    if (!cached)
        cached = makeStateGlyph(state);
    return *cached;
}

TRxSpeedButton::StateGlyph TRxSpeedButton::makeStateGlyph(TRxButtonState state) const
{
    if (glyph_.isNull() || frameWidth() == 0)
        return {};
    int frame = state;
    if (state == rbsDown && numGlyphs_ < 3)
        frame = 0;
    if (frame >= numGlyphs_)
        frame = 0;
    const QImage first = glyph_.copy(0, 0, frameWidth(), glyph_.height());
    const ButtonColours colours(palette());
    if (state == rbsDisabled && numGlyphs_ < 2)
        return {EngravedGlyph(first, colours), colours.face.rgb()};
    if (state == rbsInactive && numGlyphs_ < 5)
        return {GrayedGlyph(first, transparentColor_, colours.face.rgb()), transparentColor_};
    return {glyph_.copy(frame * frameWidth(), 0, frameWidth(), glyph_.height()), transparentColor_};
}

// --- Painting --------------------------------------------------------------------------

void TRxSpeedButton::syncEnabledState()
{
    if (!isEnabled()) {
        state_ = rbsDisabled;
        dragging_ = false;
    } else if (state_ == rbsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? rbsExclusive : rbsUp;
    }
}

TRxSpeedButton::TRxButtonState TRxSpeedButton::paintState() const
{
    return flat_ && !mouseInControl_ ? rbsInactive : state_;
}

void TRxSpeedButton::paintEvent(QPaintEvent *)
{
    syncEnabledState();
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    // A transparent button leaves its image clear: the parent and the siblings beneath it
    // are already on the screen there.
    image.fill(transparent_ ? QColor(Qt::transparent) : ButtonColours(palette()).face);
    {
        QPainter painter(&image);
        painter.setFont(font());
        paintButton(painter);
    }
    QPainter(this).drawImage(0, 0, image);
}

void TRxSpeedButton::paintButton(QPainter &painter)
{
    const ButtonColours colours(palette());
    const TRxButtonState painted = paintState();
    const bool pressed = state_ == rbsDown || state_ == rbsExclusive;
    QRect client = rect();
    if (painted != rbsInactive || state_ == rbsExclusive) {
        drawFrame(painter, client, pressed);
        client.adjust(1, 1, -1, -1);
    } else {
        client.adjust(2, 2, -2, -2);
    }
    if (state_ == rbsExclusive && !transparent_ && !flat_ && painted != rbsInactive) {
        QImage checker(2, 2, QImage::Format_ARGB32);
        checker.setPixel(0, 0, colours.highlight.rgb());
        checker.setPixel(1, 1, colours.highlight.rgb());
        checker.setPixel(1, 0, colours.face.rgb());
        checker.setPixel(0, 1, colours.face.rgb());
        painter.fillRect(client.adjusted(-1, -1, 1, 1), QBrush(checker));
    }
    if (pressed)
        client.translate(1, 1);

    const TRxButtonState glyphState = grayedInactive_ && isEnabled() ? painted : state_;
    const bool withMark = markDropDown_ && dropDownMenu_;
    const QSize glyphSize = glyph_.isNull() ? QSize(0, 0) : QSize(frameWidth(), glyph_.height());
    const ContentLayout layout = LayoutContent(client, glyphSize, withMark);
    if (!glyph_.isNull()) {
        const StateGlyph &picture = cachedGlyph(glyphState);
        DrawKeyedBitmap(painter, layout.glyphAt.x(), layout.glyphAt.y(), picture.image,
                        TransparentColor::given(picture.transparent));
    }
    drawCaption(painter, layout.textBounds, layout.text);
    if (!withMark)
        return;
    QPoint anchor;
    if (!glyph_.isNull() && layout_ != blGlyphLeft) {
        anchor = {layout.glyphAt.x() + glyphSize.width() + 1, layout.glyphAt.y() + glyphSize.height() / 2};
    } else {
        const QRect &text = layout.textBounds;
        anchor.setX(layout.text.isEmpty() ? (client.left() + client.right() + 1 - 7) / 2 : text.left() + text.width() + 3);
        anchor.setY(text.top() + text.height() / 2);
    }
    drawDropDownMark(painter, anchor);
}

// Rings by style, pressed and flat; after the frame the content shrinks by one more pixel.
void TRxSpeedButton::drawFrame(QPainter &painter, QRect &rect, bool pressed) const
{
    const ButtonColours c(palette());
    const bool newStyle = style_ != bsWin31;
    if (flat_) {
        if (pressed)
            FrameRing(painter, rect, c.windowFrame, c.highlight);
        else
            FrameRing(painter, rect, c.highlight, newStyle ? c.shadow : c.windowFrame);
    } else if (newStyle) {
        if (pressed) {
            FrameRing(painter, rect, c.windowFrame, c.highlight);
            FrameRing(painter, rect, c.shadow, c.face);
        } else {
            FrameRing(painter, rect, c.highlight, c.windowFrame);
            FrameRing(painter, rect, c.face, c.shadow);
        }
    } else {
        FrameRing(painter, rect, c.windowFrame, c.windowFrame);
        if (pressed) {
            const int l = rect.left(), t = rect.top();
            painter.fillRect(QRect(l, t, 1, rect.height()), c.shadow);
            painter.fillRect(QRect(l, t, rect.width(), 1), c.shadow);
            rect.adjust(1, 1, -1, -1);
        } else {
            FrameRing(painter, rect, c.highlight, c.shadow);
        }
    }
}

TRxSpeedButton::ContentLayout TRxSpeedButton::LayoutContent(const QRect &client, QSize glyph, bool withMark) const
{
    const bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    int margin = margin_;
    int spacing = spacing_;
    const int marginUsed = margin != -1 ? margin : 0;
    const int spacingUsed = spacing != -1 ? spacing : 0;

    QSize space = horizontal
        ? QSize(client.width() - glyph.width() - marginUsed - spacingUsed - (withMark ? 9 : 0), client.height())
        : QSize(client.width(), client.height() - glyph.height() - marginUsed - spacingUsed);
    space = space.expandedTo(QSize(0, 0));

    const QFontMetrics metrics(font());
    QString text = caption_.left(255);
    if (!wordWrap_) {
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString &line : lines)
            line = FitTextWidth(line, metrics, space.width());
        text = lines.join(QLatin1Char('\n'));
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
    }
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic | (wordWrap_ ? Qt::TextWordWrap : 0);
    QSize textSize(0, 0);
    if (!text.isEmpty())
        textSize = metrics.boundingRect(QRect(QPoint(0, 0), space), flags, text).size().boundedTo(space);
    const int textWidth = textSize.width();

    if (withMark) {
        if (glyph.width() == 0 || layout_ == blGlyphLeft)
            textSize.rwidth() += 9;
        else
            glyph.rwidth() += 6;
    }

    QPoint glyphAt, textAt;
    if (horizontal) {
        glyphAt.setY(client.height() / 2 - glyph.height() / 2);
        textAt.setY(client.height() / 2 - textSize.height() / 2);
    } else {
        glyphAt.setX(client.width() / 2 - glyph.width() / 2);
        textAt.setX(client.width() / 2 - textSize.width() / 2);
    }
    if (textSize.width() == 0 || glyph.width() == 0)
        spacing = 0;

    const int c = horizontal ? client.width() : client.height();
    const int g = horizontal ? glyph.width() : glyph.height();
    const int t = horizontal ? textSize.width() : textSize.height();
    if (margin == -1 && spacing == -1) {
        margin = spacing = (c - (g + t)) / 3;
    } else if (margin == -1) {
        margin = c / 2 - (g + spacing + t) / 2;
    } else if (spacing == -1) {
        spacing = (c - margin - g) / 2 - t / 2;
    }
    const bool glyphFirst = layout_ == blGlyphLeft || layout_ == blGlyphTop;
    const int glyphAlong = glyphFirst ? margin : c - margin - g;
    const int textAlong = glyphFirst ? margin + g + spacing : glyphAlong - spacing - t;
    (horizontal ? glyphAt.rx() : glyphAt.ry()) = glyphAlong;
    (horizontal ? textAt.rx() : textAt.ry()) = textAlong;

    // The caption keeps its own width; the room grown for the mark stays to its right.
    return {client.topLeft() + glyphAt, QRect(client.topLeft() + textAt, QSize(textWidth, textSize.height())), text};
}

void TRxSpeedButton::drawCaption(QPainter &painter, const QRect &bounds, const QString &text) const
{
    if (text.isEmpty())
        return;
    const int flags = int(alignment_) | Qt::AlignVCenter | Qt::TextShowMnemonic | (wordWrap_ ? Qt::TextWordWrap : 0);
    const ButtonColours colours(palette());
    if (isEnabled()) {
        painter.setPen(colours.text);
        painter.drawText(bounds, flags, text);
        return;
    }
    painter.setPen(colours.highlight);
    painter.drawText(bounds.translated(1, 1), flags, text);
    painter.setPen(colours.shadow);
    painter.drawText(bounds, flags, text);
}

// A downward triangle of 7, 5, 3 and 1 pixels, its widest row one pixel above the anchor.
void TRxSpeedButton::drawDropDownMark(QPainter &painter, QPoint anchor) const
{
    const ButtonColours colours(palette());
    auto triangle = [&](QPoint at, const QColor &colour) {
        for (int row = 0; row < 4; ++row)
            painter.fillRect(QRect(at.x() + row, at.y() - 1 + row, 7 - 2 * row, 1), colour);
    };
    if (isEnabled()) {
        triangle(anchor, colours.text);
        return;
    }
    triangle(anchor + QPoint(1, 1), colours.highlight);
    triangle(anchor, colours.shadow);
}

// --- Mouse -----------------------------------------------------------------------------

// Inside for a press or release: the bottom edge row y = height still counts.
bool TRxSpeedButton::isInside(QPointF pos) const
{
    const int x = qFloor(pos.x()), y = qFloor(pos.y());
    return x >= 0 && x < width() && y >= 0 && y <= height();
}

void TRxSpeedButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        updateMouseInControl(event->globalPosition().toPoint());
        return;
    }
    if (event->button() == Qt::LeftButton)
        press();
}

void TRxSpeedButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && down_ && !menuTracking_)
        emit DblClick();
    mousePressEvent(event);
}

void TRxSpeedButton::press()
{
    if (!isEnabled() || menuTracking_)
        return;
    mouseInControl_ = true;
    if (!down_) {
        state_ = rbsDown;
        update();
    }
    dragging_ = true;
    if (dropDownMenu_) {
        popUpDropDownMenu();
        return;
    }
    if (allowTimer_) {
        if (!repeatTimer_) {
            repeatTimer_ = new QTimer(this);
            repeatTimer_->setObjectName(QStringLiteral("repeatTimer"));
            connect(repeatTimer_, &QTimer::timeout, this, &TRxSpeedButton::repeatTimerExpired);
        }
        repeatTimer_->start(initPause_);
    }
}

// The menu drops at the button's edge; when it closes the press ends without a click, and
// a press that closed the menu over this button does not open it again.
QPoint TRxSpeedButton::MenuPoint() const
{
    if (menuAlignment_ & Qt::AlignHCenter)
        return {width() / 2, height()};
    const bool right = menuAlignment_ & Qt::AlignRight;
    if (menuPosition_ == dmpBottom)
        return {right ? width() + 1 : -1, height()};
    return {right ? -1 : width(), -1};
}

void TRxSpeedButton::popUpDropDownMenu()
{
    menuTracking_ = true;
    QPoint at = mapToGlobal(MenuPoint());
    const int menuWidth = dropDownMenu_->sizeHint().width();
    if (menuAlignment_ & Qt::AlignRight)
        at.rx() -= menuWidth;
    else if (menuAlignment_ & Qt::AlignHCenter)
        at.rx() -= menuWidth / 2;
    QPointer<TRxSpeedButton> self(this);
    dropDownMenu_->exec(at);
    if (!self)
        return;
    finishPress(false);
    QTimer::singleShot(0, this, [this] { menuTracking_ = false; });
}

void TRxSpeedButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging_)
        return;
    const TRxButtonState moved = down_ ? rbsExclusive : isInside(event->position()) ? rbsDown : rbsUp;
    if (moved != state_) {
        state_ = moved;
        update();
    }
}

void TRxSpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        updateMouseInControl(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton || !dragging_)
        return;
    finishPress(isInside(event->position()), event->globalPosition().toPoint());
}

void TRxSpeedButton::finishPress(bool inside, std::optional<QPoint> globalPos)
{
    dragging_ = false;
    if (groupIndex_ == 0) {
        state_ = rbsUp;
        mouseInControl_ = false;
    } else if (inside) {
        SetDown(!down_);
    } else {
        state_ = down_ ? rbsExclusive : rbsUp;
    }
    update();
    QPointer<TRxSpeedButton> self(this);
    if (inside && !menuTracking_)
        DoClick();
    if (!self)
        return;
    updateMouseInControl(globalPos);
    if (repeatTimer_)
        repeatTimer_->stop();
}

void TRxSpeedButton::repeatTimerExpired()
{
    repeatTimer_->setInterval(repeatInterval_);
    if (state_ != rbsDown || !dragging_)
        return;
    try {
        DoClick();
    } catch (...) {
        if (repeatTimer_)
            repeatTimer_->stop();
        throw;
    }
}

void TRxSpeedButton::DoClick()
{
    ClickWithModalResult(*this, modalResult_, [this] { emit Click(); });
}

// --- Mouse in control ------------------------------------------------------------------

void TRxSpeedButton::updateMouseInControl(std::optional<QPoint> globalPos)
{
    const QPoint at = globalPos.value_or(QCursor::pos());
    SetMouseInControl(isEnabled() && isVisible() && QApplication::activeWindow() && QApplication::widgetAt(at) == this);
}

void TRxSpeedButton::SetMouseInControl(bool inside)
{
    if (inside == mouseInControl_)
        return;
    mouseInControl_ = inside;
    if (flat_)
        update();
    if (inside)
        emit MouseEnter();
    else
        emit MouseLeave();
}

void TRxSpeedButton::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    if (isEnabled() && QApplication::activeWindow())
        SetMouseInControl(true);
}

void TRxSpeedButton::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (!dragging_)
        SetMouseInControl(false);
}

void TRxSpeedButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        syncEnabledState();
        update();
        updateMouseInControl();
    } else if (event->type() == QEvent::PaletteChange) {
        clearGlyphCache();
    }
}

void TRxSpeedButton::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updateMouseInControl();
}

bool TRxSpeedButton::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        if (isEnabled())
            DoClick();
        return true;
    }
    if (event->type() == QEvent::ToolTip && !showHint_)
        return true;
    return QWidget::event(event);
}

} // namespace vek
