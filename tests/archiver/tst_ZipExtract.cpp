#include "archiver/ZipMaster.h"
#include "core/Cp949Text.h"
#include "tests/archiver/RealEngine.h"
#include "tests/archiver/TestEngines.h"
#include "tests/archiver/ZipBuilder.h"
#include "tests/archiver/ZipProbe.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

using namespace vek;

// Extracting through the real engine: into files, safely, and into memory.
class TestZipExtract : public QObject {
    Q_OBJECT

    static constexpr quint32 UnixLink = quint32(S_IFLNK | 0777) << 16;

    // An archive of names that try to leave the folder extracted into; the absolute one
    // points into the sentinel folder beside it.
    static QByteArray UnsafeArchive(const RealEngine &real)
    {
        TestEntry link("link.txt", "/etc/passwd", 3);
        link.attributes = UnixLink;
        return ZipBuilder()
            .Add("../e.txt", "e")
            .Add(real.Path("sentinel/a.txt").toUtf8(), "a")
            .Add("a\\..\\..\\b.txt", "b")
            .Add("C:\\x\\d.txt", "d")
            .Add("ok/f.txt", "f")
            .Add(link)
            .Add("..", "dots")
            .Build();
    }

    // Lays out base/target and an empty base/sentinel, with the archive in base.
    static void Prepare(RealEngine &real, const QByteArray &archive)
    {
        QDir().mkpath(real.Path("base/target"));
        QDir().mkpath(real.Path("base/sentinel"));
        real.Put("base/x.zip", archive);
        real.zip.SetZipFileName(real.Path("base/x.zip"));
        real.zip.SetExtrBaseDir(real.Path("base/target"));
    }

private slots:
    void initTestCase() { QVERIFY2(QFile::exists(QDir(RealEngineFolder()).filePath("libUNZDLL.so")), "no engine"); }

    // No entry name writes outside the folder extracted into, nor makes a link.
    void unsafeNames_data()
    {
        QTest::addColumn<bool>("dirNames");
        QTest::addColumn<QStringList>("files"); // below base
        QTest::newRow("file names alone") << false
                                          << QStringList({"target/a.txt", "target/b.txt", "target/d.txt", "target/e.txt",
                                                          "target/f.txt", "x.zip"});
        QTest::newRow("with folder names") << true << QStringList({"target/ok/f.txt", "x.zip"});
    }
    void unsafeNames()
    {
        QFETCH(bool, dirNames);
        QFETCH(QStringList, files);
        RealEngine real;
        Prepare(real, UnsafeArchive(real));
        MessageAnswerer answers;
        QList<int> skips;
        real.zip.OnExtractSkipped = [&](TZipMaster &, const QString &, UnZipSkipTypes type, int error) {
            QVERIFY(error != 0);
            skips.append(type);
        };
        real.zip.SetExtrOptions(dirNames ? ExtrOpts(ExtrDirNames) : ExtrOpts());
        QCOMPARE(real.zip.ExtractFiles(), files.size() - 1);
        QCOMPARE(real.Files("base"), files);
        QCOMPARE(skips.count(UnzipSkipSymbolicLink), 1);
        QCOMPARE(skips.size(), 7 - (files.size() - 1));
        QCOMPARE(answers.texts().size(), 1);
    }

    // A link planted under an entry's name is replaced, not followed.
    void aPlantedLinkIsReplaced()
    {
        RealEngine real;
        Prepare(real, ZipBuilder().Add("f.txt", "from the archive").Build());
        QVERIFY(QFile::link(real.Path("base/sentinel/f.txt"), real.Path("base/target/f.txt")));
        real.zip.SetExtrOptions(ExtrOverWrite);
        QCOMPARE(real.zip.ExtractFiles(), 1);
        QCOMPARE(real.Files("base"), QStringList({"target/f.txt", "x.zip"}));
        QCOMPARE(ReadTestFile(real.Path("base/target/f.txt")), QByteArray("from the archive"));
    }

    // A linked folder on the way out of the target is refused.
    void aLinkedFolderIsRefused()
    {
        RealEngine real;
        MessageAnswerer answers;
        Prepare(real, ZipBuilder().Add("ok/f.txt", "f").Add("g.txt", "g").Build());
        QVERIFY(QFile::link(real.Path("base/sentinel"), real.Path("base/target/ok")));
        real.zip.SetExtrOptions(ExtrDirNames | ExtrOverWrite);
        QCOMPARE(real.zip.ExtractFiles(), 1);
        QCOMPARE(real.zip.ErrCode(), int(ZipErrLink));
        QCOMPARE(real.Files("base"), QStringList({"target/g.txt", "target/ok -> " + real.Path("base/sentinel"), "x.zip"}));
    }

    // Names a Windows host wrote are CP949 text.
    void cp949Names()
    {
        RealEngine real;
        Prepare(real, ZipBuilder().Add(TestEntry(ToCp949("한국.gdb"), "kr", 0)).Build());
        QCOMPARE(real.zip.ExtractFiles(), 1);
        QCOMPARE(real.Files("base/target"), QStringList{"한국.gdb"});
    }

    // A damaged entry leaves no file behind, sets the error and is shown once when attended.
    void damagedArchives_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("unattended");
        QTest::addColumn<int>("code");
        for (bool unattended : {false, true}) {
            const char *how = unattended ? ", unattended" : ", attended";
            QTest::addRow("wrong password%s", how) << "password" << unattended << int(ZipErrPassword);
            QTest::addRow("half an archive%s", how) << "half" << unattended << int(ZipErrFormat);
            QTest::addRow("a flipped data byte%s", how) << "flip" << unattended << int(ZipErrCrc);
        }
    }
    void damagedArchives()
    {
        QFETCH(QString, damage);
        QFETCH(bool, unattended);
        QFETCH(int, code);
        RealEngine real;
        const QByteArray data = SampleBytes(5000);
        real.Put("a.gdb", data);
        real.zip.SetZipFileName(real.Path("d.zip"));
        real.zip.SetAddCompLevel(0);
        if (damage == "password") {
            real.zip.SetPassword("right");
            real.zip.SetAddOptions(AddEncrypt);
        }
        real.zip.FSpecArgs() = {"a.gdb"};
        QCOMPARE(real.zip.AddFiles(), 1);
        QByteArray bytes = ReadTestFile(real.Path("d.zip"));
        if (damage == "half")
            bytes.truncate(bytes.size() / 2);
        if (damage == "flip")
            bytes[bytes.indexOf(data.left(40)) + 1000] ^= 0x20;
        QVERIFY(WriteTestFile(real.Path("d.zip"), bytes));
        QDir().mkpath(real.Path("out"));
        real.zip.SetExtrBaseDir(real.Path("out"));
        real.zip.SetPassword("wrong");
        real.zip.SetUnattended(unattended);
        real.zip.OnPasswordError = [](TZipMaster &, QString &, const QString &, unsigned &) {};

        MessageAnswerer answers;
        QCOMPARE(real.zip.ExtractFiles(), 0);
        // One wrong password in 256 passes the check byte of traditional encryption and
        // shows as data that does not match its CRC.
        QVERIFY2(real.zip.ErrCode() == code || (damage == "password" && real.zip.ErrCode() == ZipErrCrc),
                 qPrintable(QString::number(real.zip.ErrCode())));
        QVERIFY(real.Files("out").isEmpty());
        QCOMPARE(answers.texts().size(), unattended ? 0 : 1);
    }

    // The folder to extract into must be there; another one is never taken.
    void aMissingFolderExtractsNothing()
    {
        RealEngine real;
        MessageAnswerer answers;
        ZipProbe probe(real.zip);
        Prepare(real, ZipBuilder().Add("a.txt", "a").Build());
        real.zip.SetExtrBaseDir(real.Path("base/none"));
        QCOMPARE(real.zip.ExtractFiles(), 0);
        QCOMPARE(probe.MessageIds(), QList<int>{10501});
        QVERIFY(real.zip.Message().endsWith(" " + real.Path("base/none")));
        QCOMPARE(real.Files("base"), QStringList{"x.zip"});
    }

    void theHomeFolderWhenNoneIsGiven()
    {
        RealEngine real;
        Prepare(real, ZipBuilder().Add("sub/a.txt", "a").Build());
        real.zip.SetExtrBaseDir(QString());
        QCOMPARE(real.zip.ExtractFiles(), 1);
        QCOMPARE(ReadTestFile(real.Path("a.txt")), QByteArray("a"));
    }

    void onlyTheEntriesNamed()
    {
        RealEngine real;
        MessageAnswerer answers;
        Prepare(real, ZipBuilder().Add("A.GDB", "a").Add("sub/b.gdb", "b").Add("c.txt", "c").Build());
        real.zip.FSpecArgs() = {"*.gdb", "none.txt"};
        QCOMPARE(real.zip.ExtractFiles(), 2);
        QCOMPARE(real.Files("base/target"), QStringList({"A.GDB", "b.gdb"}));
        QCOMPARE(real.zip.ErrCode(), int(ZipErrNoMatch));
        QVERIFY(real.zip.FSpecArgs().isEmpty());
    }

    void existingFiles_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("handler"); // -1 none, else its answer
        QTest::addColumn<QByteArray>("older"); // what the older file on disk holds afterwards
        QTest::addColumn<QByteArray>("newer"); // the same for the newer one
        QTest::addColumn<bool>("missing");     // the file not on disk was extracted
        const QByteArray older("older"), newer("newer"), archived("archived");
        QTest::newRow("kept without asking") << 0 << -1 << older << newer << true;
        QTest::newRow("overwritten") << int(ExtrOverWrite) << -1 << archived << archived << true;
        QTest::newRow("the handler says yes") << 0 << 1 << archived << archived << true;
        QTest::newRow("freshen") << int(ExtrFreshen | ExtrOverWrite) << -1 << archived << newer << false;
        QTest::newRow("update") << int(ExtrUpdate | ExtrOverWrite) << -1 << archived << newer << true;
    }
    void existingFiles()
    {
        QFETCH(int, options);
        QFETCH(int, handler);
        QFETCH(QByteArray, older);
        QFETCH(QByteArray, newer);
        QFETCH(bool, missing);
        RealEngine real;
        // The builder dates its entries 2024-01-01 12:00.
        Prepare(real, ZipBuilder().Add("o.txt", "archived").Add("n.txt", "archived").Add("m.txt", "archived").Build());
        const auto put = [&](const QString &name, const QByteArray &bytes, const QDateTime &time) {
            QFile file(real.Put("base/target/" + name, bytes));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
        };
        put("o.txt", "older", QDateTime(QDate(2020, 1, 1), QTime(0, 0)));
        put("n.txt", "newer", QDateTime(QDate(2025, 1, 1), QTime(0, 0)));
        QList<bool> asked;
        if (handler >= 0)
            real.zip.OnExtractOverwrite = [&](TZipMaster &, const QString &, bool isOlder, bool &doOverwrite) {
                asked.append(isOlder);
                doOverwrite = handler == 1;
            };
        real.zip.SetExtrOptions(ExtrOpts(options));
        real.zip.ExtractFiles();
        QCOMPARE(ReadTestFile(real.Path("base/target/o.txt")), older);
        QCOMPARE(ReadTestFile(real.Path("base/target/n.txt")), newer);
        QCOMPARE(QFileInfo::exists(real.Path("base/target/m.txt")), missing);
        if (handler >= 0)
            QCOMPARE(asked, QList<bool>({true, false}));
        QCOMPARE(real.zip.ErrCode(), 0);
    }

    void testingWritesNothing()
    {
        RealEngine real;
        MessageAnswerer answers;
        QByteArray archive = ZipBuilder().Add("a.txt", "aaaa").Add("b.txt", "bbbb").Build();
        archive[archive.indexOf("bbbb")] = 'x';
        Prepare(real, archive);
        real.zip.SetExtrOptions(ExtrTest);
        QCOMPARE(real.zip.ExtractFiles(), 1);
        QCOMPARE(real.zip.ErrCode(), int(ZipErrCrc));
        QVERIFY(real.Files("base/target").isEmpty());
    }

    void intoMemory()
    {
        RealEngine real;
        MessageAnswerer answers;
        const QByteArray data = SampleBytes(100000);
        real.Put("data/sub/A.gdb", data);
        real.zip.SetZipFileName(real.Path("m.zip"));
        real.zip.SetRootDir(real.Path("data"));
        real.zip.SetAddOptions(AddDirNames | AddRecurseDirs | AddEncrypt);
        real.zip.SetPassword("pw");
        real.zip.FSpecArgs() = {"*"};
        QCOMPARE(real.zip.AddFiles(), 1);
        QCOMPARE(real.zip.ExtractFileToStream("SUB/a.GDB").Bytes(), data);
        QCOMPARE(real.zip.SuccessCnt(), 1);
        QVERIFY(real.zip.ExtractFileToStream("none.gdb").Bytes().isEmpty());
        QCOMPARE(real.zip.ErrCode(), int(ZipErrNoMatch));
    }

    // Unattended without a password nobody is asked: 10502, and PasswordReqCount holds again
    // afterwards.
    void unattendedWithoutPassword()
    {
        RealEngine real;
        real.Put("a.txt", "a");
        real.zip.SetZipFileName(real.Path("u.zip"));
        real.zip.SetPassword("pw");
        real.zip.SetAddOptions(AddEncrypt);
        real.zip.FSpecArgs() = {"a.txt"};
        QCOMPARE(real.zip.AddFiles(), 1);
        ZipProbe probe(real.zip);
        QDir().mkpath(real.Path("out"));
        real.zip.SetExtrBaseDir(real.Path("out"));
        real.zip.SetPassword(QString());
        real.zip.SetUnattended(true);
        real.zip.SetPasswordReqCount(3);
        QCOMPARE(real.zip.ExtractFiles(), 0);
        QCOMPARE(probe.MessageIds(), QList<int>{10502});
        QCOMPARE(real.zip.ErrCode(), int(ZipErrPassword));
        QCOMPARE(real.zip.PasswordReqCount(), 3u);
        QVERIFY(real.Files("out").isEmpty());
    }

    // A stop while a file is written leaves none of it.
    void cancelRemovesThePartialFile()
    {
        RealEngine real;
        real.Put("big.gdb", SampleBytes(2000000));
        real.zip.SetZipFileName(real.Path("c.zip"));
        real.zip.FSpecArgs() = {"big.gdb"};
        QCOMPARE(real.zip.AddFiles(), 1);
        QDir().mkpath(real.Path("out"));
        real.zip.SetExtrBaseDir(real.Path("out"));
        real.zip.OnProgress = [](TZipMaster &zip, ProgressType type, const QString &, qint64) {
            if (type == ProgressType::ProgressUpdate)
                zip.SetCancel(true);
        };
        QCOMPARE(real.zip.ExtractFiles(), 0);
        QVERIFY(real.Files("out").isEmpty());
    }
};

VEK_TEST(TestZipExtract)
#include "tst_ZipExtract.moc"
