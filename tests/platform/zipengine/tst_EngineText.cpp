#include "platform/zipengine/EngineText.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestEngineText : public QObject {
    Q_OBJECT
private slots:
    void toArchive_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("ASCII") << "a.gdb" << QByteArray("a.gdb") << false;
        QTest::newRow("Korean: CP949") << "견적.gdb" << QByteArray::fromHex("b0dfc0fb2e676462") << false;
        QTest::newRow("what CP949 cannot hold: UTF-8") << "a😀.gdb" << QString("a😀.gdb").toUtf8() << true;
    }
    void toArchive()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        const ArchiveText archive = ToArchiveText(text.toStdString());
        QCOMPARE(QByteArray::fromStdString(archive.bytes), bytes);
        QCOMPARE(archive.utf8, utf8);
    }

    void fromArchive_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("flagged");
        QTest::addColumn<bool>("unixHost");
        QTest::addColumn<QString>("text");
        const QByteArray firstSecond = QByteArray::fromHex("c3b9c2b0"); // 첫째 in CP949, and valid UTF-8
        QTest::newRow("CP949 from a DOS host") << QByteArray::fromHex("c7d1b1b9") << false << false << "한국";
        QTest::newRow("CP949 that reads as UTF-8, DOS host") << firstSecond << false << false << "첫째";
        QTest::newRow("the same from a Unix host: UTF-8") << firstSecond << false << true << "ù°";
        QTest::newRow("flagged UTF-8") << QString("한국").toUtf8() << true << false << "한국";
        QTest::newRow("broken bytes") << QByteArray("a\xff" "b") << false << false << "a?b";
    }
    void fromArchive()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, flagged);
        QFETCH(bool, unixHost);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(FromArchiveText(bytes.toStdString(), flagged, unixHost)), text);
    }
};

VEK_TEST(TestEngineText)
#include "tst_EngineText.moc"
