#include "core/MoneyFormat.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <limits>
#include <string>

using namespace vek;

namespace {
QString blanks(int n)
{
    return QString(n, u' ');
}
} // namespace

class TestMoneyFormat : public QObject {
    Q_OBJECT
private slots:
    void formatsMoney_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pad 13") << FormatMoneyPad(13, Currency::fromText("1234567")) << blanks(4) + "1,234,567";
        QTest::newRow("negative") << FormatMoneyPad(13, Currency::fromText("-5")) << blanks(11) + "-5";
        QTest::newRow("zero") << FormatMoneyPad(3, Currency()) << "  0";
        QTest::newRow("half away from zero") << FormatMoneyPad(0, Currency::fromText("1234.5")) << "1,235";
        QTest::newRow("negative half") << FormatMoneyPad(0, Currency::fromText("-0.5")) << "-1";
        QTest::newRow("below half") << FormatMoneyPad(0, Currency::fromText("999.4999")) << "999";
        QTest::newRow("carry into new digit") << FormatMoneyPad(0, Currency::fromText("999999.5")) << "1,000,000";
        QTest::newRow("rounds to zero, no sign") << FormatMoneyPad(2, Currency::fromText("-0.4")) << " 0";
        QTest::newRow("with sign") << FormatMoneyText(0, " 1234 ", 8) << "  \\1,234";
        QTest::newRow("negative with sign") << FormatMoneyText(0, "-1234", 0) << "-\\1,234";
        QTest::newRow("empty text") << FormatMoneyText(1, "  ", 4) << "   0";
        // A text longer than the width is still the amount it says, not 0.
        QTest::newRow("long text") << FormatMoneyText(1, "15240.73060205", 13) << blanks(7) + "15,241";
        QTest::newRow("wider than width, unpadded")
            << FormatMoneyPad(5, Currency::fromText("123456789")) << "123,456,789";
    }
    void formatsMoney()
    {
        QFETCH(QString, result);
        QFETCH(QString, expected);
        QCOMPARE(result, expected);
    }

    void formatsNumbers_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("expected");
        QTest::newRow("mode 3") << 3 << "1234.56" << 13 << blanks(5) + "1,234.5";
        QTest::newRow("mode 2") << 2 << "1234.5" << 13 << blanks(5) + "1,234.50";
        QTest::newRow("mode 1 cuts decimals") << 1 << "1234.99" << 13 << blanks(5) + "1,234";
        QTest::newRow("rounds half away") << 2 << "0.125" << 6 << "  0.13";
        QTest::newRow("15 digits decide the half") << 2 << "1234.565" << 8 << "1,234.57";
        QTest::newRow("negative") << 2 << "-1234.5" << 10 << " -1,234.50";
        QTest::newRow("tiny negative is zero") << 2 << "-0.001" << 5 << " 0.00";
        QTest::newRow("empty") << 2 << "" << 5 << " 0.00";
        QTest::newRow("exponent") << 2 << "1.5e3" << 8 << "1,500.00";
        // Wide values keep every digit of their whole part.
        QTest::newRow("wide, mode 1") << 1 << "1000000000" << 13 << "1,000,000,000";
        QTest::newRow("wide, mode 2") << 2 << "1000000000" << 13 << "1,000,000,000.00";
        QTest::newRow("wide, mode 3") << 3 << "1000000000" << 13 << "1,000,000,000.0";
        QTest::newRow("long text") << 2 << "15240.73060205" << 13 << blanks(4) + "15,240.73";
    }
    void formatsNumbers()
    {
        QFETCH(int, mode);
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, expected);
        QCOMPARE(FormatNumberPad(mode, text, width), expected);
    }

    // The program starts in the user's locale (Qt sets it from LANG), and many locales write
    // a ',' for the decimal point; number texts must not follow it.
    void formatsNumbersAlikeWhereTheLocaleWritesACommaPoint()
    {
        QTemporaryDir locales;
        const QString source = locales.filePath(QStringLiteral("comma.src"));
        QVERIFY(WriteTestFile(source, "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3\nEND LC_NUMERIC\n"));
        QProcess::execute(QStringLiteral("localedef"), {QStringLiteral("-c"), QStringLiteral("-i"), source, locales.filePath(QStringLiteral("comma"))});
        if (!QFile::exists(locales.filePath(QStringLiteral("comma/LC_NUMERIC"))))
            QSKIP("localedef cannot make a locale here");
        const QByteArray previousPath = qgetenv("LOCPATH");
        const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
        qputenv("LOCPATH", QFile::encodeName(locales.path()));
        const bool switched = std::setlocale(LC_NUMERIC, "comma") != nullptr;
        const QString number = FormatNumberPad(2, QStringLiteral("1234.5"), 13);
        const qint64 rounded = RoundNumber(1.005, 2).raw();
        std::setlocale(LC_NUMERIC, previous.c_str());
        qputenv("LOCPATH", previousPath);

        QVERIFY(switched);
        QCOMPARE(number, blanks(5) + "1,234.50");
        QCOMPARE(rounded, qint64(10100));
    }

    void formatsCurrencyNumbers()
    {
        QCOMPARE(FormatCurrNumberPad(3, 13, Currency::fromText("1234.56")), blanks(5) + "1,234.5");
    }

    // As FormatNumberPad shows a number: its 15 significant digits rounded, halves away.
    void roundsNumbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("the third decimal decides") << 1.29495 << 2 << qint64(12900);
        QTest::newRow("binary just below a half") << 1.005 << 2 << qint64(10100);
        QTest::newRow("negative half") << -2.125 << 2 << qint64(-21300);
        QTest::newRow("0.29 x 100") << 0.29 * 100 << 0 << qint64(290000);
        QTest::newRow("four decimals") << 0.00005 << 4 << qint64(1);
    }
    void roundsNumbers()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(qint64, raw);
        QCOMPARE(RoundNumber(value, decimals).raw(), raw);
    }

    void parsesAmounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("padded") << "  1,234,567" << qint64(12345670000);
        QTest::newRow("currency sign") << "\\1,234" << qint64(12340000);
        QTest::newRow("negative") << " -5 " << qint64(-50000);
        QTest::newRow("decimals") << "1,234.5" << qint64(12345000);
    }
    void parsesAmounts()
    {
        QFETCH(QString, text);
        QFETCH(qint64, raw);
        QCOMPARE(ParseAmount(text).raw(), raw);
    }

    void refusesTextsThatAreNoNumber()
    {
        QVERIFY_THROWS_EXCEPTION(NumberError, ParseAmount("12a"));
        QVERIFY_THROWS_EXCEPTION(NumberError, ParseAmount(""));
        QVERIFY_THROWS_EXCEPTION(NumberError, FormatMoneyText(1, "지   급", 13));
        QVERIFY_THROWS_EXCEPTION(NumberError, FormatNumberPad(2, "abc", 13));
        QVERIFY_THROWS_EXCEPTION(NumberError, FormatNumberPad(2, "inf", 13));
        QVERIFY_THROWS_EXCEPTION(NumberError, RoundNumber(std::numeric_limits<double>::infinity(), 2));
        QVERIFY_THROWS_EXCEPTION(NumberError, RoundNumber(std::numeric_limits<double>::quiet_NaN(), 2));
    }
};

VEK_TEST(TestMoneyFormat)
#include "tst_MoneyFormat.moc"
