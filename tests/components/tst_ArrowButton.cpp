#include "components/ArrowButton.h"
#include "tests/support/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

using namespace vek;

// The triangular arrow button.
class TestArrowButton : public QObject {
    Q_OBJECT
private slots:
    void theCornersFollowTheTable_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QPolygon>("corners");
        QTest::addColumn<QPolygon>("inset");
        QTest::newRow("up") << int(arwUP) << QPolygon({{16, 3}, {30, 30}, {3, 30}}) << QPolygon({{16, 6}, {26, 28}, {6, 28}});
        QTest::newRow("right") << int(arwRIGHT) << QPolygon({{3, 3}, {30, 16}, {3, 30}}) << QPolygon({{5, 6}, {27, 16}, {5, 27}});
        QTest::newRow("left") << int(arwLEFT) << QPolygon({{30, 3}, {30, 30}, {3, 16}}) << QPolygon({{28, 6}, {28, 28}, {6, 16}});
        QTest::newRow("down") << int(arwDOWN) << QPolygon({{30, 3}, {16, 30}, {3, 3}}) << QPolygon({{27, 5}, {16, 27}, {5, 5}});
    }

    void theCornersFollowTheTable()
    {
        QFETCH(int, direction);
        QFETCH(QPolygon, corners);
        QFETCH(QPolygon, inset);
        TArrowButton button;
        QCOMPARE(button.size(), QSize(33, 33));
        button.SetDirection(TArrowDirection(direction));
        QCOMPARE(button.Corners(), corners);
        QCOMPARE(button.InsetCorners(), inset);
    }

    void aClickCountsOnlyInsideTheTriangle_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<int>("clicks");
        QTest::newRow("inside") << int(arwRIGHT) << QPoint(12, 16) << QPoint(12, 16) << 1;
        QTest::newRow("the corner outside the triangle") << int(arwRIGHT) << QPoint(29, 3) << QPoint(29, 3) << 0;
        QTest::newRow("up, a lower corner") << int(arwUP) << QPoint(2, 31) << QPoint(2, 31) << 0;
        QTest::newRow("up, inside") << int(arwUP) << QPoint(16, 22) << QPoint(16, 22) << 1;
        QTest::newRow("released off the button") << int(arwRIGHT) << QPoint(12, 16) << QPoint(40, 16) << 0;
        QTest::newRow("pressed outside, released inside") << int(arwRIGHT) << QPoint(29, 3) << QPoint(12, 16) << 0;
    }

    void aClickCountsOnlyInsideTheTriangle()
    {
        QFETCH(int, direction);
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        QFETCH(int, clicks);
        TArrowButton button;
        button.SetDirection(TArrowDirection(direction));
        button.show();
        QSignalSpy spy(&button, &TArrowButton::Click);
        QTest::mousePress(&button, Qt::LeftButton, {}, press);
        QCOMPARE(button.Pressed(), clicks == 1 || press == QPoint(12, 16));
        QTest::mouseRelease(&button, Qt::LeftButton, {}, release);
        QVERIFY(!button.Pressed());
        QCOMPARE(spy.count(), clicks);
    }

    void aPressedButtonShowsItsEdgesInTheFillColour()
    {
        TArrowButton button;
        button.SetButtonColor(QColor(200, 40, 40));
        button.show();
        // Up: the lower edge runs from (6, 28) to (26, 28); the left one from (16, 6) to (6, 28).
        QImage up = button.grab().toImage();
        QCOMPARE(up.pixelColor(16, 28), QColor(Qt::black));
        QCOMPARE(up.pixelColor(6, 28), QColor(Qt::white));
        QCOMPARE(up.pixelColor(16, 20), QColor(200, 40, 40)); // the fill
        QCOMPARE(up.pixelColor(1, 1), button.palette().color(QPalette::Window));
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(16, 22));
        const QImage down = button.grab().toImage();
        QCOMPARE(down.pixelColor(16, 28), QColor(200, 40, 40));
        QCOMPARE(down.pixelColor(6, 28), QColor(Qt::black));
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(16, 22));
        QCOMPARE(button.grab().toImage().pixelColor(16, 28), QColor(Qt::black));
    }
};

VEK_TEST(TestArrowButton)
#include "tst_ArrowButton.moc"
