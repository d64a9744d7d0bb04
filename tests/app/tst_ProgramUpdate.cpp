#include "app/ProgramUpdate.h"
#include "core/Environment.h"
#include "platform/ini/IniFile.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QTest>

using namespace vek;

class TestProgramUpdate : public QObject {
    Q_OBJECT

    LocalHttpServer server_;
    const QByteArray archive_ = QByteArray("PK\x03\x04 archive", 11).repeated(500);

    static void SetMakerBase(const TempHome &home, const QUrl &base)
    {
        IniFile ini(home.filePath(QStringLiteral("VekFree.ini")));
        ini.writeString(QStringLiteral("WebAddress"), QStringLiteral("Base"), base.toString());
        QVERIFY(ini.save());
    }

private slots:
    void initTestCase()
    {
        server_.setResponse(QStringLiteral("/good/DTZIP/VekFreeUp.zip"), {200, archive_, {}, -1, true});
        server_.setResponse(QStringLiteral("/cut/DTZIP/VekFreeUp.zip"), {200, archive_.left(50), {}, archive_.size(), true});
    }

    void theAddressesLieUnderTheConfiguredBase()
    {
        TempHome home;
        SetMakerBase(home, QUrl(QStringLiteral("http://127.0.0.1:9/maker/")));
        QCOMPARE(MakerHomePage(), QStringLiteral("http://127.0.0.1:9/maker/"));
        QCOMPARE(UpdateArchiveAddress(), QStringLiteral("http://127.0.0.1:9/maker/DTZIP/VekFreeUp.zip"));
        QVERIFY(MakerDownloadPage().startsWith(QStringLiteral("http://127.0.0.1:9/maker/")));
    }

    void leavesTheHandOverAndFetchesTheArchive()
    {
        TempHome home;
        SetMakerBase(home, server_.url(QStringLiteral("/good/")));
        QVERIFY(DownloadUpdate());
        QCOMPARE(ReadTestFile(home.filePath(QStringLiteral("VekFreeUp.zip"))), archive_);

        const RegistryStore registry = LocalMachineRegistry();
        QCOMPARE(registry.readString(ZipListKey, QStringLiteral("fInifile")), QStringLiteral("VekFree.ini"));
        QCOMPARE(registry.readString(ZipListKey, QStringLiteral("exefile")), QCoreApplication::applicationFilePath());
        const IniFile ini(home.filePath(QStringLiteral("VekFree.ini")));
        QCOMPARE(ini.readString(QStringLiteral("ZipList"), QStringLiteral("ZipName"), {}), QStringLiteral("VekFreeUp.zip"));
        QCOMPARE(ini.readString(QStringLiteral("ZipList"), QStringLiteral("ExeName"), {}),
                 QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        QCOMPARE(ini.readString(QStringLiteral("ZipList"), QStringLiteral("Tempday"), {}),
                 QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")));
        // The other settings of the file stay.
        QCOMPARE(ini.readString(QStringLiteral("WebAddress"), QStringLiteral("Base"), {}),
                 server_.url(QStringLiteral("/good/")).toString());
    }

    void aFailedDownloadLeavesNoArchive_data()
    {
        QTest::addColumn<QString>("base");
        QTest::newRow("cut short") << "/cut/";
        QTest::newRow("not found") << "/missing/";
    }
    void aFailedDownloadLeavesNoArchive()
    {
        QFETCH(QString, base);
        TempHome home;
        SetMakerBase(home, server_.url(base));
        QVERIFY(!DownloadUpdate());
        QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("VekFreeUp.zip"))));
        QCOMPARE(LocalMachineRegistry().readString(ZipListKey, QStringLiteral("fInifile")), QStringLiteral("VekFree.ini"));
    }
};

VEK_TEST(TestProgramUpdate)
#include "tst_ProgramUpdate.moc"
