#include "core/NumberFormat.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

#include <cmath>
#include <random>

using namespace vek;

namespace {

// The pattern's result worked out another way, for patterns of whole-part '#' and ','
// and `decimals` optional decimals: Qt's shortest text that reads back as the value,
// rounded by hand, half away from zero, on its decimal digits.
QString ReferenceText(double value, int decimals, bool grouped)
{
    const QString shortest = QString::number(std::fabs(value), 'f', QLocale::FloatingPointShortest);
    const qsizetype point = shortest.indexOf(u'.');
    QString digits = point < 0 ? shortest : shortest.left(point);
    QString fraction = point < 0 ? QString() : shortest.mid(point + 1);
    const bool up = fraction.size() > decimals && fraction.at(decimals) >= u'5';
    digits += fraction.left(decimals).leftJustified(decimals, u'0');
    if (up) {
        qsizetype i = digits.size() - 1;
        while (i >= 0 && digits.at(i) == u'9')
            digits[i--] = u'0';
        if (i < 0)
            digits.prepend(u'1');
        else
            digits[i] = QChar(digits.at(i).unicode() + 1);
    }
    QString whole = digits.left(digits.size() - decimals);
    fraction = digits.right(decimals);
    while (whole.startsWith(u'0'))
        whole.remove(0, 1);
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    if (grouped)
        for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
            whole.insert(at, u',');
    QString text = fraction.isEmpty() ? whole : whole + u'.' + fraction;
    return value < 0 && !text.isEmpty() ? u'-' + text : text;
}

} // namespace

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
        // The display formats of the datasets.
        QTest::newRow("list amount") << "##,###,###,###" << 1234567.0 << "1,234,567";
        QTest::newRow("list amount rounded half away") << "##,###,###,###" << 2.5 << "3";
        QTest::newRow("list amount negative") << "##,###,###,###" << -1234.5 << "-1,235";
        QTest::newRow("list amount zero shows nothing") << "##,###,###,###" << 0.0 << "";
        QTest::newRow("small negative rounds to nothing") << "##,###,###,###" << -0.2 << "";
        QTest::newRow("breakdown amount") << "###,###,###.#" << 1234.56 << "1,234.6";
        QTest::newRow("optional decimal dropped") << "###,###,###.#" << 1234.0 << "1,234";
        QTest::newRow("fraction only") << "###,###,###.#" << 0.5 << ".5";
        QTest::newRow("required digits") << "#,##0.00" << 0.5 << "0.50";
        QTest::newRow("the digits a person reads, not the binary tail")
            << "###,###,###.#" << 16917236612.349998 << "16,917,236,612.3";
        QTest::newRow("beyond the fixed-point range, whole") << "##,###,###,###" << 1e20 << "100,000,000,000,000,000,000";
    }
    void formatFloat()
    {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FormatFloat(pattern, value), text);
    }

    // Sampled amounts in every format a list or a box uses, against the reference worked
    // out another way.
    void sampledValuesMatchTheReference()
    {
        const struct {
            const char *pattern;
            int decimals;
            bool grouped;
        } formats[] = {{"##,###,###,###", 0, true}, {"###,###,###.#", 1, true}, {"##,###,###,###.#", 1, true},
                       {",0.;-,0.", 0, true}, {"0.##", 2, false}};
        // A quantity of up to three decimals times a price of up to two, as a row's amount
        // is made: products carry binary tails such as 16917236612.349998.
        std::mt19937_64 random(20240611);
        std::uniform_int_distribution<std::int64_t> quantity(-9999999, 9999999);
        std::uniform_int_distribution<std::int64_t> price(0, 999999999);
        std::uniform_int_distribution<int> scale(0, 3);
        int differences = 0;
        QString first;
        for (int i = 0; i < 40000; ++i) {
            const double value = double(quantity(random)) / std::pow(10.0, scale(random))
                                 * (double(price(random)) / std::pow(10.0, std::min(scale(random), 2)));
            for (const auto &format : formats) {
                QString expected = ReferenceText(value, format.decimals, format.grouped);
                // The box's patterns show a zero and never a lone sign.
                if (QString(format.pattern).contains(u'0') && (expected.isEmpty() || expected.startsWith(u'.')))
                    expected.prepend(u'0');
                const QString got = FormatFloat(QString::fromLatin1(format.pattern), value);
                if (got != expected && differences++ == 0)
                    first = QStringLiteral("%1 with %2: %3, expected %4")
                                .arg(QString::number(value, 'g', 17), QLatin1String(format.pattern), got, expected);
            }
        }
        QVERIFY2(differences == 0, qPrintable(QString::number(differences) + " differ, first " + first));
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
