#include "archiver/ShadowedLabel.h"
#include "tests/support/TestRegistry.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace vek;

namespace {

const QColor Paper(255, 255, 255);
const QColor Ink(0, 0, 0);
const QColor Shade(255, 0, 0);

// The smallest rectangle holding every pixel of image in exactly colour; empty when none.
QRect Bounds(const QImage &image, const QColor &colour)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Text without smoothing, so that every pixel is the text's colour or not.
QFont CrispFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// A label in ink on paper with its shadow in red.
void Colour(TRxLabel &label)
{
    label.setFont(CrispFont());
    label.SetColor(Paper);
    label.SetFontColor(Ink);
    label.SetShadowColor(Shade);
    QPalette colours = label.palette();
    colours.setColor(QPalette::Light, Shade);
    colours.setColor(QPalette::Disabled, QPalette::WindowText, Ink);
    label.setPalette(colours);
}

QImage Picture(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestShadowedLabel : public QObject {
    Q_OBJECT
private slots:
    void defaults()
    {
        QWidget parent;
        TRxLabel label(&parent);
        QCOMPARE(label.size(), QSize(65, 17));
        QVERIFY(label.AutoSize());
        QCOMPARE(label.Layout(), TRxLabel::tlTop);
        QCOMPARE(label.ShadowSize(), 1);
        QCOMPARE(label.ShadowPos(), TRxLabel::spLeftTop);
        QCOMPARE(label.ShadowColor(), label.palette().color(QPalette::Light));
        QVERIFY(label.ShowAccelChar());
        QVERIFY(!label.ShowFocus());
        QVERIFY(!label.Transparent());
        QVERIFY(!label.WordWrap());
        QCOMPARE(label.Alignment(), Qt::AlignLeft);
        QCOMPARE(label.FocusControl(), nullptr);
    }

    // Auto-sized, the label is the text's size, one pixel more on each side, and the
    // shadow's size more both ways, whichever way the shadow falls.
    void autoSizeTakesInTheShadow_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("position");
        QTest::newRow("1 left top") << 1 << int(TRxLabel::spLeftTop);
        QTest::newRow("2 right bottom") << 2 << int(TRxLabel::spRightBottom);
        QTest::newRow("2 left bottom") << 2 << int(TRxLabel::spLeftBottom);
        QTest::newRow("5 right top") << 5 << int(TRxLabel::spRightTop);
    }
    void autoSizeTakesInTheShadow()
    {
        QFETCH(int, size);
        QFETCH(int, position);
        TRxLabel label;
        label.setFont(CrispFont());
        label.SetShadowSize(0);
        label.SetCaption(QStringLiteral("견적 &Backup"));
        const QFontMetrics metrics(label.font());
        const QRect text = metrics.boundingRect(QRect(), Qt::TextShowMnemonic, QStringLiteral("견적 &Backup"));
        QCOMPARE(label.size(), QSize(text.width() + 2, text.height()));
        label.SetShadowPos(TRxLabel::TShadowPosition(position));
        label.SetShadowSize(size);
        QCOMPARE(label.size(), QSize(text.width() + 2 + size, text.height() + size));
    }

    // A label without text, or with a lone accelerator mark, measures as one blank.
    void emptyTextMeasuresAsABlank_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("showAccelChar");
        QTest::addColumn<QString>("measured");
        QTest::newRow("empty") << "" << true << " ";
        QTest::newRow("lone mark") << "&" << true << " ";
        QTest::newRow("mark shown") << "&" << false << "&";
    }
    void emptyTextMeasuresAsABlank()
    {
        QFETCH(QString, caption);
        QFETCH(bool, showAccelChar);
        QFETCH(QString, measured);
        TRxLabel label;
        label.setFont(CrispFont());
        label.SetShowAccelChar(showAccelChar);
        label.SetCaption(QStringLiteral("x"));
        label.SetCaption(caption);
        const int width = QFontMetrics(label.font()).boundingRect(QRect(), 0, measured).width();
        QCOMPARE(label.width(), width + 1 + 2);
    }

    void autoSizeFollowsTheFontUntilTurnedOff()
    {
        TRxLabel label;
        label.SetCaption(QStringLiteral("작업내용을 확인하시기 바랍니다 !!"));
        const QSize before = label.size();
        QFont bigger = label.font();
        bigger.setPixelSize(30);
        label.setFont(bigger);
        QVERIFY(label.width() > before.width());
        QVERIFY(label.height() > before.height());
        label.SetAutoSize(false);
        label.SetCaption(QStringLiteral("짧게"));
        QVERIFY(label.width() > before.width());
    }

    // A right-aligned label keeps its right edge when it grows or shrinks, the others
    // their left edge.
    void rightAlignedKeepsItsRightEdge_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<bool>("keepsRight");
        QTest::newRow("right") << int(Qt::AlignRight) << true;
        QTest::newRow("left") << int(Qt::AlignLeft) << false;
        QTest::newRow("centre") << int(Qt::AlignHCenter) << false;
    }
    void rightAlignedKeepsItsRightEdge()
    {
        QFETCH(int, alignment);
        QFETCH(bool, keepsRight);
        QWidget parent;
        TRxLabel label(&parent);
        label.setGeometry(100, 10, 65, 17);
        label.SetAlignment(Qt::Alignment(alignment));
        for (const QString &caption : {QStringLiteral("백업파일을 고르십시오 (긴 글)"), QStringLiteral("짧")}) {
            label.SetCaption(caption);
            if (keepsRight)
                QCOMPARE(label.geometry().right(), 164);
            else
                QCOMPARE(label.x(), 100);
        }
    }

    // The shadow is the text moved by ShadowSize in the direction of ShadowPos.
    void shadowFallsAsPlaced_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("size");
        QTest::addColumn<QPoint>("offset");
        QTest::newRow("left top 2") << int(TRxLabel::spLeftTop) << 2 << QPoint(-2, -2);
        QTest::newRow("left bottom 1") << int(TRxLabel::spLeftBottom) << 1 << QPoint(-1, 1);
        QTest::newRow("right bottom 2") << int(TRxLabel::spRightBottom) << 2 << QPoint(2, 2);
        QTest::newRow("right top 3") << int(TRxLabel::spRightTop) << 3 << QPoint(3, -3);
    }
    void shadowFallsAsPlaced()
    {
        QFETCH(int, position);
        QFETCH(int, size);
        QFETCH(QPoint, offset);
        TRxLabel label;
        Colour(label);
        label.SetAutoSize(false);
        label.resize(120, 40);
        label.SetAlignment(Qt::AlignHCenter);
        label.SetLayout(TRxLabel::tlCenter);
        label.SetShadowPos(TRxLabel::TShadowPosition(position));
        label.SetShadowSize(size);
        label.SetCaption(QStringLiteral("IVX"));
        const QImage image = Picture(label);
        const QRect face = Bounds(image, Ink), shadow = Bounds(image, Shade);
        QVERIFY(!face.isEmpty());
        // The side the shadow falls towards is not covered by the text.
        QCOMPARE(offset.x() < 0 ? shadow.left() : shadow.right(),
                 (offset.x() < 0 ? face.left() : face.right()) + offset.x());
        QCOMPARE(offset.y() < 0 ? shadow.top() : shadow.bottom(),
                 (offset.y() < 0 ? face.top() : face.bottom()) + offset.y());
    }

    // Centre and bottom layouts move the text down by what the height leaves of the
    // measured text, or by half of it.
    void layoutMovesTheTextDown_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("share"); // halves of the room left
        QTest::newRow("top") << int(TRxLabel::tlTop) << 0;
        QTest::newRow("centre") << int(TRxLabel::tlCenter) << 1;
        QTest::newRow("bottom") << int(TRxLabel::tlBottom) << 2;
    }
    void layoutMovesTheTextDown()
    {
        QFETCH(int, layout);
        QFETCH(int, share);
        TRxLabel top, label;
        for (TRxLabel *each : {&top, &label}) {
            Colour(*each);
            each->SetAutoSize(false);
            each->resize(80, 41);
            each->SetCaption(QStringLiteral("Eg"));
        }
        label.SetLayout(TRxLabel::TTextLayout(layout));
        const int room = 41 - label.MeasureText(78).height();
        const int expected = share == 2 ? room : share * (room / 2);
        QCOMPARE(Bounds(Picture(label), Ink).top() - Bounds(Picture(top), Ink).top(), expected);
    }

    // Disabled, the text is grey and the shadow the button highlight; with no shadow the
    // label still shows one pixel of it to the right bottom.
    void disabledLooksEngraved()
    {
        TRxLabel label;
        Colour(label);
        label.SetShadowSize(0);
        label.SetShadowColor(Qt::green);
        label.SetCaption(QStringLiteral("IVX"));
        label.SetAutoSize(false);
        label.resize(60, 24);
        QVERIFY(Bounds(Picture(label), Shade).isEmpty());
        label.setEnabled(false);
        const QImage image = Picture(label);
        const QRect face = Bounds(image, Ink), shadow = Bounds(image, Shade);
        QVERIFY(!shadow.isEmpty());
        QCOMPARE(shadow.bottomRight(), face.bottomRight() + QPoint(1, 1));
        QVERIFY(Bounds(image, Qt::green).isEmpty());
    }

    // A transparent label lets its parent's colour show around the text.
    void transparentShowsTheParent_data()
    {
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<QColor>("corner");
        QTest::newRow("transparent") << true << QColor(0, 128, 0);
        QTest::newRow("opaque") << false << Paper;
    }
    void transparentShowsTheParent()
    {
        QFETCH(bool, transparent);
        QFETCH(QColor, corner);
        QWidget parent;
        QPalette green = parent.palette();
        green.setColor(QPalette::Window, QColor(0, 128, 0));
        parent.setPalette(green);
        parent.setAutoFillBackground(true);
        parent.resize(200, 60);
        TRxLabel label(&parent);
        Colour(label);
        label.move(20, 20);
        label.SetCaption(QStringLiteral("IVX"));
        label.SetTransparent(transparent);
        const QImage image = Picture(parent);
        QCOMPARE(image.pixelColor(label.geometry().bottomRight() - QPoint(1, 0)), corner);
        QCOMPARE(image.pixelColor(label.geometry().topLeft()), corner);
        QVERIFY(!Bounds(image.copy(label.geometry()), Ink).isEmpty());
    }

    // Alt and the marked letter focus FocusControl, when the label is enabled and shows
    // its accelerator.
    void acceleratorFocusesTheControl_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("showAccelChar");
        QTest::addColumn<bool>("focused");
        QTest::newRow("enabled") << true << true << true;
        QTest::newRow("disabled") << false << true << false;
        QTest::newRow("marks shown as text") << true << false << false;
    }
    void acceleratorFocusesTheControl()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, showAccelChar);
        QFETCH(bool, focused);
        QWidget window;
        window.resize(240, 80);
        TRxLabel label(&window);
        label.SetCaption(QStringLiteral("파일 &Name"));
        QLineEdit other(&window), edit(&window);
        other.move(0, 30);
        edit.move(100, 30);
        label.SetFocusControl(&edit);
        label.SetShowAccelChar(showAccelChar);
        label.setEnabled(enabled);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other.setFocus();
        QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
        QCOMPARE(edit.hasFocus(), focused);
    }

    // While FocusControl has the focus the label frames its text; the frame goes when the
    // focus moves on or the control is destroyed.
    void focusFrameFollowsTheControl()
    {
        QWidget window;
        window.resize(240, 80);
        TRxLabel label(&window);
        Colour(label);
        label.SetFontColor(QColor(0, 0, 255));
        label.SetShowFocus(true);
        label.SetCaption(QStringLiteral("IVX"));
        QLineEdit other(&window);
        other.move(0, 40);
        auto *edit = new QLineEdit(&window);
        edit->move(100, 40);
        label.SetFocusControl(edit);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other.setFocus();
        QVERIFY(!label.Focused());
        // The frame runs down the label's left edge, where the text never comes.
        const auto framed = [&] { return !Bounds(Picture(label).copy(0, 0, 1, label.height()), QColor(0, 0, 255)).isEmpty(); };
        QVERIFY(!framed());

        edit->setFocus();
        QVERIFY(label.Focused());
        QVERIFY(framed());

        other.setFocus();
        QVERIFY(!label.Focused());
        QVERIFY(!framed());
        edit->setFocus();
        delete edit;
        QVERIFY(!label.Focused());
        QCOMPARE(label.FocusControl(), nullptr);
        QVERIFY(!framed());
    }

    // Entering reports once; leaving is held back while the left button, pressed on the
    // label, is still down, and reported when it comes up away from the label.
    void enterAndLeaveKeepTheDraggingRule()
    {
        QWidget window;
        window.resize(200, 80);
        TRxLabel label(&window);
        label.SetCaption(QStringLiteral("끌기"));
        label.move(10, 10);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy entered(&label, &TRxLabel::MouseEnter), left(&label, &TRxLabel::MouseLeave),
            clicked(&label, &TRxLabel::Click);

        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), label.mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(&label, &enter);
        QCOMPARE(entered.count(), 1);
        QVERIFY(label.MouseInside());

        QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(2, 2));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&label, &leave);
        QCOMPARE(left.count(), 0);
        QVERIFY(label.MouseInside());

        QCursor::setPos(window.mapToGlobal(QPoint(150, 70)));
        QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(140, 60));
        QCOMPARE(left.count(), 1);
        QCOMPARE(clicked.count(), 0);
        QVERIFY(!label.MouseInside());

        QApplication::sendEvent(&label, &enter);
        QApplication::sendEvent(&label, &leave);
        QCOMPARE(entered.count(), 2);
        QCOMPARE(left.count(), 2);

        label.setEnabled(false);
        QApplication::sendEvent(&label, &enter);
        QCOMPARE(entered.count(), 2);
    }
};

VEK_TEST(TestShadowedLabel)
#include "tst_ShadowedLabel.moc"
