#include "core/DisplayFormat.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestDisplayFormat : public QObject {
    Q_OBJECT
private slots:
    void formats_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        QTest::newRow("grouped") << 1234567.0 << "##,###,###,###" << "1,234,567";
        QTest::newRow("rounded half away") << 2.5 << "##,###,###,###" << "3";
        QTest::newRow("negative") << -1234.5 << "##,###,###,###" << "-1,235";
        QTest::newRow("zero shows nothing") << 0.0 << "##,###,###,###" << "";
        QTest::newRow("small negative rounds to nothing") << -0.2 << "##,###,###,###" << "";
        QTest::newRow("one decimal") << 1234.56 << "###,###,###.#" << "1,234.6";
        QTest::newRow("optional decimal dropped") << 1234.0 << "###,###,###.#" << "1,234";
        QTest::newRow("fraction only") << 0.5 << "###,###,###.#" << ".5";
        QTest::newRow("required digits") << 0.5 << "#,##0.00" << "0.50";
    }
    void formats()
    {
        QFETCH(double, value);
        QFETCH(QString, format);
        QFETCH(QString, text);
        QCOMPARE(FormatFloatPattern(value, format), text);
    }
};

VEK_TEST(TestDisplayFormat)
#include "tst_DisplayFormat.moc"
