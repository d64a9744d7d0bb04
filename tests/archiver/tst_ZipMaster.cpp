#include "archiver/ZipMaster.h"
#include "tests/archiver/ZipBuilder.h"
#include "tests/archiver/ZipProbe.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTest>

using namespace vek;

class TestZipMaster : public QObject {
    Q_OBJECT
private slots:
    void messagesGoToABoxAndTheEvent_data()
    {
        QTest::addColumn<bool>("unattended");
        QTest::newRow("attended") << false;
        QTest::newRow("unattended: no box") << true;
    }
    void messagesGoToABoxAndTheEvent()
    {
        QFETCH(bool, unattended);
        MessageAnswerer answers;
        TZipMaster zip;
        zip.SetUnattended(unattended);
        QList<int> codes;
        QStringList texts;
        zip.OnMessage = [&](TZipMaster &, int errCode, const QString &message) {
            codes.append(errCode);
            texts.append(message);
        };
        zip.ShowZipMessage(10102, " BakUp.Zip");
        const QString text = "ZipMsgXX.res is probably not linked to the executable\nMissing String ID is: 10102 BakUp.Zip";
        QCOMPARE(zip.ErrCode(), 10102);
        QCOMPARE(zip.Message(), text);
        QCOMPARE(codes, QList<int>{0});
        QCOMPARE(texts, QStringList{text});
        QCOMPARE(answers.texts(), unattended ? QStringList() : QStringList{text});
        if (!unattended) {
            QCOMPARE(answers.requests()[0].kind, MessageKind::Plain);
            QCOMPARE(answers.requests()[0].caption, QGuiApplication::applicationDisplayName());
        }
    }

    void defaultsOfTheProperties()
    {
        TZipMaster zip;
        QCOMPARE(zip.MinFreeVolumeSize(), qint64(65536));
        QCOMPARE(zip.MaxVolumeSize(), qint64(0));
        QCOMPARE(zip.KeepFreeOnDisk1(), qint64(0));
        QCOMPARE(zip.CodePage(), cpAuto);
        QCOMPARE(zip.HowToDelete(), htdAllowUndo);
        QCOMPARE(zip.SFXPath(), QString("ZipSFX.bin"));
        QCOMPARE(zip.SFXCaption(), QString("Self-extracting Archive"));
        QCOMPARE(zip.SFXOptions(), SFXOpts(SFXCheckSize));
        QCOMPARE(zip.SFXOverWriteMode(), OvrConfirm);
        QVERIFY(!zip.Unattended());
        QVERIFY(!zip.UseDirOnlyEntries());
        QCOMPARE(zip.Count(), 0);
        QCOMPARE(zip.AddCompLevel(), 9);
        QCOMPARE(zip.AddOptions(), AddOpts());
        QCOMPARE(zip.AddStoreSuffixes(), AddStoreExts());
        QCOMPARE(zip.ExtrOptions(), ExtrOpts());
        QCOMPARE(zip.PasswordReqCount(), 1u);
        QCOMPARE(zip.VersionInfo(), QString("1.60 L"));
        QVERIFY(zip.FSpecArgs().isEmpty() && zip.FSpecArgsExcl().isEmpty());
        QVERIFY(zip.Password().isEmpty() && zip.RootDir().isEmpty() && zip.ExtrBaseDir().isEmpty());
        QVERIFY(!zip.Verbose() && !zip.Trace() && !zip.Cancel() && !zip.ZipBusy() && !zip.UnzBusy());
    }

    void assignmentRules()
    {
        TZipMaster zip;
        zip.SetPasswordReqCount(20);
        QCOMPARE(zip.PasswordReqCount(), 15u);
        zip.SetPasswordReqCount(7);
        QCOMPARE(zip.PasswordReqCount(), 7u);
        zip.SetVersionInfo("2.00");
        QCOMPARE(zip.VersionInfo(), QString("1.60 L"));
        // A password holds at most 255 CP949 bytes, never half a letter.
        zip.SetPassword(QString(300, 'p'));
        QCOMPARE(zip.Password().size(), 255);
        zip.SetPassword(QString(200, QChar(0xAC00)));
        QCOMPARE(zip.Password(), QString(127, QChar(0xAC00)));
        QStringList lines{"a", "b"};
        zip.SetFSpecArgs(lines);
        lines.append("c");
        QCOMPARE(zip.FSpecArgs(), QStringList({"a", "b"})); // a copy
    }

    void rootDirGainsOneSeparator_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("kept");
        QTest::newRow("none") << "/srv/vek" << "/srv/vek/";
        QTest::newRow("slash") << "/srv/vek/" << "/srv/vek/";
        QTest::newRow("backslash") << "C:\\vek\\" << "C:\\vek\\";
        QTest::newRow("empty stays empty") << "" << "";
    }
    void rootDirGainsOneSeparator()
    {
        QFETCH(QString, folder);
        QFETCH(QString, kept);
        TZipMaster zip;
        zip.SetRootDir(folder);
        QCOMPARE(zip.RootDir(), kept);
    }

    void dllDirectoryLosesOneTrailingSeparator_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("kept");
        QTest::newRow("slash") << "/opt/zip/" << "/opt/zip";
        QTest::newRow("backslash") << "C:\\zip\\" << "C:\\zip";
        QTest::newRow("only one") << "/opt/zip//" << "/opt/zip/";
        QTest::newRow("none") << "/opt/zip" << "/opt/zip";
    }
    void dllDirectoryLosesOneTrailingSeparator()
    {
        QFETCH(QString, folder);
        QFETCH(QString, kept);
        TZipMaster zip;
        zip.SetDLLDirectory(folder);
        QCOMPARE(zip.DLLDirectory(), kept);
    }

    void assigningTheNameReadsTheDirectory()
    {
        TempHome home;
        QVERIFY(WriteTestFile(home.filePath("a.zip"), ZipBuilder().Add("a.gdb", "a").Build()));
        TZipMaster zip;
        ZipProbe probe(zip);
        zip.SetZipFileName(home.filePath("a.zip"));
        QCOMPARE(probe.dirUpdates, 1);
        QCOMPARE(probe.Names(), QStringList{"a.gdb"});
        zip.SetZipFileName(QString());
        QCOMPARE(probe.dirUpdates, 2);
        QCOMPARE(zip.Count(), 0);
    }

    void erasesFiles()
    {
        TempHome home;
        TZipMaster zip;
        QCOMPARE(zip.EraseFile(home.filePath("none.exe"), htdFinal), -1);
        QCOMPARE(zip.EraseFile(QString(), htdFinal), -1); // never the home folder itself
        QCOMPARE(zip.EraseFile(home.path(), htdFinal), -1);
        QVERIFY(QFileInfo(home.path()).isDir());
        QVERIFY(WriteTestFile(home.filePath("old.exe"), "old"));
        QCOMPARE(zip.EraseFile("old.exe", htdFinal), 0); // a bare name lies in the home folder
        QVERIFY(!QFileInfo::exists(home.filePath("old.exe")));
    }
};

VEK_TEST(TestZipMaster)
#include "tst_ZipMaster.moc"
