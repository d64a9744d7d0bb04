#include "components/CurrencyEdit.h"

#include "components/DialogKeys.h"
#include "core/Currency.h"
#include "core/MessageBoxes.h"
#include "core/NumberFormat.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QStyleOptionFrame>
#include <QTimer>

#include <cmath>

namespace vek {
namespace {

const QChar DecimalSeparator = u'.';
const QChar ThousandsSeparator = u',';

// The edit text as a plain number text: blanks trimmed, thousands separators removed;
// empty reads as "0" and a lone "-" as "-0".
QString NormalizeNumberText(const QString &text)
{
    QString result = text.trimmed();
    result.remove(ThousandsSeparator);
    if (result.isEmpty())
        return QStringLiteral("0");
    if (result == u"-")
        return QStringLiteral("-0");
    return result;
}

// Whether Qt's line edit would insert the key's text: a printable character, unless only
// Ctrl (or Ctrl and Shift) is held; Alt, AltGr, Meta and the keypad type as plain keys do.
bool TypesText(const QKeyEvent &event)
{
    const QString text = event.text();
    if (text.isEmpty())
        return false;
    const QChar c = text.front();
    if (c.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    return c.isPrint() || c.category() == QChar::Other_PrivateUse || c.isSurrogate();
}

QString NotANumberMessage(const QString &text)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

// The style of the box: the application's, with Qt's own caret of no width, since the box
// draws its own.
class OwnCaretStyle : public QProxyStyle {
public:
    OwnCaretStyle() : QProxyStyle(QApplication::style()->name()) {}
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        return metric == PM_TextCursorWidth ? 0 : QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// The height of the smaller of the system font and font.
int SmallerFontHeight(const QFont &font)
{
    return std::min(QFontMetrics(QApplication::font()).height(), QFontMetrics(font).height());
}

// The system's border height, of which a box keeps four beside its text.
constexpr int BorderHeight = 1;

} // namespace

TCurrencyEdit::TCurrencyEdit(QWidget *parent)
    : QLineEdit(parent), displayFormat_(CurrencyPattern(QStringLiteral("₩"), 0, 0))
{
    auto *caretStyle = new OwnCaretStyle;
    caretStyle->setParent(this);
    setStyle(caretStyle);
    caretBlink_.callOnTimeout(this, [this] {
        caretOn_ = !caretOn_;
        update(CaretRect());
    });
    UpdateMinimumHeight();
    resize(121, 21);
    setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    connect(this, &QLineEdit::textChanged, this, &TCurrencyEdit::OnTextChanged);
    connect(this, &QLineEdit::cursorPositionChanged, this, &TCurrencyEdit::RestartCaret);
    UpdateEditAlignment();
    RewriteText(true);
}

std::optional<double> TCurrencyEdit::ReadNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    const double value = text.toDouble();
    if (!Currency::fits(value))
        return std::nullopt; // "1E300": no roll-up could hold it
    return value;
}

double TCurrencyEdit::ParseText(const QString &text) const
{
    const QString number = NormalizeNumberText(text);
    const std::optional<double> value = ReadNumber(number);
    if (!value)
        throw NumberError(NotANumberMessage(number).toStdString());
    return *value;
}

double TCurrencyEdit::CheckValue(double value, bool raise) const
{
    double result = std::isnan(value) ? 0 : std::clamp(value, -Currency::Limit, Currency::Limit);
    const double checked = result;
    if (maxValue_ > minValue_)
        result = std::clamp(result, minValue_, maxValue_);
    else if (maxValue_ < minValue_ && maxValue_ == 0)
        result = std::max(result, minValue_);
    else if (maxValue_ < minValue_ && minValue_ == 0)
        result = std::min(result, maxValue_);
    if (raise && result != checked) {
        throw NumberError(QString::asprintf("Value must be between %.*f and %.*f", decimalPlaces_, minValue_,
                                            decimalPlaces_, maxValue_).toStdString());
    }
    return result;
}

double TCurrencyEdit::Value() const
{
    const std::optional<double> value = ReadNumber(NormalizeNumberText(text()));
    value_ = value ? CheckValue(*value, false) : minValue_;
    return value_;
}

bool TCurrencyEdit::HasValidText() const
{
    return ReadNumber(NormalizeNumberText(text())).has_value();
}

void TCurrencyEdit::SetValue(double value)
{
    value_ = CheckValue(value, false);
    RewriteText(false);
    update();
}

void TCurrencyEdit::SetText(const QString &text)
{
    value_ = CheckValue(ParseText(text), false);
    RewriteText(false);
    update();
}

QString TCurrencyEdit::EditText() const
{
    if (value_ == 0 && zeroEmpty_)
        return QString();
    const QString pattern = decimalPlaces_ == 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(decimalPlaces_, u'#');
    return FormatFloat(pattern, value_);
}

QString TCurrencyEdit::DisplayText() const
{
    return FormatFloat(displayFormat_, value_);
}

void TCurrencyEdit::RewriteText(bool formatting)
{
    formatting_ = formatting;
    setText(EditText());
    formatting_ = false;
}

void TCurrencyEdit::SetDisplayFormat(const QString &format)
{
    if (displayFormat_ != format) {
        displayFormat_ = format;
        update();
    }
}

void TCurrencyEdit::SetDecimalPlaces(int places)
{
    if (decimalPlaces_ != places) {
        decimalPlaces_ = std::max(0, places);
        RewriteText(false);
        update();
    }
}

void TCurrencyEdit::SetZeroEmpty(bool zeroEmpty)
{
    if (zeroEmpty_ != zeroEmpty) {
        zeroEmpty_ = zeroEmpty;
        RewriteText(false);
    }
}

void TCurrencyEdit::SetMinValue(double value)
{
    minValue_ = value;
    SetValue(value_);
}

void TCurrencyEdit::SetMaxValue(double value)
{
    maxValue_ = value;
    SetValue(value_);
}

void TCurrencyEdit::SetAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    UpdateEditAlignment();
    update();
}

void TCurrencyEdit::SetFormatOnEditing(bool format)
{
    formatOnEditing_ = format;
    UpdateEditAlignment();
}

void TCurrencyEdit::UpdateEditAlignment()
{
    setAlignment((formatOnEditing_ ? alignment_ : Qt::AlignLeft) | Qt::AlignTop);
}

bool TCurrencyEdit::AcceptsText(const QString &candidate) const
{
    const QString number = NormalizeNumberText(candidate);
    const qsizetype point = number.indexOf(DecimalSeparator);
    if (point >= 0) {
        // Decimals are the digits between the point and an exponent, if any.
        const QRegularExpressionMatch exponent = QRegularExpression(QStringLiteral("[eE]")).match(number, point);
        const qsizetype end = exponent.hasMatch() ? exponent.capturedStart() : number.size();
        if (end - point - 1 > decimalPlaces_)
            return false;
    }
    const std::optional<double> value = ReadNumber(number);
    if (!value)
        return false;
    return !(minValue_ >= 0 && maxValue_ > 0 && *value < 0);
}

QString TCurrencyEdit::WithSelectionReplaced(const QString &insert) const
{
    QString candidate = text();
    if (hasSelectedText())
        return candidate.replace(selectionStart(), selectedText().size(), insert);
    return candidate.insert(cursorPosition(), insert);
}

void TCurrencyEdit::Reject()
{
    if (beepOnError_)
        QApplication::beep();
    emit inputRejected();
}

void TCurrencyEdit::TypeChar(QChar key)
{
    if ((key == u',' || key == u'.') && key != ThousandsSeparator)
        key = DecimalSeparator;
    const bool enter = key == u'\r';
    if (OnKeyPress)
        OnKeyPress(*this, key);
    if (key.isNull() || enter) // Enter is never inserted, whatever the handler made of it
        return;
    if (key == QChar(27)) {
        RewriteText(false);
        selectAll();
        return;
    }
    if (key.unicode() < 32 || isReadOnly())
        return;
    if (!AcceptsText(WithSelectionReplaced(QString(key)))) {
        Reject();
        return;
    }
    insert(QString(key));
}

void TCurrencyEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        return;
    }
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        // Enter and Esc are the form's first (default and cancel buttons), then the box's.
        OfferDialogKey(*this, key);
        TypeChar(key == Qt::Key_Escape ? QChar(27) : QChar(u'\r'));
        return;
    }
    const QString typed = event->text();
    if (TypesText(*event)) {
        for (QChar c : typed)
            TypeChar(c);
        return;
    }
    // Backspace, Delete, moves and the like: the handler may drop them, else the edit acts.
    if (!typed.isEmpty() && OnKeyPress) {
        QChar control = typed[0];
        OnKeyPress(*this, control);
        if (control.isNull())
            return;
    }
    QLineEdit::keyPressEvent(event);
}

QVariant TCurrencyEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    return query == Qt::ImEnabled ? QVariant(false) : QLineEdit::inputMethodQuery(query);
}

void TCurrencyEdit::inputMethodEvent(QInputMethodEvent *event)
{
    // An input method that composes all the same shows nothing; a commit enters like typed
    // text.
    const QString commit = event->commitString();
    QInputMethodEvent filtered;
    if (!commit.isEmpty()) {
        if (isReadOnly() || !AcceptsText(WithSelectionReplaced(commit)))
            Reject();
        else
            filtered.setCommitString(commit);
    }
    QLineEdit::inputMethodEvent(&filtered);
}

void TCurrencyEdit::CheckedChange(const std::function<void()> &change)
{
    const QString before = text();
    formatting_ = true;
    change();
    formatting_ = false;
    if (text() == before)
        return;
    if (AcceptsText(text())) {
        OnTextChanged();
        return;
    }
    formatting_ = true;
    setText(before);
    formatting_ = false;
    selectAll();
    setFocus();
    Reject();
}

void TCurrencyEdit::Paste()
{
    if (!isReadOnly())
        CheckedChange([this] { QLineEdit::paste(); });
}

QMenu *TCurrencyEdit::CreateContextMenu()
{
    QMenu *menu = createStandardContextMenu();
    for (QAction *action : menu->actions()) {
        if (action->menu()) {
            menu->removeAction(action); // control-character inserts: never into a number
        } else if (action->text().startsWith(QLineEdit::tr("&Paste"))) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &TCurrencyEdit::Paste);
        }
    }
    return menu;
}

void TCurrencyEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TCurrencyEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The middle button pastes the selection on X11.
    CheckedChange([&] { QLineEdit::mouseReleaseEvent(event); });
}

void TCurrencyEdit::dropEvent(QDropEvent *event)
{
    CheckedChange([&] { QLineEdit::dropEvent(event); });
}

void TCurrencyEdit::OnTextChanged()
{
    if (formatting_)
        return;
    if (formatOnEditing_ && focused_)
        Reformat();
    emit Change();
}

void TCurrencyEdit::Reformat()
{
    formatting_ = true;
    const qsizetype length = text().size();
    const int caret = cursorPosition();
    QString number = text();
    if (!number.isEmpty() && number != u"-")
        number = NormalizeNumberText(number);
    if (displayFormat_.contains(ThousandsSeparator)) {
        const qsizetype signs = number.startsWith(u'-') || number.startsWith(u'+') ? 1 : 0;
        qsizetype end = signs;
        while (end < number.size() && number[end] != DecimalSeparator && number[end].toUpper() != u'E')
            ++end;
        for (qsizetype at = end - 3; at > signs; at -= 3)
            number.insert(at, ThousandsSeparator);
    }
    setText(number);
    if (hasFocus())
        setCursorPosition(caret + int(number.size() - length));
    formatting_ = false;
}

QRect TCurrencyEdit::CaretRect() const
{
    // Qt's cursor rectangle starts 5 pixels left of the cursor position.
    const QRect cursor = cursorRect();
    return QRect(cursor.left() + 5, cursor.top(), font().bold() ? 2 : 1, SmallerFontHeight(font()));
}

void TCurrencyEdit::RestartCaret()
{
    caretOn_ = true;
    const int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0)
        caretBlink_.start(flash / 2);
    update(CaretRect());
}

void TCurrencyEdit::UpdateMinimumHeight()
{
    setMinimumHeight(SmallerFontHeight(font()) + 4 * BorderHeight + 1);
}

void TCurrencyEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        UpdateMinimumHeight();
}

void TCurrencyEdit::focusInEvent(QFocusEvent *event)
{
    // The edit's text stands where the box paints it: a borderless box has no top margin.
    setTextMargins(0, hasFrame() ? 0 : -1, 0, 0);
    QLineEdit::focusInEvent(event);
    RestartCaret();
    if (!focused_) {
        focused_ = true;
        RewriteText(true);
        if (formatOnEditing_)
            Reformat();
        if (event->reason() != Qt::MouseFocusReason)
            selectAll();
    }
    update();
}

void TCurrencyEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    caretBlink_.stop();
    caretOn_ = false;
    update();
    // Another window or a popup taking the focus is no exit from the box.
    if (!focused_ || event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    QString error;
    try {
        const double value = ParseText(text());
        if (checkOnExit_)
            CheckValue(value, true);
        value_ = CheckValue(value, false);
    } catch (const NumberError &failure) {
        error = QString::fromUtf8(failure.what());
    }
    if (!error.isEmpty()) {
        // The box keeps the focus and its text.
        selectAll();
        QTimer::singleShot(0, this, [this, error] {
            setFocus(Qt::OtherFocusReason);
            selectAll();
            PresentMessage({MessageKind::Error, QGuiApplication::applicationDisplayName(), error});
        });
        return;
    }
    focused_ = false;
    RewriteText(true);
    setCursorPosition(0);
    update();
    emit Exit();
}

void TCurrencyEdit::paintEvent(QPaintEvent *event)
{
    if (focused_) {
        QLineEdit::paintEvent(event);
        if (hasFocus() && caretOn_)
            QPainter(this).fillRect(CaretRect(), palette().color(QPalette::Text));
        return;
    }
    // The box's own Enabled decides its look: a disabled parent panel does not grey it.
    const bool enabled = !testAttribute(Qt::WA_ForceDisabled);
    QPainter canvas(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    option.palette.setCurrentColorGroup(enabled ? QPalette::Active : QPalette::Disabled);
    option.state.setFlag(QStyle::State_Enabled, enabled);
    option.state &= ~QStyle::State_HasFocus;
    const QColor background = option.palette.color(QPalette::Base);
    if (hasFrame())
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &canvas, this);
    else
        canvas.fillRect(rect(), background);

    QColor ink = option.palette.color(QPalette::Active, QPalette::Text);
    // The system's grey text, not the box's own: forms set the box's text colour for every state.
    const QColor grey = QApplication::palette().color(QPalette::Disabled, QPalette::Text);
    if (!enabled && background != grey)
        ink = grey;
    // The text sits where the edit control puts it while focused: inside its margins of 2
    // pixels left and right and 1 at the bottom, and 1 at the top with a border, none
    // without one.
    const QRect client = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QRect contents = client.adjusted(2, hasFrame() ? 1 : 0, -2, -1);
    const QString text = DisplayText();
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(text);
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment_);
    int x = contents.left();
    if (align & Qt::AlignRight)
        x = contents.right() + 1 - width - 2;
    else if (align & Qt::AlignHCenter)
        x = client.left() + (client.width() - width) / 2;
    canvas.setClipRect(rect());
    canvas.setFont(font());
    canvas.setPen(ink);
    canvas.drawText(QPoint(x, contents.top() + metrics.ascent()), text);
}

} // namespace vek
