#include "components/ShadowLabel.h"
#include "tests/components/Pixels.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestShadowLabel : public QObject {
    Q_OBJECT

    // The pixels of image that differ from the background, as a set of points.
    static QSet<QPoint> Marked(const QImage &image, QColor background)
    {
        QSet<QPoint> points;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != background)
                    points.insert(QPoint(x, y));
        return points;
    }

private slots:
    void defaults()
    {
        TSdLabel label;
        QCOMPARE(label.ShadowDepth(), 3);
        QCOMPARE(label.ShadowDirection(), TSdLabel::sdDnRight);
        QCOMPARE(label.ShadowColor(), label.palette().color(QPalette::Dark));
        QVERIFY(!label.Transparent());
        QVERIFY(label.ShowAccelChar());
    }

    void copiesByDirection_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QPoint>("shadow");
        QTest::addColumn<QPoint>("text");
        QTest::newRow("up-left: the text moves right and down") << int(TSdLabel::sdUpLeft) << QPoint(0, 0) << QPoint(2, 2);
        QTest::newRow("up-right") << int(TSdLabel::sdUpRight) << QPoint(2, 0) << QPoint(0, 2);
        QTest::newRow("down-left") << int(TSdLabel::sdDnLeft) << QPoint(0, 2) << QPoint(2, 0);
        QTest::newRow("down-right: the shadow moves") << int(TSdLabel::sdDnRight) << QPoint(2, 2) << QPoint(0, 0);
    }
    void copiesByDirection()
    {
        QFETCH(int, direction);
        QFETCH(QPoint, shadow);
        QFETCH(QPoint, text);
        TSdLabel label;
        label.SetShadowDepth(2);
        label.SetShadowDirection(TSdLabel::TShadowDirection(direction));
        label.SetShadowColor(QColor(0, 0, 64));
        label.SetFontColor(QColor(255, 255, 0));
        const auto layers = label.Layers();
        QCOMPARE(layers.size(), size_t(2));
        QCOMPARE(layers[0].offset, shadow);
        QCOMPARE(layers[0].brush.color(), QColor(0, 0, 64));
        QCOMPARE(layers[1].offset, text);
        QCOMPARE(layers[1].brush.color(), QColor(255, 255, 0));
    }

    void disabledTextIsGrey()
    {
        TSdLabel label;
        label.SetFontColor(QColor(255, 255, 0));
        label.setEnabled(false);
        QCOMPARE(label.Layers()[1].brush.color(), label.palette().color(QPalette::Disabled, QPalette::WindowText));
    }

    // Drawn alone, the shadow's pixels are the text's pixels moved by the depth.
    void shadowIsTheTextShiftedByTheDepth_data()
    {
        QTest::addColumn<int>("depth");
        QTest::newRow("1") << 1;
        QTest::newRow("3") << 3;
    }
    void shadowIsTheTextShiftedByTheDepth()
    {
        QFETCH(int, depth);
        const QColor background(240, 240, 240), shadow(0, 0, 64), face(200, 160, 0);
        TSdLabel label;
        label.resize(80, 30);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(18);
        font.setBold(true);
        font.setStyleStrategy(QFont::NoAntialias);
        label.setFont(font);
        label.SetCaption(QStringLiteral("W&g"));
        label.SetColor(background);
        label.SetShadowDepth(depth);

        label.SetShadowColor(Qt::transparent);
        label.SetFontColor(face);
        const QSet<QPoint> text = Marked(Grab(label), background);
        label.SetShadowColor(shadow);
        label.SetFontColor(Qt::transparent);
        const QSet<QPoint> shadowOnly = Marked(Grab(label), background);
        QVERIFY(text.size() > 20);

        QSet<QPoint> moved;
        for (QPoint p : text)
            moved.insert(p + QPoint(depth, depth));
        QCOMPARE(shadowOnly, moved);

        // Both: the text lies over its shadow.
        label.SetFontColor(face);
        const QImage both = Grab(label);
        for (QPoint p : text)
            QCOMPARE(both.pixelColor(p), face);
        for (QPoint p : moved - text)
            QCOMPARE(both.pixelColor(p), shadow);
    }

    void ampersandShowsWhenAcceleratorsAreOff()
    {
        TSdLabel label;
        label.resize(80, 30);
        label.SetCaption(QStringLiteral("&&"));
        label.SetShadowDepth(0);
        const QColor background = label.Color();
        const int accelerated = Marked(Grab(label), background).size();
        label.SetShowAccelChar(false);
        QVERIFY(Marked(Grab(label), background).size() > accelerated);
    }
};

VEK_TEST(TestShadowLabel)
#include "tst_ShadowLabel.moc"
