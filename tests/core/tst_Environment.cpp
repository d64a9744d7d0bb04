#include "core/Environment.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vek;

class TestEnvironment : public QObject {
    Q_OBJECT
private slots:
    void excelLastRow_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("lastRow");
        QTest::newRow("empty list") << 0 << 28;
        QTest::newRow("first page full") << 26 << 28;
        QTest::newRow("one on the second page") << 27 << 56;
        QTest::newRow("second page full") << 54 << 56;
        QTest::newRow("one on the third page") << 55 << 84;
        QTest::newRow("two on the fourth page") << 83 << 112;
    }
    void excelLastRow()
    {
        QFETCH(int, rows);
        QFETCH(int, lastRow);
        QCOMPARE(ExcelLastRow(rows), lastRow);
    }

    void iniIntegersLiveInTheHomeFolder()
    {
        TempHome home;
        QCOMPARE(ReadIniInteger(QStringLiteral("VekFree.ini"), QStringLiteral("FormTopLft"), QStringLiteral("조정Top"), 220), 220);
        QVERIFY(WriteIniInteger(QStringLiteral("VekFree.ini"), QStringLiteral("FormTopLft"), QStringLiteral("조정Top"), 314));
        QVERIFY(WriteIniInteger(QStringLiteral("VekFree.ini"), QStringLiteral("FormTopLft"), QStringLiteral("조정Lft"), 780));
        QCOMPARE(ReadIniInteger(QStringLiteral("VekFree.ini"), QStringLiteral("FormTopLft"), QStringLiteral("조정Top"), 220), 314);
        QCOMPARE(ReadTestFile(home.filePath(QStringLiteral("VekFree.ini"))), QByteArray("[FormTopLft]\n조정Top=314\n조정Lft=780\n"));
    }

    void freshHomeGetsWorkFolderStoredAndCreated()
    {
        TempHome home;
        const QString expected = home.path() + QStringLiteral("/Work/");
        QCOMPARE(GetWorkFolder(QStringLiteral("VekFree.ini")), expected);
        QVERIFY(QFileInfo(expected).isDir());
        QCOMPARE(ReadTestFile(home.filePath(QStringLiteral("VekFree.ini"))), "[작업폴더]\nwPath=" + expected.toUtf8() + "\n");
    }

    void storedWorkFolderIsCreatedWhenMissing()
    {
        TempHome home;
        const QString stored = home.path() + QStringLiteral("/견적/2026/");
        QVERIFY(WriteTestFile(home.filePath(QStringLiteral("VekFree.ini")), "[작업폴더]\nwPath=" + stored.toUtf8() + "\n"));
        QCOMPARE(GetWorkFolder(QStringLiteral("VekFree.ini")), stored);
        QVERIFY(QFileInfo(stored).isDir());
    }

    void unusableWorkFolderGivesTheDefaultUnstored_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("below a file") << "blocker/Work/";
        QTest::newRow("Windows path") << "C:\\견적\\Work\\";
        QTest::newRow("relative path") << "Work/";
    }
    void unusableWorkFolderGivesTheDefaultUnstored()
    {
        QFETCH(QString, stored);
        TempHome home;
        QVERIFY(WriteTestFile(home.filePath(QStringLiteral("blocker")), "a file, not a folder"));
        const QString path = stored.startsWith(QStringLiteral("blocker")) ? home.filePath(stored) : stored;
        const QByteArray ini = "[작업폴더]\nwPath=" + path.toUtf8() + "\n";
        QVERIFY(WriteTestFile(home.filePath(QStringLiteral("VekFree.ini")), ini));
        QCOMPARE(GetWorkFolder(QStringLiteral("VekFree.ini")), home.path() + QStringLiteral("/Work/"));
        QCOMPARE(ReadTestFile(home.filePath(QStringLiteral("VekFree.ini"))), ini);
        QVERIFY(!QFileInfo(path).isDir());
    }

    void savingTheWorkFolderKeepsTheCurrentFolder()
    {
        TempHome home;
        const QString current = QDir::currentPath();
        SaveWorkFolder(home.filePath(QStringLiteral("문서/현장 A/견적.Vek")), QStringLiteral("VekFree.ini"));
        const QString folder = home.path() + QStringLiteral("/문서/현장 A/");
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QDir::currentPath(), current);
        QCOMPARE(GetWorkFolder(QStringLiteral("VekFree.ini")), folder);
    }

    void savingAWorkFolderThatCannotBeCreatedFails()
    {
        TempHome home;
        QVERIFY(WriteTestFile(home.filePath(QStringLiteral("blocker")), "a file, not a folder"));
        QVERIFY_THROWS_EXCEPTION(FolderError, SaveWorkFolder(home.filePath(QStringLiteral("blocker/a.Vek")), QStringLiteral("VekFree.ini")));
        QVERIFY(!QFile::exists(home.filePath(QStringLiteral("VekFree.ini"))));
    }

    void localServerSetupPreparesOnlyTheLockFolder()
    {
        TempHome home;
        QTemporaryDir runtime;
        const QByteArray previous = qgetenv("FIREBIRD_LOCK");
        const QByteArray previousRuntime = qgetenv("XDG_RUNTIME_DIR");
        qunsetenv("FIREBIRD_LOCK");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        SetupLocalServer();
        qputenv("XDG_RUNTIME_DIR", previousRuntime);
        const QString chosen = qEnvironmentVariable("FIREBIRD_LOCK");
        QCOMPARE(chosen, runtime.path() + QStringLiteral("/firebird"));
        QVERIFY(QFileInfo(chosen).isDir());
        QCOMPARE(QFileInfo(chosen).permissions() & (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
                 QFile::Permissions());

        const QString preset = home.filePath(QStringLiteral("lock"));
        qputenv("FIREBIRD_LOCK", QFile::encodeName(preset));
        SetupLocalServer();
        QCOMPARE(qEnvironmentVariable("FIREBIRD_LOCK"), preset);
        QVERIFY(QFileInfo(preset).isDir());
        QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("lock")});
        qputenv("FIREBIRD_LOCK", previous);
    }

    void registryLivesInTheHomeFolder()
    {
        TempHome home;
        QVERIFY(LocalMachineRegistry().writeString(QStringLiteral("\\SOFTWARE\\KavroSft\\ZipList"), QStringLiteral("exefile"), QStringLiteral("VekWFree")));
        QCOMPARE(ReadTestFile(home.filePath(QStringLiteral("registry.ini"))), QByteArray("[SOFTWARE\\KavroSft\\ZipList]\nexefile=VekWFree\n"));
    }

    void makerAddressesAreConfigurable()
    {
        TempHome home;
        QCOMPARE(MakerWebAddress(QStringLiteral("DTZIP/VekFreeUp.zip")), QStringLiteral("https://www.kavrosft.example/VekFree/DTZIP/VekFreeUp.zip"));
        QVERIFY(WriteTestFile(home.filePath(QStringLiteral("VekFree.ini")), "[WebAddress]\nBase=http://127.0.0.1:8080/\n"));
        QCOMPARE(MakerWebAddress(QStringLiteral("Help/")), QStringLiteral("http://127.0.0.1:8080/Help/"));
    }

    void reachesAndDownloadsOverTheWeb()
    {
        TempHome home;
        LocalHttpServer server;
        server.setResponse(QStringLiteral("/DTZIP/VekFreeUp.zip"), {200, "archive", {}, -1, true});
        const QString target = home.filePath(QStringLiteral("VekFreeUp.zip"));
        QVERIFY(IsUrlReachable(server.url(QStringLiteral("/DTZIP/VekFreeUp.zip")).toString()));
        QVERIFY(!IsUrlReachable(server.url(QStringLiteral("/DTZIP/none.zip")).toString()));
        QVERIFY(!DownloadUrlToFile(server.url(QStringLiteral("/DTZIP/none.zip")).toString(), target));
        QVERIFY(!QFile::exists(target));
        QVERIFY(DownloadUrlToFile(server.url(QStringLiteral("/DTZIP/VekFreeUp.zip")).toString(), target));
        QCOMPARE(ReadTestFile(target), QByteArray("archive"));
    }

    void delayKeepsTimersRunning()
    {
        bool fired = false;
        QTimer::singleShot(20, this, [&fired] { fired = true; });
        QElapsedTimer clock;
        clock.start();
        DelayMs(150);
        QVERIFY(clock.elapsed() > 150);
        QVERIFY(fired);
    }

    void screenTests()
    {
        const QSize size = QGuiApplication::primaryScreen()->size();
        QVERIFY(IsInsideScreenX(size.width() - 1));
        QVERIFY(!IsInsideScreenX(size.width()));
        QVERIFY(IsInsideScreenY(size.height() - 1));
        QVERIFY(!IsInsideScreenY(size.height()));
    }

    void noPrintSystemMeansNoDefaultPrinter()
    {
        // Point the print system at a port where nothing listens.
        qputenv("CUPS_SERVER", LocalHttpServer::refusedUrl().authority().toUtf8());
        QVERIFY(!HasDefaultPrinter());
    }
};

VEK_TEST(TestEnvironment)
#include "tst_Environment.moc"
