#include "archiver/SelfExtractor.h"
#include "archiver/ZipMaster.h"
#include "tests/archiver/InfoZip.h"
#include "tests/archiver/ZipBuilder.h"
#include "tests/archiver/ZipProbe.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace vek;

namespace {

// A stand-in for a stub program: 4,096 bytes.
QByteArray TestStub()
{
    QByteArray stub("#!/bin/sh\necho self-extractor\nexit 0\n");
    stub.append(4096 - stub.size(), '\0');
    return stub;
}

} // namespace

class TestSelfExtractor : public QObject {
    Q_OBJECT
private:
    // An Info-ZIP archive "Data.ZIP" of two files in home, and the stub as ZIPSFX.BIN there.
    QString Prepare(const TempHome &home)
    {
        WriteTestFile(home.filePath("estimate.gdb"), QByteArray(30000, 'e'));
        WriteTestFile(home.filePath("한국.txt"), "견적");
        const ToolRun run = RunTool("zip", {"-q", "Data.ZIP", "estimate.gdb", "한국.txt"}, home.path());
        if (run.exitCode != 0)
            qFatal("zip failed: %s", qPrintable(run.output));
        WriteTestFile(home.filePath("ZIPSFX.BIN"), TestStub());
        return home.filePath("Data.ZIP");
    }

private slots:
    void turnsAnArchiveIntoASelfExtractor()
    {
        TempHome home;
        const QString archive = Prepare(home);
        TZipMaster zip;
        ZipProbe probe(zip);
        zip.SetUnattended(true);
        zip.SetZipFileName(archive);
        zip.SetSFXCaption("견적 자료");
        zip.SetSFXDefaultDir("/home/estimator/work");
        QCOMPARE(zip.MakeSelfExtractor(), 0);
        const QString exe = home.filePath("Data.exe");
        QCOMPARE(zip.ZipFileName(), exe);
        QString output;
        QVERIFY2(UnzipAccepts(exe, &output), qPrintable(output));
        const QByteArray settings = SfxSettingsBlock({"견적 자료", "/home/estimator/work", "", ""},
                                                     SFXCheckSize, OvrConfirm);
        QCOMPARE(zip.LeadInSize(), quint64(4096 + settings.size()));
        const QByteArray bytes = ReadTestFile(exe);
        QCOMPARE(bytes.left(4096), TestStub());
        QCOMPARE(bytes.mid(4096, settings.size()), settings);
        QCOMPARE(ListedNames(zip), QStringList({"estimate.gdb", "한국.txt"}));
        QCOMPARE(probe.MessageIds(), QList<int>());
        QVERIFY(QFileInfo::exists(archive));
    }

    void settingsBlockLayout()
    {
        const QByteArray block = SfxSettingsBlock({"캡션", "C", "", "끝"}, SFXAutoRun | SFXCheckSize, OvrNever);
        QByteArray expected("KZSX");
        expected += QByteArray("\x13\x00", 2);        // 19 bytes in all
        expected += QByteArray("\x14\x02", 2);        // options, overwrite mode
        expected += QByteArray("\x04\xC4\xB8\xBC\xC7", 5); // "캡션" in CP949
        expected += QByteArray("\x01" "C" "\x00", 3);
        expected += QByteArray("\x02\xB3\xA1", 3);    // "끝"
        QCOMPARE(block, expected);
    }

    void refusesWhatItCannotMake_data()
    {
        QTest::addColumn<QString>("archiveName");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("stub");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("extra");
        QTest::newRow("caption of 256 bytes") << "Data.ZIP" << QString(128, QChar(u'가')) << true << 10801
                                              << "\r\nSFXCaption + SFXDefaultDir + SFXCommandLine + SFXMessage = "
                                                 "256 + 0 + 0 + 0";
        QTest::newRow("no stub") << "Data.ZIP" << "Self-extracting Archive" << false << 10802 << "";
        QTest::newRow("not a .ZIP") << "Data.tgz" << "Self-extracting Archive" << true << 10803 << "";
    }
    void refusesWhatItCannotMake()
    {
        QFETCH(QString, archiveName);
        QFETCH(QString, caption);
        QFETCH(bool, stub);
        QFETCH(int, error);
        QFETCH(QString, extra);
        TempHome home;
        QFile::rename(Prepare(home), home.filePath(archiveName));
        if (!stub)
            QFile::remove(home.filePath("ZIPSFX.BIN"));
        TZipMaster zip;
        zip.SetUnattended(true);
        zip.SetZipFileName(home.filePath(archiveName));
        zip.SetSFXCaption(caption);
        QCOMPARE(zip.MakeSelfExtractor(), -7);
        QCOMPARE(zip.ErrCode(), error);
        QVERIFY(zip.Message().endsWith(QString::number(error) + extra));
        QCOMPARE(QFileInfo::exists(home.filePath("Data.exe")), false);
    }

    void findsTheStub_data()
    {
        QTest::addColumn<QString>("sfxPath");
        QTest::addColumn<QString>("stubAt"); // relative to the home folder
        QTest::addColumn<bool>("dllDirectory");
        QTest::newRow("SFXPath in the home folder") << "ZipSFX.bin" << "ZipSFX.bin" << false;
        QTest::newRow("SFXPath absolute") << "<home>/stubs/mine.bin" << "stubs/mine.bin" << false;
        QTest::newRow("ZIPSFX.BIN in the home folder") << "" << "ZIPSFX.BIN" << false;
        QTest::newRow("ZIPSFX.BIN in DLLDirectory") << "" << "engine/ZIPSFX.BIN" << true;
    }
    void findsTheStub()
    {
        QFETCH(QString, sfxPath);
        QFETCH(QString, stubAt);
        QFETCH(bool, dllDirectory);
        TempHome home;
        const QString archive = Prepare(home);
        QFile::remove(home.filePath("ZIPSFX.BIN"));
        QDir(home.path()).mkpath(QFileInfo(home.filePath(stubAt)).path());
        QVERIFY(WriteTestFile(home.filePath(stubAt), TestStub()));
        TZipMaster zip;
        zip.SetUnattended(true);
        zip.SetSFXPath(QString(sfxPath).replace("<home>", home.path()));
        if (dllDirectory)
            zip.SetDLLDirectory(home.filePath("engine") + "/");
        zip.SetZipFileName(archive);
        QCOMPARE(zip.MakeSelfExtractor(), 0);
        QVERIFY(ReadTestFile(home.filePath("Data.exe")).startsWith(TestStub()));
    }

    void newSelfExtractorGetsStubAndSettings()
    {
        TempHome home;
        Prepare(home);
        TZipMaster zip;
        zip.SetZipFileName(home.filePath("New.EXE"));
        QCOMPARE(zip.MakeSelfExtractor(), 0);
        QCOMPARE(ReadTestFile(home.filePath("New.EXE")),
                 TestStub() + SfxSettingsBlock({"Self-extracting Archive", "", "", ""}, SFXCheckSize, OvrConfirm));
        QCOMPARE(zip.ZipFileName(), home.filePath("New.EXE"));
    }

    void oldExeIsDeletedFirst_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("for good") << int(htdFinal);
        QTest::newRow("into the trash") << int(htdAllowUndo);
    }
    void oldExeIsDeletedFirst()
    {
        QFETCH(int, how);
        TempHome home;
        const QByteArray trash = qgetenv("XDG_DATA_HOME");
        QDir(home.path()).mkpath("data");
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        const QString archive = Prepare(home);
        QVERIFY(WriteTestFile(home.filePath("Data.exe"), "the old self-extractor"));
        TZipMaster zip;
        zip.SetUnattended(true);
        zip.SetHowToDelete(DeleteOpts(how));
        zip.SetZipFileName(archive);
        const int result = zip.MakeSelfExtractor();
        const QStringList trashed = QDir(home.filePath("data/Trash/files")).entryList(QDir::Files);
        qputenv("XDG_DATA_HOME", trash);
        QCOMPARE(result, 0);
        QVERIFY(UnzipAccepts(home.filePath("Data.exe")));
        QCOMPARE(trashed, how == htdAllowUndo ? QStringList{"Data.exe"} : QStringList());
    }

    void failedConversionLeavesNoExe_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("error");
        QTest::newRow("no local header where the directory says") << MisplacedEntryArchive(9000, 100) << -7 << 11042;
        QTest::newRow("zip64") << Zip64Archive() << -9 << 11024;
        QTest::newRow("no archive") << QByteArray("plain text") << -7 << 11036;
    }
    void failedConversionLeavesNoExe()
    {
        QFETCH(QByteArray, archive);
        QFETCH(int, result);
        QFETCH(int, error);
        TempHome home;
        Prepare(home);
        QVERIFY(WriteTestFile(home.filePath("Bad.ZIP"), archive));
        TZipMaster zip;
        zip.SetUnattended(true);
        zip.SetZipFileName(home.filePath("Bad.ZIP"));
        QCOMPARE(zip.MakeSelfExtractor(), result);
        QCOMPARE(zip.ErrCode(), error);
        QCOMPARE(QFileInfo::exists(home.filePath("Bad.exe")), false);
        QCOMPARE(zip.ZipFileName(), home.filePath("Bad.ZIP"));
        if (error == 11024)
            QVERIFY(zip.Message().endsWith("\nThe archive needs zip64 records, which a self-extracting archive "
                                           "cannot hold."));
    }
};

VEK_TEST(TestSelfExtractor)
#include "tst_SelfExtractor.moc"
