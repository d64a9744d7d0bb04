#include "archiver/AtomicRestore.h"
#include "archiver/ZipMaster.h"
#include "tests/archiver/FolderSnapshot.h"
#include "tests/archiver/RealEngine.h"
#include "tests/archiver/TestEngines.h"
#include "tests/archiver/ZipBuilder.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace vek;

namespace {

using Snapshot = FolderSnapshot;

// The work folder: two database files and one that no archive holds; the archive holds
// new a.gdb and b.gdb and a c.gdb the folder does not have yet.
struct Restore {
    Restore()
    {
        real.Put("work/a.gdb", "old a");
        real.Put("work/b.gdb", "old b");
        real.Put("work/other.txt", "kept");
        real.Put("new.zip", ZipBuilder().Add("a.gdb", "new a").Add("sub\\b.gdb", "new b").Add("c.gdb", "new c").Build());
        real.zip.SetZipFileName(real.Path("new.zip"));
        before = TakeSnapshot(folder());
    }
    QString folder() const { return real.Path("work"); }

    RealEngine real;
    MessageAnswerer answers;
    Snapshot before;
};

const Snapshot Restored{{"a.gdb", "new a"}, {"b.gdb", "new b"}, {"c.gdb", "new c"}, {"other.txt", "kept"}};

} // namespace

class TestAtomicRestore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QFile::exists(QDir(RealEngineFolder()).filePath("libUNZDLL.so")), "no engine"); }

    void everyFileIsReplacedOrAdded()
    {
        Restore restore;
        const RestoreResult result = RestoreArchive(restore.real.zip, restore.folder());
        QCOMPARE(int(result.outcome), int(RestoreOutcome::Restored));
        QCOMPARE(TakeSnapshot(restore.folder()), Restored);
        QCOMPARE(restore.answers.requests().size(), 0);
    }

    // Whichever move fails, every old file is back and no new one stays: a failure at
    // move 1 puts a.gdb aside, 2 moves the new a.gdb in, 3 and 4 the same for b.gdb, 5
    // moves c.gdb in.
    void aFailedMoveLeavesTheOldFiles_data()
    {
        QTest::addColumn<int>("failing");
        QTest::addColumn<QString>("named");
        for (const auto &[move, name] : {std::pair{1, "a.gdb"}, {2, "a.gdb"}, {3, "b.gdb"}, {4, "b.gdb"}, {5, "c.gdb"}})
            QTest::addRow("move %d", move) << move << QString::fromLatin1(name);
    }
    void aFailedMoveLeavesTheOldFiles()
    {
        QFETCH(int, failing);
        QFETCH(QString, named);
        Restore restore;
        int moves = 0;
        const auto move = [&](const QString &from, const QString &to) {
            return ++moves != failing && RenameFile(from, to);
        };
        const RestoreResult result = RestoreArchive(restore.real.zip, restore.folder(), move);
        QCOMPARE(int(result.outcome), int(RestoreOutcome::SwapFailed));
        QCOMPARE(result.detail, QDir(restore.folder()).filePath(named));
        QCOMPARE(TakeSnapshot(restore.folder()), restore.before);
    }

    // When an old file cannot be put back either, nothing is deleted: the old files stay
    // in the folder the result names.
    void aFailedRollBackKeepsTheOldFiles()
    {
        Restore restore;
        int moves = 0;
        // Move 4 brings the new b.gdb in and fails; move 5, the first of the roll-back,
        // puts the old b.gdb back, and fails too.
        const auto move = [&](const QString &from, const QString &to) {
            ++moves;
            return moves != 4 && moves != 5 && RenameFile(from, to);
        };
        const RestoreResult result = RestoreArchive(restore.real.zip, restore.folder(), move);
        QCOMPARE(int(result.outcome), int(RestoreOutcome::RollbackFailed));
        QVERIFY(result.detail.startsWith(restore.folder() + QStringLiteral("/.KavroZip-")));
        QCOMPARE(ReadTestFile(QDir(result.detail).filePath("b.gdb")), QByteArray("old b"));
        QCOMPARE(ReadTestFile(QDir(restore.folder()).filePath("a.gdb")), QByteArray("old a"));
        QVERIFY(!QFile::exists(QDir(restore.folder()).filePath("c.gdb")));
    }

    // A file another open holds locked is not replaced, nor is anything else.
    void aLockedFileStopsTheRestore()
    {
        Restore restore;
        const QString held = QDir(restore.folder()).filePath("b.gdb");
        const int descriptor = ::open(QFile::encodeName(held).constData(), O_RDONLY);
        QVERIFY(descriptor >= 0);
        QCOMPARE(::flock(descriptor, LOCK_EX | LOCK_NB), 0);
        const RestoreResult result = RestoreArchive(restore.real.zip, restore.folder());
        ::close(descriptor);
        QCOMPARE(int(result.outcome), int(RestoreOutcome::FileHeld));
        QCOMPARE(result.detail, held);
        QCOMPARE(TakeSnapshot(restore.folder()), restore.before);
    }

    // A folder with the name of an archive's file is never moved away.
    void aFolderInTheWayStopsTheRestore()
    {
        Restore restore;
        restore.real.Put("work/c.gdb/inside.txt", "mine");
        const Snapshot before = TakeSnapshot(restore.folder());
        const RestoreResult result = RestoreArchive(restore.real.zip, restore.folder());
        QCOMPARE(int(result.outcome), int(RestoreOutcome::SwapFailed));
        QCOMPARE(result.detail, QDir(restore.folder()).filePath("c.gdb"));
        QCOMPARE(TakeSnapshot(restore.folder()), before);
        QCOMPARE(ReadTestFile(restore.real.Path("work/c.gdb/inside.txt")), QByteArray("mine"));
    }

    void aMissingFolderIsCreated()
    {
        Restore restore;
        const QString folder = restore.real.Path("새 폴더/작업");
        QCOMPARE(int(RestoreArchive(restore.real.zip, folder).outcome), int(RestoreOutcome::Restored));
        QCOMPARE(TakeSnapshot(folder), Snapshot({{"a.gdb", "new a"}, {"b.gdb", "new b"}, {"c.gdb", "new c"}}));
    }

    void aFolderThatCannotBeMadeIsTold()
    {
        Restore restore;
        const QString folder = restore.real.Path("work/other.txt/sub");
        const RestoreResult result = RestoreArchive(restore.real.zip, folder);
        QCOMPARE(int(result.outcome), int(RestoreOutcome::FolderUnusable));
        QCOMPARE(result.detail, folder);
        QCOMPARE(TakeSnapshot(restore.folder()), restore.before);
    }

    void anEmptyArchiveRestoresNothing()
    {
        Restore restore;
        restore.real.Put("empty.zip", ZipBuilder().Build());
        restore.real.zip.SetZipFileName(restore.real.Path("empty.zip"));
        const RestoreResult result = RestoreArchive(restore.real.zip, restore.folder());
        QCOMPARE(int(result.outcome), int(RestoreOutcome::NothingToRestore));
        QCOMPARE(TakeSnapshot(restore.folder()), restore.before);
    }

    // An engine that reports success without writing a file replaces nothing.
    void anEntryNotWrittenStopsTheRestore()
    {
        StandInComponent standIn(ZipBuilder().Add("a.gdb", "new a").Add("b.gdb", "new b").Build());
        QVERIFY(standIn.engine.IsLoaded());
        standIn.engine->count = 2;
        const QString folder = standIn.home.filePath("work");
        QDir().mkpath(folder);
        WriteTestFile(QDir(folder).filePath("a.gdb"), "old a");
        const RestoreResult result = RestoreArchive(standIn.zip, folder);
        QCOMPARE(int(result.outcome), int(RestoreOutcome::EntryMissing));
        QCOMPARE(result.detail, QStringLiteral("a.gdb"));
        QCOMPARE(TakeSnapshot(folder), Snapshot({{"a.gdb", "old a"}}));
        QVERIFY(QString::fromStdString(standIn.engine->extractDir.value_or("")).contains("/work/.KavroZip-"));
    }
};

VEK_TEST(TestAtomicRestore)
#include "tst_AtomicRestore.moc"
