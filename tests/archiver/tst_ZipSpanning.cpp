#include "archiver/ZipMaster.h"
#include "tests/archiver/InfoZip.h"
#include "tests/archiver/ZipBuilder.h"
#include "tests/archiver/ZipProbe.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace vek;

namespace {

const QStringList SourceFiles{"f1.bin", "f2.bin", "f3.bin", "f4.bin"};

// Four files of 50,000 random bytes (which do not compress) in folder.
void WriteRandomFiles(const QString &folder)
{
    QRandomGenerator random(2024);
    for (const QString &name : SourceFiles) {
        QByteArray bytes(50000, '\0');
        random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
        QVERIFY(WriteTestFile(QDir(folder).filePath(name), bytes));
    }
}

void Zip(const QString &folder, const QStringList &arguments)
{
    const ToolRun run = RunTool(QStringLiteral("zip"), arguments, folder);
    QVERIFY2(run.exitCode == 0, qPrintable(run.output));
}

QStringList FilesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestZipSpanning : public QObject {
    Q_OBJECT
private:
    QTemporaryDir sources_;
    QString archive_; // made by Info-ZIP from the random files

    // A fresh folder for one test, beside the sources.
    QString NewFolder(const QString &name)
    {
        const QString folder = QDir(sources_.path()).filePath(name);
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        return folder;
    }

    // Spreads the Info-ZIP archive over "BakUp.Zip" parts of 70,000 bytes in folder.
    int WriteSet(TZipMaster &zip, const QString &folder)
    {
        zip.SetMaxVolumeSize(70000);
        return zip.WriteSpanned(archive_, QDir(folder).filePath("BakUp.Zip"));
    }

private slots:
    void initTestCase()
    {
        WriteRandomFiles(sources_.path());
        Zip(sources_.path(), QStringList{"-q", "source.zip"} + SourceFiles);
        archive_ = QDir(sources_.path()).filePath("source.zip");
    }

    void writesNumberedPartsInfoZipJoins()
    {
        const QString folder = NewFolder("write");
        TZipMaster zip;
        ZipProbe probe(zip);
        QList<ProgressType> types;
        qint64 totalSize = -1;
        qint64 written = 0;
        zip.OnProgress = [&](TZipMaster &, ProgressType type, const QString &, qint64 size) {
            types.append(type);
            if (type == ProgressType::TotalSizeToProcess)
                totalSize = size;
            if (type == ProgressType::ProgressUpdate) {
                QVERIFY(size > 0 && size <= 8192);
                written += size;
            }
        };
        QCOMPARE(WriteSet(zip, folder), 0);
        const QStringList parts = FilesIn(folder);
        QCOMPARE(parts, QStringList({"Ba001.Zip", "Ba002.Zip", "Ba003.Zip"}));
        const QDateTime date = QFileInfo(archive_).lastModified();
        for (const QString &part : parts) {
            QVERIFY(QFileInfo(QDir(folder).filePath(part)).size() <= 70000);
            QCOMPARE(QFileInfo(QDir(folder).filePath(part)).lastModified(), date);
        }
        QVERIFY(ReadTestFile(QDir(folder).filePath("Ba001.Zip")).startsWith(QByteArray("PK\x07\x08PK\x03\x04", 8)));
        QCOMPARE(probe.MessageIds(), QList<int>());
        QCOMPARE(probe.texts, QStringList({"Copying: f1.bin", "Copying: f2.bin", "Copying: f3.bin", "Copying: f4.bin",
                                           "Central directory"}));
        QCOMPARE(types.first(), ProgressType::TotalFilesToProcess);
        QCOMPARE(types.last(), ProgressType::EndOfBatch);
        QCOMPARE(written, totalSize);
        QVERIFY(!zip.Busy());

        // Info-ZIP's names for the same set: x.z01, x.z02, ..., x.zip for the last part.
        for (int i = 0; i < parts.size(); ++i) {
            const QString name = i + 1 < parts.size() ? QStringLiteral("x.z%1").arg(i + 1, 2, 10, QLatin1Char('0'))
                                                      : QStringLiteral("x.zip");
            QVERIFY(QFile::rename(QDir(folder).filePath(parts[i]), QDir(folder).filePath(name)));
        }
        Zip(folder, {"-q", "-s", "0", "x.zip", "--out", "j.zip"});
        QString output;
        QVERIFY2(UnzipAccepts(QDir(folder).filePath("j.zip"), &output), qPrintable(output));
    }

    // Without a size limit the first part takes the whole archive: one part, numbered too,
    // that is a whole archive in itself.
    void withoutLimitOnePartHoldsAll()
    {
        const QString folder = NewFolder("onepart");
        TZipMaster zip;
        QCOMPARE(zip.WriteSpanned(archive_, QDir(folder).filePath("BakUp.Zip")), 0);
        QCOMPARE(FilesIn(folder), QStringList{"Ba001.Zip"});
        QString output;
        QVERIFY2(UnzipAccepts(QDir(folder).filePath("Ba001.Zip"), &output), qPrintable(output));
        zip.SetZipFileName(QDir(folder).filePath("BakUp.Zip"));
        QCOMPARE(ListedNames(zip), SourceFiles);
        QVERIFY(!zip.IsSpanned());
        QCOMPARE(zip.LeadInSize(), quint64(4));
    }

    void joinsAnInfoZipSet()
    {
        const QString folder = NewFolder("join");
        const QString temp = NewFolder("join-temp");
        for (const QString &name : SourceFiles)
            QVERIFY(QFile::copy(QDir(sources_.path()).filePath(name), QDir(folder).filePath(name)));
        Zip(folder, QStringList{"-q", "-s", "64k", "x.zip"} + SourceFiles);
        Zip(folder, {"-q", "-s", "0", "x.zip", "--out", "infozip-joined.zip"});
        const QStringList split = {"x.z01", "x.z02", "x.z03", "x.zip"};
        QCOMPARE(QFileInfo(QDir(folder).filePath("x.z04")).exists(), false);
        for (int i = 0; i < split.size(); ++i)
            QVERIFY(QFile::rename(QDir(folder).filePath(split[i]),
                                  QDir(folder).filePath(QStringLiteral("Ba%1.Zip").arg(i + 1, 3, 10, QLatin1Char('0')))));

        for (const QString &name : {QStringLiteral("BakUp.Zip"), QStringLiteral("Ba002.Zip")}) {
            TZipMaster zip;
            ZipProbe probe(zip);
            zip.SetTempDir(temp);
            zip.SetZipFileName(QDir(folder).filePath(name));
            QCOMPARE(probe.Names(), SourceFiles);
            QVERIFY(zip.IsSpanned());
            QCOMPARE(zip.DiskNumber(), 3);
            QString joined;
            QCOMPARE(zip.ReadSpanned(QDir(folder).filePath(name), joined), 0);
            QCOMPARE(QFileInfo(joined).absolutePath(), temp);
            QVERIFY(joined.endsWith(".zip"));
            QString output;
            QVERIFY2(UnzipAccepts(joined, &output), qPrintable(output));
            QCOMPARE(ReadTestFile(joined), ReadTestFile(QDir(folder).filePath("infozip-joined.zip")));
            QVERIFY(QFile::remove(joined));
        }
    }

    void writtenSetReadsAndJoinsBack()
    {
        const QString folder = NewFolder("round");
        TZipMaster zip;
        QCOMPARE(WriteSet(zip, folder), 0);
        zip.SetZipFileName(QDir(folder).filePath("BakUp.Zip"));
        QCOMPARE(ListedNames(zip), SourceFiles);
        QString joined;
        zip.SetTempDir(folder);
        QCOMPARE(zip.ReadSpanned(zip.ZipFileName(), joined), 0);
        QString output;
        QVERIFY2(UnzipAccepts(joined, &output), qPrintable(output));
        QCOMPARE(RunTool("unzip", {"-q", joined, "-d", "extracted"}, folder).exitCode, 0);
        for (const QString &name : SourceFiles)
            QCOMPARE(ReadTestFile(QDir(folder).filePath("extracted/" + name)),
                     ReadTestFile(QDir(sources_.path()).filePath(name)));
    }

    void missingPartIsAskedFor_data()
    {
        QTest::addColumn<bool>("unattended");
        QTest::addColumn<int>("error");
        QTest::newRow("asked, cancelled") << false << 11007;
        QTest::newRow("unattended") << true << 11025;
    }
    void missingPartIsAskedFor()
    {
        QFETCH(bool, unattended);
        QFETCH(int, error);
        MessageAnswerer noBoxes(false);
        const QString folder = NewFolder("missing");
        const QString temp = NewFolder("missing-temp");
        TZipMaster zip;
        QCOMPARE(WriteSet(zip, folder), 0);
        QVERIFY(QFile::remove(QDir(folder).filePath("Ba002.Zip")));
        ZipProbe probe(zip);
        zip.SetUnattended(unattended);
        zip.SetTempDir(temp);
        QList<int> asked;
        QStringList drives;
        zip.OnGetNextDisk = [&](TZipMaster &, int disk, int total, const QString &drive, bool &abort) {
            asked << disk << total;
            drives << drive;
            abort = true;
        };
        QString joined;
        QCOMPARE(zip.ReadSpanned(QDir(folder).filePath("BakUp.Zip"), joined), -7);
        QCOMPARE(asked, unattended ? QList<int>() : QList<int>({2, 0}));
        QCOMPARE(drives, unattended ? QStringList() : QStringList{folder});
        QCOMPARE(zip.ErrCode(), error);
        QVERIFY(joined.isEmpty());
        QCOMPARE(FilesIn(temp), QStringList());
    }

    void missingPartPromptsInABox()
    {
        const QString folder = NewFolder("prompt");
        TZipMaster zip;
        QCOMPARE(WriteSet(zip, folder), 0);
        const QString last = QDir(folder).filePath("Ba003.Zip");
        const QString away = QDir(sources_.path()).filePath("away.Zip");
        QFile::remove(away);
        QVERIFY(QFile::rename(last, away));
        MessageAnswerer answers;
        answers.queueAnswer(false);
        zip.SetZipFileName(QDir(folder).filePath("BakUp.Zip"));
        QCOMPARE(answers.requests().size(), 2);
        QCOMPARE(answers.requests()[0].kind, MessageKind::OkCancel);
        QCOMPARE(answers.requests()[0].text, "Please insert last disk in set\r\nin drive: " + folder);
        QVERIFY(answers.texts()[1].endsWith("Missing String ID is: 11007"));
        QCOMPARE(zip.Count(), 0);

        // OK looks again: the part is back.
        QVERIFY(QFile::rename(away, last));
        QVERIFY(QFile::rename(QDir(folder).filePath("Ba002.Zip"), away));
        QList<int> asked;
        zip.OnGetNextDisk = [&](TZipMaster &, int disk, int total, const QString &, bool &) {
            asked << disk << total;
            QFile::rename(away, QDir(folder).filePath("Ba002.Zip"));
        };
        zip.ReadDirectory();
        QCOMPARE(asked, QList<int>({2, 0}));
        QCOMPARE(ListedNames(zip), SourceFiles);
    }

    void folderWithoutRoom_data()
    {
        QTest::addColumn<bool>("keepFree"); // else MinFreeVolumeSize
        QTest::newRow("MinFreeVolumeSize above the free space") << false;
        QTest::newRow("KeepFreeOnDisk1 takes the free space") << true;
    }
    void folderWithoutRoom()
    {
        QFETCH(bool, keepFree);
        const QString folder = NewFolder("full");
        TZipMaster zip;
        ZipProbe probe(zip);
        MessageAnswerer answers;
        answers.queueAnswer(false); // the OK/Cancel request after 11032
        const qint64 beyond = QStorageInfo(folder).bytesAvailable() + (qint64(1) << 30);
        if (keepFree)
            zip.SetKeepFreeOnDisk1(beyond);
        else
            zip.SetMinFreeVolumeSize(beyond);
        QCOMPARE(WriteSet(zip, folder), -7);
        QCOMPARE(probe.MessageIds(), QList<int>({11032, 11007}));
        QCOMPARE(answers.texts()[0], "This disk has not enough free space available");
        QCOMPARE(answers.requests()[1].text, "Please insert disk volume 1\r\nin drive: " + folder);
        QCOMPARE(FilesIn(folder), QStringList());

        // Through the status handler; cancelling there stops at once.
        zip.OnStatusDisk = [](TZipMaster &, int disk, const QString &, TZipDiskStatus status, TZipDiskAction &action) {
            QCOMPARE(disk, 1);
            QCOMPARE(status, TZipDiskStatus::NotEnoughSpace);
            action = TZipDiskAction::Cancel;
        };
        QCOMPARE(WriteSet(zip, folder), -7);
        QCOMPARE(zip.ErrCode(), 11007);
        QCOMPARE(FilesIn(folder), QStringList());
    }

    void existingPartIsAskedAbout_data()
    {
        QTest::addColumn<QList<MessageChoice>>("choices");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("overwritten");
        QTest::newRow("yes") << QList<MessageChoice>{MessageChoice::Yes} << 0 << true;
        QTest::newRow("cancel") << QList<MessageChoice>{MessageChoice::Cancel} << -7 << false;
        QTest::newRow("no, then cancel the request")
            << QList<MessageChoice>{MessageChoice::No} << -7 << false;
    }
    void existingPartIsAskedAbout()
    {
        QFETCH(QList<MessageChoice>, choices);
        QFETCH(int, result);
        QFETCH(bool, overwritten);
        const QString folder = NewFolder("existing");
        const QString old = QDir(folder).filePath("Ba002.Zip");
        QVERIFY(WriteTestFile(old, "an older part"));
        TZipMaster zip;
        MessageAnswerer answers(false);
        for (MessageChoice choice : choices)
            answers.queueChoice(choice);
        QCOMPARE(WriteSet(zip, folder), result);
        QCOMPARE(answers.requests()[0].kind, MessageKind::YesNoCancel);
        QCOMPARE(answers.requests()[0].caption, "Confirm");
        QCOMPARE(answers.requests()[0].text, "Overwrite previous file " + old);
        QCOMPARE(ReadTestFile(old) != "an older part", overwritten);
        QCOMPARE(FilesIn(folder), overwritten ? QStringList({"Ba001.Zip", "Ba002.Zip", "Ba003.Zip"})
                                              : QStringList({"Ba002.Zip"}));
    }

    void partOfTheSameArchiveIsAPreviousDisk()
    {
        const QString folder = NewFolder("previous");
        TZipMaster zip;
        QCOMPARE(WriteSet(zip, folder), 0);
        QList<QPair<int, TZipDiskStatus>> asked;
        zip.OnStatusDisk = [&](TZipMaster &, int disk, const QString &file, TZipDiskStatus status,
                               TZipDiskAction &action) {
            QCOMPARE(QFileInfo(file).absolutePath(), folder);
            asked.append({disk, status});
            action = TZipDiskAction::Ok;
        };
        QCOMPARE(WriteSet(zip, folder), 0);
        QCOMPARE(asked.size(), 3);
        QCOMPARE(asked[0], qMakePair(1, TZipDiskStatus::PreviousDisk));
        QCOMPARE(asked[2], qMakePair(3, TZipDiskStatus::PreviousDisk));
    }

    void failedWriteLeavesNoPart_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("error");
        // The second entry's data runs past the end of what the archive holds.
        ZipBuilder builder;
        QByteArray shortData = builder.Add("a.bin", QByteArray(90000, 'a')).Add("b.bin", QByteArray(90000, 'b')).Build();
        Put32(shortData, builder.CentralHeader(1) + 20, 500000);
        QTest::newRow("entry data cut short") << shortData << -7 << 11012;
        QTest::newRow("no local header where the directory says") << MisplacedEntryArchive(90000, 1000) << -7 << 11014;
        QTest::newRow("zip64") << Zip64Archive() << -9 << 11024;
        QTest::newRow("no archive") << QByteArray("plain text") << -7 << 11036;
    }
    void failedWriteLeavesNoPart()
    {
        QFETCH(QByteArray, archive);
        QFETCH(int, result);
        QFETCH(int, error);
        const QString folder = NewFolder("failed");
        const QString input = QDir(sources_.path()).filePath("failing-input.zip");
        QVERIFY(WriteTestFile(input, archive));
        TZipMaster zip;
        zip.SetUnattended(true);
        zip.SetMaxVolumeSize(70000);
        QCOMPARE(zip.WriteSpanned(input, QDir(folder).filePath("BakUp.Zip")), result);
        QCOMPARE(zip.ErrCode(), error);
        QCOMPARE(FilesIn(folder), QStringList());
        QVERIFY(QFileInfo::exists(input));
        if (error == 11024)
            QVERIFY(zip.Message().endsWith("\nThe archive needs zip64 records, which a set of parts cannot hold."));
    }

    void missingInputArchive()
    {
        const QString folder = NewFolder("noinput");
        TZipMaster zip;
        zip.SetUnattended(true);
        QCOMPARE(zip.WriteSpanned(QDir(folder).filePath("none.zip"), QDir(folder).filePath("BakUp.Zip")), -7);
        QCOMPARE(zip.ErrCode(), 11001);
    }

    void joinWithoutAUsableTempFolder()
    {
        const QString folder = NewFolder("notemp");
        TZipMaster zip;
        QCOMPARE(WriteSet(zip, folder), 0);
        zip.SetUnattended(true);
        zip.SetTempDir(QDir(folder).filePath("no such folder"));
        QString joined;
        QCOMPARE(zip.ReadSpanned(QDir(folder).filePath("BakUp.Zip"), joined), -7);
        QCOMPARE(zip.ErrCode(), 11027);
    }
};

VEK_TEST(TestZipSpanning)
#include "tst_ZipSpanning.moc"
