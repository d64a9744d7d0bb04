#include "components/Cp949ByteValidator.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestCp949ByteValidator : public QObject {
    Q_OBJECT

private slots:
    void countsCp949Bytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("acceptable");
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("4 Korean letters: 8 bytes") << QStringLiteral("공사견적") << true;
        QTest::newRow("5 Korean letters: 10 bytes") << QStringLiteral("공사견적서") << false;
        QTest::newRow("8 Latin letters") << QStringLiteral("abcdefgh") << true;
        QTest::newRow("9 Latin letters") << QStringLiteral("abcdefghi") << false;
        QTest::newRow("mixed, 8 bytes") << QStringLiteral("a공사b견") << true;
        QTest::newRow("mixed, 9 bytes") << QStringLiteral("a공사b견c") << false;
        QTest::newRow("a letter CP949 lacks counts 1") << QStringLiteral("abcdefgé") << true;
    }
    void countsCp949Bytes()
    {
        QFETCH(QString, text);
        QFETCH(bool, acceptable);
        const Cp949ByteValidator validator(8);
        int pos = 0;
        QCOMPARE(validator.validate(text, pos), acceptable ? QValidator::Acceptable : QValidator::Invalid);
    }
};

VEK_TEST(TestCp949ByteValidator)
#include "tst_Cp949ByteValidator.moc"
