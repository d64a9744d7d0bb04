#include "platform/web/WebClient.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vek;

class TestWebClient : public QObject {
    Q_OBJECT

    static constexpr int TimeoutMs = 500;
    LocalHttpServer server_;
    const QByteArray archive = QByteArray::fromRawData("PK\x03\x04 update archive ", 20).repeated(200);

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
        QCOMPARE(WebClient(TimeoutMs).isReachable(urlOf(where)), reachable);
    }

    void asksPastEveryCache()
    {
        const qsizetype before = server_.requests().size();
        QVERIFY(WebClient(TimeoutMs).isReachable(server_.url(QStringLiteral("/VekFreeUp.zip"))));
        QCOMPARE(server_.requests().size(), before + 1);
        QVERIFY(server_.requests().last().contains("Cache-Control: no-cache"));
    }

    void downloadsIntoTheFile()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("VekFreeUp.zip"));
        QVERIFY(WriteTestFile(target, "old"));
        QVERIFY(WebClient(TimeoutMs).download(server_.url(QStringLiteral("/moved")), target));
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

        QVERIFY(!WebClient(TimeoutMs).download(urlOf(where), fresh));
        QVERIFY(!WebClient(TimeoutMs).download(urlOf(where), kept));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("kept.zip")});
        QCOMPARE(ReadTestFile(kept), QByteArray("old"));
    }

    void downloadIntoAFolderThatCannotBeWrittenFails()
    {
        QVERIFY(!WebClient(TimeoutMs).download(server_.url(QStringLiteral("/VekFreeUp.zip")),
                                              QStringLiteral("/nonexistent/folder/VekFreeUp.zip")));
    }
};

VEK_TEST(TestWebClient)
#include "tst_WebClient.moc"
