#include "app/TerminationSignals.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

using namespace vek;

class TestTerminationSignals : public QObject {
    Q_OBJECT

    sigset_t previousMask_;

private slots:
    void initTestCase()
    {
        pthread_sigmask(SIG_BLOCK, nullptr, &previousMask_);
        BlockTerminationSignals();
    }
    void cleanupTestCase() { pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr); }

    void aSignalBecomesARequestOnTheEventLoop_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void aSignalBecomesARequestOnTheEventLoop()
    {
        QFETCH(int, signal);
        TerminationSignals termination;
        QSignalSpy requests(&termination, &TerminationSignals::terminationRequested);
        QCOMPARE(std::raise(signal), 0);
        QTRY_COMPARE(requests.size(), 1);
        QCOMPARE(requests.first().first().toInt(), signal);
    }

    void noHandlerSeesTheBlockedSignals()
    {
        static volatile std::sig_atomic_t handled = 0;
        const auto previous = std::signal(SIGTERM, [](int) { handled = 1; });
        TerminationSignals termination;
        QSignalSpy requests(&termination, &TerminationSignals::terminationRequested);
        QCOMPARE(std::raise(SIGTERM), 0);
        QTRY_COMPARE(requests.size(), 1);
        std::signal(SIGTERM, previous);
        QCOMPARE(int(handled), 0);
    }

    void startedProgramsGetTheSignalsAsUsual()
    {
        QTemporaryDir folder;
        const QString report = folder.filePath(QStringLiteral("mask"));
        QVERIFY(StartDetachedProgram(QStringLiteral("/bin/sh"),
                                     {QStringLiteral("-c"), QStringLiteral("grep SigBlk /proc/self/status > %1.part && mv %1.part %1").arg(report)}));
        QTRY_VERIFY(QFileInfo::exists(report));
        const QByteArray line = ReadTestFile(report).trimmed();
        bool ok = false;
        const qulonglong blocked = line.mid(line.indexOf(':') + 1).trimmed().toULongLong(&ok, 16);
        QVERIFY2(ok, line.constData());
        for (const int signal : {SIGTERM, SIGINT, SIGHUP})
            QCOMPARE(blocked & (1ULL << (signal - 1)), 0ULL);
    }
};

VEK_TEST(TestTerminationSignals)
#include "tst_TerminationSignals.moc"
