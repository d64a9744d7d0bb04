#include "platform/registry/RegistryStore.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vek;

class TestRegistryStore : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    const QString ZipList = QStringLiteral("\\SOFTWARE\\KavroSft\\ZipList");

    QString freshPath()
    {
        const QString path = dir_.filePath(QStringLiteral("registry.ini"));
        QFile::remove(path);
        return path;
    }

private slots:
    void writesAndReadsValues()
    {
        RegistryStore store(freshPath());
        QVERIFY(!store.keyExists(ZipList));
        QVERIFY(store.writeString(ZipList, QStringLiteral("fInifile"), QStringLiteral("C:\\VekFree\\VekFree.ini")));
        QVERIFY(store.writeInteger(ZipList, QStringLiteral("ZipEx"), 1));
        QVERIFY(store.keyExists(ZipList));

        // A second store on the same file stands for the other deliverable.
        const RegistryStore other(store.filePath());
        QCOMPARE(other.readString(QStringLiteral("SOFTWARE\\KavroSft\\ZipList\\"), QStringLiteral("fInifile")),
                 std::optional<QString>(QStringLiteral("C:\\VekFree\\VekFree.ini")));
        QCOMPARE(other.readInteger(QStringLiteral("\\software\\kavrosft\\ziplist"), QStringLiteral("zipex")), std::optional<int>(1));
        QCOMPARE(other.readString(ZipList, QStringLiteral("exefile")), std::nullopt);
        QCOMPARE(other.readInteger(ZipList, QStringLiteral("fInifile")), std::nullopt);
    }

    void overwritesAndDeletesValues()
    {
        RegistryStore store(freshPath());
        QVERIFY(store.writeInteger(ZipList, QStringLiteral("ZipEx"), 0));
        QVERIFY(store.writeInteger(ZipList, QStringLiteral("ZipEx"), 1));
        QCOMPARE(store.readInteger(ZipList, QStringLiteral("ZipEx")), std::optional<int>(1));
        QVERIFY(store.deleteValue(ZipList, QStringLiteral("ZipEx")));
        QVERIFY(!store.valueExists(ZipList, QStringLiteral("ZipEx")));
        QVERIFY(!store.deleteValue(ZipList, QStringLiteral("ZipEx")));
        QVERIFY(store.keyExists(ZipList));
    }

    void createsAndDeletesKeysWithTheKeysBelow()
    {
        RegistryStore store(freshPath());
        const QString parent = QStringLiteral("\\SOFTWARE\\KavroSft");
        const QString sibling = QStringLiteral("\\SOFTWARE\\KavroSftOther");
        QVERIFY(store.createKey(ZipList));
        QVERIFY(store.createKey(ZipList));
        QVERIFY(store.keyExists(ZipList));
        QVERIFY(store.keyExists(parent));
        QVERIFY(store.writeString(parent, QStringLiteral("Name"), QStringLiteral("x")));
        QVERIFY(store.writeString(sibling, QStringLiteral("Name"), QStringLiteral("y")));

        QVERIFY(store.deleteKey(parent));
        QVERIFY(!store.keyExists(ZipList));
        QVERIFY(!store.keyExists(parent));
        QCOMPARE(store.readString(sibling, QStringLiteral("Name")), std::optional<QString>(QStringLiteral("y")));
        QVERIFY(!store.deleteKey(parent));
    }

    void reportsWhatCannotBeWritten()
    {
        const QString blocker = dir_.filePath(QStringLiteral("blocker"));
        QVERIFY(WriteTestFile(blocker, {}));
        RegistryStore store(blocker + QStringLiteral("/registry.ini"));
        QVERIFY(!store.writeString(ZipList, QStringLiteral("exefile"), QStringLiteral("VekWFree")));
        QVERIFY(!store.createKey(ZipList));
    }
};

VEK_TEST(TestRegistryStore)
#include "tst_RegistryStore.moc"
