#include "components/BitCheckBox.h"

#include "components/DrawingRoutines.h"
#include "components/ResourceBitmaps.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace vek {

namespace {

const char *const PictureNames[3] = {"UNCHECKED", "CHECKED", "GRAYED"};

} // namespace

TBitCheckBox::TBitCheckBox(QWidget *parent) : QWidget(parent), color_(palette().color(QPalette::Button))
{
    resize(97, 17);
    setFocusPolicy(Qt::StrongFocus);
    for (TCheckBoxState state : {cbUnchecked, cbChecked, cbGrayed})
        SetGlyph(state, QImage());
}

void TBitCheckBox::SetState(TCheckBoxState state)
{
    if (state == state_)
        return;
    state_ = state;
    update();
}

void TBitCheckBox::SetAlignment(TLeftRight alignment)
{
    alignment_ = alignment;
    update();
}

void TBitCheckBox::SetCaption(const QString &caption)
{
    caption_ = caption;
    if (shortcut_)
        releaseShortcut(shortcut_);
    const QKeySequence accelerator = QKeySequence::mnemonic(caption);
    shortcut_ = accelerator.isEmpty() ? 0 : grabShortcut(accelerator);
    update();
}

void TBitCheckBox::SetColor(const QColor &color)
{
    color_ = color;
    update();
}

void TBitCheckBox::SetCtl3D(bool ctl3D)
{
    ctl3D_ = ctl3D;
    update();
}

void TBitCheckBox::SetGlyph(TCheckBoxState state, const QImage &picture)
{
    pictures_[state] = picture.isNull() ? ResourceBitmap(QString::fromLatin1(PictureNames[state])) : picture;
    const QImage &p = pictures_[state];
    if (p.height() > 0 && p.width() % p.height() == 0)
        cells_[state] = std::clamp(p.width() / p.height(), 1, 2);
    update();
}

void TBitCheckBox::SetNumGlyphs(TCheckBoxState state, int cells)
{
    cells_[state] = std::clamp(cells, 1, 2);
    update();
}

void TBitCheckBox::Toggle()
{
    switch (state_) {
    case cbUnchecked:
        SetState(allowGrayed_ ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    }
}

int TBitCheckBox::cellWidth() const
{
    return pictures_[state_].width() / cells_[state_];
}

QRect TBitCheckBox::CaptionRect() const
{
    const QFontMetrics metrics(font());
    int textWidth = metrics.horizontalAdvance(caption_);
    if (caption_.contains(QLatin1Char('&')))
        textWidth -= metrics.horizontalAdvance(QLatin1Char('&'));
    const int left = alignment_ == taRightJustify ? cellWidth() + 4 : 1;
    const int top = (height() - metrics.height()) / 2 - 2;
    return QRect(QPoint(left, top), QPoint(left + textWidth, top + metrics.height() + 3)).intersected(rect());
}

void TBitCheckBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    const QRect caption = CaptionRect();
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    painter.setFont(font());
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::WindowText));
    } else {
        if (ctl3D_) {
            painter.setPen(palette().color(QPalette::Light));
            painter.drawText(caption.translated(1, 1), flags, caption_);
        }
        painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
    }
    painter.drawText(caption, flags, caption_);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = caption;
        focus.backgroundColor = color_;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
    const QImage &picture = pictures_[state_];
    const int width = cellWidth();
    const int cell = !isEnabled() && cells_[state_] == 2 ? 1 : 0;
    const int left = alignment_ == taRightJustify ? 0 : this->width() - width;
    const QImage image = picture.copy(cell * width, 0, width, picture.height());
    DrawKeyedBitmap(painter, left, (height() - picture.height()) / 2, image, TransparentColor::given(picture.pixel(0, picture.height() - 1)));
}

void TBitCheckBox::clicked()
{
    Toggle();
    emit Click();
    if (isVisible() && isEnabled())
        setFocus(Qt::MouseFocusReason);
}

void TBitCheckBox::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void TBitCheckBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        clicked();
}

void TBitCheckBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat())
        clicked();
    else
        QWidget::keyPressEvent(event);
}

bool TBitCheckBox::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent *>(event)->shortcutId() == shortcut_) {
        // The accelerator focuses the box and, once it has the focus, toggles it without a click.
        if (isEnabled() && isVisible()) {
            setFocus(Qt::ShortcutFocusReason);
            if (hasFocus())
                Toggle();
        }
        return true;
    }
    return QWidget::event(event);
}

void TBitCheckBox::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    update();
}

} // namespace vek
