#include "core/Currency.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace vek;

class TestCurrency : public QObject {
    Q_OBJECT
private slots:
    void roundsTiesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("0.03125") << 0.03125 << qint64(312);
        QTest::newRow("0.09375") << 0.09375 << qint64(938);
        QTest::newRow("-0.03125") << -0.03125 << qint64(-312);
        QTest::newRow("0.15625") << 0.15625 << qint64(1562);
        QTest::newRow("1000.5") << 1000.5 << qint64(10005000);
        QTest::newRow("0.29") << 0.29 << qint64(2900);
        QTest::newRow("-0.0") << -0.0 << qint64(0);
    }
    void roundsTiesToEven()
    {
        QFETCH(double, value);
        QFETCH(qint64, raw);
        QCOMPARE(Currency::fromDouble(value).raw(), raw);
    }

    void truncatesTowardZero_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("whole");
        QTest::newRow("0.29 x 100 is 28.999... in binary") << 0.29 * 100 << qint64(29);
        QTest::newRow("-2 x 1000.5") << -2 * 1000.5 << qint64(-2001);
        QTest::newRow("-0.9") << -0.9 << qint64(0);
        QTest::newRow("1234.9999") << 1234.9999 << qint64(1234);
    }
    void truncatesTowardZero()
    {
        QFETCH(double, value);
        QFETCH(qint64, whole);
        QCOMPARE(Currency::truncOf(value), whole);
    }

    void refusesWhatDoesNotFit()
    {
        QVERIFY_THROWS_EXCEPTION(NumberError, Currency::fromDouble(1e300));
        QVERIFY_THROWS_EXCEPTION(NumberError, Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()));
        QVERIFY_THROWS_EXCEPTION(NumberError, Currency::fromDouble(-std::numeric_limits<double>::infinity()));
        QVERIFY_THROWS_EXCEPTION(NumberError, Currency::fromText(QStringLiteral("922337203685478")));
    }

    // One limit: a double converts exactly when it lies within Currency::Limit.
    void fitsTellsWhatConverts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fits");
        const double above = std::nextafter(Currency::Limit, 1e300);
        QTest::newRow("the limit") << Currency::Limit << true;
        QTest::newRow("the negative limit") << -Currency::Limit << true;
        QTest::newRow("the next double above") << above << false;
        QTest::newRow("the next double below the negative") << -above << false;
        QTest::newRow("the largest whole value") << 922337203685477.0 << true;
        QTest::newRow("2^63 / 10000") << 922337203685477.5808 << false;
        QTest::newRow("nine hundred trillion") << 9.1e14 << true;
        QTest::newRow("1e300") << 1e300 << false;
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << false;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false;
    }
    void fitsTellsWhatConverts()
    {
        QFETCH(double, value);
        QFETCH(bool, fits);
        QCOMPARE(Currency::fits(value), fits);
        bool converts = true;
        try {
            Currency::fromDouble(value);
        } catch (const NumberError &) {
            converts = false;
        }
        QCOMPARE(converts, fits);
    }

    // Texts whose whole part fits but whose value, decimals and rounding included, does not.
    void refusesTextJustBeyondTheRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("one past the largest") << "922337203685477.5808";
        QTest::newRow("largest whole, most decimals") << "922337203685477.9999";
        QTest::newRow("rounded past the largest") << "922337203685477.58075";
        QTest::newRow("one past the most negative") << "-922337203685477.5809";
    }
    void refusesTextJustBeyondTheRange()
    {
        QFETCH(QString, text);
        QVERIFY_THROWS_EXCEPTION(NumberError, Currency::fromText(text));
    }

    void readsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("whole") << "1234567" << qint64(12345670000);
        QTest::newRow("negative") << "-5" << qint64(-50000);
        QTest::newRow("leading point") << ".5" << qint64(5000);
        QTest::newRow("trailing point") << "5." << qint64(50000);
        QTest::newRow("tie to even down") << "0.03125" << qint64(312);
        QTest::newRow("tie to even up") << "0.09375" << qint64(938);
        QTest::newRow("past the tie") << "0.031250001" << qint64(313);
        QTest::newRow("largest") << "922337203685477.5807" << qint64(std::numeric_limits<qint64>::max());
        QTest::newRow("most negative, as toText writes it") << "-922337203685477.5808" << std::numeric_limits<qint64>::min();
    }
    void readsText()
    {
        QFETCH(QString, text);
        QFETCH(qint64, raw);
        QCOMPARE(Currency::fromText(text).raw(), raw);
    }

    void refusesTextThatIsNoNumber_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text : {"", "-", ".", "1,000", "1e3", " 1", "1.2.3", "12a", "１２"})
            QTest::newRow(text) << QString::fromUtf8(text);
    }
    void refusesTextThatIsNoNumber()
    {
        QFETCH(QString, text);
        QVERIFY_THROWS_EXCEPTION(NumberError, Currency::fromText(text));
    }

    void writesShortestText_data()
    {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0";
        QTest::newRow("whole") << qint64(30000) << "3";
        QTest::newRow("half") << qint64(125000) << "12.5";
        QTest::newRow("smallest negative") << qint64(-1) << "-0.0001";
        QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
    }
    void writesShortestText()
    {
        QFETCH(qint64, raw);
        QFETCH(QString, text);
        QCOMPARE(Currency::fromRaw(raw).toText(), text);
    }

    void negativeZeroIsWrittenAsZero()
    {
        QCOMPARE(Currency::fromDouble(-0.00001).toText(), QStringLiteral("0"));
    }
};

VEK_TEST(TestCurrency)
#include "tst_Currency.moc"
