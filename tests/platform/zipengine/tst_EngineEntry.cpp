#include "platform/zipengine/ZipEngine.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QLibrary>
#include <QTest>

using namespace vek;

namespace {

QList<int> codes;

int32_t Record(ZipCallbackRecord *record)
{
    if (record->Action == ZipActionMessage)
        codes.append(record->Value1);
    return 0;
}

// Runs a command of nothing but its version, its callback and its end marker.
template <typename Command>
int32_t Run(ZipDllExecFunction exec, int version, int marker)
{
    Command command{};
    command.Head.Version = version;
    command.Head.Callback = &Record;
    command.EndMarker = marker;
    return exec(&command);
}

} // namespace

// What the engine libraries answer before they do any work.
class TestEngineEntry : public QObject {
    Q_OBJECT

    QLibrary zipLibrary{QDir(VEK_ENGINE_DIR).filePath("libZIPDLL.so")};
    QLibrary unzipLibrary{QDir(VEK_ENGINE_DIR).filePath("libUNZDLL.so")};
    ZipDllExecFunction zipExec = nullptr;
    ZipDllExecFunction unzipExec = nullptr;

private slots:
    void initTestCase()
    {
        zipExec = reinterpret_cast<ZipDllExecFunction>(zipLibrary.resolve("ZipDllExec"));
        unzipExec = reinterpret_cast<ZipDllExecFunction>(unzipLibrary.resolve("UnzDllExec"));
        QVERIFY2(zipExec && unzipExec, "the engine was not built");
        const auto zipVersion = reinterpret_cast<ZipDllVersionFunction>(zipLibrary.resolve("GetZipDllVersion"));
        const auto unzipVersion = reinterpret_cast<ZipDllVersionFunction>(unzipLibrary.resolve("GetUnzDllVersion"));
        QCOMPARE(zipVersion(), 160);
        QCOMPARE(unzipVersion(), 160);
        QVERIFY(!zipLibrary.resolve("UnzDllExec")); // each library has its own entries
    }

    void init() { codes.clear(); }

    // A record without its end marker is not read at all; one of another interface is
    // refused with a message.
    void recordsAreChecked_data()
    {
        QTest::addColumn<int>("marker");
        QTest::addColumn<int>("version");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("no end marker") << 0 << 160 << QList<int>();
        QTest::newRow("another interface") << 7 << 150 << QList<int>{ZipErrCommand};
        QTest::newRow("no archive named") << 7 << 160 << QList<int>{ZipErrCommand};
    }
    void recordsAreChecked()
    {
        QFETCH(int, marker);
        QFETCH(int, version);
        QFETCH(QList<int>, messages);
        QCOMPARE(Run<ZipCommand>(zipExec, version, marker), 0);
        QCOMPARE(codes, messages);
        codes.clear();
        QCOMPARE(Run<UnzipCommand>(unzipExec, version, marker), 0);
        QCOMPARE(codes, messages);
        QCOMPARE(zipExec(nullptr), 0);
    }
};

VEK_TEST(TestEngineEntry)
#include "tst_EngineEntry.moc"
