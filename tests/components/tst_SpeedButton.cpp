#include "components/SpeedButton.h"
#include "tests/components/Pixels.h"
#include "tests/support/TestRegistry.h"

#include <QDialog>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace vek;
using State = TRxSpeedButton::TRxButtonState;

namespace {

const QColor Face(192, 192, 192);
const QColor Highlight(250, 250, 250);
const QColor Shadow(100, 100, 100);
const QColor WindowFrame(10, 10, 10);
const QColor ButtonText(0, 0, 160);

QPalette TestPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Button, Face);
    palette.setColor(QPalette::Light, Highlight);
    palette.setColor(QPalette::Dark, Shadow);
    palette.setColor(QPalette::Shadow, WindowFrame);
    palette.setColor(QPalette::ButtonText, ButtonText);
    return palette;
}

// A glyph of frames side by side, each frameSize square and filled with its colour, the
// bottom-left pixel of the first frame in the transparent colour.
QImage FramesGlyph(const QList<QColor> &colours, int frameSize, QColor transparent = QColor(255, 0, 255))
{
    QImage glyph(frameSize * colours.size(), frameSize, QImage::Format_ARGB32);
    for (int i = 0; i < colours.size(); ++i)
        for (int y = 0; y < frameSize; ++y)
            for (int x = 0; x < frameSize; ++x)
                glyph.setPixel(i * frameSize + x, y, colours[i].rgb());
    glyph.setPixel(0, frameSize - 1, transparent.rgb());
    return glyph;
}

QColor At(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

} // namespace

class TestSpeedButton : public QObject {
    Q_OBJECT

    // An active window holding the button, so that hovering counts.
    std::unique_ptr<QWidget> host;
    TRxSpeedButton *button = nullptr;

private slots:
    void init()
    {
        host = std::make_unique<QWidget>();
        host->resize(100, 60);
        button = new TRxSpeedButton(host.get());
        button->setPalette(TestPalette());
        button->move(10, 10);
        host->show();
        QApplication::setActiveWindow(host.get());
        QVERIFY(QTest::qWaitForWindowActive(host.get()));
    }
    void cleanup() { host.reset(); }

    void defaults()
    {
        QCOMPARE(button->size(), QSize(25, 25));
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QCOMPARE(button->NumGlyphs(), 1);
        QCOMPARE(button->Layout(), TRxSpeedButton::blGlyphTop);
        QCOMPARE(button->Margin(), -1);
        QCOMPARE(button->Spacing(), 1);
        QCOMPARE(button->InitPause(), 500);
        QCOMPARE(button->RepeatInterval(), 100);
        QVERIFY(button->GrayedInactive());
        QVERIFY(button->MarkDropDown());
        QCOMPARE(button->TransparentGlyphColor(), qRgb(255, 0, 255));
    }

    void numGlyphsFollowsTheGlyphWidth_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("expected");
        QTest::newRow("square") << QSize(16, 16) << 1;
        QTest::newRow("two frames") << QSize(32, 16) << 2;
        QTest::newRow("five frames") << QSize(80, 16) << 5;
        QTest::newRow("six frames count as one") << QSize(96, 16) << 1;
        QTest::newRow("not a whole multiple keeps the count") << QSize(20, 16) << 3;
        QTest::newRow("narrower than high keeps the count") << QSize(8, 16) << 3;
    }
    void numGlyphsFollowsTheGlyphWidth()
    {
        QFETCH(QSize, size);
        QFETCH(int, expected);
        button->SetNumGlyphs(3);
        QImage glyph(size, QImage::Format_ARGB32);
        glyph.fill(Qt::red);
        button->SetGlyph(glyph);
        QCOMPARE(button->NumGlyphs(), expected);
    }

    void numGlyphsIgnoresZeroAndCapsAtFive()
    {
        button->SetNumGlyphs(0);
        QCOMPARE(button->NumGlyphs(), 1);
        button->SetNumGlyphs(7);
        QCOMPARE(button->NumGlyphs(), 5);
    }

    void transparentColourIsTheBottomLeftPixel()
    {
        button->SetGlyph(FramesGlyph({Qt::red}, 4, QColor(0, 128, 0)));
        QCOMPARE(button->TransparentGlyphColor(), qRgb(0, 128, 0));
    }

    // Frames coloured 0..n-1; which frame each state shows.
    void stateUsesItsFrame_data()
    {
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("frame");
        QTest::newRow("2: up") << 2 << int(TRxSpeedButton::rbsUp) << 0;
        QTest::newRow("2: disabled") << 2 << int(TRxSpeedButton::rbsDisabled) << 1;
        QTest::newRow("2: down takes frame 0") << 2 << int(TRxSpeedButton::rbsDown) << 0;
        QTest::newRow("2: exclusive takes frame 0") << 2 << int(TRxSpeedButton::rbsExclusive) << 0;
        QTest::newRow("3: down") << 3 << int(TRxSpeedButton::rbsDown) << 2;
        QTest::newRow("3: exclusive takes frame 0") << 3 << int(TRxSpeedButton::rbsExclusive) << 0;
        QTest::newRow("4: exclusive") << 4 << int(TRxSpeedButton::rbsExclusive) << 3;
        QTest::newRow("5: inactive") << 5 << int(TRxSpeedButton::rbsInactive) << 4;
    }
    void stateUsesItsFrame()
    {
        QFETCH(int, frames);
        QFETCH(int, state);
        QFETCH(int, frame);
        const QList<QColor> colours{QColor(200, 0, 0), QColor(0, 200, 0), QColor(0, 0, 200), QColor(200, 200, 0),
                                    QColor(0, 200, 200)};
        button->SetGlyph(FramesGlyph(colours.mid(0, frames), 4));
        QCOMPARE(button->NumGlyphs(), frames);
        const QImage picture = button->GlyphFor(State(state));
        QCOMPARE(picture.size(), QSize(4, 4));
        QCOMPARE(picture.pixelColor(2, 1), colours[frame]);
    }

    void inactiveGlyphIsGrey_data()
    {
        QTest::addColumn<QColor>("pixel");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("colour") << QColor(200, 100, 50) << QColor(124, 124, 124);
        QTest::newRow("white") << QColor(255, 255, 255) << QColor(255, 255, 255);
        QTest::newRow("black") << QColor(0, 0, 0) << QColor(0, 0, 0);
        QTest::newRow("transparent colour kept") << QColor(255, 0, 255) << QColor(255, 0, 255);
        QTest::newRow("face colour kept") << Face << Face;
    }
    void inactiveGlyphIsGrey()
    {
        QFETCH(QColor, pixel);
        QFETCH(QColor, expected);
        QImage glyph = FramesGlyph({QColor(10, 20, 30)}, 4);
        glyph.setPixel(1, 1, pixel.rgb());
        button->SetGlyph(glyph);
        const QImage inactive = button->GlyphFor(TRxSpeedButton::rbsInactive);
        QCOMPARE(inactive.pixelColor(1, 1), expected);
        QCOMPARE(inactive.pixelColor(0, 3), QColor(255, 0, 255));
    }

    void disabledOneFrameGlyphIsEngraved()
    {
        // Black at (0,0), (1,1), (2,0) on white; the bottom-left white is transparent.
        QImage glyph(3, 3, QImage::Format_ARGB32);
        glyph.fill(Qt::white);
        for (QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(2, 0)})
            glyph.setPixel(p, qRgb(0, 0, 0));
        button->SetGlyph(glyph);

        QImage expected(3, 3, QImage::Format_ARGB32);
        expected.fill(Face);
        expected.setPixel(2, 2, Highlight.rgb()); // (1,1) moved right and down; (0,0)'s lands under a shadow
        for (QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(2, 0)})
            expected.setPixel(p, Shadow.rgb());
        QCOMPARE(button->GlyphFor(TRxSpeedButton::rbsDisabled).convertToFormat(QImage::Format_ARGB32), expected);

        // New system colours make the picture anew.
        QPalette changed = TestPalette();
        changed.setColor(QPalette::Button, QColor(1, 2, 3));
        button->setPalette(changed);
        QCOMPARE(button->GlyphFor(TRxSpeedButton::rbsDisabled).pixelColor(1, 0), QColor(1, 2, 3));
    }

    void disabledButtonDrawsTheEngravedGlyphWithoutItsFace()
    {
        QImage glyph(5, 5, QImage::Format_ARGB32);
        glyph.fill(Qt::white);
        glyph.setPixel(2, 2, qRgb(0, 0, 0));
        button->SetGlyph(glyph);
        button->setEnabled(false);
        QCOMPARE(button->State(), TRxSpeedButton::rbsDisabled);
        const QImage image = Grab(*button);
        // The content is 19 pixels square from (3, 3); the glyph stands centred at 3 + 9 - 2.
        QCOMPARE(At(image, 12, 12), Shadow);
        QCOMPARE(At(image, 13, 13), Highlight);
        QCOMPARE(At(image, 11, 11), Face);
    }

    void frameByStylePressedAndFlat_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<bool>("flat");
        QTest::addColumn<QColor>("outerTopLeft");
        QTest::addColumn<QColor>("outerBottomRight");
        QTest::addColumn<QColor>("innerTopLeft");
        QTest::addColumn<QColor>("innerBottomRight");
        const int newStyle = TRxSpeedButton::bsNew, oldStyle = TRxSpeedButton::bsWin31;
        QTest::newRow("new pressed") << newStyle << true << false << WindowFrame << Highlight << Shadow << Face;
        QTest::newRow("new up") << newStyle << false << false << Highlight << WindowFrame << Face << Shadow;
        QTest::newRow("new pressed flat") << newStyle << true << true << WindowFrame << Highlight << Face << Face;
        QTest::newRow("new up flat") << newStyle << false << true << Highlight << Shadow << Face << Face;
        QTest::newRow("old pressed") << oldStyle << true << false << WindowFrame << WindowFrame << Shadow << Face;
        QTest::newRow("old up") << oldStyle << false << false << WindowFrame << WindowFrame << Highlight << Shadow;
        QTest::newRow("old pressed flat") << oldStyle << true << true << WindowFrame << Highlight << Face << Face;
        QTest::newRow("old up flat") << oldStyle << false << true << Highlight << WindowFrame << Face << Face;
    }
    void frameByStylePressedAndFlat()
    {
        QFETCH(int, style);
        QFETCH(bool, pressed);
        QFETCH(bool, flat);
        QFETCH(QColor, outerTopLeft);
        QFETCH(QColor, outerBottomRight);
        QFETCH(QColor, innerTopLeft);
        QFETCH(QColor, innerBottomRight);
        button->SetStyle(TRxSpeedButton::TButtonStyle(style));
        button->SetFlat(flat);
        if (pressed) {
            QTest::mousePress(button, Qt::LeftButton, {}, QPoint(12, 12));
        } else {
            QEnterEvent enter(QPointF(12, 12), QPointF(12, 12), QPointF(22, 22));
            QApplication::sendEvent(button, &enter);
        }
        QVERIFY(button->MouseInControl());
        const QImage image = Grab(*button);
        const int w = button->width(), h = button->height();
        QCOMPARE(At(image, 0, 10), outerTopLeft);
        QCOMPARE(At(image, 10, 0), outerTopLeft);
        QCOMPARE(At(image, w - 1, 10), outerBottomRight);
        QCOMPARE(At(image, 10, h - 1), outerBottomRight);
        QCOMPARE(At(image, 0, h - 1), outerBottomRight);
        QCOMPARE(At(image, 1, 10), innerTopLeft);
        QCOMPARE(At(image, 10, 1), innerTopLeft);
        QCOMPARE(At(image, w - 2, 10), innerBottomRight);
        QCOMPARE(At(image, 10, h - 2), innerBottomRight);
    }

    void flatButtonShowsNoFrameUntilHovered()
    {
        button->SetFlat(true);
        QImage image = Grab(*button);
        QCOMPARE(At(image, 0, 10), Face);
        QCOMPARE(At(image, 24, 10), Face);

        QEnterEvent enter(QPointF(12, 12), QPointF(12, 12), QPointF(22, 22));
        QApplication::sendEvent(button, &enter);
        QCOMPARE(At(Grab(*button), 0, 10), Highlight);

        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        QCOMPARE(At(Grab(*button), 0, 10), Face);
    }

    // The mouse still over a flat button after a click: its frame shows.
    void flatButtonKeepsItsFrameAfterAClickUnderTheMouse()
    {
        button->SetFlat(true);
        QSignalSpy clicks(button, &TRxSpeedButton::Click);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(12, 12));
        QCOMPARE(clicks.count(), 1);
        QVERIFY(button->MouseInControl());
        QCOMPARE(At(Grab(*button), 0, 10), Highlight);
    }

    void inactiveGlyphShownOnFlatButtonAwayFromTheMouse()
    {
        button->SetFlat(true);
        button->SetGlyph(FramesGlyph({QColor(200, 100, 50)}, 5));
        // Content 21 square from (2, 2); the glyph centred at 2 + 10 - 2 = 10.
        QCOMPARE(At(Grab(*button), 12, 11), QColor(124, 124, 124));
        button->SetGrayedInactive(false);
        QCOMPARE(At(Grab(*button), 12, 11), QColor(200, 100, 50));
    }

    // Without a caption Spacing counts as 0 and Margin -1 centres the glyph: C div 2 - G div 2.
    void glyphAloneIsCentred_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QPoint>("at");
        // Content 19 x 19 at (3, 3), glyph 6 x 4: 9 - 3 = 6 across, 9 - 2 = 7 down.
        QTest::newRow("glyph top") << int(TRxSpeedButton::blGlyphTop) << QPoint(9, 10);
        QTest::newRow("glyph left") << int(TRxSpeedButton::blGlyphLeft) << QPoint(9, 10);
        QTest::newRow("glyph right") << int(TRxSpeedButton::blGlyphRight) << QPoint(19 - 6 - 6 + 3, 10);
    }
    void glyphAloneIsCentred()
    {
        QFETCH(int, layout);
        QFETCH(QPoint, at);
        button->SetLayout(TRxSpeedButton::TButtonLayout(layout));
        QImage glyph(6, 4, QImage::Format_ARGB32);
        glyph.fill(Qt::white);
        button->SetGlyph(glyph);
        QCOMPARE(button->NumGlyphs(), 1);
        const auto placed = button->LayoutContent(QRect(3, 3, 19, 19), QSize(6, 4), false);
        QCOMPARE(placed.glyphAt, at);
    }

    void layoutWithCaption_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("margin");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<int>("glyphAlong");
        QTest::addColumn<int>("textAlongFromEnd");
        // Content 100 x 20 at 0, glyph 10 x 10. Glyph-left: the caption follows at
        // margin + 10 + spacing; glyph-right: it ends spacing before the glyph at 89.
        QTest::newRow("left, margin 1, spacing 3") << int(TRxSpeedButton::blGlyphLeft) << 1 << 3 << 1 << 14;
        QTest::newRow("right, margin 1, spacing 3") << int(TRxSpeedButton::blGlyphRight) << 1 << 3 << 89 << 86;
        QTest::newRow("left, margin 4, spacing 0") << int(TRxSpeedButton::blGlyphLeft) << 4 << 0 << 4 << 14;
    }
    void layoutWithCaption()
    {
        QFETCH(int, layout);
        QFETCH(int, margin);
        QFETCH(int, spacing);
        QFETCH(int, glyphAlong);
        QFETCH(int, textAlongFromEnd);
        button->SetCaption(QStringLiteral("OK"));
        button->SetLayout(TRxSpeedButton::TButtonLayout(layout));
        button->SetMargin(margin);
        button->SetSpacing(spacing);
        const auto placed = button->LayoutContent(QRect(0, 0, 100, 20), QSize(10, 10), false);
        QCOMPARE(placed.glyphAt, QPoint(glyphAlong, 5));
        const QRect text = placed.textBounds;
        QVERIFY(text.width() > 0);
        QCOMPARE(layout == TRxSpeedButton::blGlyphLeft ? text.left() : text.left() + text.width(), textAlongFromEnd);
        QCOMPARE(text.top(), 10 - text.height() / 2);
    }

    // Margin or Spacing -1: how glyph and caption share the room along the axis (C 100, G 10, T the caption).
    void layoutMinusOneRules_data()
    {
        QTest::addColumn<int>("margin");
        QTest::addColumn<int>("spacing");
        QTest::newRow("both -1: thirds") << -1 << -1;
        QTest::newRow("margin -1: block centred") << -1 << 2;
        QTest::newRow("spacing -1: caption centred in the rest") << 2 << -1;
    }
    void layoutMinusOneRules()
    {
        QFETCH(int, margin);
        QFETCH(int, spacing);
        button->SetCaption(QStringLiteral("OK"));
        button->SetLayout(TRxSpeedButton::blGlyphLeft);
        button->SetMargin(margin);
        button->SetSpacing(spacing);
        const auto placed = button->LayoutContent(QRect(0, 0, 100, 20), QSize(10, 10), false);
        const int t = placed.textBounds.width();
        QVERIFY(t > 0);
        const int gap = placed.textBounds.left() - placed.glyphAt.x() - 10;
        if (margin == -1 && spacing == -1) {
            QCOMPARE(placed.glyphAt.x(), (100 - (10 + t)) / 3);
            QCOMPARE(gap, placed.glyphAt.x());
        } else if (margin == -1) {
            QCOMPARE(placed.glyphAt.x(), 50 - (10 + spacing + t) / 2);
            QCOMPARE(gap, spacing);
        } else {
            QCOMPARE(placed.glyphAt.x(), margin);
            QCOMPARE(gap, (100 - margin - 10) / 2 - t / 2);
        }
    }

    void tooWideCaptionEndsInEllipsis()
    {
        button->SetCaption(QStringLiteral("A caption far too wide for the button"));
        const auto placed = button->LayoutContent(QRect(3, 3, 19, 19), QSize(0, 0), false);
        QVERIFY2(placed.text.endsWith(QStringLiteral("...")), qPrintable(placed.text));
        QVERIFY(placed.textBounds.width() <= 19);
        button->SetWordWrap(true);
        QVERIFY(!button->LayoutContent(QRect(3, 3, 19, 19), QSize(0, 0), false).text.endsWith(QStringLiteral("...")));
    }

    void releaseInsideClicks_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<bool>("clicks");
        QTest::newRow("inside") << QPoint(5, 5) << QPoint(20, 20) << true;
        QTest::newRow("bottom edge row y = height") << QPoint(5, 5) << QPoint(5, 25) << true;
        QTest::newRow("below the edge row") << QPoint(5, 5) << QPoint(5, 26) << false;
        QTest::newRow("right edge x = width") << QPoint(5, 5) << QPoint(25, 5) << false;
        QTest::newRow("left of the button") << QPoint(5, 5) << QPoint(-1, 5) << false;
        QTest::newRow("above the button") << QPoint(5, 5) << QPoint(5, -1) << false;
        QTest::newRow("pressed and released outside") << QPoint(-5, -5) << QPoint(-5, -5) << false;
    }
    void releaseInsideClicks()
    {
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        QFETCH(bool, clicks);
        QSignalSpy clicked(button, &TRxSpeedButton::Click);
        QTest::mousePress(button, Qt::LeftButton, {}, press);
        QTest::mouseRelease(button, Qt::LeftButton, {}, release);
        QCOMPARE(clicked.count(), clicks ? 1 : 0);
        QCOMPARE(button->State(), TRxSpeedButton::rbsUp);
    }

    void dragStateFollowsTheMouse()
    {
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(button->State(), TRxSpeedButton::rbsDown);
        QTest::mouseMove(button, QPoint(40, 5));
        QCOMPARE(button->State(), TRxSpeedButton::rbsUp);
        QTest::mouseMove(button, QPoint(5, 5));
        QCOMPARE(button->State(), TRxSpeedButton::rbsDown);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    }

    void disabledButtonDoesNotClick()
    {
        QSignalSpy clicked(button, &TRxSpeedButton::Click);
        button->setEnabled(false);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicked.count(), 0);
        button->setEnabled(true);
        QCOMPARE(button->State(), TRxSpeedButton::rbsUp);
    }

    void clickGivesTheDialogItsModalResultFirst()
    {
        QDialog dialog;
        auto *ok = new TRxSpeedButton(&dialog);
        ok->SetModalResult(QDialog::Accepted);
        int resultAtClick = -1;
        connect(ok, &TRxSpeedButton::Click, &dialog, [&] { resultAtClick = dialog.result(); });
        QTimer::singleShot(0, ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton, {}, QPoint(5, 5)); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(resultAtClick, int(QDialog::Accepted));
    }

    void clickWithoutModalResultLeavesTheDialogOpen()
    {
        QDialog dialog;
        auto *apply = new TRxSpeedButton(&dialog);
        bool openAfterClick = false;
        QTimer::singleShot(0, apply, [&] {
            apply->DoClick();
            openAfterClick = dialog.isVisible();
            dialog.reject();
        });
        dialog.exec();
        QVERIFY(openAfterClick);
    }

    void autoRepeatUsesInitPauseThenRepeatInterval()
    {
        button->SetAllowTimer(true);
        QSignalSpy clicked(button, &TRxSpeedButton::Click);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        auto *timer = button->findChild<QTimer *>(QStringLiteral("repeatTimer"));
        QVERIFY(timer);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 500);

        // Let the pending pause run out at once; the timer then repeats every 100 ms.
        QSignalSpy expired(timer, &QTimer::timeout);
        timer->start(0);
        QVERIFY(expired.wait(1000));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(timer->interval(), 100);
        QVERIFY(timer->isActive());

        timer->start(0);
        QVERIFY(expired.wait(1000));
        QCOMPARE(clicked.count(), 2);

        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicked.count(), 3);
        QVERIFY(!timer->isActive());
    }

    void autoRepeatWaitsWhileTheMouseIsOutside()
    {
        button->SetAllowTimer(true);
        QSignalSpy clicked(button, &TRxSpeedButton::Click);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(button, QPoint(60, 5));
        auto *timer = button->findChild<QTimer *>(QStringLiteral("repeatTimer"));
        QSignalSpy expired(timer, &QTimer::timeout);
        timer->start(0);
        QVERIFY(expired.wait(1000));
        QCOMPARE(clicked.count(), 0);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(60, 5));
        button->SetAllowTimer(false);
        QVERIFY(!button->findChild<QTimer *>(QStringLiteral("repeatTimer")));
    }

    void groupKeepsOneButtonDown()
    {
        auto *other = new TRxSpeedButton(host.get());
        button->SetDown(true);
        QVERIFY(!button->Down()); // no group: Down stays off
        button->SetGroupIndex(1);
        other->SetGroupIndex(1);
        button->SetDown(true);
        QCOMPARE(button->State(), TRxSpeedButton::rbsExclusive);
        other->SetDown(true);
        QVERIFY(other->Down());
        QVERIFY(!button->Down());
        QCOMPARE(button->State(), TRxSpeedButton::rbsUp);

        other->SetDown(false);
        QVERIFY(other->Down()); // cannot be released without AllowAllUp
        button->SetAllowAllUp(true);
        QVERIFY(other->AllowAllUp());
        other->SetDown(false);
        QVERIFY(!other->Down());
    }

    void clickInAGroupTogglesDown()
    {
        button->SetGroupIndex(2);
        button->SetAllowAllUp(true);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(button->Down());
        QCOMPARE(button->State(), TRxSpeedButton::rbsExclusive);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!button->Down());
        QCOMPARE(button->State(), TRxSpeedButton::rbsUp);
    }

    void exclusiveButtonShowsACheckerboard()
    {
        button->SetGroupIndex(1);
        button->SetDown(true);
        const QImage image = Grab(*button);
        // Content from (3, 3) grown by one: the pattern starts at (2, 2).
        QSet<QRgb> seen;
        for (int x = 2; x < 6; ++x)
            seen.insert(image.pixel(x, 10) & RGB_MASK);
        QCOMPARE(seen, (QSet<QRgb>{Face.rgb() & RGB_MASK, Highlight.rgb() & RGB_MASK}));
        QVERIFY(image.pixel(3, 10) != image.pixel(4, 10));
    }

    void doubleClickFiresOnlyWhileDown()
    {
        QSignalSpy doubles(button, &TRxSpeedButton::DblClick);
        QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(doubles.count(), 0);
        button->SetGroupIndex(1);
        button->SetDown(true);
        QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(doubles.count(), 1);
    }

    void dropDownMarkStandsCentredWithoutCaption()
    {
        QMenu menu;
        button->SetDropDownMenu(&menu);
        const QImage image = Grab(*button);
        // Content 19 square at (3, 3): x = (3 + 22 - 7) div 2 = 9; rows from y = 12 - 1.
        for (int x = 9; x <= 15; ++x)
            QCOMPARE(At(image, x, 11), ButtonText);
        QCOMPARE(At(image, 8, 11), Face);
        QCOMPARE(At(image, 16, 11), Face);
        QCOMPARE(At(image, 12, 14), ButtonText);
        QCOMPARE(At(image, 11, 14), Face);
        button->SetMarkDropDown(false);
        QCOMPARE(At(Grab(*button), 12, 14), Face);
    }

    void transparentButtonShowsItsParent()
    {
        QPalette background = host->palette();
        background.setColor(QPalette::Window, QColor(0, 120, 0));
        host->setPalette(background);
        host->setAutoFillBackground(true);
        button->SetFlat(true);
        QCOMPARE(At(Grab(*host), 10 + 12, 10 + 3), Face);
        button->SetTransparent(true);
        QCOMPARE(At(Grab(*host), 10 + 12, 10 + 3), QColor(0, 120, 0));
    }

    void acceleratorClicksAnEnabledButton()
    {
        QSignalSpy clicked(button, &TRxSpeedButton::Click);
        button->SetCaption(QStringLiteral("&OK"));
        QTest::keyClick(host.get(), Qt::Key_O, Qt::AltModifier);
        QCOMPARE(clicked.count(), 1);
        button->setEnabled(false);
        QTest::keyClick(host.get(), Qt::Key_O, Qt::AltModifier);
        QCOMPARE(clicked.count(), 1);
    }

    void dropDownMenuEndsThePressWithoutAClick()
    {
        QMenu menu;
        menu.addAction(QStringLiteral("item"));
        button->SetDropDownMenu(&menu);
        QSignalSpy clicked(button, &TRxSpeedButton::Click);
        QPoint shownAt;
        QTimer::singleShot(0, &menu, [&] {
            shownAt = menu.pos();
            menu.close();
        });
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(shownAt, button->mapToGlobal(QPoint(-1, button->height())));
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(button->State(), TRxSpeedButton::rbsUp);
        // A press that arrives as the menu closes does not open it again.
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(button->State(), TRxSpeedButton::rbsUp);
        QTRY_VERIFY(!menu.isVisible());
    }

    // The menu's point by position and alignment; a right-aligned menu ends at its point,
    // a centred one stands across it.
    void dropDownMenuPointByPositionAndAlignment_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QPoint>("point"); // in button coordinates; w, h: the button's size
        const int below = TRxSpeedButton::dmpBottom;
        const int right = TRxSpeedButton::dmpRight;
        QTest::newRow("below, left") << below << int(Qt::AlignLeft) << QPoint(-1, 25);
        QTest::newRow("below, right") << below << int(Qt::AlignRight) << QPoint(26, 25);
        QTest::newRow("below, centre") << below << int(Qt::AlignHCenter) << QPoint(12, 25);
        QTest::newRow("right, left") << right << int(Qt::AlignLeft) << QPoint(25, -1);
        QTest::newRow("right, right") << right << int(Qt::AlignRight) << QPoint(-1, -1);
        QTest::newRow("right, centre") << right << int(Qt::AlignHCenter) << QPoint(12, 25);
    }
    void dropDownMenuPointByPositionAndAlignment()
    {
        QFETCH(int, position);
        QFETCH(int, alignment);
        QFETCH(QPoint, point);
        button->resize(25, 25);
        button->move(200, 200);
        QMenu menu;
        menu.addAction(QStringLiteral("구성 항목 보기"));
        button->SetDropDownMenu(&menu);
        button->SetMenuPosition(TRxSpeedButton::TDropDownMenuPos(position));
        button->SetMenuAlignment(Qt::Alignment(alignment));
        QCOMPARE(button->MenuPoint(), point);
        QRect shown;
        QTimer::singleShot(0, &menu, [&] {
            shown = menu.geometry();
            menu.close();
        });
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        const QPoint at = button->mapToGlobal(point);
        if (alignment == Qt::AlignLeft)
            QCOMPARE(shown.left(), at.x());
        else if (alignment == Qt::AlignRight)
            QCOMPARE(shown.right() + 1, at.x());
        else
            QCOMPARE(shown.left() + shown.width() / 2, at.x());
        QCOMPARE(shown.top(), at.y());
        QTRY_VERIFY(!menu.isVisible());
    }

    void mouseEnterNeedsAnEnabledButton()
    {
        QSignalSpy entered(button, &TRxSpeedButton::MouseEnter);
        button->setEnabled(false);
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(15, 15));
        QApplication::sendEvent(button, &enter);
        QCOMPARE(entered.count(), 0);
        QVERIFY(!button->MouseInControl());
        button->setEnabled(true);
        QApplication::sendEvent(button, &enter);
        QCOMPARE(entered.count(), 1);
    }
};

VEK_TEST(TestSpeedButton)
#include "tst_SpeedButton.moc"
