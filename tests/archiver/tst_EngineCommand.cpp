#include "archiver/ZipMaster.h"
#include "tests/archiver/TestEngines.h"
#include "tests/archiver/ZipBuilder.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

Q_DECLARE_METATYPE(vek::StandInText)

namespace {

StandInText Text(const char *text)
{
    return StandInText(text);
}

} // namespace

// What the zip component puts into the engine's command records, seen by the stand-in
// engine.
class TestEngineCommand : public QObject {
    Q_OBJECT

    // A component on the stand-in engine, with an archive to extract from.
    struct Setup : StandInComponent {
        Setup() : StandInComponent(ZipBuilder().Add("sub/a.gdb", "abc").Comment("note").Build()) {}
    };

private slots:
    void initTestCase() { QVERIFY2(StandInLoader().IsLoaded(), "the stand-in engine was not built"); }

    void itemSyntax_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("encrypt"); // AddEncrypt
        QTest::addColumn<bool>("recurse"); // AddRecurseDirs
        QTest::addColumn<QString>("spec");
        QTest::addColumn<StandInText>("password");
        QTest::addColumn<int>("encryptFlag");
        QTest::addColumn<int>("recurseFlag");
        QTest::newRow("plain") << "x.gdb" << false << false << "x.gdb" << Text("global") << 0 << 0;
        QTest::newRow("plain takes AddEncrypt") << "x.gdb" << true << false << "x.gdb" << Text("global") << -1 << 0;
        QTest::newRow("plain takes AddRecurseDirs") << "x.gdb" << false << true << "x.gdb" << Text("global") << 0 << 0xFFFF;
        QTest::newRow("'>' recurses") << ">x.gdb" << false << false << "x.gdb" << Text("global") << 0 << 0xFFFF;
        QTest::newRow("'|' does not") << "|x.gdb" << false << true << "x.gdb" << Text("global") << 0 << 0;
        QTest::newRow("own password") << "x.gdb<pw" << false << false << "x.gdb" << Text("pw") << 0xFFFF << 0;
        QTest::newRow("bare '<': no encryption") << "x.gdb<" << true << false << "x.gdb" << StandInText() << 0 << 0;
        QTest::newRow("both") << ">a/*.gdb<p<q" << false << false << "a/*.gdb" << Text("p<q") << 0xFFFF << 0xFFFF;
        QTest::newRow("only the first character") << "x>y|z" << false << false << "x>y|z" << Text("global") << 0 << 0;
    }
    void itemSyntax()
    {
        QFETCH(QString, line);
        QFETCH(bool, encrypt);
        QFETCH(bool, recurse);
        QFETCH(QString, spec);
        QFETCH(StandInText, password);
        QFETCH(int, encryptFlag);
        QFETCH(int, recurseFlag);
        Setup setup;
        setup.zip.SetPassword("global");
        setup.zip.SetAddOptions(AddOpts().setFlag(AddEncrypt, encrypt).setFlag(AddRecurseDirs, recurse));
        setup.zip.FSpecArgs() = {line, "second"};
        setup.zip.AddFiles();
        const StandInEngine &engine = *setup.engine;
        QCOMPARE(engine.calls, 1);
        QCOMPARE(engine.zipCommand.Head.ItemCount, 2);
        QCOMPARE(engine.items.size(), size_t(2));
        const StandInItem &item = engine.items[0];
        QCOMPARE(item.spec, StandInText(spec.toStdString()));
        QCOMPARE(item.password, password);
        QCOMPARE(item.encrypt, encryptFlag);
        QCOMPARE(int(item.recurse), recurseFlag);
        QCOMPARE(item.root, StandInText(setup.home.path().toStdString() + "/"));
        QCOMPARE(engine.password, Text("global"));
        QVERIFY(setup.zip.FSpecArgs().isEmpty());
    }

    void storedSuffixes_data()
    {
        QTest::addColumn<int>("suffixes");
        QTest::addColumn<StandInText>("text");
        QTest::newRow("gif and zip") << int(assGIF | assZIP) << Text(".gif:.zip");
        QTest::newRow("z alone") << int(assZ) << Text(".z");
        QTest::newRow("none: absent") << 0 << StandInText();
        QTest::newRow("every one, in order") << 0xFFF
                                             << Text(".gif:.png:.z:.zip:.zoo:.arc:.lzh:.arj:.taz:.tgz:.lha:.exe");
    }
    void storedSuffixes()
    {
        QFETCH(int, suffixes);
        QFETCH(StandInText, text);
        Setup setup;
        setup.zip.SetAddStoreSuffixes(AddStoreExts(suffixes));
        setup.zip.FSpecArgs() = {"x"};
        setup.zip.AddFiles();
        QCOMPARE(setup.engine->suffixes, text);
    }

    void zipFieldsFollowTheOptions_data()
    {
        QTest::addColumn<bool>("on");
        QTest::newRow("every option") << true;
        QTest::newRow("none") << false;
    }
    void zipFieldsFollowTheOptions()
    {
        QFETCH(bool, on);
        Setup setup;
        MessageAnswerer answers;
        TZipMaster &zip = setup.zip;
        zip.SetAddOptions(on ? AddOpts(AddDirNames | AddRecurseDirs | AddMove | AddFreshen | AddUpdate | AddZipTime
                                       | AddForceDOS | AddHiddenFiles | AddArchiveOnly | AddResetArchive | AddEncrypt
                                       | AddSeparateDirs | AddVolume)
                             : AddOpts());
        zip.SetAddCompLevel(on ? 3 : 0);
        zip.SetVerbose(on);
        zip.SetUnattended(on);
        zip.SetPassword("pw");
        zip.SetTempDir(on ? setup.home.filePath("tmp") : QString());
        zip.FSpecArgs() = {"x"};
        zip.AddFiles();
        const ZipCommand &record = setup.engine->zipCommand;
        const ZipCommandHead &head = record.Head;
        const int flag = on ? -1 : 0;
        QCOMPARE(head.OwnerWindow, nullptr); // no window is active, and none at all when Unattended
        QCOMPARE(head.Component, static_cast<void *>(&zip));
        QCOMPARE(head.Version, 160);
        QVERIFY(head.Callback != nullptr);
        QCOMPARE(head.Trace, 0);
        QCOMPARE(head.Encrypt, flag);
        QCOMPARE(head.HiddenFiles, flag);
        QCOMPARE(head.Volume, flag);
        QCOMPARE(head.Constant40, 0);
        QCOMPARE(head.NoFolderEntries, on ? 0 : -1);
        QCOMPARE(head.Constant48, 0);
        QCOMPARE(head.Verbose, flag);
        QCOMPARE(head.Constant56, -1);
        QCOMPARE(head.Level, on ? 3 : 0);
        QCOMPARE(head.Reserved64, 0);
        QCOMPARE(head.Constant68, 0);
        QCOMPARE(head.JunkFolderNames, on ? 0 : -1);
        QCOMPARE(int(head.Recurse), on ? 0xFFFF : 0);
        QCOMPARE(head.Constant80, -1);
        QCOMPARE(head.ForceDos, flag);
        QCOMPARE(head.Move, flag);
        QCOMPARE(head.Constant92, 0);
        QCOMPARE(head.Update, flag);
        QCOMPARE(head.Freshen, 0); // given up for AddUpdate
        QCOMPARE(head.Constant104, 0);
        QCOMPARE(head.LatestTime, flag);
        QCOMPARE(head.ItemCount, 1);
        QCOMPARE(setup.engine->archive, StandInText(setup.home.filePath("a.zip").toStdString()));
        QCOMPARE(setup.engine->tempDir, on ? StandInText(setup.home.filePath("tmp/").toStdString()) : StandInText());
        QCOMPARE(int(record.ArchiveOnly), on ? 1 : 0);
        QCOMPARE(int(record.ResetArchive), on ? 1 : 0);
        QCOMPARE(record.EndMarker, 7);
    }

    void freshenAloneReachesTheEngine()
    {
        Setup setup;
        setup.zip.SetAddOptions(AddFreshen);
        setup.zip.FSpecArgs() = {"x"};
        setup.zip.AddFiles();
        QCOMPARE(setup.engine->zipCommand.Head.Freshen, -1);
        QCOMPARE(setup.engine->zipCommand.Head.Update, 0);
    }

    void traceMakesTheEngineVerbose()
    {
        Setup setup;
        MessageAnswerer answers;
        setup.zip.SetTrace(true);
        setup.zip.FSpecArgs() = {"x"};
        setup.zip.AddFiles();
        QCOMPARE(setup.engine->zipCommand.Head.Trace, -1);
        QCOMPARE(setup.engine->zipCommand.Head.Verbose, -1);
        setup.zip.SetExtrOptions(ExtrTest);
        setup.zip.ExtractFiles();
        QCOMPARE(setup.engine->unzipCommand.Head.Trace, -1);
        QCOMPARE(setup.engine->unzipCommand.Head.Verbose, -1);
    }

    void rootFolder_data()
    {
        QTest::addColumn<QString>("rootDir");
        QTest::addColumn<QString>("sent"); // below the home folder
        QTest::newRow("empty: the home folder") << "" << "";
        QTest::newRow("relative: in the home folder") << "Temp" << "Temp/";
        QTest::newRow("absolute") << "/srv/vek" << "/srv/vek/";
    }
    void rootFolder()
    {
        QFETCH(QString, rootDir);
        QFETCH(QString, sent);
        Setup setup;
        setup.zip.SetRootDir(rootDir);
        setup.zip.FSpecArgs() = {"x"};
        setup.zip.AddFiles();
        const QString expected = sent.startsWith('/') ? sent : setup.home.path() + "/" + sent;
        QCOMPARE(setup.engine->items.at(0).root, StandInText(expected.toStdString()));
    }

    void unzipFieldsFollowTheOptions_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("update");
        QTest::addColumn<int>("freshen");
        QTest::newRow("none") << 0 << 0 << 0;
        QTest::newRow("every one") << int(ExtrDirNames | ExtrOverWrite | ExtrFreshen | ExtrUpdate | ExtrTest) << -1 << 0;
        QTest::newRow("freshen alone") << int(ExtrFreshen) << 0 << -1;
    }
    void unzipFieldsFollowTheOptions()
    {
        QFETCH(int, options);
        QFETCH(int, update);
        QFETCH(int, freshen);
        Setup setup;
        const ExtrOpts extr(options);
        setup.zip.SetExtrOptions(extr);
        setup.zip.SetPasswordReqCount(4);
        setup.zip.SetPassword("pw");
        setup.zip.FSpecArgs() = {"*.gdb", "b"};
        setup.zip.ExtractFiles();
        const StandInEngine &engine = *setup.engine;
        const UnzipCommandHead &head = engine.unzipCommand.Head;
        QCOMPARE(head.Component, static_cast<void *>(&setup.zip));
        QCOMPARE(head.Version, 160);
        QVERIFY(head.Callback != nullptr);
        QCOMPARE(engine.password, Text("pw"));
        QCOMPARE(head.Test, extr.testFlag(ExtrTest) ? -1 : 0);
        QCOMPARE(head.Constant32, 0);
        QCOMPARE(head.Constant36, 0);
        QCOMPARE(head.Constant40, -1);
        QCOMPARE(head.Verbose, 0);
        QCOMPARE(head.Update, update);
        QCOMPARE(head.Freshen, freshen);
        QCOMPARE(head.FolderNames, extr.testFlag(ExtrDirNames) ? -1 : 0);
        QCOMPARE(head.Overwrite, extr.testFlag(ExtrOverWrite) ? -1 : 0);
        QCOMPARE(head.ItemCount, 2);
        QCOMPARE(engine.items.at(0).spec, Text("*.gdb"));
        QCOMPARE(engine.items.at(1).spec, Text("b"));
        QCOMPARE(engine.archive, StandInText(setup.home.filePath("a.zip").toStdString()));
        QCOMPARE(engine.unzipCommand.IntoMemory, 0);
        QCOMPARE(engine.unzipCommand.PasswordReqCount, 4);
        QCOMPARE(engine.unzipCommand.EndMarker, 7);
    }

    void theFolderToExtractInto_data()
    {
        QTest::addColumn<QString>("baseDir");
        QTest::addColumn<QString>("sent"); // below the home folder
        QTest::newRow("empty: the home folder") << "" << "/";
        QTest::newRow("relative: in the home folder") << "out" << "/out/";
    }
    void theFolderToExtractInto()
    {
        QFETCH(QString, baseDir);
        QFETCH(QString, sent);
        Setup setup;
        QDir(setup.home.path()).mkpath("out");
        setup.zip.SetExtrBaseDir(baseDir);
        setup.zip.ExtractFiles();
        QCOMPARE(setup.engine->extractDir, StandInText((setup.home.path() + sent).toStdString()));
    }

    void passwordsGoWholeBothWays()
    {
        Setup setup;
        const QString password(90, 'p');
        setup.zip.SetPassword(password + QString(200, 'q'));
        QCOMPARE(setup.zip.Password().size(), 255);
        setup.zip.SetPassword(password);
        setup.zip.FSpecArgs() = {"x"};
        setup.zip.AddFiles();
        QCOMPARE(setup.engine->password, StandInText(password.toStdString()));
        QCOMPARE(setup.engine->items.at(0).password, StandInText(password.toStdString()));
        setup.zip.ExtractFiles();
        QCOMPARE(setup.engine->password, StandInText(password.toStdString()));
    }

    // Old engines take old records; the comment and the exclusions reach engines above
    // 1.59, PasswordReqCount and extraction into memory 1.60.
    void engineVersions_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("1.50") << 150;
        QTest::newRow("1.51") << 151;
        QTest::newRow("1.59") << 159;
        QTest::newRow("1.60") << 160;
    }
    void engineVersions()
    {
        QFETCH(int, version);
        Setup setup;
        MessageAnswerer answers;
        setup.engine->version = version;
        TZipMaster &zip = setup.zip;
        zip.SetPasswordReqCount(3);
        zip.FSpecArgs() = {">a.gdb<pw", "b.gdb"};
        zip.FSpecArgsExcl() = {"*.tmp"};
        zip.AddFiles();
        const StandInEngine &engine = *setup.engine;
        QCOMPARE(engine.zipCommand.EndMarker, 7); // where the form of this version has it
        QCOMPARE(engine.zipCommand.Head.ItemCount, 2);
        if (version <= 150) {
            QCOMPARE(engine.items.at(0).spec, Text(">a.gdb<pw")); // the lines as they are
            QCOMPARE(engine.items.at(1).spec, Text("b.gdb"));
        } else {
            QCOMPARE(engine.items.at(0).spec, Text("a.gdb"));
        }
        QCOMPARE(engine.comment, version > 159 ? Text("note") : StandInText());
        QCOMPARE(engine.exclusions, version > 159 ? std::vector<StandInText>{Text("*.tmp")} : std::vector<StandInText>{});
        QVERIFY(zip.FSpecArgsExcl().isEmpty());

        zip.FSpecArgs() = {"sub/a.gdb"};
        zip.ExtractFiles();
        QCOMPARE(engine.unzipCommand.EndMarker, 7);
        QCOMPARE(engine.items.at(0).spec, Text("sub/a.gdb"));
        QCOMPARE(engine.unzipCommand.PasswordReqCount, version >= 160 ? 3 : 0);

        // Into memory needs 1.60.
        setup.engine->count = 1;
        setup.engine->memory = "abc";
        const QByteArray held = zip.ExtractFileToStream("SUB\\A.GDB").Bytes();
        if (version >= 160) {
            QCOMPARE(held, QByteArray("abc"));
            QCOMPARE(engine.unzipCommand.IntoMemory, -1);
            QCOMPARE(engine.unzipCommand.BufferSize, 3);
            QCOMPARE(engine.unzipCommand.Head.ItemCount, 1);
            QCOMPARE(engine.items.at(0).spec, Text("sub\\a.gdb"));
        } else {
            QCOMPARE(zip.ErrCode(), 10503);
            QVERIFY(held.isEmpty());
        }
    }

    // An old engine, unattended, would ask for the password of an encrypted add; it gets a
    // filler instead, so that it fails rather than waits.
    void fillerPasswordForOldEngines_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("unattended");
        QTest::addColumn<bool>("encrypt");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("filler");
        QTest::newRow("1.59 unattended encrypting") << 159 << true << true << "" << true;
        QTest::newRow("1.60") << 160 << true << true << "" << false;
        QTest::newRow("attended") << 159 << false << true << "" << false;
        QTest::newRow("not encrypting") << 159 << true << false << "" << false;
        QTest::newRow("with a password") << 159 << true << true << "pw" << false;
    }
    void fillerPasswordForOldEngines()
    {
        QFETCH(int, version);
        QFETCH(bool, unattended);
        QFETCH(bool, encrypt);
        QFETCH(QString, password);
        QFETCH(bool, filler);
        Setup setup;
        MessageAnswerer answers;
        setup.engine->version = version;
        setup.zip.SetUnattended(unattended);
        setup.zip.SetAddOptions(encrypt ? AddOpts(AddEncrypt) : AddOpts());
        setup.zip.SetPassword(password);
        setup.zip.OnPasswordError = [](TZipMaster &, QString &, const QString &, unsigned &) {};
        setup.zip.ExtractFiles();
        const StandInText expected = filler ? StandInText(std::string(80, '\x7f'))
                                   : password.isEmpty() ? StandInText()
                                                        : StandInText(password.toStdString());
        QCOMPARE(setup.engine->password, expected);
    }
};

VEK_TEST(TestEngineCommand)
#include "tst_EngineCommand.moc"
