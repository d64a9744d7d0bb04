#include "app/GuardedApplication.h"
#include "core/DatabaseError.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestRegistry.h"

#include <QEvent>
#include <QTest>
#include <QWidget>

using namespace vek;

namespace {

// A window whose handler of one event fails as a handler deep in a screen might.
class FailingWindow : public QWidget {
public:
    enum Failure { Database, Unknown };
    static constexpr QEvent::Type Trigger = QEvent::User;
    Failure failure = Database;
    int handled = 0;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != Trigger)
            return QWidget::event(event);
        if (failure == Database)
            throw DatabaseError(QStringLiteral("변경 내용을 저장하지 못했습니다"));
        throw 42;
    }
};

} // namespace

class TestGuardedApplication : public QObject {
    Q_OBJECT
private slots:
    void aFailureThatReachesTheEventLoopIsShownAndTheProgramGoesOn_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("text");
        QTest::newRow("database error") << int(FailingWindow::Database) << "변경 내용을 저장하지 못했습니다";
        QTest::newRow("anything thrown") << int(FailingWindow::Unknown) << "알 수 없는 오류가 발생했습니다.";
    }
    void aFailureThatReachesTheEventLoopIsShownAndTheProgramGoesOn()
    {
        QFETCH(int, failure);
        QFETCH(QString, text);
        MessageAnswerer answerer;
        FailingWindow window;
        window.failure = FailingWindow::Failure(failure);
        QEvent trigger(FailingWindow::Trigger);
        QTest::ignoreMessage(QtWarningMsg, qPrintable("vek: an event handler failed: " + text));
        const bool handled = DeliverGuarded([&] { return QCoreApplication::instance()->notify(&window, &trigger); });
        QVERIFY(!handled);
        QCOMPARE(answerer.texts(), QStringList{text});
        QCOMPARE(answerer.requests().at(0).kind, MessageKind::Error);

        // The next event is delivered as usual.
        QEvent show(QEvent::Polish);
        QVERIFY(DeliverGuarded([&] { return QCoreApplication::instance()->notify(&window, &show); }));
        QCOMPARE(answerer.texts().size(), 1);
    }
};

VEK_TEST(TestGuardedApplication)
#include "tst_GuardedApplication.moc"
