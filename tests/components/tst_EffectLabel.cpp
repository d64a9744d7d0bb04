#include "components/EffectLabel.h"
#include "tests/components/Pixels.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

namespace {

const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);
const QColor Gray(128, 128, 128);

QList<QPoint> Offsets(const std::vector<TextLayer> &layers)
{
    QList<QPoint> offsets;
    for (const TextLayer &layer : layers)
        offsets.append(layer.offset);
    return offsets;
}

QList<QColor> Colours(const std::vector<TextLayer> &layers)
{
    QList<QColor> colours;
    for (const TextLayer &layer : layers)
        colours.append(layer.brush.color());
    return colours;
}

QFont SharpFont(int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

bool Near(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) <= 1 && qAbs(a.green() - b.green()) <= 1 && qAbs(a.blue() - b.blue()) <= 1;
}

} // namespace

class TestEffectLabel : public QObject {
    Q_OBJECT
private slots:
    void defaults()
    {
        TLabelE label;
        QCOMPARE(label.size(), QSize(142, 33));
        QVERIFY(label.Transparent());
        QCOMPARE(label.font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(label.font().pointSize(), 20);
        QCOMPARE(label.ColourScheme(), TLabelE::csWindows);
        QCOMPARE(label.EffectStyle(), TLabelE::esRaised);
        QCOMPARE(label.FontColor(), Gray);
        QCOMPARE(label.GraduateFrom(), Gray);
        QCOMPARE(label.ColourHighlight(), White);
        QCOMPARE(label.ColourShadow(), Black);
    }

    // Shadow copies first, then the highlight, the face last.
    void copiesByEffectStyle_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QList<QPoint>>("offsets");
        QTest::addColumn<QList<QColor>>("colours");
        QTest::newRow("raised: highlight up-left, face at (1,1), shadow down-right")
            << int(TLabelE::esRaised) << QList<QPoint>{{2, 2}, {0, 0}, {1, 1}} << QList<QColor>{Black, White, Gray};
        QTest::newRow("sunken") << int(TLabelE::esSunken) << QList<QPoint>{{0, 0}, {2, 2}, {1, 1}}
                                << QList<QColor>{Black, White, Gray};
        QTest::newRow("shadow: no highlight") << int(TLabelE::esShadow) << QList<QPoint>{{2, 2}, {0, 0}}
                                              << QList<QColor>{Black, Gray};
        QTest::newRow("flying: highlight in the shadow colour")
            << int(TLabelE::esFlying) << QList<QPoint>{{5, 5}, {1, 1}, {0, 0}} << QList<QColor>{Black, Black, Gray};
        QTest::newRow("none: the face alone") << int(TLabelE::esNone) << QList<QPoint>{{0, 0}} << QList<QColor>{Gray};
    }
    void copiesByEffectStyle()
    {
        QFETCH(int, style);
        QFETCH(QList<QPoint>, offsets);
        QFETCH(QList<QColor>, colours);
        TLabelE label;
        label.SetEffectStyle(TLabelE::TEffectStyle(style));
        QCOMPARE(Offsets(label.Layers()), offsets);
        QCOMPARE(Colours(label.Layers()), colours);
    }

    void extrudeAndGraduatedCopies_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QList<QPoint>>("offsets");
        QTest::addColumn<QList<QColor>>("colours");
        const QColor face(255, 129, 0);
        // Depth 3 down-right under a highlight one up-left: every copy moves by one.
        QTest::newRow("extrude 3") << int(TLabelE::eoExtrude) << QList<QPoint>{{4, 4}, {3, 3}, {2, 2}, {0, 0}, {1, 1}}
                                   << QList<QColor>{Black, Black, Black, White, face};
        // Copy M: black + (3 - M) x (face - black) / 2, rounded ties to even (127.5 -> 128, 64.5 -> 64).
        QTest::newRow("graduated 3") << int(TLabelE::eoGraduated)
                                     << QList<QPoint>{{4, 4}, {3, 3}, {2, 2}, {0, 0}, {1, 1}}
                                     << QList<QColor>{Black, QColor(128, 64, 0), face, White, face};
        QTest::newRow("normal 3: one copy") << int(TLabelE::eoNormal) << QList<QPoint>{{4, 4}, {0, 0}, {1, 1}}
                                            << QList<QColor>{Black, White, face};
    }
    void extrudeAndGraduatedCopies()
    {
        QFETCH(int, option);
        QFETCH(QList<QPoint>, offsets);
        QFETCH(QList<QColor>, colours);
        TLabelE label;
        label.SetFontColor(QColor(255, 129, 0));
        label.SetStyleShadow(TLabelE::TEffectOption(option));
        label.SetDepthShadow(3);
        QCOMPARE(label.EffectStyle(), TLabelE::esCustom);
        QCOMPARE(Offsets(label.Layers()), offsets);
        QCOMPARE(Colours(label.Layers()), colours);
    }

    void depthOneExtrudeIsOneCopy()
    {
        TLabelE label;
        label.SetStyleShadow(TLabelE::eoGraduated);
        QCOMPARE(Offsets(label.Layers()), (QList<QPoint>{{2, 2}, {0, 0}, {1, 1}}));
        QCOMPARE(label.Layers().front().brush.color(), Black);
    }

    void colourSchemes_data()
    {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<QColor>("highlight");
        QTest::addColumn<QColor>("shadow");
        QTest::addColumn<QColor>("face");
        QTest::newRow("text") << int(TLabelE::csText) << White << Gray << Black;
        QTest::newRow("windows") << int(TLabelE::csWindows) << White << Black << Gray;
        QTest::newRow("embossed") << int(TLabelE::csEmbossed) << White << Black << QColor(192, 192, 192);
        QTest::newRow("gold") << int(TLabelE::csGold) << QColor(255, 255, 0) << Black << QColor(128, 128, 0);
        QTest::newRow("steel") << int(TLabelE::csSteel) << QColor(0, 255, 255) << QColor(0, 0, 128)
                               << QColor(0, 128, 128);
    }
    void colourSchemes()
    {
        QFETCH(int, scheme);
        QFETCH(QColor, highlight);
        QFETCH(QColor, shadow);
        QFETCH(QColor, face);
        TLabelE label;
        label.SetColourScheme(TLabelE::TColourScheme(scheme));
        QCOMPARE(label.ColourScheme(), TLabelE::TColourScheme(scheme));
        QCOMPARE(label.ColourHighlight(), highlight);
        QCOMPARE(label.ColourShadow(), shadow);
        QCOMPARE(label.FontColor(), face);
        // The preset also fills the custom slot.
        label.SetColourScheme(TLabelE::csCustom);
        QCOMPARE(label.ColourHighlight(), highlight);
        QCOMPARE(label.ColourShadow(), shadow);
        QCOMPARE(label.FontColor(), face);
    }

    void layerColourByHandSwitchesToCustom()
    {
        TLabelE label;
        label.SetColourScheme(TLabelE::csGold);
        label.SetColourShadow(QColor(200, 0, 0));
        QCOMPARE(label.ColourScheme(), TLabelE::csCustom);
        QCOMPARE(label.ColourHighlight(), QColor(255, 255, 0));
        QCOMPARE(label.FontColor(), QColor(128, 128, 0));
        label.SetColourScheme(TLabelE::csWindows);
        label.SetColourScheme(TLabelE::csCustom);
        QCOMPARE(label.ColourShadow(), Black); // Windows' colours went into the slot
    }

    void flyingTakesTheSchemesShadowForTheHighlight()
    {
        TLabelE label;
        label.SetColourScheme(TLabelE::csSteel);
        label.SetEffectStyle(TLabelE::esFlying);
        QCOMPARE(label.ColourHighlight(), QColor(0, 0, 128));
        QCOMPARE(label.ColourScheme(), TLabelE::csSteel);
        label.SetEffectStyle(TLabelE::esRaised);
        QCOMPARE(label.ColourHighlight(), QColor(0, 255, 255));
    }

    void directionByHandSwitchesToCustom()
    {
        TLabelE label;
        label.SetDirectionHighlight(TLabelE::edDownRight);
        QCOMPARE(label.EffectStyle(), TLabelE::esCustom);
        label.SetDirectionShadow(TLabelE::edUp);
        // Highlight down-right and shadow up: the face moves down by one.
        QCOMPARE(Offsets(label.Layers()), (QList<QPoint>{{1, 0}, {2, 2}, {1, 1}}));
    }

    void asButtonSwitchesRaisedAndSunken()
    {
        TLabelE label;
        label.SetEffectStyle(TLabelE::esShadow);
        label.SetAsButton(true);
        QCOMPARE(label.EffectStyle(), TLabelE::esRaised);
        QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(label.EffectStyle(), TLabelE::esSunken);
        QMouseEvent outside(QEvent::MouseMove, QPointF(label.width() + 1, 5), QPointF(label.width() + 1, 5),
                            Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&label, &outside);
        QCOMPARE(label.EffectStyle(), TLabelE::esRaised);
        QMouseEvent inside(QEvent::MouseMove, QPointF(label.width(), 5), QPointF(label.width(), 5), Qt::NoButton,
                           Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&label, &inside);
        QCOMPARE(label.EffectStyle(), TLabelE::esSunken);
        QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(label.width(), label.height()));
        QCOMPARE(label.EffectStyle(), TLabelE::esRaised);

        label.SetEffectStyle(TLabelE::esShadow);
        QVERIFY(!label.AsButton());
        QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(label.EffectStyle(), TLabelE::esShadow);
    }

    // The graded face: GraduateFrom on the text's first row, the font colour on its last.
    void graduatedFaceRunsFromGraduateFromToTheFontColour()
    {
        TLabelE label;
        label.SetCaption(QStringLiteral("Ab"));
        label.SetFontColor(QColor(0, 0, 255));
        label.SetGraduateFrom(QColor(255, 0, 0));
        label.SetGraduateFace(TLabelE::goVertical);
        const QImage ramp = label.Layers().back().brush.textureImage();
        const int rows = ramp.height();
        QCOMPARE(ramp.width(), 1);
        QVERIFY(rows >= QFontMetrics(label.font()).height());
        QCOMPARE(ramp.pixelColor(0, 0), QColor(255, 0, 0));
        QCOMPARE(ramp.pixelColor(0, rows - 1), QColor(0, 0, 255));
        for (int i = 1; i < rows; ++i)
            QVERIFY(ramp.pixelColor(0, i).red() <= ramp.pixelColor(0, i - 1).red());

        label.SetGraduateFace(TLabelE::goHorizontal);
        QCOMPARE(label.Layers().back().brush.textureImage().height(), 1);
    }

    // A ramp of one column (an empty caption is no wider) is the start colour, not a
    // division by zero.
    void graduatedFaceOfOneColumnIsItsStartColour()
    {
        TLabelE label;
        label.SetGraduateFrom(QColor(10, 20, 30));
        label.SetGraduateFace(TLabelE::goHorizontal);
        const QImage ramp = label.Layers().back().brush.textureImage();
        QCOMPARE(ramp.size(), QSize(1, 1));
        QCOMPARE(ramp.pixelColor(0, 0), QColor(10, 20, 30));
    }

    // A see-through shadow halves the colours beneath it, a see-through highlight halves
    // their distance to white; copies that run past the label's edge are cut there.
    void realLayersSeeThrough()
    {
        TLabelE label;
        label.resize(40, 30);
        label.setFont(SharpFont(28));
        label.SetCaption(QStringLiteral("H"));
        label.SetTransparent(false);
        label.SetColor(QColor(200, 100, 50));
        label.SetFontColor(QColor(0, 0, 255));
        label.SetEffectStyle(TLabelE::esNone);
        label.SetDirectionShadow(TLabelE::edDownRight);
        label.SetDepthShadow(3);
        label.SetStyleShadow(TLabelE::eoReal);
        label.SetDirectionHighlight(TLabelE::edUpLeft);
        label.SetDepthHighlight(3);
        label.SetStyleHighlight(TLabelE::eoReal);
        const QImage image = Grab(label);

        // The face stands at (3, 3), the shadow copy three pixels down-right of it, the
        // highlight copy three pixels up-left: each copy's pixels are the face's, moved.
        auto isFace = [&](int x, int y) {
            return image.rect().contains(x, y) && image.pixelColor(x, y) == QColor(0, 0, 255);
        };
        const QColor background(200, 100, 50), halved(100, 50, 25), lightened(227, 177, 152), both(177, 152, 140);
        int shadowed = 0, lit = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (isFace(x, y))
                    continue;
                const bool inShadow = isFace(x - 3, y - 3), inLight = isFace(x + 3, y + 3);
                shadowed += inShadow;
                lit += inLight;
                const QColor expected = inShadow ? (inLight ? both : halved) : (inLight ? lightened : background);
                QVERIFY2(Near(image.pixelColor(x, y), expected), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(shadowed > 10);
        QVERIFY(lit > 10);
        QCOMPARE(image.pixelColor(image.width() - 1, 0), QColor(200, 100, 50));
    }
};

VEK_TEST(TestEffectLabel)
#include "tst_EffectLabel.moc"
