#include "archiver/PartSet.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace vek;

class TestPartSet : public QObject {
    Q_OBJECT
private slots:
    void namesTheParts_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<int>("disk");
        QTest::addColumn<QString>("part");
        QTest::newRow("first") << "/b/BakUp.Zip" << 0 << "/b/Ba001.Zip";
        QTest::newRow("second") << "/b/BakUp.Zip" << 1 << "/b/Ba002.Zip";
        QTest::newRow("last that three digits hold") << "/b/BakUp.Zip" << 998 << "/b/Ba999.Zip";
        QTest::newRow("short name") << "/b/ab.zip" << 2 << "/b/003.zip";
        QTest::newRow("no extension") << "/b/backup" << 0 << "/b/bac001";
        QTest::newRow("dots in the name") << "/b/my.data.zip" << 0 << "/b/my.d001.zip";
        QTest::newRow("Korean name") << "/b/견적백업.zip" << 4 << "/b/견005.zip";
        QTest::newRow("a part's name numbers the same set") << "/b/Ba003.Zip" << 0 << "/b/Ba001.Zip";
    }
    void namesTheParts()
    {
        QFETCH(QString, archive);
        QFETCH(int, disk);
        QFETCH(QString, part);
        QCOMPARE(PartSet(archive).Part(disk), part);
    }

    void knowsAPartByItsDigits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("firstPart");
        QTest::newRow("part") << "/b/Ba002.Zip" << "/b/Ba001.Zip";
        QTest::newRow("plain name") << "/b/BakUp.Zip" << "";
        QTest::newRow("two digits") << "/b/B12.zip" << "";
        QTest::newRow("digits only") << "/b/007.zip" << "/b/001.zip";
    }
    void knowsAPartByItsDigits()
    {
        QFETCH(QString, name);
        QFETCH(QString, firstPart);
        const std::optional<PartSet> set = PartSet::OfPart(name);
        QCOMPARE(set ? set->Part(0) : QString(), firstPart);
    }

    void findsTheHighestPart()
    {
        QTemporaryDir dir;
        const PartSet set(dir.filePath("BakUp.Zip"));
        QCOMPARE(set.HighestPresent(), -1);
        QVERIFY(WriteTestFile(dir.filePath("Ba001.Zip"), "1"));
        QVERIFY(WriteTestFile(dir.filePath("Ba003.Zip"), "3"));
        QVERIFY(QDir(dir.path()).mkdir("Ba004.Zip")); // a folder is no part
        QCOMPARE(set.HighestPresent(), 2);
    }
};

VEK_TEST(TestPartSet)
#include "tst_PartSet.moc"
