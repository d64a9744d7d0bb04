#include "platform/web/WebClient.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vek;

class TestWebClient : public QObject {
    Q_OBJECT

    static constexpr int TimeoutMs = 500;
    static constexpr int DeadlineMs = 1500;
    LocalHttpServer server_;
    const QByteArray archive = QByteArray::fromRawData("PK\x03\x04 update archive ", 20).repeated(200);

    static WebClient client() { return WebClient(TimeoutMs, DeadlineMs); }

    QUrl urlOf(const QString &where) const
    {
        return where == QStringLiteral("refused") ? LocalHttpServer::refusedUrl() : server_.url(where);
    }

private slots:
    void initTestCase()
    {
        server_.setResponse(QStringLiteral("/VekFreeUp.zip"), {200, archive, {}, -1, true});
        server_.setResponse(QStringLiteral("/moved"), {302, {}, "Location: /VekFreeUp.zip\r\n", -1, true});
        server_.setResponse(QStringLiteral("/broken"), {500, "server error", {}, -1, true});
        server_.setResponse(QStringLiteral("/cut"), {200, archive.left(100), {}, archive.size(), true});
        server_.setResponse(QStringLiteral("/silent"), {200, {}, {}, -1, false});
        // One byte every 100 ms: never idle long enough for the idle limit.
        server_.setResponse(QStringLiteral("/trickle"), {200, archive, {}, -1, true, 100, false});
        server_.setResponse(QStringLiteral("/trickle-head"), {200, archive, {}, -1, true, 100, true});
    }

    void tellsWhetherAnAddressAnswers_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("reachable");
        QTest::newRow("page") << "/VekFreeUp.zip" << true;
        QTest::newRow("redirect to a page") << "/moved" << true;
        QTest::newRow("not found") << "/nothing" << false;
        QTest::newRow("server error") << "/broken" << false;
        QTest::newRow("refused port") << "refused" << false;
        QTest::newRow("no answer within the time limit") << "/silent" << false;
    }
    void tellsWhetherAnAddressAnswers()
    {
        QFETCH(QString, where);
        QFETCH(bool, reachable);
        QCOMPARE(client().isReachable(urlOf(where)), reachable);
    }

    void asksPastEveryCache()
    {
        const qsizetype before = server_.requests().size();
        QVERIFY(client().isReachable(server_.url(QStringLiteral("/VekFreeUp.zip"))));
        QCOMPARE(server_.requests().size(), before + 1);
        QVERIFY(server_.requests().last().contains("Cache-Control: no-cache"));
    }

    void downloadsIntoTheFile()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("VekFreeUp.zip"));
        QVERIFY(WriteTestFile(target, "old"));
        QVERIFY(client().download(server_.url(QStringLiteral("/moved")), target));
        QCOMPARE(ReadTestFile(target), archive);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("VekFreeUp.zip")});
    }

    void failedDownloadLeavesNoPartialFile_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("not found") << "/nothing";
        QTest::newRow("server error") << "/broken";
        QTest::newRow("refused port") << "refused";
        QTest::newRow("connection cut before the end") << "/cut";
        QTest::newRow("no answer within the time limit") << "/silent";
    }
    void failedDownloadLeavesNoPartialFile()
    {
        QFETCH(QString, where);
        QTemporaryDir dir;
        const QString fresh = dir.filePath(QStringLiteral("fresh.zip"));
        const QString kept = dir.filePath(QStringLiteral("kept.zip"));
        QVERIFY(WriteTestFile(kept, "old"));

        QVERIFY(!client().download(urlOf(where), fresh));
        QVERIFY(!client().download(urlOf(where), kept));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("kept.zip")});
        QCOMPARE(ReadTestFile(kept), QByteArray("old"));
    }

    // A server that sends a byte now and then holds nothing up past the deadline: the
    // head decides reachability, and a download that cannot finish in time fails whole.
    void aTricklingServerHoldsNothingUpPastTheDeadline_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("reachable");
        QTest::newRow("body trickles") << "/trickle" << true;
        QTest::newRow("head trickles") << "/trickle-head" << false;
    }
    void aTricklingServerHoldsNothingUpPastTheDeadline()
    {
        QFETCH(QString, where);
        QFETCH(bool, reachable);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(client().isReachable(server_.url(where)), reachable);
        QVERIFY2(clock.elapsed() < 3 * DeadlineMs, qPrintable(QString::number(clock.elapsed())));

        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("VekFreeUp.zip"));
        clock.restart();
        QVERIFY(!client().download(server_.url(where), target));
        QVERIFY2(clock.elapsed() < 3 * DeadlineMs, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void downloadIntoAFolderThatCannotBeWrittenFails()
    {
        QVERIFY(!client().download(server_.url(QStringLiteral("/VekFreeUp.zip")),
                                              QStringLiteral("/nonexistent/folder/VekFreeUp.zip")));
    }
};

VEK_TEST(TestWebClient)
#include "tst_WebClient.moc"
