#include "platform/zipengine/EntryPath.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestEntryPath : public QObject {
    Q_OBJECT
private slots:
    // Where an entry may go below the folder extracted into; an empty list: nowhere.
    void targetParts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("fileNameOnly");
        QTest::addColumn<QStringList>("withFolders");
        QTest::newRow("plain") << "a.gdb" << QStringList{"a.gdb"} << QStringList{"a.gdb"};
        QTest::newRow("folders") << "ok/f.txt" << QStringList{"f.txt"} << QStringList({"ok", "f.txt"});
        QTest::newRow("backslashes") << "ok\\sub\\f.txt" << QStringList{"f.txt"} << QStringList({"ok", "sub", "f.txt"});
        QTest::newRow("parent") << "../e.txt" << QStringList{"e.txt"} << QStringList();
        QTest::newRow("absolute") << "/tmp/a.txt" << QStringList{"a.txt"} << QStringList();
        QTest::newRow("absolute, backslash") << "\\tmp\\a.txt" << QStringList{"a.txt"} << QStringList();
        QTest::newRow("parents inside") << "a\\..\\..\\b.txt" << QStringList{"b.txt"} << QStringList();
        QTest::newRow("drive") << "C:\\x\\d.txt" << QStringList{"d.txt"} << QStringList();
        QTest::newRow("drive, relative") << "c:d.txt" << QStringList{"d.txt"} << QStringList();
        QTest::newRow("dots") << ".." << QStringList() << QStringList();
        QTest::newRow("dot") << "." << QStringList() << QStringList();
        QTest::newRow("empty and dot parts") << "a//./b.txt" << QStringList{"b.txt"} << QStringList({"a", "b.txt"});
        QTest::newRow("a folder") << "ok/" << QStringList() << QStringList{"ok"};
        QTest::newRow("dots in a name") << "a..b.txt" << QStringList{"a..b.txt"} << QStringList{"a..b.txt"};
        QTest::newRow("empty") << "" << QStringList() << QStringList();
    }
    void targetParts()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, fileNameOnly);
        QFETCH(QStringList, withFolders);
        for (const bool folders : {false, true}) {
            const auto parts = TargetParts(name.toStdString(), folders);
            QStringList got;
            for (const std::string &part : parts.value_or(std::vector<std::string>()))
                got.append(QString::fromStdString(part));
            QCOMPARE(got, folders ? withFolders : fileNameOnly);
            QCOMPARE(parts.has_value(), !got.isEmpty());
        }
    }

    void specs_data()
    {
        QTest::addColumn<QString>("spec");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");
        QTest::newRow("file-name part") << "*.gdb" << "sub/a.GDB" << true;
        QTest::newRow("with a folder: the whole name") << "sub/*.gdb" << "sub/a.gdb" << true;
        QTest::newRow("other folder") << "sub/*.gdb" << "other/a.gdb" << false;
        QTest::newRow("separators alike") << "sub\\a.gdb" << "SUB/A.GDB" << true;
        QTest::newRow("a folder entry goes with *") << "*" << "sub/" << true;
        QTest::newRow("but not with *.gdb") << "*.gdb" << "sub.gdb/" << false;
    }
    void specs()
    {
        QFETCH(QString, spec);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QCOMPARE(SpecMatchesEntry(spec.toStdString(), name.toStdString()), matches);
    }
};

VEK_TEST(TestEntryPath)
#include "tst_EntryPath.moc"
