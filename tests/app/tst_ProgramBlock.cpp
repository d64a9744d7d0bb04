#include "app/Program.h"
#include "app/ProgramBlock.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

using namespace vek;

class TestProgramBlock : public QObject {
    Q_OBJECT

    // Each test gets a runtime folder of its own, as each user has one.
    QTemporaryDir runtime_;
    QByteArray previousRuntime_;

    // A socket file as a program killed while running leaves it: nobody listens on it.
    static bool LeaveStaleSocket(const QString &path)
    {
        const QByteArray name = QFile::encodeName(path);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (name.size() >= qsizetype(sizeof(address.sun_path)))
            return false;
        std::memcpy(address.sun_path, name.constData(), name.size());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
        if (fd >= 0)
            ::close(fd);
        return bound;
    }

    QProcessEnvironment ProgramEnvironment(const QString &home) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VEK_HOME"), home);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.remove(QStringLiteral("FIREBIRD_LOCK"));
        return environment;
    }

    void StartProgram(QProcess &program, const QString &home) const
    {
        program.setProcessEnvironment(ProgramEnvironment(home));
        program.start(QStringLiteral(VEK_PROGRAM), {});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(runtime_.path() + QStringLiteral("/카브로공사견적")), 30000);
    }

    static void EndsWhenAsked(QProcess &program)
    {
        program.terminate();
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(runtime_.isValid());
        previousRuntime_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
    }
    void cleanupTestCase() { qputenv("XDG_RUNTIME_DIR", previousRuntime_); }

    void theSocketIsNamedAfterTheTitleInTheUsersRuntimeFolder()
    {
        const ProgramBlock block(ApplicationTitle);
        QCOMPARE(block.serverName(), runtime_.path() + QStringLiteral("/카브로공사견적"));
    }

    void aLaterStartFindsTheFirstAndAsksItToComeForward()
    {
        ProgramBlock first(QStringLiteral("first-and-later"));
        QVERIFY(first.Claim());
        QSignalSpy activations(&first, &ProgramBlock::activationRequested);

        ProgramBlock later(QStringLiteral("first-and-later"));
        QVERIFY(!later.Claim());
        QVERIFY(later.ActivateRunningInstance());
        QTRY_COMPARE(activations.size(), 1);
    }

    void anotherTitleIsAnotherProgram()
    {
        ProgramBlock first(QStringLiteral("one title"));
        QVERIFY(first.Claim());
        ProgramBlock other(QStringLiteral("another title"));
        QVERIFY(other.Claim());
    }

    void aSocketLeftByACrashDoesNotBlockTheNextStart()
    {
        ProgramBlock block(QStringLiteral("crashed before"));
        QVERIFY(LeaveStaleSocket(block.serverName()));
        QVERIFY(!block.InstanceAnswers());

        QVERIFY(block.Claim());
        ProgramBlock later(QStringLiteral("crashed before"));
        QVERIFY(later.InstanceAnswers());
        QVERIFY(!later.Claim());
    }

    void aClosedProgramLetsTheNextOneStart()
    {
        {
            ProgramBlock first(QStringLiteral("closed before"));
            QVERIFY(first.Claim());
        }
        ProgramBlock next(QStringLiteral("closed before"));
        QVERIFY(next.Claim());
    }

    void withoutARunningProgramNothingIsAskedToComeForward()
    {
        const ProgramBlock alone(QStringLiteral("nobody runs"));
        QVERIFY(!alone.ActivateRunningInstance());
    }

    void aSecondProgramTellsTheUserAndEndsWithoutTouchingTheDatabase()
    {
        QTemporaryDir firstHome;
        QTemporaryDir secondHome;
        QProcess first;
        StartProgram(first, firstHome.path());
        // The first program makes its working database before its window is up.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(firstHome.filePath(QStringLiteral("Temp/VEKTMP.GDB"))), 30000);

        QProcess second;
        second.setProcessEnvironment(ProgramEnvironment(secondHome.path()));
        second.start(QStringLiteral(VEK_SECOND_START), {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(second.readAllStandardOutput()),
                 QStringLiteral(" 확인!!| 프로그램이 이미 실행중입니다.\n"));
        QVERIFY(QDir(secondHome.path()).isEmpty());
        QCOMPARE(first.state(), QProcess::Running);

        // Asked to end while it starts up, it shuts down like a closed window.
        EndsWhenAsked(first);
    }

    void aRunningProgramEndsWhenAskedAsAtLogout()
    {
        QTemporaryDir home;
        QProcess program;
        StartProgram(program, home.path());
        // The engine's lock files appear at its first attachment.
        const QDir locks(runtime_.path() + QStringLiteral("/firebird"));
        QTRY_VERIFY_WITH_TIMEOUT(!locks.entryList({QStringLiteral("fb_lock_*")}, QDir::Files).isEmpty(), 30000);
        QTest::qWait(1000);
        EndsWhenAsked(program);
    }
};

VEK_TEST(TestProgramBlock)
#include "tst_ProgramBlock.moc"
