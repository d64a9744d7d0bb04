#include "archiver/ZipMaster.h"
#include "tests/archiver/TestEngines.h"
#include "tests/archiver/ZipBuilder.h"
#include "tests/archiver/ZipProbe.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QTest>

using namespace vek;

// Loading the engine libraries: where they are looked for, what a missing library or
// entry gives, and that the handles are shared by the whole process.
class TestEngineLibrary : public QObject {
    Q_OBJECT

    const QString realZip = QDir(RealEngineFolder()).filePath("libZIPDLL.so");

private slots:
    void initTestCase() { QVERIFY2(QFile::exists(realZip), "the engine was not built"); }

    void cleanup()
    {
        TZipMaster zip;
        zip.UnloadZipLibrary();
        zip.UnloadUnzipLibrary();
    }

    // Nothing in DLLDirectory, beside the test program or where the linker looks.
    void missingEngine_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<int>("id");
        QTest::newRow("zip engine") << true << 10604;
        QTest::newRow("unzip engine") << false << 10704;
    }
    void missingEngine()
    {
        QFETCH(bool, adding);
        QFETCH(int, id);
        TempHome home;
        MessageAnswerer answers;
        WriteTestFile(home.filePath("a.zip"), ZipBuilder().Add("a.gdb", "a").Build());
        TZipMaster zip;
        ZipProbe probe(zip);
        zip.SetZipFileName(home.filePath("a.zip"));
        zip.SetDLLDirectory(home.path());
        zip.FSpecArgs() = {"a.gdb", "b.gdb"};
        QCOMPARE(adding ? zip.AddFiles() : zip.ExtractFiles(), 0);
        QCOMPARE(probe.MessageIds(), QList<int>{id});
        QCOMPARE(answers.texts().size(), 1);
        QVERIFY2(answers.texts()[0].contains(adding ? "ZIPDLL" : "UNZDLL"), qPrintable(answers.texts()[0]));
        QCOMPARE(zip.FSpecArgs(), QStringList({"a.gdb", "b.gdb"}));
        QVERIFY(!zip.ZipBusy() && !zip.UnzBusy());
        QCOMPARE(adding ? zip.ZipVers() : zip.UnzVers(), 0);
    }

    void missingEntry_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<int>("id");
        QTest::newRow("ZipDllExec") << "noexec" << true << 10602;
        QTest::newRow("GetZipDllVersion") << "noversion" << true << 10603;
        QTest::newRow("UnzDllExec") << "noexec" << false << 10702;
        QTest::newRow("GetUnzDllVersion") << "noversion" << false << 10703;
    }
    void missingEntry()
    {
        QFETCH(QString, engine);
        QFETCH(bool, adding);
        QFETCH(int, id);
        MessageAnswerer answers;
        TZipMaster zip;
        ZipProbe probe(zip);
        zip.SetDLLDirectory(TestEngineFolder(engine) + "/");
        QVERIFY(!(adding ? zip.LoadZipLibrary() : zip.LoadUnzipLibrary()));
        QCOMPARE(probe.MessageIds(), QList<int>{id});
        QVERIFY(!IsInMemory(QDir(TestEngineFolder(engine)).filePath("libZIPDLL.so")));
    }

    // A version question loads the engine only for itself.
    void versions()
    {
        TZipMaster zip;
        zip.SetDLLDirectory(RealEngineFolder());
        QCOMPARE(zip.ZipVers(), 160);
        QCOMPARE(zip.UnzVers(), 160);
        QVERIFY(!IsInMemory(realZip));
        QVERIFY(zip.LoadZipLibrary());
        QCOMPARE(zip.ZipVers(), 160);
        QVERIFY(IsInMemory(realZip)); // loaded by the caller: it stays
        zip.UnloadZipLibrary();
        QVERIFY(!IsInMemory(realZip));
    }

    void traceReportsTheLoading()
    {
        MessageAnswerer answers;
        TZipMaster zip;
        ZipProbe probe(zip);
        zip.SetUnattended(true);
        zip.SetTrace(true);
        zip.SetDLLDirectory(RealEngineFolder());
        QVERIFY(zip.LoadZipLibrary());
        QVERIFY(zip.LoadUnzipLibrary());
        QCOMPARE(probe.MessageIds(), QList<int>({10601, 10701}));
        QVERIFY2(probe.texts[0].endsWith(" " + realZip), qPrintable(probe.texts[0]));
    }

    // The handles belong to the process: what one component loaded, another one uses, and
    // an operation unloads only what it loaded itself.
    void handlesAreSharedByTheProcess()
    {
        TempHome home;
        StandInLoader engine;
        engine->count = 2;
        TZipMaster loader;
        loader.SetDLLDirectory(TestEngineFolder("standin"));
        QVERIFY(loader.LoadZipLibrary());
        TZipMaster other;
        other.SetDLLDirectory(home.path()); // would find no engine of its own
        other.SetZipFileName(home.filePath("new.zip"));
        other.FSpecArgs() = {"x"};
        QCOMPARE(other.AddFiles(), 2);
        QCOMPARE(engine->calls, 1);
        QCOMPARE(engine->zipCommand.Head.Component, static_cast<void *>(&other));
        QVERIFY(other.LoadZipLibrary()); // still loaded: nothing is looked for
    }

    // DLLDirectory comes first; a trailing separator does not matter.
    void dllDirectoryComesFirst()
    {
        TempHome home;
        StandInLoader engine;
        WriteTestFile(home.filePath("a.zip"), ZipBuilder().Add("a.gdb", "a").Build());
        TZipMaster zip;
        zip.SetDLLDirectory(TestEngineFolder("standin") + "/");
        zip.SetZipFileName(home.filePath("a.zip"));
        zip.ExtractFiles();
        QCOMPARE(engine->calls, 1);
        QVERIFY(!engine->zip);
    }
};

VEK_TEST(TestEngineLibrary)
#include "tst_EngineLibrary.moc"
