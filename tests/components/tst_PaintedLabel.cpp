#include "components/Container.h"
#include "components/EffectLabel.h"
#include "components/ShadowLabel.h"
#include "tests/components/Pixels.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestPaintedLabel : public QObject {
    Q_OBJECT
private slots:
    // A label that is not transparent paints its parent's colour as the parent has it
    // when it paints, like an ordinary label, until it is given a colour of its own.
    void aLabelFollowsItsParentsColour_data()
    {
        QTest::addColumn<bool>("effectLabel");
        QTest::newRow("shadow label") << false;
        QTest::newRow("effect label") << true;
    }
    void aLabelFollowsItsParentsColour()
    {
        QFETCH(bool, effectLabel);
        TdxContainer bar;
        bar.resize(200, 40);
        PaintedLabel *label = effectLabel ? static_cast<PaintedLabel *>(new TLabelE(&bar)) : new TSdLabel(&bar);
        label->SetTransparent(false);
        label->setGeometry(0, 0, 100, 30);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        const QColor barColour(0x1C, 0x49, 0xB3);
        bar.SetColor(barColour); // coloured after the label was made
        QVERIFY(label->ParentColor());
        QCOMPARE(Grab(*label).pixelColor(99, 29), barColour);

        label->SetColor(Qt::yellow);
        bar.SetColor(Qt::red);
        QCOMPARE(Grab(*label).pixelColor(99, 29), QColor(Qt::yellow));
        label->SetParentColor(true);
        QCOMPARE(Grab(*label).pixelColor(99, 29), QColor(Qt::red));
    }
};

VEK_TEST(TestPaintedLabel)
#include "tst_PaintedLabel.moc"
