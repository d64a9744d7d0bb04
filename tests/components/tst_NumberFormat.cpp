#include "components/NumberFormat.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestNumberFormat : public QObject {
    Q_OBJECT
private slots:
    void formatFloat_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("grouped whole") << ",0.;-,0." << 1234.5 << "1,235";
        QTest::newRow("millions") << ",0.;-,0." << 1234567.6 << "1,234,568";
        QTest::newRow("negative section") << ",0.;-,0." << -1234.0 << "-1,234";
        QTest::newRow("rounds to zero, no sign") << ",0.;-,0." << -0.3 << "0";
        QTest::newRow("zero") << ",0.;-,0." << 0.0 << "0";
        QTest::newRow("half away from zero") << ",0.0;-,0.0" << 12.25 << "12.3";
        QTest::newRow("negative half") << ",0.0;-,0.0" << -12.25 << "-12.3";
        QTest::newRow("as typed, not as stored") << "0.0" << 0.15 << "0.2";
        QTest::newRow("carry") << "0.##" << 9.999 << "10";
        QTest::newRow("edit pattern decimals") << "0.##" << 1234.5 << "1234.5";
        QTest::newRow("edit pattern whole") << "0.##" << 2.0 << "2";
        QTest::newRow("edit pattern rounds") << "0.##" << 0.125 << "0.13";
        QTest::newRow("edit pattern negative") << "0.##" << -3.5 << "-3.5";
        QTest::newRow("fixed decimals") << "#,##0.00" << 1234.5 << "1,234.50";
        QTest::newRow("optional decimals") << "0.0#" << 1.234 << "1.23";
        QTest::newRow("leading zeros") << "00000" << 42.0 << "00042";
        QTest::newRow("hash for zero") << "#" << 0.0 << "";
        QTest::newRow("no integer digit") << "#.##" << 0.5 << ".5";
        QTest::newRow("brackets") << "0;(0)" << -5.0 << "(5)";
        QTest::newRow("zero section literal") << "0;-0;'영'" << 0.0 << "영";
        QTest::newRow("empty negative section") << "0;" << -5.0 << "-5";
        QTest::newRow("quoted symbol") << "'$',0." << 1234.0 << "$1,234";
        QTest::newRow("literal after") << "0' 원'" << 5.0 << "5 원";
        QTest::newRow("large") << ",0." << 922337203685477.0 << "922,337,203,685,477";
        QTest::newRow("general") << "" << 1.5 << "1.5";
        QTest::newRow("general large") << "" << 123456789012.0 << "123456789012";
    }
    void formatFloat()
    {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FormatFloat(pattern, value), text);
    }

    void currencyPattern_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("won in front") << "₩" << 0 << 0 << "₩,0.;-₩,0.";
        QTest::newRow("behind with decimals") << "kr" << 1 << 2 << ",0.00kr;-,0.00kr";
        QTest::newRow("front and blank") << "$" << 2 << 0 << "$ ,0.;-$ ,0.";
        QTest::newRow("blank and behind, quoted dot") << "p." << 3 << 0 << ",0. p'.';-,0. p'.'";
        QTest::newRow("no symbol") << "" << 3 << 1 << ",0.0;-,0.0";
    }
    void currencyPattern()
    {
        QFETCH(QString, symbol);
        QFETCH(int, position);
        QFETCH(int, decimals);
        QFETCH(QString, pattern);
        QCOMPARE(CurrencyPattern(symbol, position, decimals), pattern);
    }
};

VEK_TEST(TestNumberFormat)
#include "tst_NumberFormat.moc"
