#pragma once

#include "core/Currency.h"

#include <QLineEdit>
#include <QTimer>

#include <functional>
#include <optional>

class QMenu;

namespace vek {

// The one-line box for money amounts, quantities and percentages. It holds Value and two
// texts for it: the edit text, plain digits the user edits while the box has the focus,
// and the display text (Value by DisplayFormat) that the box paints while it has not.
// Every way text can enter (typed keys, pastes by key, menu or middle button, drops,
// input-method commits) is checked so that the text always reads as a number with at
// most DecimalPlaces decimals that a Currency can hold; a refused entry beeps when
// BeepOnError is on and emits inputRejected(). The box takes no input method: keys reach
// it as typed, so a Korean letter is refused at once like any other non-digit and no
// composition ever shows. Number texts use '.' and ',' whatever the locale says.
class TCurrencyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TCurrencyEdit(QWidget *parent = nullptr);

    // Re-reads the edit text, so the number read is the one the box shows (a written value
    // comes back rounded to DecimalPlaces); a text that does not convert gives MinValue
    // (HasValidText tells).
    double Value() const;
    void SetValue(double value);
    // Whether the edit text reads as a number the box can hold.
    bool HasValidText() const;

    QString DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString &format);
    int DecimalPlaces() const { return decimalPlaces_; }
    void SetDecimalPlaces(int places);
    bool ZeroEmpty() const { return zeroEmpty_; }
    void SetZeroEmpty(bool zeroEmpty);
    double MinValue() const { return minValue_; }
    void SetMinValue(double value);
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double value);
    Qt::Alignment Alignment() const { return alignment_; }
    void SetAlignment(Qt::Alignment alignment);
    bool BeepOnError() const { return beepOnError_; }
    void SetBeepOnError(bool beep) { beepOnError_ = beep; }
    bool FormatOnEditing() const { return formatOnEditing_; }
    void SetFormatOnEditing(bool format);
    bool CheckOnExit() const { return checkOnExit_; }
    void SetCheckOnExit(bool check) { checkOnExit_ = check; }
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }

    QString Text() const { return text(); }
    // Parses text into Value; throws NumberError when it is not a number.
    void SetText(const QString &text);
    void Clear() { SetText(QString()); }

    // The text painted while the box has not the focus.
    QString DisplayText() const;
    // Pastes the clipboard through the check.
    void Paste();
    // The context menu, its Paste going through the check.
    QMenu *CreateContextMenu();

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

    // The form's key-press handler: may change the key or discard it (set it to 0).
    std::function<void(TCurrencyEdit &, QChar &)> OnKeyPress;

signals:
    void Change();
    void Exit();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QString EditText() const;
    double CheckValue(double value, bool raise) const;
    // The number text would read as, or nothing when it does not convert or does not fit.
    static std::optional<double> ReadNumber(const QString &text);
    double ParseText(const QString &text) const;
    bool AcceptsText(const QString &candidate) const;
    QString WithSelectionReplaced(const QString &insert) const;
    void TypeChar(QChar key);
    void Reject();
    // Runs change, then puts the old text back when the result is refused.
    void CheckedChange(const std::function<void()> &change);
    void RewriteText(bool formatting);
    void OnTextChanged();
    void Reformat();
    void UpdateEditAlignment();
    // The box's own caret: one pixel wide (two for a bold font), as high as the smaller of
    // the system font's and the box's font's height, at Qt's cursor position.
    QRect CaretRect() const;
    void RestartCaret();
    // A box is never lower than the smaller font height, four border heights and one.
    void UpdateMinimumHeight();

    mutable double value_ = 0;
    QString displayFormat_;
    int decimalPlaces_ = 2;
    bool zeroEmpty_ = true;
    double minValue_ = 0;
    double maxValue_ = 0;
    Qt::Alignment alignment_ = Qt::AlignRight;
    bool beepOnError_ = true;
    bool formatOnEditing_ = false;
    bool checkOnExit_ = false;
    bool focused_ = false;
    bool formatting_ = false;
    QTimer caretBlink_;
    bool caretOn_ = false;
};

} // namespace vek
