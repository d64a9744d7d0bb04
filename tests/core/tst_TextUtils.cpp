#include "core/TextUtils.h"
#include "core/WinVersion.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestTextUtils : public QObject {
    Q_OBJECT
private slots:
    void pads_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("expected");
        QTest::newRow("left to width") << PadLeftChar(u'0', "7", 2) << "07";
        QTest::newRow("left, already wider") << PadLeftChar(u'0', "123", 2) << "123";
        QTest::newRow("left trims first") << PadLeftChar(u'*', "  ab ", 4) << "**ab";
        QTest::newRow("left counts korean as 2") << PadLeftChar(u' ', "가나", 6) << "  가나";
        QTest::newRow("right to width") << PadRightChar(u'.', " 가 ", 5) << "가...";
        QTest::newRow("right, zero width") << PadRightChar(u'.', "ab", 0) << "ab";
        QTest::newRow("centre korean") << CenterText("집계메뉴", 24) << QString(8, u' ') + "집계메뉴";
        QTest::newRow("centre odd space") << CenterText("ab", 7) << "  ab";
        QTest::newRow("centre wider than width") << CenterText("abcdef", 2) << "abcdef";
        QTest::newRow("repeat") << RepeatChar(u'=', 3) << "===";
        QTest::newRow("repeat zero char") << RepeatChar(QChar(), 3) << "";
        QTest::newRow("repeat negative") << RepeatChar(u'=', -1) << "";
    }
    void pads()
    {
        QFETCH(QString, result);
        QFETCH(QString, expected);
        QCOMPARE(result, expected);
    }

    void strips_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("expected");
        QTest::newRow("strip char") << StripChar(u'-', " 01-02 ") << "0102";
        QTest::newRow("replace char") << ReplaceChar(u'/', u'\\', "a/b/c") << "a\\b\\c";
        QTest::newRow("remove blanks") << RemoveBlanks(" 2.5 * 4 + 1 ") << "2.5*4+1";
        QTest::newRow("trim left") << TrimLeftText(" \t\r\n ab ") << "ab ";
        QTest::newRow("trim right: pad blanks of a fixed-width column")
            << TrimRightText(QStringLiteral(" 토공사 2  \t  ")) << QStringLiteral(" 토공사 2");
        QTest::newRow("date: month, not minutes") << ShortDateText(QDate(2018, 1, 12)) << "2018.01.12";
        QTest::newRow("amount text") << StripAmountText("  \\1,234,567 ") << "1234567";
        QTest::newRow("amount, first sign only") << StripAmountText("\\1\\2") << "1\\2";
    }
    void strips()
    {
        QFETCH(QString, result);
        QFETCH(QString, expected);
        QCOMPARE(result, expected);
    }

    void thereIsNoWindowsVersion()
    {
        QCOMPARE(GetWinVersion(), 0);
        QVERIFY(!IsVistaOrSeven());
    }
};

VEK_TEST(TestTextUtils)
#include "tst_TextUtils.moc"
