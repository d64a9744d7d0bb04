#include "core/Cp949Text.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestCp949Text : public QObject {
    Q_OBJECT
private slots:
    void countsBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("ascii") << "abc 12" << 6;
        QTest::newRow("korean") << "집계메뉴" << 8;
        QTest::newRow("mixed") << "m2당 단가" << 9;
        QTest::newRow("symbol in CP949") << "☞" << 2;
        QTest::newRow("emoji written as ?") << "a😀b" << 3;
        QTest::newRow("CJK outside CP949 written as ?") << "丟" << 1;
    }
    void countsBytes()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QCOMPARE(Cp949Width(text), width);
        QCOMPARE(int(ToCp949(text).size()), width);
    }

    void cutsOnLetterBoundaries_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QString>("cut");
        QTest::newRow("fits") << "가나" << 4 << "가나";
        QTest::newRow("half a letter left out") << "가나다" << 5 << "가나";
        QTest::newRow("ascii after korean") << "가a나" << 3 << "가a";
        QTest::newRow("zero") << "가" << 0 << "";
        QTest::newRow("one byte before a letter") << "가" << 1 << "";
        QTest::newRow("surrogate pair kept whole") << "a😀b" << 2 << "a😀";
    }
    void cutsOnLetterBoundaries()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QFETCH(QString, cut);
        QCOMPARE(Cp949Left(text, bytes), cut);
    }

    void roundTripsKorean()
    {
        const QString text = QStringLiteral("철근콘크리트 25-240-15 ㎥ ☞");
        const QByteArray bytes = ToCp949(text);
        QCOMPARE(bytes.left(2), QByteArray("\xc3\xb6"));
        QCOMPARE(FromCp949(bytes), text);
        QVERIFY(IsCp949Text(text));
    }

    void writesUnencodableAsQuestionMark()
    {
        QCOMPARE(ToCp949(QStringLiteral("a😀b")), QByteArray("a?b"));
        QVERIFY(!IsCp949Text(QStringLiteral("a😀b")));
        QCOMPARE(ToCp949(QString(QChar(0xD800))), QByteArray("?")); // lone surrogate
    }

    void readsBrokenBytesAsQuestionMark()
    {
        // 0xFF is no CP949 byte; a lead byte at the end has lost its trail byte.
        QCOMPARE(FromCp949(QByteArray("a\xff" "b")), QStringLiteral("a?b"));
        QCOMPARE(FromCp949(QByteArray("ab\xb0")), QStringLiteral("ab?"));
    }
};

VEK_TEST(TestCp949Text)
#include "tst_Cp949Text.moc"
