#include "components/BitCheckBox.h"
#include "components/ResourceBitmaps.h"
#include "tests/support/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

using namespace vek;

// The three-state bitmap check box.
class TestBitCheckBox : public QObject {
    Q_OBJECT

    // A 32 x 16 picture on an olive key: a red square in its first cell, a blue one in its second.
    static QImage TwoCells()
    {
        QImage picture(32, 16, QImage::Format_RGB32);
        picture.fill(GlyphKey);
        for (int y = 4; y < 12; ++y)
            for (int x = 4; x < 12; ++x) {
                picture.setPixel(x, y, qRgb(255, 0, 0));
                picture.setPixel(x + 16, y, qRgb(0, 0, 255));
            }
        return picture;
    }

private slots:
    void clicksCycleThroughTheStates_data()
    {
        QTest::addColumn<bool>("allowGrayed");
        QTest::addColumn<QList<int>>("states");
        QTest::newRow("with grayed") << true << QList<int>{cbGrayed, cbChecked, cbUnchecked};
        QTest::newRow("without grayed") << false << QList<int>{cbChecked, cbUnchecked};
    }

    void clicksCycleThroughTheStates()
    {
        QFETCH(bool, allowGrayed);
        QFETCH(QList<int>, states);
        TBitCheckBox box;
        box.SetAllowGrayed(allowGrayed);
        box.show();
        QSignalSpy clicks(&box, &TBitCheckBox::Click);
        for (int state : states) {
            QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 8));
            QCOMPARE(int(box.State()), state);
        }
        QCOMPARE(clicks.count(), states.size());
    }

    void checkedIsTrueOnlyWhenChecked()
    {
        TBitCheckBox box;
        box.SetState(cbGrayed);
        QVERIFY(!box.Checked());
        box.SetChecked(true);
        QCOMPARE(box.State(), cbChecked);
        box.SetChecked(false);
        QCOMPARE(box.State(), cbUnchecked);
    }

    void startsAsTheSystemMadeIt()
    {
        TBitCheckBox box;
        QCOMPARE(box.size(), QSize(97, 17));
        QCOMPARE(box.Alignment(), taRightJustify);
        QCOMPARE(box.Glyph(cbChecked), ResourceBitmap("CHECKED"));
        QCOMPARE(box.NumGlyphs(cbChecked), 1);
        QVERIFY(box.focusPolicy() & Qt::TabFocus);
    }

    void aPictureTwiceAsWideAsHighHasTwoCellsTheSecondShownDisabled()
    {
        TBitCheckBox box;
        box.SetColor(Qt::white);
        box.SetGlyph(cbUnchecked, TwoCells());
        QCOMPARE(box.NumGlyphs(cbUnchecked), 2);
        box.SetNumGlyphs(cbUnchecked, 5);
        QCOMPARE(box.NumGlyphs(cbUnchecked), 2);
        const int top = (box.height() - 16) / 2;
        QImage shown = box.grab().toImage();
        QCOMPARE(shown.pixelColor(8, top + 8), QColor(255, 0, 0));
        QCOMPARE(shown.pixelColor(1, top + 1), QColor(Qt::white)); // the key shows the box's colour
        box.setEnabled(false);
        shown = box.grab().toImage();
        QCOMPARE(shown.pixelColor(8, top + 8), QColor(0, 0, 255));
        box.SetGlyph(cbUnchecked, QImage());
        QCOMPARE(box.Glyph(cbUnchecked), ResourceBitmap("UNCHECKED"));
    }

    void theCaptionFollowsThePicture_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("left");
        QTest::newRow("caption right of the picture") << int(taRightJustify) << 13 + 4;
        QTest::newRow("caption at the left edge") << int(taLeftJustify) << 1;
    }

    void theCaptionFollowsThePicture()
    {
        QFETCH(int, alignment);
        QFETCH(int, left);
        TBitCheckBox box;
        box.SetCaption("&Gray");
        box.SetAlignment(TLeftRight(alignment));
        const QRect caption = box.CaptionRect();
        QCOMPARE(caption.left(), left);
        const QFontMetrics metrics(box.font());
        QCOMPARE(caption.width() - 1, metrics.horizontalAdvance("&Gray") - metrics.horizontalAdvance('&'));
    }

    void spaceClicksAndTheAcceleratorTogglesWithoutAClick()
    {
        QWidget window;
        TBitCheckBox box(&window);
        box.SetCaption("자재(&J)");
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        box.setFocus();
        QSignalSpy clicks(&box, &TBitCheckBox::Click);
        QTest::keyClick(&box, Qt::Key_Space);
        QVERIFY(box.Checked());
        QCOMPARE(clicks.count(), 1);
        QTest::keyClick(&window, Qt::Key_J, Qt::AltModifier);
        QCOMPARE(box.State(), cbUnchecked);
        QCOMPARE(clicks.count(), 1);
    }
};

VEK_TEST(TestBitCheckBox)
#include "tst_BitCheckBox.moc"
