#include "archiver/ZipMaster.h"
#include "tests/archiver/InfoZip.h"
#include "tests/archiver/RealEngine.h"
#include "tests/archiver/TestEngines.h"
#include "tests/archiver/ZipProbe.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace vek;

// Adding files through the real engine; the archives are checked by Info-ZIP's unzip.
class TestZipAdd : public QObject {
    Q_OBJECT

    static QStringList Sorted(QStringList names)
    {
        names.sort();
        return names;
    }

private slots:
    void initTestCase() { QVERIFY2(QFile::exists(QDir(RealEngineFolder()).filePath("libZIPDLL.so")), "no engine"); }

    void roundTripIsByteEqual()
    {
        RealEngine real;
        TZipMaster &zip = real.zip;
        const QMap<QString, QByteArray> files{{"VEKTMP.GDB", SampleBytes(300000)},
                                              {"empty.txt", QByteArray()},
                                              {"견적/내역 1.txt", "공사견적 " + SampleBytes(5000, 2)},
                                              {"sub/deep/x.bin", SampleBytes(70000, 3)}};
        for (auto it = files.begin(); it != files.end(); ++it)
            real.Put("data/" + it.key(), it.value());
        QDir().mkpath(real.Path("out"));
        qint64 progressed = 0;
        int totalFiles = 0;
        zip.OnProgress = [&](TZipMaster &, ProgressType type, const QString &, qint64 size) {
            if (type == ProgressType::ProgressUpdate)
                progressed += size;
            if (type == ProgressType::TotalFilesToProcess)
                totalFiles = int(size);
        };
        zip.SetZipFileName(real.Path("out/a.zip"));
        zip.SetRootDir(real.Path("data"));
        zip.SetAddOptions(AddDirNames | AddRecurseDirs);
        zip.FSpecArgs() = {"*"};
        QCOMPARE(zip.AddFiles(), 4);
        QCOMPARE(zip.SuccessCnt(), 4);
        QCOMPARE(totalFiles, 4);
        QCOMPARE(progressed, qint64(300000 + 0 + files["견적/내역 1.txt"].size() + 70000));
        QCOMPARE(Sorted(ListedNames(zip)), Sorted({"VEKTMP.GDB", "empty.txt", "견적\\내역 1.txt", "sub\\deep\\x.bin"}));
        QString output;
        QVERIFY2(UnzipAccepts(zip.ZipFileName(), &output), qPrintable(output));

        QDir().mkpath(real.Path("restore"));
        zip.SetExtrBaseDir(real.Path("restore"));
        zip.SetExtrOptions(ExtrDirNames);
        QCOMPARE(zip.ExtractFiles(), 4);
        QCOMPARE(zip.ErrCode(), 0);
        for (auto it = files.begin(); it != files.end(); ++it) {
            QCOMPARE(ReadTestFile(real.Path("restore/" + it.key())), it.value());
            const qint64 drift = QFileInfo(real.Path("restore/" + it.key())).lastModified().secsTo(
                QFileInfo(real.Path("data/" + it.key())).lastModified());
            QVERIFY2(drift >= 0 && drift <= 2, qPrintable(QString::number(drift))); // DOS times keep even seconds
        }
    }

    // Without AddDirNames an entry is named by its file name alone.
    void folderNamesOnlyWithAddDirNames()
    {
        RealEngine real;
        real.Put("data/sub/x.txt", "x");
        real.zip.SetZipFileName(real.Path("a.zip"));
        real.zip.SetRootDir(real.Path("data"));
        real.zip.FSpecArgs() = {">*.txt"};
        QCOMPARE(real.zip.AddFiles(), 1);
        QCOMPARE(ListedNames(real.zip), QStringList{"x.txt"});
    }

    void encryptionPerItem()
    {
        RealEngine real;
        TZipMaster &zip = real.zip;
        for (const char *name : {"a.txt", "b.txt", "c.txt"})
            real.Put(name, QByteArray(name).repeated(100));
        zip.SetZipFileName(real.Path("e.zip"));
        zip.SetPassword("global");
        zip.SetAddOptions(AddEncrypt);
        zip.FSpecArgs() = {"a.txt<own", "b.txt", "c.txt<"};
        QCOMPARE(zip.AddFiles(), 3);
        const auto info = ZipInfoEntries(zip.ZipFileName());
        QCOMPARE(info["a.txt"]["file security status"], QString("encrypted"));
        QCOMPARE(info["b.txt"]["file security status"], QString("encrypted"));
        QCOMPARE(info["c.txt"]["file security status"], QString("not encrypted"));
        const auto test = [&](const QString &password, const QString &entry) {
            return RunTool("unzip", {"-t", "-P", password, zip.ZipFileName(), entry}, real.home.path()).exitCode == 0;
        };
        QVERIFY(test("own", "a.txt"));
        QVERIFY(test("global", "b.txt"));
        QVERIFY(!test("global", "a.txt"));

        // The component asks for the password the global one does not open.
        QDir().mkpath(real.Path("out"));
        zip.SetExtrBaseDir(real.Path("out"));
        QStringList asked;
        zip.OnPasswordError = [&](TZipMaster &, QString &password, const QString &file, unsigned &) {
            asked.append(file);
            password = "own";
        };
        QCOMPARE(zip.ExtractFiles(), 3);
        QCOMPARE(asked, QStringList{"a.txt"});
        QCOMPARE(real.Files("out"), QStringList({"a.txt", "b.txt", "c.txt"}));
        QCOMPARE(ReadTestFile(real.Path("out/a.txt")), QByteArray("a.txt").repeated(100));
    }

    // The whole password encrypts, also beyond 81 characters, and only the whole one opens.
    void longPasswordsStayWhole()
    {
        RealEngine real;
        TZipMaster &zip = real.zip;
        const QString password = QString("0123456789").repeated(9);
        real.Put("a.gdb", SampleBytes(2000));
        zip.SetZipFileName(real.Path("p.zip"));
        zip.SetPassword(password);
        zip.SetAddOptions(AddEncrypt);
        zip.FSpecArgs() = {"a.gdb"};
        QCOMPARE(zip.AddFiles(), 1);
        QVERIFY(UnzipAccepts(zip.ZipFileName(), nullptr, password));
        QVERIFY(!UnzipAccepts(zip.ZipFileName(), nullptr, password.left(81)));

        QDir().mkpath(real.Path("out"));
        zip.SetExtrBaseDir(real.Path("out"));
        zip.SetUnattended(true);
        zip.SetPassword(password.left(81));
        QCOMPARE(zip.ExtractFiles(), 0);
        QCOMPARE(zip.ErrCode(), int(ZipErrPassword));
        QVERIFY(real.Files("out").isEmpty());
        zip.SetPassword(password);
        QCOMPARE(zip.ExtractFiles(), 1);
        QCOMPARE(ReadTestFile(real.Path("out/a.gdb")), SampleBytes(2000));
    }

    void storedOrDeflated_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("level 9") << 9 << QStringList({"x.zip", "y.GIF"});
        QTest::newRow("level 0 stores all") << 0 << QStringList({"a.zipx", "x.zip", "y.GIF", "z.txt"});
    }
    void storedOrDeflated()
    {
        QFETCH(int, level);
        QFETCH(QStringList, stored);
        RealEngine real;
        const QStringList names{"a.zipx", "x.zip", "y.GIF", "z.txt"};
        for (const QString &name : names)
            real.Put("data/" + name, SampleBytes(4000));
        real.zip.SetZipFileName(real.Path("s.zip"));
        real.zip.SetRootDir(real.Path("data"));
        real.zip.SetAddStoreSuffixes(assGIF | assZIP);
        real.zip.SetAddCompLevel(level);
        real.zip.FSpecArgs() = {"*"};
        QCOMPARE(real.zip.AddFiles(), 4);
        QVERIFY(UnzipAccepts(real.zip.ZipFileName()));
        const auto info = ZipInfoEntries(real.zip.ZipFileName());
        for (const QString &name : names)
            QCOMPARE(info[name]["compression method"], stored.contains(name) ? QString("none (stored)") : QString("deflated"));
    }

    // Only '*' and '?' are wildcards, letters match in either case, and names starting
    // with '.' count only with AddHiddenFiles.
    void wildcards_data()
    {
        QTest::addColumn<QString>("spec");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("*.gdb") << "*.gdb" << false << QStringList({"VEKTMP.GDB", "a1.gdb", "a[1].gdb", "old.Gdb"});
        QTest::newRow("*.GDB") << "*.GDB" << false << QStringList({"VEKTMP.GDB", "a1.gdb", "a[1].gdb", "old.Gdb"});
        QTest::newRow("*.gdb, hidden too") << "*.gdb" << true
                                           << QStringList({".h.gdb", "VEKTMP.GDB", "a1.gdb", "a[1].gdb", "old.Gdb"});
        QTest::newRow("'[' is literal") << "a[1].gdb" << false << QStringList({"a[1].gdb"});
        QTest::newRow("'?'") << "a?.gdb" << false << QStringList({"a1.gdb"});
        QTest::newRow("a name in another case") << "vektmp.gdb" << false << QStringList({"VEKTMP.GDB"});
        QTest::newRow("*") << "*" << false << QStringList({"VEKTMP.GDB", "a1.gdb", "a[1].gdb", "old.Gdb", "x.gdbx"});
        QTest::newRow("a dot-file by name") << ".h.gdb" << true << QStringList({".h.gdb"});
    }
    void wildcards()
    {
        QFETCH(QString, spec);
        QFETCH(bool, hidden);
        QFETCH(QStringList, added);
        RealEngine real;
        for (const char *name : {"VEKTMP.GDB", "old.Gdb", "x.gdbx", "a[1].gdb", "a1.gdb", ".h.gdb"})
            real.Put(QString("data/") + name, name);
        real.zip.SetZipFileName(real.Path("w.zip"));
        real.zip.SetRootDir(real.Path("data"));
        real.zip.SetAddOptions(hidden ? AddOpts(AddHiddenFiles) : AddOpts());
        real.zip.FSpecArgs() = {spec};
        QCOMPARE(real.zip.AddFiles(), int(added.size()));
        QCOMPARE(Sorted(ListedNames(real.zip)), added);
        QVERIFY(UnzipAccepts(real.zip.ZipFileName()));
    }

    void theArchiveIsNeverItsOwnEntry()
    {
        RealEngine real;
        real.Put("data/a.txt", "a");
        real.zip.SetZipFileName(real.Path("data/self.zip"));
        real.zip.SetRootDir(real.Path("data"));
        for (int round = 0; round < 2; ++round) { // the second time the archive exists
            real.zip.FSpecArgs() = {"*"};
            QCOMPARE(real.zip.AddFiles(), 1);
            QCOMPARE(ListedNames(real.zip), QStringList{"a.txt"});
        }
        QVERIFY(UnzipAccepts(real.zip.ZipFileName()));
    }

    void refusedBeforeTheEngine_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("archive");
        QTest::addColumn<int>("options");
        QTest::addColumn<bool>("unattended");
        QTest::addColumn<int>("id");
        QTest::newRow("no lines and no archive: only 10301") << QStringList() << "" << 0 << false << 10301;
        QTest::newRow("no archive") << QStringList{"a"} << "" << 0 << false << 10102;
        QTest::newRow("encrypting unattended without password") << QStringList{"a"} << "a.zip" << int(AddEncrypt) << true << 10302;
        QTest::newRow("spanning and freshen") << QStringList{"a"} << "a.zip" << int(AddDiskSpan | AddFreshen) << false << 10303;
        QTest::newRow("spanning and update") << QStringList{"a"} << "a.zip" << int(AddDiskSpanErase | AddUpdate) << false << 10303;
        QTest::newRow("spanning an .exe") << QStringList{"a"} << "a.Exe" << int(AddDiskSpan) << false << 11041;
    }
    void refusedBeforeTheEngine()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, archive);
        QFETCH(int, options);
        QFETCH(bool, unattended);
        QFETCH(int, id);
        RealEngine real;
        MessageAnswerer answers;
        ZipProbe probe(real.zip);
        real.zip.SetZipFileName(archive.isEmpty() ? archive : real.Path(archive));
        real.zip.SetAddOptions(AddOpts(options));
        real.zip.SetUnattended(unattended);
        real.zip.FSpecArgs() = lines;
        QCOMPARE(real.zip.AddFiles(), 0);
        QCOMPARE(probe.MessageIds(), QList<int>{id});
        QCOMPARE(answers.texts().size(), unattended ? 0 : 1);
        QVERIFY(!QFileInfo::exists(real.Path("a.zip")));
    }

    // A failure the engine reports is shown once, attended, and is the last error.
    void engineFailuresAreShownOnce_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("unattended");
        QTest::addColumn<QString>("text");
        QTest::newRow("no match") << "a.zip" << int(ZipErrNoMatch) << false << "Nothing matches nothing*";
        QTest::newRow("no match, unattended") << "a.zip" << int(ZipErrNoMatch) << true << "Nothing matches nothing*";
        QTest::newRow("archive not writable") << "none/a.zip" << int(ZipErrArchive) << false << "none\\a.zip: ";
    }
    void engineFailuresAreShownOnce()
    {
        QFETCH(QString, archive);
        QFETCH(int, code);
        QFETCH(bool, unattended);
        QFETCH(QString, text);
        RealEngine real;
        real.Put("a.txt", "a");
        MessageAnswerer answers;
        QList<int> codes;
        real.zip.OnMessage = [&](TZipMaster &, int errCode, const QString &) { codes.append(errCode); };
        real.zip.SetUnattended(unattended);
        real.zip.SetZipFileName(real.Path(archive));
        real.zip.FSpecArgs() = {code == ZipErrNoMatch ? "nothing*" : "a.txt"};
        QCOMPARE(real.zip.AddFiles(), 0);
        QCOMPARE(real.zip.ErrCode(), code);
        QVERIFY(codes.contains(code));
        QCOMPARE(answers.texts().size(), unattended ? 0 : 1);
        if (!unattended)
            QVERIFY2(answers.texts()[0].contains(text), qPrintable(answers.texts()[0]));
        QVERIFY(!QFileInfo::exists(real.Path(archive)));
    }

    void cancelLeavesTheArchiveAsItWas()
    {
        RealEngine real;
        MessageAnswerer answers;
        real.Put("a.txt", "first");
        real.Put("big.gdb", SampleBytes(3000000));
        real.zip.SetZipFileName(real.Path("a.zip"));
        real.zip.FSpecArgs() = {"a.txt"};
        QCOMPARE(real.zip.AddFiles(), 1);
        const QByteArray before = ReadTestFile(real.Path("a.zip"));
        real.zip.OnProgress = [](TZipMaster &zip, ProgressType type, const QString &, qint64) {
            if (type == ProgressType::ProgressUpdate)
                zip.SetCancel(true);
        };
        real.zip.FSpecArgs() = {"big.gdb"};
        QCOMPARE(real.zip.AddFiles(), 0);
        QCOMPARE(ReadTestFile(real.Path("a.zip")), before);
        QCOMPARE(real.Files(""), QStringList({"a.txt", "a.zip", "big.gdb"})); // no temporary file left
        QVERIFY(answers.texts().isEmpty());
        QCOMPARE(ListedNames(real.zip), QStringList{"a.txt"});
    }

    void moveDeletesTheFilesOnceTheyAreIn()
    {
        RealEngine real;
        real.Put("data/a.txt", "a");
        real.Put("data/b.txt", "b");
        real.zip.SetZipFileName(real.Path("m.zip"));
        real.zip.SetRootDir(real.Path("data"));
        real.zip.SetAddOptions(AddMove);
        real.zip.FSpecArgs() = {"*.txt"};
        QCOMPARE(real.zip.AddFiles(), 2);
        QVERIFY(real.Files("data").isEmpty());
        QVERIFY(UnzipAccepts(real.zip.ZipFileName()));
        QCOMPARE(Sorted(ListedNames(real.zip)), QStringList({"a.txt", "b.txt"}));
    }

    void freshenAndUpdate_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("c");
        QTest::newRow("plain add replaces all") << 0 << QStringList({"a.txt", "b.txt", "c.txt"}) << QByteArray("new a")
                                                << QByteArray("older c");
        QTest::newRow("freshen: newer entries only") << int(AddFreshen) << QStringList({"a.txt", "c.txt"})
                                                     << QByteArray("new a") << QByteArray("c in archive");
        QTest::newRow("update: new and newer") << int(AddUpdate) << QStringList({"a.txt", "b.txt", "c.txt"})
                                               << QByteArray("new a") << QByteArray("c in archive");
    }
    void freshenAndUpdate()
    {
        QFETCH(int, options);
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, c);
        RealEngine real;
        const QDateTime now = QDateTime::currentDateTime();
        const auto put = [&](const QString &name, const QByteArray &bytes, int ageDays) {
            QFile file(real.Put("data/" + name, bytes));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(now.addDays(-ageDays), QFileDevice::FileModificationTime));
        };
        put("a.txt", "old a", 10);
        put("c.txt", "c in archive", 1);
        real.zip.SetZipFileName(real.Path("f.zip"));
        real.zip.SetRootDir(real.Path("data"));
        real.zip.FSpecArgs() = {"*.txt"};
        QCOMPARE(real.zip.AddFiles(), 2);
        put("a.txt", "new a", 0);
        put("b.txt", "new b", 0);
        put("c.txt", "older c", 5);
        real.zip.SetAddOptions(AddOpts(options));
        real.zip.FSpecArgs() = {"*.txt"};
        real.zip.AddFiles();
        QCOMPARE(Sorted(ListedNames(real.zip)), entries);
        QDir().mkpath(real.Path("out"));
        real.zip.SetExtrBaseDir(real.Path("out"));
        QVERIFY(real.zip.ExtractFiles() > 0);
        QCOMPARE(ReadTestFile(real.Path("out/a.txt")), a);
        QCOMPARE(ReadTestFile(real.Path("out/c.txt")), c);
        QVERIFY(UnzipAccepts(real.zip.ZipFileName()));
    }

    void exclusionsLeaveFilesOut()
    {
        RealEngine real;
        for (const char *name : {"data/a.gdb", "data/a.tmp", "data/sub/b.gdb", "data/keep/c.gdb"})
            real.Put(name, name);
        real.zip.SetZipFileName(real.Path("x.zip"));
        real.zip.SetRootDir(real.Path("data"));
        real.zip.SetAddOptions(AddDirNames | AddRecurseDirs);
        real.zip.FSpecArgs() = {"*"};
        real.zip.FSpecArgsExcl() = {"*.TMP", "sub/*"};
        QCOMPARE(real.zip.AddFiles(), 2);
        QCOMPARE(Sorted(ListedNames(real.zip)), QStringList({"a.gdb", "keep\\c.gdb"}));
        QVERIFY(real.zip.FSpecArgsExcl().isEmpty());
    }

    // Entry names are the CP949 bytes the Windows system wrote, without the UTF-8 flag.
    void koreanNamesAreCp949()
    {
        RealEngine real;
        real.Put("견적.gdb", "x");
        real.zip.SetZipFileName(real.Path("k.zip"));
        real.zip.FSpecArgs() = {"견적.gdb"};
        QCOMPARE(real.zip.AddFiles(), 1);
        const QByteArray archive = ReadTestFile(real.Path("k.zip"));
        QCOMPARE(archive.count(QByteArray::fromHex("b0dfc0fb2e676462")), 2); // local and central header
        QCOMPARE(real.zip.DirEntry(0).Flags & 0x0800, 0);
        QCOMPARE(real.zip.DirEntry(0).FileName, QString("견적.gdb"));
        QVERIFY(UnzipAccepts(real.zip.ZipFileName()));
    }

    void renamingAndComments()
    {
        RealEngine real;
        MessageAnswerer answers;
        real.Put("a.txt", "a");
        real.Put("b.txt", "b");
        real.zip.OnSetNewName = [](TZipMaster &, QString &name, bool &changed) {
            name = name == "a.txt" ? "docs\\첫째.txt" : "..\\escape.txt";
            changed = true;
        };
        real.zip.OnFileComment = [](TZipMaster &, const QString &, QString &comment, bool &changed) {
            comment = "견적 메모";
            changed = true;
        };
        real.zip.SetZipFileName(real.Path("r.zip"));
        real.zip.FSpecArgs() = {"?.txt"};
        QCOMPARE(real.zip.AddFiles(), 2);
        QCOMPARE(Sorted(ListedNames(real.zip)), QStringList({"b.txt", "docs\\첫째.txt"})); // no way out of the folder
        QCOMPARE(real.zip.ErrCode(), int(ZipErrUnsafeName));
        QCOMPARE(real.zip.DirEntry(0).FileComment, QString("견적 메모"));
        QVERIFY(UnzipAccepts(real.zip.ZipFileName()));
    }

    // A new ".EXE" gets the self-extractor stub ahead of its entries, and keeps it when
    // more are added.
    void selfExtractorKeepsItsStub()
    {
        RealEngine real;
        const QByteArray stub = "#!/bin/sh\nexit 0\n" + QByteArray(200, '\0');
        real.Put("ZIPSFX.BIN", stub);
        real.Put("a.txt", SampleBytes(3000));
        real.Put("b.txt", SampleBytes(3000, 7));
        real.zip.SetZipFileName(real.Path("Data.EXE"));
        real.zip.FSpecArgs() = {"a.txt"};
        QCOMPARE(real.zip.AddFiles(), 1);
        real.zip.FSpecArgs() = {"b.txt"};
        QCOMPARE(real.zip.AddFiles(), 1);
        QVERIFY(ReadTestFile(real.Path("Data.EXE")).startsWith(stub));
        QVERIFY(real.zip.LeadInSize() > quint64(stub.size()));
        QCOMPARE(Sorted(ListedNames(real.zip)), QStringList({"a.txt", "b.txt"}));
        QString output;
        QVERIFY2(UnzipAccepts(real.zip.ZipFileName(), &output), qPrintable(output));
    }

    void aFailedStubAddsNothing()
    {
        RealEngine real;
        MessageAnswerer answers;
        ZipProbe probe(real.zip);
        real.Put("a.txt", "a");
        real.zip.SetSFXPath(real.Path("none.bin"));
        real.zip.SetDLLDirectory(real.Path("nowhere")); // no stub there either
        real.zip.SetZipFileName(real.Path("Data.exe"));
        real.zip.FSpecArgs() = {"a.txt"};
        QCOMPARE(real.zip.AddFiles(), 0);
        QCOMPARE(probe.MessageIds(), QList<int>({10802, 10304}));
        QVERIFY(!QFileInfo::exists(real.Path("Data.exe")));
    }

    void spanningWritesParts()
    {
        RealEngine real;
        MessageAnswerer answers;
        ZipProbe probe(real.zip);
        const QByteArray big = SampleBytes(400000);
        real.Put("data/big.gdb", big);
        real.zip.SetZipFileName(real.Path("set/BakUp.zip"));
        QDir().mkpath(real.Path("set"));
        real.zip.SetRootDir(real.Path("data"));
        real.zip.SetTempDir(real.Path("tmp"));
        QDir().mkpath(real.Path("tmp"));
        real.zip.SetAddOptions(AddDiskSpan);
        real.zip.SetMaxVolumeSize(100000);
        real.zip.SetVerbose(true);
        real.zip.FSpecArgs() = {"big.gdb"};
        QCOMPARE(real.zip.AddFiles(), 1);
        QVERIFY(probe.texts.first().startsWith("Temporary zipfile: " + real.Path("tmp/zip")));
        QVERIFY(real.Files("tmp").isEmpty());
        QVERIFY(real.Files("set").size() > 1);
        QVERIFY(real.zip.IsSpanned());

        QDir().mkpath(real.Path("out"));
        real.zip.SetExtrBaseDir(real.Path("out"));
        QCOMPARE(real.zip.ExtractFiles(), 1);
        QCOMPARE(ReadTestFile(real.Path("out/big.gdb")), big);
        QVERIFY(real.Files("tmp").isEmpty()); // the joined archive is gone
    }

    void zipTimeIsTheNewestEntry()
    {
        RealEngine real;
        const QDateTime then = QDateTime(QDate(2023, 5, 17), QTime(10, 20, 30));
        QFile file(real.Put("a.txt", "a"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(then, QFileDevice::FileModificationTime));
        file.close();
        real.zip.SetZipFileName(real.Path("t.zip"));
        real.zip.SetAddOptions(AddZipTime);
        real.zip.FSpecArgs() = {"a.txt"};
        QCOMPARE(real.zip.AddFiles(), 1);
        QCOMPARE(QFileInfo(real.Path("t.zip")).lastModified(), then);
    }
};

VEK_TEST(TestZipAdd)
#include "tst_ZipAdd.moc"
