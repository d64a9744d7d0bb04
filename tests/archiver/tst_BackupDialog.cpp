#include "archiver/BackupDialog.h"
#include "archiver/ShadowedLabel.h"
#include "archiver/ZipWaitWindow.h"
#include "components/SpeedButton.h"
#include "core/Environment.h"
#include "platform/ini/IniFile.h"
#include "tests/archiver/FolderSnapshot.h"
#include "tests/archiver/InfoZip.h"
#include "tests/archiver/PasswordAnswerer.h"
#include "tests/archiver/RealEngine.h"
#include "tests/archiver/TestEngines.h"
#include "tests/archiver/ZipBuilder.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace vek;
using detail::Tmainf;

namespace {

const QString ZipListKey = QStringLiteral("\\SOFTWARE\\KavroSft\\ZipList");
const QString Absent = QStringLiteral("<absent>");
using QStringMap = QMap<QString, QString>;
const QString Unchanged = QStringLiteral(" 현재의 작업자료는 그대로입니다.");

// Writes the job as the outside caller does: fInifile and ZipEx in the registry (Absent
// leaves a value out; ZipEx is written as text, as a caller may), the keys of section
// ZipList in the ini file named by fInifile.
void WriteJob(const QString &home, const QString &zipEx, const QMap<QString, QString> &keys,
              const QString &iniName = QStringLiteral("VekFree.ini"))
{
    RegistryStore registry = LocalMachineRegistry();
    QVERIFY(registry.createKey(ZipListKey));
    if (iniName != Absent)
        QVERIFY(registry.writeString(ZipListKey, QStringLiteral("fInifile"), iniName));
    if (zipEx != Absent)
        QVERIFY(registry.writeString(ZipListKey, QStringLiteral("ZipEx"), zipEx));
    IniFile ini(QDir(home).filePath(QStringLiteral("VekFree.ini")));
    for (auto key = keys.begin(); key != keys.end(); ++key)
        ini.writeString(QStringLiteral("ZipList"), key.key(), key.value());
    QVERIFY(ini.save());
}

// The dialog shown as kZipdll shows it, on the real engine.
std::unique_ptr<Tmainf> ShowDialog()
{
    auto dialog = std::make_unique<Tmainf>();
    dialog->ZipMaster.SetDLLDirectory(RealEngineFolder());
    dialog->show();
    return dialog;
}

// Shows the dialog and presses Start; false when the dialog stayed open.
bool RunJob()
{
    const auto dialog = ShowDialog();
    QTest::mouseClick(dialog->StartBtn, Qt::LeftButton);
    return !dialog->isVisible();
}

// What unzip prints, as raw bytes.
QByteArray Unzip(const QStringList &arguments)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), arguments);
    unzip.waitForFinished(60000);
    return unzip.readAllStandardOutput();
}

// The entry names of archive as Python's zipfile reads them, sorted. Names without the
// UTF-8 flag are CP949, as the estimator's system wrote them (unzip mangles those).
QStringList EntryNames(const QString &archive)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, zipfile\n"
                                 "for i in zipfile.ZipFile(sys.argv[1]).infolist():\n"
                                 "    n = i.filename if i.flag_bits & 0x800 else i.filename.encode('cp437').decode('cp949')\n"
                                 "    sys.stdout.buffer.write(n.encode('utf-8') + b'\\n')\n"),
                  archive});
    python.waitForFinished(60000);
    QStringList names = QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    names.sort();
    return names;
}

QByteArray EntryBytes(const QString &archive, const QString &name)
{
    return Unzip({QStringLiteral("-p"), archive, name});
}

// Writes bytes to the file at path below home, making its folders.
void Put(const TempHome &home, const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(home.filePath(path)).absolutePath()));
    QVERIFY(WriteTestFile(home.filePath(path), bytes));
}

QString Requests(const MessageAnswerer &answers)
{
    return answers.texts().join(QStringLiteral(" | "));
}

// A work folder home/Temp with two database files and one the archive does not hold, and
// the archive home/BakUp.Zip holding new bytes for the two.
struct RestoreJob {
    explicit RestoreJob(const QString &homeFolder) : home(homeFolder), folder(homeFolder + QStringLiteral("/Temp"))
    {
        QDir().mkpath(folder);
        WriteTestFile(folder + QStringLiteral("/VEKTMP.GDB"), "old database");
        WriteTestFile(folder + QStringLiteral("/X.GDB"), "old x");
        WriteTestFile(folder + QStringLiteral("/other.txt"), "kept");
        builder.Add("VEKTMP.GDB", "new database").Add("X.GDB", "new x");
        archive = builder.Build();
        WriteTestFile(ArchivePath(), archive);
        WriteJob(home, QStringLiteral("1"), {});
        before = TakeSnapshot(folder);
    }
    QString ArchivePath() const { return home + QStringLiteral("/BakUp.Zip"); }

    QString home;
    QString folder;
    ZipBuilder builder;
    QByteArray archive;
    FolderSnapshot before;
};

const FolderSnapshot Restored{{"VEKTMP.GDB", "new database"}, {"X.GDB", "new x"}, {"other.txt", "kept"}};

} // namespace

// The backup library's dialog: its job from the registry and the ini file, a backup into a
// real archive, and a restore that replaces every file or none.
class TestBackupDialog : public QObject {
    Q_OBJECT

    TZipMaster engines;

private slots:
    // The engines stay loaded for the whole run, as a component that loaded them keeps
    // them: loading and unloading a library with thread-local data on every job, in a
    // process where the database engine runs threads of its own, crashes the leak
    // checker's scan at exit.
    void initTestCase()
    {
        engines.SetDLLDirectory(RealEngineFolder());
        QVERIFY(engines.LoadZipLibrary());
        QVERIFY(engines.LoadUnzipLibrary());
    }

    // What the dialog shows for a job: "<home>" stands for the home folder.
    void showsTheJob_data()
    {
        QTest::addColumn<QString>("iniName");
        QTest::addColumn<QString>("zipEx");
        QTest::addColumn<QStringMap>("keys");
        QTest::addColumn<int>("job");
        QTest::addColumn<QString>("archive");

        const QStringMap none;
        QTest::newRow("store missing") << QString() << QString() << none << 0 << "<home>/BakUp.Zip";
        QTest::newRow("ZipEx 0") << "VekFree.ini" << "0" << none << 0 << "<home>/BakUp.Zip";
        QTest::newRow("ZipEx 1") << "VekFree.ini" << "1" << none << 1 << "<home>/BakUp.Zip";
        QTest::newRow("ZipEx 2") << "VekFree.ini" << "2" << none << 2 << "<home>/BakUp.Zip";
        QTest::newRow("ZipEx abc") << "VekFree.ini" << "abc" << none << 0 << "<home>/BakUp.Zip";
        QTest::newRow("ZipEx missing") << "VekFree.ini" << Absent << none << 0 << "<home>/BakUp.Zip";
        QTest::newRow("empty fInifile: defaults")
            << "" << "1" << QStringMap{{"ZiptDir", "/var/backup/"}} << 1 << "<home>/BakUp.Zip";
        QTest::newRow("fInifile missing: defaults")
            << Absent << "1" << QStringMap{{"ZipName", "a.zip"}} << 1 << "<home>/BakUp.Zip";
        QTest::newRow("C:\\ folders") << "VekFree.ini" << "0"
                                      << QStringMap{{"ZipsDir", "C:\\"}, {"ZiptDir", "C:\\"}} << 0
                                      << "<home>/BakUp.Zip";
        QTest::newRow("relative archive folder") << "VekFree.ini" << "0" << QStringMap{{"ZiptDir", "backup/"}} << 0
                                                 << "<home>/BakUp.Zip";
        QTest::newRow("ZiptDir without '/'")
            << "VekFree.ini" << "0" << QStringMap{{"ZiptDir", "/srv/백업"}, {"ZipName", "견적.zip"}} << 0
            << "/srv/백업견적.zip";
        QTest::newRow("Korean names") << "VekFree.ini" << "1"
                                      << QStringMap{{"ZiptDir", "/srv/백업/"}, {"ZipName", "공사견적 자료.Zip"}} << 1
                                      << "/srv/백업/공사견적 자료.Zip";
    }
    void showsTheJob()
    {
        QFETCH(QString, iniName);
        QFETCH(QString, zipEx);
        QFETCH(QStringMap, keys);
        QFETCH(int, job);
        QFETCH(QString, archive);
        TempHome home;
        if (!iniName.isNull())
            WriteJob(home.path(), zipEx, keys, iniName);
        archive.replace(QStringLiteral("<home>"), home.path());

        const auto dialog = ShowDialog();
        QCOMPARE(Tmainf::Settings().Job, job);
        QCOMPARE(Tmainf::Settings().ArchivePath(), archive);
        QCOMPARE(Tmainf::Settings().ZipsDir, home.path() + "/Temp/");
        QCOMPARE(dialog->LZipFile->text(), archive + "   ");
        QCOMPARE(dialog->StartBtn->Caption(), job == 0 ? QStringLiteral("압축") : QStringLiteral("복구"));
        QCOMPARE(dialog->windowTitle(),
                 job == 0 ? QStringLiteral(" >> 작업내용을 백업합니다.") : QStringLiteral(" >> 백업내용을 복구합니다."));
        QCOMPARE(dialog->ExitBtn->Caption(), QStringLiteral("취소"));
        // The underline runs under the whole label, the three blanks included.
        QVERIFY(dialog->LZipFile->width() > QFontMetrics(dialog->LZipFile->font()).horizontalAdvance(archive));
        QCOMPARE(dialog->BevelUnder->geometry(), QRect(16, 73, dialog->LZipFile->width(), 2));
    }

    // The dialog's fixed layout, and its place: centred, 30 pixels above the middle.
    void layout()
    {
        TempHome home;
        const auto dialog = ShowDialog();
        QCOMPARE(dialog->objectName(), QStringLiteral("mainf"));
        QCOMPARE(dialog->size(), QSize(321, 128));
        QCOMPARE(dialog->palette().color(QPalette::Window), QColor(217, 215, 204));
        QCOMPARE(dialog->Bevel1->geometry(), QRect(0, 0, 321, 128));
        QCOMPARE(dialog->LZipFile->pos(), QPoint(16, 54));
        QCOMPARE(dialog->LZipFile->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QCOMPARE(dialog->StartBtn->geometry(), QRect(68, 86, 65, 25));
        QCOMPARE(dialog->ExitBtn->geometry(), QRect(196, 86, 65, 25));
        QCOMPARE(dialog->RxLabel1->geometry(), QRect(16, 25, 248, 15));
        QCOMPARE(dialog->RxLabel1->Caption(), QStringLiteral("작업내용을 확인하시기 바랍니다 !!"));
        QCOMPARE(dialog->RxLabel1->ShadowColor(), QColor(223, 249, 255));
        QVERIFY(!dialog->StartBtn->Glyph().isNull());
        QVERIFY(!dialog->ExitBtn->Glyph().isNull());
        QCOMPARE(dialog->ZipMaster.AddCompLevel(), 9);
        QVERIFY(dialog->ZipMaster.ExtrOptions().testFlag(ExtrOverWrite));
        QVERIFY(!dialog->ZipMaster.AddStoreSuffixes().testFlag(assEXE));
        QVERIFY(dialog->ZipMaster.AddStoreSuffixes().testFlag(assZIP));
        const QSize screen = ScreenSize();
        const QRect outer = dialog->frameGeometry();
        QCOMPARE(outer.topLeft(),
                 QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2 - 30));
    }

    // A registry that cannot be read leaves the job read before.
    void anUnreadableStoreKeepsTheJob()
    {
        TempHome home;
        WriteJob(home.path(), "1", {{"ZipName", "첫째.zip"}});
        ShowDialog();
        QCOMPARE(Tmainf::Settings().Job, 1);
        QVERIFY(QFile::remove(home.filePath("registry.ini")));
        QVERIFY(QDir().mkpath(home.filePath("registry.ini")));
        const auto dialog = ShowDialog();
        QCOMPARE(Tmainf::Settings().Job, 1);
        QCOMPARE(Tmainf::Settings().ZipName, QStringLiteral("첫째.zip"));
        QCOMPARE(dialog->StartBtn->Caption(), QStringLiteral("복구"));
    }

    // The default job backs the working database folder up into the home folder.
    void backsUpTheWorkFiles_data()
    {
        QTest::addColumn<QString>("files");
        QTest::newRow("the default list") << QString();
        QTest::newRow("named") << "VEKTMP.GDB;X.GDB";
        QTest::newRow("absolute") << "<home>/Temp/VEKTMP.GDB;;<home>/Temp/X.GDB;";
    }
    void backsUpTheWorkFiles()
    {
        QFETCH(QString, files);
        TempHome home;
        const QByteArray database = SampleBytes(200000), x = "x " + SampleBytes(3000, 2);
        Put(home, "Temp/VEKTMP.GDB", database);
        Put(home, "Temp/X.GDB", x);
        Put(home, "Temp/notes.txt", "not listed");
        WriteJob(home.path(), "0",
                 files.isNull() ? QStringMap{} : QStringMap{{"ZipFiles", files.replace("<home>", home.path())}});
        MessageAnswerer answers;
        QVERIFY(RunJob());
        QCOMPARE(Requests(answers), QString());
        const QString archive = home.filePath("BakUp.Zip");
        QString output;
        QVERIFY2(UnzipAccepts(archive, &output), qPrintable(output));
        QCOMPARE(EntryNames(archive), QStringList({"VEKTMP.GDB", "X.GDB"}));
        QCOMPARE(EntryBytes(archive, "VEKTMP.GDB"), database);
        QCOMPARE(EntryBytes(archive, "X.GDB"), x);
        QVERIFY(!QDir(home.filePath("Temp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).contains("BakUp.Zip"));
    }

    // A failing item is told once, naming it, and the items after it are still backed up.
    void aMissingItemIsToldOnce()
    {
        TempHome home;
        Put(home, "Temp/a.gdb", "a");
        Put(home, "Temp/b.gdb", "b");
        WriteJob(home.path(), "0", {{"ZipFiles", "a.gdb;missing.txt;b.gdb"}});
        MessageAnswerer answers;
        QVERIFY(RunJob());
        QCOMPARE(answers.requests().size(), 1);
        QVERIFY2(answers.texts().constFirst().contains("missing.txt"), qPrintable(Requests(answers)));
        QVERIFY(UnzipAccepts(home.filePath("BakUp.Zip")));
        QCOMPARE(EntryNames(home.filePath("BakUp.Zip")), QStringList({"a.gdb", "b.gdb"}));
    }

    // A long list leaves no file out.
    void everyItemOfALongList()
    {
        TempHome home;
        QStringList items, names;
        for (int i = 1; i <= 33; ++i) {
            const QString name = QStringLiteral("자료%1.gdb").arg(i, 2, 10, QLatin1Char('0'));
            Put(home, "Temp/" + name, name.toUtf8());
            items.append(name);
        }
        WriteJob(home.path(), "0", {{"ZipFiles", items.join(';')}});
        MessageAnswerer answers;
        QVERIFY(RunJob());
        QCOMPARE(Requests(answers), QString());
        QVERIFY(UnzipAccepts(home.filePath("BakUp.Zip")));
        QCOMPARE(EntryNames(home.filePath("BakUp.Zip")), items);
    }

    void anEmptyListIsTold()
    {
        TempHome home;
        WriteJob(home.path(), "0", {{"ZipFiles", " ; ;"}});
        MessageAnswerer answers;
        QVERIFY(RunJob());
        QCOMPARE(answers.requests().size(), 1);
        QVERIFY(answers.texts().constFirst().contains("ZipFiles"));
        QVERIFY(!QFile::exists(home.filePath("BakUp.Zip")));
    }

    // Job 2 shows the restore captions, and Start only closes.
    void anUnknownJobOnlyCloses()
    {
        TempHome home;
        RestoreJob restore(home.path());
        WriteJob(home.path(), "2", {});
        MessageAnswerer answers;
        QVERIFY(RunJob());
        QCOMPARE(answers.requests().size(), 0);
        QCOMPARE(TakeSnapshot(restore.folder), restore.before);
    }

    void cancelCloses()
    {
        TempHome home;
        RestoreJob restore(home.path());
        MessageAnswerer answers;
        const auto dialog = ShowDialog();
        QTest::mouseClick(dialog->ExitBtn, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(answers.requests().size(), 0);
        QCOMPARE(TakeSnapshot(restore.folder), restore.before);
    }

    void restoreAskedNoChangesNothing()
    {
        TempHome home;
        RestoreJob restore(home.path());
        MessageAnswerer answers(false);
        QVERIFY(RunJob());
        QCOMPARE(answers.requests().size(), 1);
        QCOMPARE(int(answers.requests().constFirst().kind), int(MessageKind::Confirmation));
        QCOMPARE(answers.texts().constFirst(),
                 QStringLiteral(" 현재의 작업자료가 복구자료에 의해 대체됩니다.\n\n 하시고자 하는 작업이 맞습니까??"));
        QCOMPARE(TakeSnapshot(restore.folder), restore.before);
    }

    void restoreReplacesEveryFile()
    {
        TempHome home;
        RestoreJob restore(home.path());
        MessageAnswerer answers(true);
        QVERIFY(RunJob());
        QCOMPARE(answers.requests().size(), 1);
        QCOMPARE(TakeSnapshot(restore.folder), Restored);
    }

    // The restore folder is made when missing, its parents too.
    void restoreMakesItsFolder()
    {
        TempHome home;
        RestoreJob restore(home.path());
        const QString folder = home.filePath("새 작업/자료");
        WriteJob(home.path(), "1", {{"ZipsDir", folder + '/'}});
        MessageAnswerer answers(true);
        QVERIFY(RunJob());
        QCOMPARE(TakeSnapshot(folder), FolderSnapshot({{"VEKTMP.GDB", "new database"}, {"X.GDB", "new x"}}));
        QCOMPARE(TakeSnapshot(restore.folder), restore.before);
    }

    void restoreIntoAFolderThatCannotBeMade()
    {
        TempHome home;
        RestoreJob restore(home.path());
        WriteJob(home.path(), "1", {{"ZipsDir", restore.folder + "/other.txt/sub/"}});
        MessageAnswerer answers(true);
        QVERIFY(RunJob());
        QCOMPARE(answers.requests().size(), 2);
        QVERIFY2(answers.texts().at(1).contains(restore.folder + "/other.txt/sub/"), qPrintable(Requests(answers)));
        QCOMPARE(TakeSnapshot(restore.folder), restore.before);
    }

    void aMissingArchiveIsTold()
    {
        TempHome home;
        RestoreJob restore(home.path());
        QVERIFY(QFile::remove(restore.ArchivePath()));
        MessageAnswerer answers(true);
        QVERIFY(RunJob());
        QCOMPARE(answers.requests().size(), 1);
        QVERIFY(answers.texts().constFirst().contains(restore.ArchivePath()));
        QCOMPARE(TakeSnapshot(restore.folder), restore.before);
    }

    // An archive the engine cannot fully extract replaces nothing: the failure is told and
    // the folder keeps exactly its old files, with no temporary folder left behind.
    void aSpoiledArchiveReplacesNothing_data()
    {
        QTest::addColumn<QString>("spoil");
        QTest::newRow("second entry's data byte flipped") << "flip";
        QTest::newRow("cut in the second entry") << "cut";
        QTest::newRow("not an archive") << "garbage";
    }
    void aSpoiledArchiveReplacesNothing()
    {
        QFETCH(QString, spoil);
        TempHome home;
        RestoreJob restore(home.path());
        QByteArray bytes = restore.archive;
        const qsizetype second = bytes.indexOf("new x");
        if (spoil == "flip")
            bytes[second + 2] = char(bytes[second + 2] ^ 0x01);
        else if (spoil == "cut")
            bytes.truncate(second + 2);
        else
            bytes = "PK this is no archive at all";
        QVERIFY(WriteTestFile(restore.ArchivePath(), bytes));
        MessageAnswerer answers(true);
        QVERIFY(RunJob());
        // The component tells what failed, the dialog that nothing was restored.
        QVERIFY2(answers.requests().size() == 3 && answers.texts().constLast().endsWith(Unchanged),
                 qPrintable(Requests(answers)));
        QCOMPARE(TakeSnapshot(restore.folder), restore.before);
    }

    // A wrong password extracts nothing into the folder.
    void aWrongPasswordReplacesNothing()
    {
        TempHome home;
        RestoreJob restore(home.path());
        QDir().mkpath(home.filePath("src"));
        Put(home, "src/VEKTMP.GDB", "new database");
        Put(home, "src/X.GDB", "new x");
        QVERIFY(QFile::remove(restore.ArchivePath()));
        const ToolRun made = RunTool("zip", {"-q", "-P", "right-pass", restore.ArchivePath(), "VEKTMP.GDB", "X.GDB"},
                                     home.filePath("src"));
        QVERIFY2(made.exitCode == 0, qPrintable(made.output));
        MessageAnswerer answers(true);
        PasswordAnswerer typist({QString("wrong"), QString("wrong"), QString("wrong"), std::nullopt});
        QVERIFY(RunJob());
        QVERIFY(typist.Shown() >= 1);
        QVERIFY2(answers.requests().size() == 3 && answers.texts().constLast().endsWith(Unchanged),
                 qPrintable(Requests(answers)));
        QCOMPARE(TakeSnapshot(restore.folder), restore.before);
    }

    // The working database attached by a running program is not replaced under it.
    void anAttachedDatabaseIsNotReplaced()
    {
        TempDatabase database;
        database.insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"NAME", "토공사"}});
        const QString folder = database.home().filePath("Temp");
        const FolderSnapshot before = TakeSnapshot(folder);
        WriteTestFile(database.home().filePath("BakUp.Zip"), ZipBuilder().Add("VEKTMP.GDB", "other bytes").Build());
        WriteJob(database.home().path(), "1", {});
        MessageAnswerer answers(true);
        QVERIFY(RunJob());
        QCOMPARE(answers.requests().size(), 2);
        QVERIFY2(answers.texts().at(1).contains(folder + "/VEKTMP.GDB"), qPrintable(Requests(answers)));
        QCOMPARE(TakeSnapshot(folder), before);
        QCOMPARE(database.scalar("select NAME from NDTAIL").toString(), QStringLiteral("토공사"));
        database.insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"NAME", "철근"}});
        QCOMPARE(database.scalar("select count(*) from NDTAIL").toInt(), 2);
    }

    // A real working database backed up, changed, and restored: the estimate is back as
    // it was at the backup.
    void aDatabaseComesBackAsBackedUp()
    {
        TempDatabase database;
        database.insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"NAME", "가설공사"}});
        const QString path = database.home().filePath("Temp/VEKTMP.GDB");
        database.module().Disconnect();
        MessageAnswerer answers(true);
        WriteJob(database.home().path(), "0", {{"ZipFiles", "*.GDB"}});
        QVERIFY(RunJob());
        QVERIFY(UnzipAccepts(database.home().filePath("BakUp.Zip")));
        QCOMPARE(EntryBytes(database.home().filePath("BakUp.Zip"), "VEKTMP.GDB"), ReadTestFile(path));

        database.module().Connect(path);
        database.insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"NAME", "철골공사"}});
        QCOMPARE(database.scalar("select count(*) from NDTAIL").toInt(), 2);
        database.module().Disconnect();

        WriteJob(database.home().path(), "1", {});
        QVERIFY(RunJob());
        QCOMPARE(Requests(answers), QStringLiteral(" 현재의 작업자료가 복구자료에 의해 대체됩니다.\n\n 하시고자 하는 작업이 맞습니까??"));
        database.module().Connect(path);
        QCOMPARE(database.scalar("select count(*) from NDTAIL").toInt(), 1);
        QCOMPARE(database.scalar("select NAME from NDTAIL").toString(), QStringLiteral("가설공사"));
    }

    // A second click on Start, Cancel or the close box while the engine works starts no
    // second job and leaves the dialog standing until the first one is done.
    void aSecondClickWhileWorking()
    {
        TempHome home;
        for (int i = 1; i <= 4; ++i)
            Put(home, QStringLiteral("Temp/%1.gdb").arg(i), SampleBytes(400000, quint32(i)));
        WriteJob(home.path(), "0", {});
        MessageAnswerer answers;
        const auto dialog = ShowDialog();
        int tries = 0;
        bool standing = true;
        QTimer clicker;
        connect(&clicker, &QTimer::timeout, [&] {
            if (!detail::SprSfm)
                return; // the job has not started yet, or is over
            ++tries;
            QTest::mouseClick(dialog->StartBtn, Qt::LeftButton);
            QTest::mouseClick(dialog->ExitBtn, Qt::LeftButton);
            dialog->close();
            // A second job would have run to its end and taken the wait window and the
            // dialog with it.
            standing = standing && dialog->isVisible() && detail::SprSfm;
        });
        clicker.start(0);
        QTest::mouseClick(dialog->StartBtn, Qt::LeftButton);
        clicker.stop();
        QVERIFY(tries > 0);
        QVERIFY(standing);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(Requests(answers), QString());
        QVERIFY(UnzipAccepts(home.filePath("BakUp.Zip")));
        QCOMPARE(EntryNames(home.filePath("BakUp.Zip")), QStringList({"1.gdb", "2.gdb", "3.gdb", "4.gdb"}));
    }

    void askConfirmationShowsLineBreaks()
    {
        MessageAnswerer answers(false);
        answers.queueAnswer(true);
        QVERIFY(AskConfirmation("하나\r\r둘"));
        QVERIFY(!AskConfirmation("셋"));
        QCOMPARE(answers.texts(), QStringList({"하나\n\n둘", "셋"}));
    }
};

VEK_TEST(TestBackupDialog)
#include "tst_BackupDialog.moc"
