#include "components/CurrencyEdit.h"
#include "components/DialogKeys.h"
#include "tests/components/Pixels.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestRegistry.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

using namespace vek;

namespace {

// The box with its drop handler in reach: a drop sent as an event needs a drag in progress.
class DropTarget : public TCurrencyEdit {
public:
    using TCurrencyEdit::dropEvent;
};

// A dialog with the box, a second box to move the focus to, and a default OK button.
struct Form {
    QDialog dialog;
    DropTarget *edit = new DropTarget;
    QLineEdit *other = new QLineEdit;
    QPushButton *ok = new QPushButton(QStringLiteral("OK"));

    Form()
    {
        auto *layout = new QVBoxLayout(&dialog);
        layout->addWidget(edit);
        layout->addWidget(other);
        layout->addWidget(ok);
        ok->setDefault(true);
        ok->setFocusPolicy(Qt::NoFocus);
        dialog.show();
        dialog.activateWindow();
    }

    bool focusBox()
    {
        if (!QTest::qWaitForWindowActive(&dialog))
            return false;
        edit->setFocus(Qt::TabFocusReason);
        return edit->hasFocus();
    }

    void leaveBox() { other->setFocus(Qt::TabFocusReason); }
};

// A caret that does not blink while it lives, so that a grab always shows it.
class SteadyCaret {
public:
    SteadyCaret() : flash_(QApplication::cursorFlashTime()) { QApplication::setCursorFlashTime(0); }
    ~SteadyCaret() { QApplication::setCursorFlashTime(flash_); }

private:
    int flash_;
};

// Types text key by key, any letter included.
void Type(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void Commit(QWidget *widget, const QString &preedit, const QString &commit)
{
    QInputMethodEvent event(preedit, {});
    event.setCommitString(commit);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

class TestCurrencyEdit : public QObject {
    Q_OBJECT
private slots:
    void typedKeys_data()
    {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("minValue");
        QTest::addColumn<double>("maxValue");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("cursor"); // -1: all selected
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("refused");
        QTest::newRow("digits") << 2 << 0.0 << 0.0 << "" << 0 << "1234.5" << "1234.5" << 0;
        QTest::newRow("third decimal") << 2 << 0.0 << 0.0 << "1.25" << 4 << "3" << "1.25" << 1;
        QTest::newRow("trailing point with no decimals") << 0 << 0.0 << 0.0 << "5" << 1 << "." << "5." << 0;
        QTest::newRow("no digit after it") << 0 << 0.0 << 0.0 << "5." << 2 << "1" << "5." << 1;
        QTest::newRow("comma") << 2 << 0.0 << 0.0 << "1" << 1 << ",2" << "1,2" << 0;
        QTest::newRow("minus into empty") << 2 << 0.0 << 0.0 << "" << 0 << "-" << "-" << 0;
        QTest::newRow("lone plus") << 2 << 0.0 << 0.0 << "" << 0 << "+" << "" << 1;
        QTest::newRow("second point") << 2 << 0.0 << 0.0 << "1.2" << 3 << "." << "1.2" << 1;
        QTest::newRow("letter") << 2 << 0.0 << 0.0 << "12" << 2 << "a" << "12" << 1;
        QTest::newRow("hangul") << 2 << 0.0 << 0.0 << "12" << 2 << "가" << "12" << 1;
        QTest::newRow("blank, trimmed by the check") << 2 << 0.0 << 0.0 << "12" << 2 << " " << "12 " << 0;
        QTest::newRow("exponent a currency holds") << 2 << 0.0 << 0.0 << "114" << 1 << "E" << "1E14" << 0;
        QTest::newRow("exponent beyond a currency") << 2 << 0.0 << 0.0 << "1300" << 1 << "E" << "1300" << 1;
        QTest::newRow("fifteen whole digits") << 2 << 0.0 << 0.0 << "92233720368547" << 14 << "70" << "922337203685477" << 1;
        QTest::newRow("decimals before an exponent") << 2 << 0.0 << 0.0 << "1.253" << 4 << "E" << "1.25E3" << 0;
        QTest::newRow("three decimals before an exponent") << 2 << 0.0 << 0.0 << "1.2534" << 5 << "E" << "1.2534" << 1;
        QTest::newRow("negative in a positive range") << 2 << 0.0 << 100.0 << "" << 0 << "-5" << "-" << 1;
        QTest::newRow("negative with lower bound only") << 2 << -10.0 << 0.0 << "" << 0 << "-5" << "-5" << 0;
        QTest::newRow("selection replaced") << 2 << 0.0 << 0.0 << "123" << -1 << "4" << "4" << 0;
    }
    void typedKeys()
    {
        QFETCH(int, decimals);
        QFETCH(double, minValue);
        QFETCH(double, maxValue);
        QFETCH(QString, start);
        QFETCH(int, cursor);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, refused);
        Form form;
        form.edit->SetDecimalPlaces(decimals);
        form.edit->SetMinValue(minValue);
        form.edit->SetMaxValue(maxValue);
        QVERIFY(form.focusBox());
        form.edit->setText(start);
        if (cursor < 0)
            form.edit->selectAll();
        else
            form.edit->setCursorPosition(cursor);
        QSignalSpy rejections(form.edit, &QLineEdit::inputRejected);
        Type(form.edit, keys);
        QCOMPARE(form.edit->text(), text);
        QCOMPARE(rejections.count(), refused);
    }

    void commaIsIgnoredByTheValue()
    {
        Form form;
        QVERIFY(form.focusBox());
        QTest::keyClicks(form.edit, QStringLiteral("1,2"));
        QCOMPARE(form.edit->Value(), 12.0); // read without leaving the box
        form.leaveBox();
        QCOMPARE(form.edit->Value(), 12.0);
    }

    // Esc is offered to the form, whose cancel button acts when it has one; a form
    // without one stays open. Then the box restores its text.
    void escapeRestoresTheStoredValue_data()
    {
        QTest::addColumn<bool>("withCancel");
        QTest::newRow("form without a cancel button") << false;
        QTest::newRow("form with a cancel button") << true;
    }
    void escapeRestoresTheStoredValue()
    {
        QFETCH(bool, withCancel);
        Form form;
        auto *cancel = new QPushButton(QStringLiteral("취소"), &form.dialog);
        cancel->setVisible(withCancel);
        MarkCancelButton(*cancel);
        form.edit->SetValue(12.5);
        QVERIFY(form.focusBox());
        form.edit->setCursorPosition(4);
        QTest::keyClicks(form.edit, QStringLiteral("3"));
        QCOMPARE(form.edit->text(), QStringLiteral("12.53"));
        QSignalSpy rejected(&form.dialog, &QDialog::rejected);
        QSignalSpy cancelled(cancel, &QPushButton::clicked);
        QTest::keyClick(form.edit, Qt::Key_Escape);
        QCOMPARE(form.edit->text(), QStringLiteral("12.5"));
        QCOMPARE(form.edit->selectedText(), QStringLiteral("12.5"));
        QCOMPARE(cancelled.count(), withCancel ? 1 : 0);
        QCOMPARE(rejected.count(), 0);
        QVERIFY(form.dialog.isVisible());
    }

    void enterGoesToTheFormAndIsNeverInserted()
    {
        Form form;
        QVERIFY(form.focusBox());
        QTest::keyClicks(form.edit, QStringLiteral("7"));
        QSignalSpy clicked(form.ok, &QPushButton::clicked);
        QTest::keyClick(form.edit, Qt::Key_Return);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(form.edit->text(), QStringLiteral("7"));
    }

    void keysWithModifiersAreChecked_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::newRow("alt letter") << int(Qt::Key_A) << "a" << int(Qt::AltModifier) << "12";
        QTest::newRow("altgr letter") << int(Qt::Key_A) << "a" << int(Qt::ControlModifier | Qt::AltModifier) << "12";
        QTest::newRow("meta letter") << int(Qt::Key_A) << "a" << int(Qt::MetaModifier) << "12";
        QTest::newRow("altgr hangul") << int(Qt::Key_unknown) << "가" << int(Qt::ControlModifier | Qt::AltModifier)
                                      << "12";
        QTest::newRow("keypad digit") << int(Qt::Key_5) << "5" << int(Qt::KeypadModifier) << "125";
        QTest::newRow("alt digit, as Qt types it") << int(Qt::Key_5) << "5" << int(Qt::AltModifier) << "125";
    }
    void keysWithModifiersAreChecked()
    {
        QFETCH(int, key);
        QFETCH(QString, typed);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        Form form;
        form.edit->SetValue(12);
        QVERIFY(form.focusBox());
        form.edit->setCursorPosition(2);
        QTest::sendKeyEvent(QTest::Click, form.edit, Qt::Key(key), typed, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(form.edit->text(), text);
    }

    void deleteKeyDeletes()
    {
        // X11 gives the Delete key the text "\x7f": it edits, it is no typed character.
        Form form;
        form.edit->SetValue(12);
        QVERIFY(form.focusBox());
        form.edit->setCursorPosition(0);
        QSignalSpy rejections(form.edit, &QLineEdit::inputRejected);
        QTest::sendKeyEvent(QTest::Click, form.edit, Qt::Key_Delete, QString(QChar(0x7f)), Qt::NoModifier);
        QCOMPARE(form.edit->text(), QStringLiteral("2"));
        QCOMPARE(rejections.count(), 0);
    }

    void enterChangedByTheHandlerIsStillDiscarded()
    {
        Form form;
        form.edit->OnKeyPress = [](TCurrencyEdit &, QChar &key) {
            if (key == u'\r')
                key = u'5';
        };
        QVERIFY(form.focusBox());
        QTest::keyClicks(form.edit, QStringLiteral("7"));
        QTest::keyClick(form.edit, Qt::Key_Return);
        QCOMPARE(form.edit->text(), QStringLiteral("7"));
    }

    void keyPressHandlerMayChangeOrDropKeys()
    {
        Form form;
        form.edit->OnKeyPress = [](TCurrencyEdit &, QChar &key) {
            if (key == u'x')
                key = u'9';
            else if (key == u'5')
                key = QChar();
        };
        QVERIFY(form.focusBox());
        QTest::keyClicks(form.edit, QStringLiteral("1x5"));
        QCOMPARE(form.edit->text(), QStringLiteral("19"));
    }

    void everyWayInIsChecked_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("incoming");
        QTest::addColumn<QString>("text");
        const QStringList ways{"ctrl+v", "menu", "drop", "input method"};
        for (const QString &way : ways) {
            const QByteArray name = way.toUtf8();
            QTest::newRow(name + " number") << way << "45.5" << "1245.5";
            QTest::newRow(name + " letters") << way << "4a" << "12";
            QTest::newRow(name + " hangul") << way << "한" << "12";
            QTest::newRow(name + " beyond a currency") << way << "E300" << "12";
            QTest::newRow(name + " too many decimals") << way << ".125" << "12";
        }
    }
    void everyWayInIsChecked()
    {
        QFETCH(QString, way);
        QFETCH(QString, incoming);
        QFETCH(QString, text);
        Form form;
        form.edit->SetValue(12);
        QVERIFY(form.focusBox());
        form.edit->setCursorPosition(2);
        QSignalSpy rejections(form.edit, &QLineEdit::inputRejected);
        QSignalSpy changes(form.edit, &TCurrencyEdit::Change);
        if (way == u"input method") {
            Commit(form.edit, QString(), incoming);
        } else if (way == u"drop") {
            QMimeData data;
            data.setText(incoming);
            const QPoint end(form.edit->width() - 3, form.edit->height() / 2);
            QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, {});
            form.edit->dropEvent(&drop);
        } else {
            QApplication::clipboard()->setText(incoming);
            if (way == u"ctrl+v") {
                QTest::keySequence(form.edit, QKeySequence::Paste);
            } else {
                std::unique_ptr<QMenu> menu(form.edit->CreateContextMenu());
                const QList<QAction *> actions = menu->actions();
                const auto paste = std::find_if(actions.begin(), actions.end(),
                                                [](QAction *a) { return a->text().contains(QStringLiteral("Paste")); });
                QVERIFY(paste != actions.end());
                (*paste)->trigger();
            }
        }
        QCOMPARE(form.edit->text(), text);
        QCOMPARE(rejections.count(), text == u"12" ? 1 : 0);
        QCOMPARE(changes.count(), text == u"12" ? 0 : 1);
    }

    void compositionNeverShows()
    {
        Form form;
        form.edit->SetValue(12);
        QVERIFY(form.focusBox());
        // No input method composes here, whatever the box's read-only state went through:
        // Korean keys come as the letters they carry and are refused like them.
        form.edit->SetReadOnly(true);
        form.edit->SetReadOnly(false);
        QInputMethodQueryEvent asked(Qt::ImEnabled);
        QCoreApplication::sendEvent(form.edit, &asked);
        QCOMPARE(asked.value(Qt::ImEnabled), QVariant(false));
        // An input method that composes all the same shows nothing.
        Commit(form.edit, QStringLiteral("ㅎ"), QString());
        Commit(form.edit, QStringLiteral("하"), QString());
        QCOMPARE(form.edit->text(), QStringLiteral("12"));
        QCOMPARE(form.edit->inputMethodQuery(Qt::ImHints).toInt() & Qt::ImhFormattedNumbersOnly,
                 int(Qt::ImhFormattedNumbersOnly));
    }

    void readOnlyTakesNothing()
    {
        Form form;
        form.edit->SetValue(12);
        form.edit->SetReadOnly(true);
        QVERIFY(form.focusBox());
        form.edit->setCursorPosition(2);
        QTest::keyClicks(form.edit, QStringLiteral("3"));
        QApplication::clipboard()->setText(QStringLiteral("4"));
        form.edit->Paste();
        Commit(form.edit, QString(), QStringLiteral("5"));
        QCOMPARE(form.edit->text(), QStringLiteral("12"));
    }

    void clamping_data()
    {
        QTest::addColumn<double>("minValue");
        QTest::addColumn<double>("maxValue");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("stored");
        QTest::newRow("equal bounds clamp nothing") << 0.0 << 0.0 << -5.0 << -5.0;
        QTest::newRow("above the range") << 0.0 << 10.0 << 15.0 << 10.0;
        QTest::newRow("below the range") << 0.0 << 10.0 << -5.0 << 0.0;
        QTest::newRow("lower bound only") << 5.0 << 0.0 << 3.0 << 5.0;
        QTest::newRow("lower bound only, high value") << 5.0 << 0.0 << 100.0 << 100.0;
        QTest::newRow("upper bound only") << 0.0 << -5.0 << 3.0 << -5.0;
        QTest::newRow("upper bound only, low value") << 0.0 << -5.0 << -10.0 << -10.0;
        QTest::newRow("crossed bounds") << 5.0 << 2.0 << 100.0 << 100.0;
        QTest::newRow("beyond a currency") << 0.0 << 0.0 << 1e300 << Currency::Limit;
        QTest::newRow("beyond a currency, negative") << 0.0 << 0.0 << -1e300 << -Currency::Limit;
    }
    void clamping()
    {
        QFETCH(double, minValue);
        QFETCH(double, maxValue);
        QFETCH(double, value);
        QFETCH(double, stored);
        TCurrencyEdit edit;
        edit.SetMinValue(minValue);
        edit.SetMaxValue(maxValue);
        edit.SetValue(value);
        QCOMPARE(edit.Value(), stored);
        edit.setText(QString::number(value, 'f', 0).left(20)); // typed text is clamped when read
        if (std::abs(value) < 1e15)
            QCOMPARE(edit.Value(), stored);
    }

    void checkOnExitRaisesTheRangeError()
    {
        MessageAnswerer answers;
        Form form;
        form.edit->SetMaxValue(10);
        form.edit->SetCheckOnExit(true);
        QVERIFY(form.focusBox());
        form.edit->selectAll();
        QTest::keyClicks(form.edit, QStringLiteral("15"));
        form.leaveBox();
        QTRY_COMPARE(answers.texts(), QStringList{QStringLiteral("Value must be between 0.00 and 10.00")});
        QTRY_VERIFY(form.edit->hasFocus());
        QCOMPARE(form.edit->text(), QStringLiteral("15"));
    }

    void invalidTextKeepsTheFocus()
    {
        MessageAnswerer answers;
        Form form;
        QSignalSpy exits(form.edit, &TCurrencyEdit::Exit);
        QVERIFY(form.focusBox());
        form.edit->setText(QStringLiteral("1E5"));
        QTest::keyClick(form.edit, Qt::Key_Backspace);
        QCOMPARE(form.edit->text(), QStringLiteral("1E"));
        QVERIFY(!form.edit->HasValidText());
        QCOMPARE(form.edit->Value(), 0.0); // MinValue, and HasValidText says why
        form.leaveBox();
        QTRY_COMPARE(answers.texts(), QStringList{QStringLiteral("'1E' is not a valid floating point value")});
        QTRY_VERIFY(form.edit->hasFocus());
        QCOMPARE(form.edit->text(), QStringLiteral("1E"));
        QCOMPARE(form.edit->selectedText(), QStringLiteral("1E"));
        QCOMPARE(exits.count(), 0);
        QTest::keyClicks(form.edit, QStringLiteral("7"));
        form.leaveBox();
        QCOMPARE(exits.count(), 1);
        QCOMPARE(form.edit->Value(), 7.0);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<bool>("zeroEmpty");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("editText");
        QTest::addColumn<QString>("displayText");
        QTest::addColumn<double>("read"); // Value read back: the edit text's number
        QTest::newRow("total") << ",0.;-,0." << 2 << false << 1234.5 << "1234.5" << "1,235" << 1234.5;
        QTest::newRow("negative total") << ",0.;-,0." << 2 << false << -1234.0 << "-1234" << "-1,234" << -1234.0;
        QTest::newRow("rate") << ",0.0;-,0.0" << 1 << true << 12.25 << "12.3" << "12.3" << 12.3;
        QTest::newRow("zero empty") << ",0.;-,0." << 2 << true << 0.0 << "" << "0" << 0.0;
        QTest::newRow("zero shown") << ",0.;-,0." << 2 << false << 0.0 << "0" << "0" << 0.0;
        QTest::newRow("edit decimals") << ",0.;-,0." << 2 << true << 3.14159 << "3.14" << "3" << 3.14;
        QTest::newRow("no decimals") << ",0.;-,0." << 0 << true << 2.5 << "3" << "3" << 3.0;
        QTest::newRow("rate times a hundred") << ",0.0;-,0.0" << 1 << true << 0.035 * 100 << "3.5" << "3.5" << 3.5;
        QTest::newRow("default currency pattern") << "₩,0.;-₩,0." << 2 << true << 1500.0 << "1500" << "₩1,500"
                                                  << 1500.0;
        QTest::newRow("general") << "" << 2 << true << 1.5 << "1.5" << "1.5" << 1.5;
    }
    void texts()
    {
        QFETCH(QString, format);
        QFETCH(int, decimals);
        QFETCH(bool, zeroEmpty);
        QFETCH(double, value);
        QFETCH(QString, editText);
        QFETCH(QString, displayText);
        QFETCH(double, read);
        TCurrencyEdit edit;
        edit.SetDisplayFormat(format);
        edit.SetDecimalPlaces(decimals);
        edit.SetZeroEmpty(zeroEmpty);
        edit.SetValue(value);
        QCOMPARE(edit.text(), editText);
        QCOMPARE(edit.DisplayText(), displayText);
        // Reading Value re-reads the edit text: the number the user sees is the number read.
        QCOMPARE(QString::number(edit.Value(), 'g', 17), QString::number(read, 'g', 17));
    }

    void defaultFormatIsTheCurrencyPattern()
    {
        TCurrencyEdit edit;
        QCOMPARE(edit.DisplayFormat(), QStringLiteral("₩,0.;-₩,0."));
        QCOMPARE(edit.size(), QSize(121, 21));
        QCOMPARE(edit.DecimalPlaces(), 2);
        QVERIFY(edit.ZeroEmpty());
    }

    void setTextParsesOrThrows()
    {
        TCurrencyEdit edit;
        QSignalSpy changes(&edit, &TCurrencyEdit::Change);
        edit.SetText(QStringLiteral(" 1,234.5 "));
        QCOMPARE(edit.Value(), 1234.5);
        QCOMPARE(edit.text(), QStringLiteral("1234.5"));
        QCOMPARE(changes.count(), 1);
        QVERIFY_THROWS_EXCEPTION(NumberError, edit.SetText(QStringLiteral("12a")));
        QVERIFY_THROWS_EXCEPTION(NumberError, edit.SetText(QStringLiteral("1E300")));
        QCOMPARE(edit.Value(), 1234.5);
        edit.Clear();
        QCOMPARE(edit.Value(), 0.0);
        QCOMPARE(edit.text(), QString());
    }

    void focusArrivalSelectsAllUnlessByMouse()
    {
        Form form;
        form.edit->SetValue(42);
        QVERIFY(form.focusBox());
        QCOMPARE(form.edit->selectedText(), QStringLiteral("42"));
        form.leaveBox();
        QTest::mouseClick(form.edit, Qt::LeftButton, {}, QPoint(3, form.edit->height() / 2));
        QVERIFY(form.edit->hasFocus());
        QCOMPARE(form.edit->selectedText(), QString());
    }

    void formatOnEditingGroupsWhileTyping()
    {
        Form form;
        form.edit->SetDisplayFormat(QStringLiteral(",0.;-,0."));
        form.edit->SetFormatOnEditing(true);
        QVERIFY(form.focusBox());
        QTest::keyClicks(form.edit, QStringLiteral("-1234567.5"));
        QCOMPARE(form.edit->text(), QStringLiteral("-1,234,567.5"));
        QCOMPARE(form.edit->cursorPosition(), 12);
        QCOMPARE(form.edit->Value(), -1234567.5);
    }

    void centredDisplayText_data()
    {
        QTest::addColumn<int>("free"); // box width less text width
        QTest::newRow("even") << 60;
        QTest::newRow("odd") << 61;
    }
    void centredDisplayText()
    {
        // Centred text starts (client width - text width) div 2 from the left edge; left
        // aligned text at the edit's own margin of 2 pixels.
        QFETCH(int, free);
        QWidget panel;
        auto *box = new TCurrencyEdit(&panel);
        box->setFrame(false);
        box->setFocusPolicy(Qt::NoFocus);
        box->SetDisplayFormat(QStringLiteral(",0.;-,0."));
        box->SetValue(1234567);
        const int textWidth = QFontMetrics(box->font()).horizontalAdvance(box->DisplayText());
        box->setGeometry(0, 0, textWidth + free, 21);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        auto firstInk = [&] {
            const QImage image = Grab(*box);
            for (int x = 0; x < image.width(); ++x)
                for (int y = 0; y < image.height(); ++y)
                    if (image.pixel(x, y) != image.pixel(0, 0))
                        return x;
            return -1;
        };
        box->SetAlignment(Qt::AlignLeft);
        const int left = firstInk();
        box->SetAlignment(Qt::AlignHCenter);
        QCOMPARE(firstInk() - left, free / 2 - 2);
    }

    // A borderless box has no top margin: its text stands as high as text drawn at the top
    // edge, whether the box paints it or the focused edit does.
    void aBorderlessBoxHasNoTopMargin()
    {
        Form form;
        form.edit->setFrame(false);
        form.edit->SetDisplayFormat(QStringLiteral(",0.;-,0."));
        form.edit->SetValue(1234567);
        // The first row with ink left of column end.
        const auto firstInkRow = [](const QImage &image, int end) {
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < std::min(end, image.width()); ++x)
                    if (qGray(image.pixel(x, y)) < 128)
                        return y;
            return -1;
        };
        QImage reference(form.edit->size(), QImage::Format_RGB32);
        reference.fill(Qt::white);
        {
            QPainter painter(&reference);
            painter.setFont(form.edit->font());
            painter.setPen(Qt::black);
            painter.drawText(QPoint(2, QFontMetrics(form.edit->font()).ascent()), QStringLiteral("1,234,567"));
        }
        const int top = firstInkRow(reference, reference.width());
        QCOMPARE(firstInkRow(Grab(*form.edit), form.edit->width()), top);
        // Focused, the edit shows "1234567" from the left, the caret after it.
        SteadyCaret steady;
        QVERIFY(form.focusBox());
        form.edit->deselect();
        form.edit->end(false);
        QCOMPARE(firstInkRow(Grab(*form.edit), 2 + QFontMetrics(form.edit->font()).horizontalAdvance(u'1')), top);
    }

    // The box draws its own caret: one pixel wide, two with a bold font, as high as the
    // smaller of the system font's and the box's font's height, where Qt puts its cursor.
    void theBoxDrawsItsOwnCaret_data()
    {
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("width");
        QTest::newRow("system size") << 0 << false << 1;
        QTest::newRow("bold") << 0 << true << 2;
        QTest::newRow("larger than the system font") << 30 << false << 1;
        QTest::newRow("smaller than the system font") << 8 << true << 2;
    }
    void theBoxDrawsItsOwnCaret()
    {
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        QFETCH(int, width);
        SteadyCaret steady;
        Form form;
        QLineEdit *plain = form.other;
        plain->setAlignment(Qt::AlignLeft | Qt::AlignTop); // as the box's edit stands
        for (QLineEdit *edit : {static_cast<QLineEdit *>(form.edit), plain}) {
            QFont font = QApplication::font();
            if (pixelSize > 0)
                font.setPixelSize(pixelSize);
            font.setBold(bold);
            edit->setFont(font);
            edit->setFixedSize(120, 40);
        }
        // Dark pixels inside the frame of an empty focused box: its caret alone.
        const auto caret = [](QWidget &widget) {
            const QImage image = Grab(widget);
            QRect ink;
            for (int y = 2; y < image.height() - 2; ++y)
                for (int x = 2; x < image.width() - 2; ++x)
                    if (qGray(image.pixel(x, y)) < 100)
                        ink |= QRect(x, y, 1, 1);
            return ink;
        };
        QVERIFY(form.focusBox());
        const QRect own = caret(*form.edit);
        plain->setFocus(Qt::TabFocusReason);
        const QRect qts = caret(*plain);
        const int height = std::min(QFontMetrics(QApplication::font()).height(), QFontMetrics(form.edit->font()).height());
        QCOMPARE(own.width(), width);
        QCOMPARE(own.height(), height);
        QCOMPARE(own.left(), qts.left());
        QCOMPARE(own.top(), qts.top());
    }

    // A box is never lower than the smaller font height, four border heights and one.
    void aBoxIsNeverLowerThanItsText_data()
    {
        QTest::addColumn<int>("pixelSize");
        QTest::newRow("large font") << 30;
        QTest::newRow("small font") << 6;
    }
    void aBoxIsNeverLowerThanItsText()
    {
        QFETCH(int, pixelSize);
        TCurrencyEdit box;
        QFont font = box.font();
        font.setPixelSize(pixelSize);
        box.setFont(font);
        box.resize(100, 3);
        const int least = std::min(QFontMetrics(QApplication::font()).height(), QFontMetrics(font).height()) + 5;
        QCOMPARE(box.height(), least);
        box.resize(100, least + 10);
        QCOMPARE(box.height(), least + 10);
    }

    void paintsTheDisplayTextWhereTheEditPutsIt()
    {
        // The painted text matches a plain edit box showing the display text.
        QWidget panel;
        auto *box = new TCurrencyEdit(&panel);
        auto *plain = new QLineEdit(&panel);
        for (QLineEdit *edit : {static_cast<QLineEdit *>(box), plain}) {
            edit->setFrame(false);
            edit->setGeometry(0, edit == box ? 0 : 30, 100, 21);
            QPalette colours = edit->palette();
            colours.setColor(QPalette::Base, QColor(0, 0, 128));
            colours.setColor(QPalette::Text, Qt::white);
            edit->setPalette(colours);
            QFont font(QStringLiteral("NanumGothic"));
            font.setBold(true);
            font.setPixelSize(12);
            edit->setFont(font);
        }
        box->SetDisplayFormat(QStringLiteral(",0.;-,0."));
        box->SetValue(1234567.4);
        plain->setTextMargins(0, -1, 0, 0); // a borderless box has no top margin
        plain->setAlignment(Qt::AlignRight | Qt::AlignTop);
        plain->setText(QStringLiteral("1,234,567"));
        plain->setCursorPosition(0);
        plain->setFocusPolicy(Qt::NoFocus);
        box->setFocusPolicy(Qt::NoFocus);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        const QImage painted = Grab(*box);
        QCOMPARE(painted, Grab(*plain));

        // A disabled panel does not grey the box; the box's own Enabled does.
        panel.setEnabled(false);
        QCOMPARE(Grab(*box), painted);
        panel.setEnabled(true);
        box->setEnabled(false);
        QVERIFY(Grab(*box) != painted);
    }
};

VEK_TEST(TestCurrencyEdit)
#include "tst_CurrencyEdit.moc"
