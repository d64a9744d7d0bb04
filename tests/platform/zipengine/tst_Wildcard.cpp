#include "platform/zipengine/Wildcard.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestWildcard : public QObject {
    Q_OBJECT
private slots:
    void match_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");
        QTest::newRow("star, other case") << "*.gdb" << "VEKTMP.GDB" << true;
        QTest::newRow("star, mixed case") << "*.gdb" << "old.Gdb" << true;
        QTest::newRow("star does not end early") << "*.gdb" << "x.gdbx" << false;
        QTest::newRow("'[' is literal") << "a[1].gdb" << "a[1].gdb" << true;
        QTest::newRow("'[' is no class") << "a[1].gdb" << "a1.gdb" << false;
        QTest::newRow("question mark") << "a?.gdb" << "a1.gdb" << true;
        QTest::newRow("question mark needs one") << "a?.gdb" << "a.gdb" << false;
        QTest::newRow("question mark takes one Korean letter") << "?적.gdb" << "견적.gdb" << true;
        QTest::newRow("Korean letters have no case") << "견적*" << "견적서.GDB" << true;
        QTest::newRow("star backtracks") << "*a*b" << "xaxxab" << true;
        QTest::newRow("star takes nothing") << "a*" << "a" << true;
        QTest::newRow("empty pattern") << "" << "a" << false;
        QTest::newRow("only non-ASCII letters fold") << "é" << "É" << false;
    }
    void match()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QCOMPARE(WildcardMatch(pattern.toStdString(), name.toStdString()), matches);
    }

    void storedSuffixes_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("stored");
        QTest::newRow("listed") << ".gif:.zip" << "a.zip" << true;
        QTest::newRow("other case") << ".gif:.zip" << "A.GIF" << true;
        QTest::newRow("longer extension") << ".gif:.zip" << "a.zipx" << false;
        QTest::newRow("short suffix") << ".z" << "a.z" << true;
        QTest::newRow("no list") << "" << "a.zip" << false;
        QTest::newRow("the name alone") << ".zip" << ".zip" << true;
    }
    void storedSuffixes()
    {
        QFETCH(QString, list);
        QFETCH(QString, name);
        QFETCH(bool, stored);
        QCOMPARE(HasStoredSuffix(list.toStdString(), name.toStdString()), stored);
    }
};

VEK_TEST(TestWildcard)
#include "tst_Wildcard.moc"
