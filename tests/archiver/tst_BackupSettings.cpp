#include "archiver/BackupSettings.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestBackupSettings : public QObject {
    Q_OBJECT
private slots:
    void copyUntilDelimiter_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("copied");
        QTest::newRow("first item") << 1 << "a.gdb;b.gdb" << "a.gdb";
        QTest::newRow("second item") << 7 << "a.gdb;b.gdb" << "b.gdb";
        QTest::newRow("on the delimiter") << 6 << "a.gdb;b.gdb" << "";
        QTest::newRow("inside an item") << 3 << "a.gdb;b.gdb" << "gdb";
        QTest::newRow("no delimiter") << 1 << "*.gdb" << "*.gdb";
        QTest::newRow("last character") << 5 << "*.gdb" << "b";
        QTest::newRow("just past the end") << 6 << "*.gdb" << "";
        QTest::newRow("far past the end") << 40 << "a;b" << "";
        QTest::newRow("empty text") << 1 << "" << "";
        QTest::newRow("start below 1 counts as 1") << 0 << "a;b" << "a";
        QTest::newRow("Korean names") << 6 << "견적자료.gdb;백업.gdb" << "gdb";
        QTest::newRow("Korean second item") << 10 << "견적자료.gdb;백업.gdb" << "백업.gdb";
    }
    void copyUntilDelimiter()
    {
        QFETCH(int, start);
        QFETCH(QString, text);
        QFETCH(QString, copied);
        QCOMPARE(CopyUntilDelimiter(start, u';', text), copied);
    }

    // The items in order; empty ones (doubled, leading, trailing separators) left out.
    void splitFileList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("doubled, leading and trailing") << ";;a.gdb;;b.gdb;" << QStringList{"a.gdb", "b.gdb"};
        QTest::newRow("one item") << "*.gdb" << QStringList{"*.gdb"};
        QTest::newRow("two items") << "VEKTMP.GDB;X.GDB" << QStringList{"VEKTMP.GDB", "X.GDB"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("separators only") << ";;;" << QStringList{};
        QTest::newRow("blanks around items") << " a.gdb ; ;b.gdb " << QStringList{"a.gdb", "b.gdb"};
        QTest::newRow("item syntax kept") << ">sub/*.gdb<암호;|x.gdb" << QStringList{">sub/*.gdb<암호", "|x.gdb"};
        QTest::newRow("Korean names") << "견적.gdb;백업 자료.gdb" << QStringList{"견적.gdb", "백업 자료.gdb"};
    }
    void splitFileList()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, items);
        QCOMPARE(SplitFileList(list), items);
    }
};

VEK_TEST(TestBackupSettings)
#include "tst_BackupSettings.moc"
