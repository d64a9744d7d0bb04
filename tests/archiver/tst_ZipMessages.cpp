#include "archiver/ZipMessages.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestZipMessages : public QObject {
    Q_OBJECT
private slots:
    void textsOfTheIds_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("text");
        const QString fallback = "ZipMsgXX.res is probably not linked to the executable\nMissing String ID is: ";
        QTest::newRow("no text: the fallback line") << 10201 << "" << "" << fallback + "10201";
        QTest::newRow("argument dropped with the fallback") << 11009 << "/tmp/a" << "" << fallback + "11009";
        QTest::newRow("no space") << 11032 << "" << "" << "This disk has not enough free space available";
        QTest::newRow("last disk") << 11033 << "" << "" << "Please insert last disk in set";
        QTest::newRow("disk of total") << 11034 << "2" << "3" << "Please insert disk volume 2 of 3";
        QTest::newRow("in drive") << 11035 << "/media/backup" << "" << "\r\nin drive: /media/backup";
        QTest::newRow("file in the way") << 11039 << "/tmp/Ba001.Zip" << "" << "Overwrite previous file /tmp/Ba001.Zip";
        QTest::newRow("disk in the way") << 11040 << "4" << "" << "Overwrite previous disk no 4";
        QTest::newRow("disk") << 11046 << "12" << "" << "Please insert disk volume 12";
        QTest::newRow("a name with a percent sign") << 11039 << "%d %s.Zip" << "" << "Overwrite previous file %d %s.Zip";
    }
    void textsOfTheIds()
    {
        QFETCH(int, id);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, text);
        if (first.isEmpty())
            QCOMPARE(ZipMessageText(id), text);
        if (!text.startsWith("ZipMsgXX"))
            QCOMPARE(ZipPromptText(id, first, second), text);
        QCOMPARE(EZipMaster(id).Id(), id);
        QCOMPARE(EZipMaster(id, " extra").Message(), ZipMessageText(id) + " extra");
    }
};

VEK_TEST(TestZipMessages)
#include "tst_ZipMessages.moc"
