#include "archiver/ZipMaster.h"
#include "core/Cp949Text.h"
#include "tests/archiver/InfoZip.h"
#include "tests/archiver/ZipBuilder.h"
#include "tests/archiver/ZipProbe.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vek;

namespace {

QByteArray ThreeEntries(ZipBuilder &builder)
{
    return builder.Add("estimate.gdb", "0123456789")
        .Add("docs/", "")
        .Add("readme.txt", "readme")
        .Comment("KavroZip backup")
        .Build();
}

// The archive "made.zip" that Info-ZIP's zip writes in folder from arguments and input.
QByteArray ByInfoZip(const QString &folder, const QStringList &arguments, const QByteArray &input = QByteArray())
{
    QFile::remove(folder + QStringLiteral("/made.zip"));
    const ToolRun run = RunTool(QStringLiteral("zip"), QStringList{"-q", "made.zip"} + arguments, folder, input);
    if (run.exitCode != 0)
        qFatal("zip failed: %s", qPrintable(run.output));
    return ReadTestFile(folder + QStringLiteral("/made.zip"));
}

QByteArray ZeroPadded(QByteArray bytes, int multiple, int extra)
{
    const qsizetype padded = (bytes.size() / multiple + 1) * multiple + extra;
    bytes.append(padded - bytes.size(), '\0');
    return bytes;
}

} // namespace

class TestZipDirectory : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;

    QString Write(const QByteArray &bytes, const QString &name = QStringLiteral("archive.zip"))
    {
        const QString path = dir_.filePath(name);
        if (!WriteTestFile(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void listsWhatTheArchiveHolds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<quint64>("leadIn");
        QTest::addColumn<QList<int>>("messages");

        const QByteArray one = ZipBuilder().Add("estimate.gdb", "0123456789").Build();
        const QByteArray stub(1000, 'S');
        QTest::newRow("empty archive of 22 bytes") << ZipBuilder().Build() << QStringList() << quint64(0) << QList<int>();
        QTest::newRow("comment") << ZipBuilder().Add("a.gdb", "a").Comment("backup of the 3rd").Build()
                                 << QStringList{"a.gdb"} << quint64(0) << QList<int>();
        QTest::newRow("zero padding to a sector, less than 512 bytes")
            << ZeroPadded(one, 512, 0) << QStringList{"estimate.gdb"} << quint64(0) << QList<int>();
        QTest::newRow("zero padding of a whole sector more")
            << ZeroPadded(one, 512, 512) << QStringList{"estimate.gdb"} << quint64(0) << QList<int>{10204};
        QTest::newRow("one trailing byte") << one + QByteArray("\x01", 1) << QStringList{"estimate.gdb"} << quint64(0)
                                           << QList<int>{10204};
        QTest::newRow("stub with offsets moved")
            << ZipBuilder().Stub(stub, true).Add("estimate.gdb", "0123456789").Build() << QStringList{"estimate.gdb"}
            << quint64(1000) << QList<int>();
        QTest::newRow("stub prepended, offsets unmoved")
            << ZipBuilder().Stub(stub, false).Add("estimate.gdb", "0123456789").Add("b.gdb", "b").Build()
            << QStringList{"estimate.gdb", "b.gdb"} << quint64(0) << QList<int>{10203};
        QTest::newRow("folder entry dropped")
            << ZipBuilder().Add("docs/", "").Add("docs/a.gdb", "a").Build() << QStringList{"docs\\a.gdb"} << quint64(0)
            << QList<int>();

        const TestEntry dos(ToCp949("한국.gdb"), "k");
        const TestEntry utf8(QString("한국.gdb").toUtf8(), "k", 3, 0x0800);
        const TestEntry fromUnix(QString("한국.gdb").toUtf8(), "k", 3);
        QTest::newRow("CP949 name from an MS-DOS host") << ZipBuilder().Add(dos).Build() << QStringList{"한국.gdb"}
                                                        << quint64(0) << QList<int>();
        QTest::newRow("UTF-8 name, bit 11") << ZipBuilder().Add(utf8).Build() << QStringList{"한국.gdb"} << quint64(0)
                                            << QList<int>();
        QTest::newRow("UTF-8 name from a Unix host") << ZipBuilder().Add(fromUnix).Build() << QStringList{"한국.gdb"}
                                                     << quint64(0) << QList<int>();

        const TestEntry big = TestEntry::Zip64("big.gdb", "data", 5000000000ULL);
        QTest::newRow("zip64 with a central extra field")
            << ZipBuilder().Add("a.gdb", "a").Add(big).Zip64End().Build() << QStringList{"a.gdb", "big.gdb"}
            << quint64(0) << QList<int>();
        // `echo x | zip a.zip -` writes a zip64 end record for one streamed entry "-".
        QTest::newRow("zip -, streamed") << ByInfoZip(dir_.path(), {"-"}, "x\n") << QStringList{"-"} << quint64(0)
                                         << QList<int>();
        WriteTestFile(dir_.filePath("견적.txt"), "hello");
        QTest::newRow("zip -fz, zip64 forced") << ByInfoZip(dir_.path(), {"-fz", "견적.txt"}) << QStringList{"견적.txt"}
                                                << quint64(0) << QList<int>();

        // Hostile archives: nothing in them is trusted.
        {
            ZipBuilder builder;
            QByteArray bytes = builder.Add("a.gdb", "a").Comment("abc").Build();
            Put16(bytes, builder.EndRecord() + 20, 5000);
            QTest::newRow("comment length past the end") << bytes << QStringList{"a.gdb"} << quint64(0) << QList<int>();
        }
        {
            QByteArray fake("PK\x05\x06", 4);
            fake.append(18, '\0');
            QTest::newRow("fake end record in the comment")
                << ZipBuilder().Add("a.gdb", "a").Comment("note " + fake).Build() << QStringList{"a.gdb"} << quint64(0)
                << QList<int>();
        }
        {
            ZipBuilder builder;
            QByteArray bytes = builder.Add("a.gdb", "a").Build();
            Put32(bytes, builder.EndRecord() + 12, 0x7FFFFFF0);
            QTest::newRow("directory size above the file size") << bytes << QStringList() << quint64(0)
                                                                << QList<int>{11036};
        }
        {
            ZipBuilder builder;
            QByteArray bytes = builder.Add("a.gdb", "a").Add("b.gdb", "b").Build();
            Put16(bytes, builder.CentralHeader(1) + 28, 60000);
            QTest::newRow("name length past the end") << bytes << QStringList{"a.gdb"} << quint64(0)
                                                      << QList<int>{11017};
        }
        {
            ZipBuilder builder;
            QByteArray bytes = builder.Add("a.gdb", "a").Build();
            Put16(bytes, builder.EndRecord() + 8, 65535);
            Put16(bytes, builder.EndRecord() + 10, 65535);
            QTest::newRow("65535 entries claimed, one held") << bytes << QStringList{"a.gdb"} << quint64(0)
                                                             << QList<int>{11013};
        }
        QTest::newRow("zip64 record claiming 2^40 entries")
            << ZipBuilder().Add("a.gdb", "a").Zip64End(quint64(1) << 40).Build() << QStringList{"a.gdb"} << quint64(0)
            << QList<int>{11013};
        {
            ZipBuilder builder;
            QByteArray bytes = builder.Add("a.gdb", "a").Add("b.gdb", "b").Build();
            Put32(bytes, builder.CentralHeader(1) + 42, quint32(builder.CentralStart()));
            QTest::newRow("local offset at the directory") << bytes << QStringList{"a.gdb"} << quint64(0)
                                                           << QList<int>{10201};
        }
        {
            const TestEntry short64 = TestEntry::Zip64("big.gdb", "data", 4);
            ZipBuilder builder;
            QByteArray bytes = builder.Add(short64).Build();
            Put16(bytes, builder.CentralHeader(0) + 46 + 7 + 2, 16); // the field holds two of the three values
            QTest::newRow("zip64 extra field too short") << bytes << QStringList() << quint64(0) << QList<int>{10201};
        }
        QTest::newRow("first part of a set alone")
            << QByteArray("PK\x07\x08", 4) + one.left(40) << QStringList() << quint64(0) << QList<int>{11037};
        QTest::newRow("half an archive") << one.left(one.size() / 2) << QStringList() << quint64(0) << QList<int>{11036};
        QTest::newRow("empty file") << QByteArray() << QStringList() << quint64(0) << QList<int>{11036};
    }
    void listsWhatTheArchiveHolds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, names);
        QFETCH(quint64, leadIn);
        QFETCH(QList<int>, messages);
        for (CodePageOpts codePage : {cpAuto, cpNone, cpOEM}) {
            TZipMaster zip;
            ZipProbe probe(zip);
            zip.SetUnattended(true);
            zip.SetCodePage(codePage);
            QList<int> seqNos;
            zip.OnNewName = [&](TZipMaster &, int seqNo, const ZipDirEntry &) { seqNos.append(seqNo); };
            zip.SetZipFileName(Write(bytes));
            QCOMPARE(probe.Names(), names);
            QCOMPARE(probe.MessageIds(), messages);
            QCOMPARE(zip.LeadInSize(), leadIn);
            QCOMPARE(probe.dirUpdates, 1);
            QCOMPARE(seqNos.size(), names.size());
            for (int i = 0; i < seqNos.size(); ++i)
                QCOMPARE(seqNos[i], i + 1);
        }
    }

    void keepsTheDirectoryState()
    {
        ZipBuilder builder;
        const QByteArray bytes =
            builder.Stub(QByteArray(100, 'S'), true).Add("a.gdb", "a").Comment(ToCp949("백업 자료")).Build();
        TZipMaster zip;
        zip.SetUnattended(true);
        zip.SetZipFileName(Write(bytes + QByteArray(3, 'x')));
        QCOMPARE(zip.ZipFileSize(), quint64(bytes.size()));
        QCOMPARE(zip.EndRecordOffset(), quint64(builder.EndRecord()));
        QCOMPARE(zip.CentralDirOffset(), quint64(builder.CentralStart()));
        QCOMPARE(zip.ZipComment(), QString("백업 자료"));
        QCOMPARE(zip.LeadInSize(), quint64(100));
        QVERIFY(!zip.IsSpanned());
        QVERIFY(!zip.DirectoryMoved());
    }

    void keepsZip64ValuesWide()
    {
        const TestEntry big = TestEntry::Zip64("big.gdb", "data", 5000000000ULL);
        TZipMaster zip;
        zip.SetZipFileName(Write(ZipBuilder().Add("a.gdb", "abc").Add(big).Zip64End().Build()));
        QCOMPARE(zip.Count(), 2);
        QCOMPARE(zip.DirEntry(1).UncompressedSize, quint64(5000000000ULL));
        QCOMPARE(zip.DirEntry(1).CompressedSize, quint64(4));
        QCOMPARE(zip.DirEntry(1).LocalHeaderOffset, quint64(30 + 5 + 3));
    }

    void folderEntriesAreCountedOrKept()
    {
        const QString path = Write(ZipBuilder().Add("docs/", "").Add("docs/a.gdb", "a").Add("c:", "").Build());
        TZipMaster zip;
        zip.SetZipFileName(path);
        QCOMPARE(zip.DirOnlyCount(), 2);
        zip.SetUseDirOnlyEntries(true);
        zip.ReadDirectory();
        QCOMPARE(zip.DirOnlyCount(), 0);
        QCOMPARE(ListedNames(zip), QStringList({"docs\\", "docs\\a.gdb", "c:"}));
    }

    void entryFieldsAsStored()
    {
        const TestEntry entry("secret.gdb", "s", 0, 0x0001, ToCp949("주석"));
        TZipMaster zip;
        zip.SetZipFileName(Write(ZipBuilder().Add(entry).Build()));
        QCOMPARE(zip.Count(), 1);
        const ZipDirEntry &read = zip.DirEntry(0);
        QVERIFY(read.Encrypted);
        QCOMPARE(read.FileComment, QString("주석"));
        QCOMPARE(read.Crc32, Crc32Of("s"));
        QCOMPARE(read.ModDate, quint16(0x5821));
        QCOMPARE(read.HostSystem, quint8(0));
        QCOMPARE(read.MadeByVersion, quint8(20));
        QVERIFY(read.ExtraData.isEmpty());
    }

    void missingArchiveOnlyUpdates()
    {
        TZipMaster zip;
        ZipProbe probe(zip);
        zip.SetZipFileName(dir_.filePath("none.zip"));
        QCOMPARE(probe.dirUpdates, 1);
        QVERIFY(probe.ids.isEmpty());
        QCOMPARE(zip.Count(), 0);
    }

    void rereadingForgetsTheLastArchive()
    {
        TZipMaster zip;
        zip.SetUnattended(true);
        zip.SetZipFileName(Write(ZipBuilder().Add("a.gdb", "a").Add("b/", "").Comment("c").Build(), "first.zip"));
        QCOMPARE(zip.Count(), 1);
        zip.SetZipFileName(Write("not an archive", "second.zip"));
        QCOMPARE(zip.Count(), 0);
        QCOMPARE(zip.DirOnlyCount(), 0);
        QCOMPARE(zip.ZipComment(), QString());
        QCOMPARE(zip.ErrCode(), 11036);
    }

    // Every truncation and every single-byte change of the directory and end record: the
    // reader stays inside the file, fires OnDirUpdate once, and lists at most what the
    // archive holds, each entry ahead of the directory, or ends with a message.
    void survivesEverySpoiledByte()
    {
        MessageAnswerer noBoxes;
        ZipBuilder builder;
        const QByteArray archive = ThreeEntries(builder);
        QList<QByteArray> variants;
        for (qsizetype size = 0; size < archive.size(); ++size)
            variants.append(archive.left(size));
        for (qsizetype at = builder.CentralStart(); at < archive.size(); ++at)
            for (quint8 value : {quint8(0x00), quint8(0xFF), quint8(archive[at] ^ 0x01), quint8(archive[at] ^ 0x80)}) {
                QByteArray changed = archive;
                changed[at] = char(value);
                variants.append(changed);
            }
        const QString path = dir_.filePath("spoiled.zip");
        for (const QByteArray &variant : variants) {
            QVERIFY(WriteTestFile(path, variant));
            TZipMaster zip;
            ZipProbe probe(zip);
            zip.SetUnattended(true);
            zip.SetZipFileName(path);
            QCOMPARE(probe.dirUpdates, 1);
            QVERIFY(zip.Count() + zip.DirOnlyCount() <= 3);
            for (int i = 0; i < zip.Count(); ++i)
                QVERIFY(zip.DirEntry(i).LocalHeaderOffset < zip.CentralDirOffset() || zip.IsSpanned());
            if (zip.Count() + zip.DirOnlyCount() < 3 && variant.size() == archive.size() && probe.MessageIds().isEmpty())
                QVERIFY2(Le16Changed(archive, variant, builder.EndRecord() + 8), "fewer entries without a message");
        }
        QVERIFY(noBoxes.requests().isEmpty());
    }

private:
    // True when the 16-bit field at `at`, or the one after it, differs: the end record's
    // entry counts, which may honestly claim fewer entries.
    static bool Le16Changed(const QByteArray &a, const QByteArray &b, qsizetype at)
    {
        return a.mid(at, 4) != b.mid(at, 4);
    }
};

VEK_TEST(TestZipDirectory)
#include "tst_ZipDirectory.moc"
