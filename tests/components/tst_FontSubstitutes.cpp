#include "components/FontSubstitutes.h"
#include "tests/support/TestRegistry.h"

#include <QFontInfo>
#include <QTest>

using namespace vek;

class TestFontSubstitutes : public QObject {
    Q_OBJECT
private slots:
    void koreanFontNamesFindNanumFonts_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("found");
        QTest::newRow("굴림") << "굴림" << "NanumGothic";
        QTest::newRow("바탕") << "바탕" << "NanumMyeongjo";
        QTest::newRow("MS Sans Serif") << "MS Sans Serif" << "NanumGothic";
    }
    void koreanFontNamesFindNanumFonts()
    {
        QFETCH(QString, family);
        QFETCH(QString, found);
        InstallFontSubstitutes();
        QFont font(family);
        font.setPixelSize(12);
        QCOMPARE(QFontInfo(font).family(), found);
    }
};

VEK_TEST(TestFontSubstitutes)
#include "tst_FontSubstitutes.moc"
