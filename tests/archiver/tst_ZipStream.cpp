#include "archiver/ZipStream.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestZipStream : public QObject {
    Q_OBJECT
private slots:
    void ownMemoryGrows()
    {
        TZipStream stream;
        QCOMPARE(stream.size(), qint64(0));
        QCOMPARE(stream.write("abcdef"), qint64(6));
        QCOMPARE(stream.Bytes(), QByteArray("abcdef"));
        QVERIFY(stream.seek(2));
        QCOMPARE(stream.read(3), QByteArray("cde"));
        stream.SetSize(3);
        QCOMPARE(stream.Bytes(), QByteArray("abc"));
        stream.Clear();
        QCOMPARE(stream.size(), qint64(0));
    }

    // Pointed at outside memory, the stream reads and writes it in place and never beyond.
    void outsideMemoryStaysInPlace()
    {
        char memory[4] = {'w', 'x', 'y', 'z'};
        TZipStream stream;
        stream.SetPointer(memory, 4);
        QCOMPARE(static_cast<void *>(stream.Memory()), static_cast<void *>(memory));
        QCOMPARE(stream.read(4), QByteArray("wxyz"));
        QVERIFY(stream.seek(2));
        QCOMPARE(stream.write("12345"), qint64(2));
        QCOMPARE(QByteArray(memory, 4), QByteArray("wx12"));
        stream.SetSize(6); // its own memory now, holding what it held
        QVERIFY(static_cast<void *>(stream.Memory()) != static_cast<void *>(memory));
        QCOMPARE(stream.Bytes().left(4), QByteArray("wx12"));
        QCOMPARE(stream.size(), qint64(6));
    }
};

VEK_TEST(TestZipStream)
#include "tst_ZipStream.moc"
