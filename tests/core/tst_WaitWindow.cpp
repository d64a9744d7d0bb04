#include "core/WaitWindow.h"
#include "core/Environment.h"
#include "tests/support/TestRegistry.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

using namespace vek;

namespace {

const QColor Band(0x00, 0x6B, 0x9F); // the toolkit's $9F6B00, written blue first
const QColor Navy(0x00, 0x00, 0x80);

// Ticks the gauge until it shows value; false when it never does within one cycle.
bool tickTo(int value)
{
    for (int tick = 0; tick <= 100; ++tick) {
        if (SprSfm->GaugeBar->value() == value)
            return true;
        SprSfm->GaugeTimerTimer();
    }
    return false;
}

} // namespace

class TestWaitWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        HideWaitWindow();
    }

    void gaugeWindowLooksAsAsked()
    {
        ShowWaitGauge(30, Band, Qt::white, QStringLiteral("자료를 저장합니다. 잠시만..."));
        QVERIFY(SprSfm);
        QVERIFY(SprSfm->isVisible());
        QVERIFY(SprSfm->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(SprSfm->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(SprSfm->size(), QSize(371, 56));
        QCOMPARE(SprSfm->palette().color(QPalette::Window), Band);
        QCOMPARE(SprSfm->MessageLabel->text(), QStringLiteral("자료를 저장합니다. 잠시만..."));
        QCOMPARE(SprSfm->MessageLabel->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(SprSfm->MessageLabel->y(), 30);
        QVERIFY(SprSfm->GaugeBar->isVisible());
        QCOMPARE(SprSfm->GaugeBar->size(), QSize(352, 11));
        QVERIFY(SprSfm->GaugeTimer->isActive());
        QCOMPARE(SprSfm->GaugeTimer->interval(), 30);
    }

    void messageWindowLooksAsAsked()
    {
        ShowWaitMessage(Navy, QStringLiteral("자료를 재계산 중입니다. 잠시만..."));
        QVERIFY(SprSfm->isVisible());
        QCOMPARE(SprSfm->size(), QSize(371, 25));
        QCOMPARE(SprSfm->frameShape(), QFrame::NoFrame);
        QVERIFY(!SprSfm->GaugeBar->isVisible());
        QVERIFY(!SprSfm->GaugeTimer->isActive());
        QCOMPARE(SprSfm->MessageLabel->y(), 12);
        QCOMPARE(SprSfm->MessageLabel->palette().color(QPalette::WindowText), Navy);
    }

    // The message strip's text stands on what lies behind it, never on the window's own
    // blue: here, where the screen can be read, on a copy of it.
    void theMessageStripShowsWhatLiesBehind()
    {
        QWidget behind;
        behind.setAutoFillBackground(true);
        QPalette colours = behind.palette();
        colours.setColor(QPalette::Window, Qt::red);
        behind.setPalette(colours);
        behind.setGeometry(QRect(QPoint(0, 0), QSize(600, 200)).translated(
            QGuiApplication::primaryScreen()->geometry().center() - QPoint(300, 100)));
        behind.show();
        QVERIFY(QTest::qWaitForWindowExposed(&behind));
        ShowWaitMessage(Navy, QStringLiteral("자료를 재계산 중입니다. 잠시만..."));
        QVERIFY(!SprSfm->testAttribute(Qt::WA_TranslucentBackground)); // no desktop composes here
        const QImage strip = SprSfm->grab().toImage();
        int red = 0;
        int navy = 0;
        for (int y = 0; y < strip.height(); ++y)
            for (int x = 0; x < strip.width(); ++x) {
                const QColor pixel = strip.pixelColor(x, y);
                QVERIFY(pixel != QColor(0x1F, 0x7C, 0xD1));
                red += pixel == QColor(Qt::red);
                navy += pixel == Navy;
            }
        QVERIFY(red > strip.width() * strip.height() / 2);
        QVERIFY(navy > 0);
    }

    // Where the desktop composes, the strip is a translucent window: nothing but its text.
    void aComposingDesktopSeesThroughTheStrip()
    {
        ShowWaitMessage(Navy, QStringLiteral("자료를 재계산 중입니다. 잠시만..."));
        SprSfm->SetSeeThrough(true);
        const QImage strip = SprSfm->grab().toImage();
        QCOMPARE(strip.pixelColor(1, 1).alpha(), 0);
        QCOMPARE(strip.pixelColor(strip.width() - 2, strip.height() - 2).alpha(), 0);
        int opaque = 0;
        for (int y = 0; y < strip.height(); ++y)
            for (int x = 0; x < strip.width(); ++x)
                opaque += strip.pixelColor(x, y).alpha() == 255;
        QVERIFY(opaque > 0);                                  // the text
        QVERIFY(opaque < strip.width() * strip.height() / 4); // and little else
    }

    void counterWrapsAndOverwritesTheCallersProgress()
    {
        ShowWaitGauge(30, Band, Qt::white, QStringLiteral("자료를 준비중입니다. 잠시만..."));
        SprSfm->GaugeTimer->stop();
        QVERIFY(tickTo(99));
        SprSfm->GaugeTimerTimer();
        QCOMPARE(SprSfm->GaugeBar->value(), 0);
        SprSfm->GaugeBar->setValue(60);
        SprSfm->GaugeTimerTimer();
        QCOMPARE(SprSfm->GaugeBar->value(), 1);
    }

    void counterKeepsItsValueFromOneWindowToTheNext()
    {
        ShowWaitGauge(30, Band, Qt::white, QString());
        SprSfm->GaugeTimer->stop();
        QVERIFY(tickTo(41));
        HideWaitWindow();
        ShowWaitGauge(30, Band, Qt::white, QString());
        SprSfm->GaugeTimer->stop();
        SprSfm->GaugeTimerTimer();
        QCOMPARE(SprSfm->GaugeBar->value(), 42);
    }

    void gaugeMovesWhileTheProgramWaits()
    {
        ShowWaitGauge(10, Band, Qt::white, QString());
        const int before = SprSfm->GaugeBar->value();
        DelayMs(100);
        QVERIFY(SprSfm->GaugeBar->value() != before);
    }

    void aLongStepSetsTheGaugeItself_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("shown");
        QTest::newRow("33") << 33 << 33;
        QTest::newRow("100") << 100 << 100;
        QTest::newRow("past the end") << 140 << 100;
        QTest::newRow("below 0") << -5 << 0;
    }
    void aLongStepSetsTheGaugeItself()
    {
        QFETCH(int, percent);
        QFETCH(int, shown);
        SetWaitGauge(percent); // no window: nothing happens
        QVERIFY(SprSfm.isNull());
        ShowWaitGauge(30, Band, Qt::white, QStringLiteral("자료를 저장합니다. 잠시만..."));
        SprSfm->GaugeTimer->stop();
        SprSfm->GaugeBar->setValue(50);
        SetWaitGauge(percent);
        QCOMPARE(SprSfm->GaugeBar->value(), shown);
    }

    void newWindowReplacesTheOneShown()
    {
        ShowWaitGauge(30, Band, Qt::white, QString());
        const QPointer<TSprSfm> first = SprSfm;
        ShowWaitMessage(Navy, QString());
        QVERIFY(!first);
        QVERIFY(SprSfm);
    }

    void hidingFreesTheWindowAndHidingAgainDoesNothing()
    {
        ShowWaitMessage(Navy, QString());
        const QPointer<TSprSfm> shown = SprSfm;
        HideWaitWindow();
        QVERIFY(!shown);
        QVERIFY(!SprSfm);
        HideWaitWindow();
        QVERIFY(!SprSfm);
    }

    void closingTheWindowFreesIt()
    {
        ShowWaitGauge(30, Band, Qt::white, QString());
        SprSfm->close();
        QTRY_VERIFY(!SprSfm);
    }
};

VEK_TEST(TestWaitWindow)
#include "tst_WaitWindow.moc"
