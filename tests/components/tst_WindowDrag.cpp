#include "components/WindowDrag.h"
#include "tests/support/TestRegistry.h"

#include <QLabel>
#include <QTest>

using namespace vek;

class TestWindowDrag : public QObject {
    Q_OBJECT

private slots:
    void theHandleMovesItsWindow_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("left button") << int(Qt::LeftButton) << QPoint(130, 95);
        QTest::newRow("right button") << int(Qt::RightButton) << QPoint(100, 80);
    }
    void theHandleMovesItsWindow()
    {
        QFETCH(int, button);
        QFETCH(QPoint, moved);
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(100, 80, 200, 100);
        auto *title = new QLabel(QStringLiteral("제목"), &window);
        title->setGeometry(0, 0, 200, 20);
        new WindowDrag(title);
        auto *body = new QLabel(&window);
        body->setGeometry(0, 20, 200, 80);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::mousePress(title, Qt::MouseButton(button), {}, {10, 10});
        QMouseEvent move(QEvent::MouseMove, QPointF(40, 25), title->mapToGlobal(QPointF(40, 25)),
                         Qt::NoButton, Qt::MouseButtons(button), Qt::NoModifier);
        QCoreApplication::sendEvent(title, &move);
        QTest::mouseRelease(title, Qt::MouseButton(button), {}, {40, 25});
        QCOMPARE(window.pos(), moved);

        // Pressing elsewhere in the window moves nothing.
        QTest::mousePress(body, Qt::LeftButton, {}, {10, 10});
        QMouseEvent other(QEvent::MouseMove, QPointF(60, 60), body->mapToGlobal(QPointF(60, 60)), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(body, &other);
        QCOMPARE(window.pos(), moved);
    }
};

VEK_TEST(TestWindowDrag)
#include "tst_WindowDrag.moc"
