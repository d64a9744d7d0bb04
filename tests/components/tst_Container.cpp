#include "components/Container.h"
#include "tests/components/Pixels.h"
#include "tests/support/TestRegistry.h"

#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace vek;

namespace {

const QRgb Face = qRgb(200, 210, 220);
const QRgb Line = qRgb(255, 0, 0);
const Legend Colours{{u'.', Face}, {u'#', Line}, {u'k', qRgb(0, 0, 0)}};

// Counts the paints a widget gets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// A shown container with one child filling its client area through a layout.
struct Fixture {
    TdxContainer container;
    QWidget *child = new QWidget;

    Fixture()
    {
        QCursor::setPos(2000, 2000);
        container.SetColor(QColor(Face));
        container.SetBoundColor(QColor(Line));
        auto *layout = new QVBoxLayout(&container);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(child);
        container.resize(40, 20);
        container.show();
    }
};

} // namespace

class TestContainer : public QObject {
    Q_OBJECT
private slots:
    void defaultsPaintAFlatRectangle()
    {
        TdxContainer container;
        QCOMPARE(container.size(), QSize(185, 41));
        container.SetColor(QColor(Face));
        container.SetCaption(QStringLiteral("공사견적"));
        container.resize(30, 12);
        QCOMPARE(Rows(Grab(container), Colours), QStringList(12, QString(30, u'.')));
    }

    void clientArea_data()
    {
        QTest::addColumn<int>("borderWidth");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("showLines");
        QTest::addColumn<int>("glyphWidth");
        QTest::addColumn<QRect>("area");
        const int all = TdxContainer::blLeft | TdxContainer::blTop | TdxContainer::blRight | TdxContainer::blBottom;
        QTest::newRow("defaults") << 0 << 0 << true << 0 << QRect(0, 0, 40, 20);
        QTest::newRow("border 3") << 3 << 0 << true << 0 << QRect(3, 3, 34, 14);
        QTest::newRow("all lines") << 0 << all << true << 0 << QRect(1, 1, 38, 18);
        QTest::newRow("lines hidden") << 0 << all << false << 0 << QRect(0, 0, 40, 20);
        QTest::newRow("left and bottom") << 2 << int(TdxContainer::blLeft | TdxContainer::blBottom) << true << 0
                                         << QRect(3, 2, 35, 15);
        QTest::newRow("glyph") << 1 << int(TdxContainer::blTop) << true << 5 << QRect(6, 2, 33, 17);
    }
    void clientArea()
    {
        QFETCH(int, borderWidth);
        QFETCH(int, lines);
        QFETCH(bool, showLines);
        QFETCH(int, glyphWidth);
        QFETCH(QRect, area);
        Fixture f;
        f.container.SetBorderWidth(borderWidth);
        f.container.SetBoundLines(quint8(lines));
        f.container.SetShowBoundLines(showLines);
        if (glyphWidth > 0) {
            QImage glyph(glyphWidth, 4, QImage::Format_RGB32);
            glyph.fill(Qt::white);
            f.container.SetGlyph(glyph);
        }
        QCOMPARE(f.container.ClientArea(), area);
        QTRY_COMPARE(f.child->geometry(), area);
    }

    void switchingBoundLinesOffMovesChildrenOut()
    {
        Fixture f;
        f.container.SetBoundLines(TdxContainer::blLeft);
        QTRY_COMPARE(f.child->x(), 1);
        f.container.SetShowBoundLines(false);
        QTRY_COMPARE(f.child->x(), 0);
    }

    void boundLines_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("left") << int(TdxContainer::blLeft) << QStringList{"#...", "#...", "#...", "...."};
        QTest::newRow("top") << int(TdxContainer::blTop) << QStringList{"####", "....", "....", "...."};
        QTest::newRow("right") << int(TdxContainer::blRight) << QStringList{"...#", "...#", "...#", "...."};
        QTest::newRow("bottom") << int(TdxContainer::blBottom) << QStringList{"....", "....", "....", "####"};
    }
    void boundLines()
    {
        QFETCH(int, lines);
        QFETCH(QStringList, rows);
        TdxContainer container;
        container.SetColor(QColor(Face));
        container.SetBoundColor(QColor(Line));
        container.resize(4, 4);
        container.SetBoundLines(quint8(lines));
        QCOMPARE(Rows(Grab(container), Colours), rows);
        container.SetShowBoundLines(false);
        QCOMPARE(Rows(Grab(container), Colours), QStringList(4, QStringLiteral("....")));
    }

    void glyphIsDrawnTransparentAtItsLayout_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("top");
        // Bound area rows 1..8 (a top line, border 0): height 8.
        QTest::newRow("bottom") << int(TdxContainer::TdxGlyphLayout::glBottom) << 7;
        QTest::newRow("centre") << int(TdxContainer::TdxGlyphLayout::glCenter) << 4; // (8 - 2) div 2 + 1, not offset by the top
        QTest::newRow("top") << int(TdxContainer::TdxGlyphLayout::glTop) << 1;
    }
    void glyphIsDrawnTransparentAtItsLayout()
    {
        QFETCH(int, layout);
        QFETCH(int, top);
        TdxContainer container;
        container.SetColor(QColor(Face));
        container.SetBoundColor(QColor(Line));
        container.resize(6, 9);
        container.SetBoundLines(TdxContainer::blTop);
        container.SetGlyphLayout(TdxContainer::TdxGlyphLayout(layout));
        container.SetGlyph(FromRows({"k.", ".."}, {{u'k', qRgb(0, 0, 0)}, {u'.', qRgb(255, 255, 255)}}));
        QStringList expected(9, QStringLiteral("......"));
        expected[0] = QStringLiteral("######");
        expected[top][0] = u'k';
        QCOMPARE(Rows(Grab(container), Colours), expected);
    }

    void repaintsOnlyOnChange()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.container));
        QCoreApplication::processEvents();
        PaintCounter counter(&f.container);
        f.container.SetSpacing(5);
        f.container.SetBorderWidth(0);
        f.container.SetColor(QColor(Face));
        f.container.SetShowBoundLines(true);
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints, 0);

        f.container.BeginUpdate();
        f.container.SetBoundColor(Qt::blue);
        f.container.SetCaption(QStringLiteral("집계"));
        f.container.SetShowCaption(true);
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints, 0);
        f.container.EndUpdate();
        QTRY_COMPARE(counter.paints, 1);
    }

    void wideCaptionIsDrawnFromTheLeftWithAnEllipsis()
    {
        TdxContainer container;
        container.SetColor(QColor(Face));
        QPalette colours = container.palette();
        colours.setColor(QPalette::WindowText, Qt::black);
        container.setPalette(colours);
        QFont font(QStringLiteral("NanumGothic"));
        font.setPixelSize(12);
        container.setFont(font);
        container.resize(60, 20);
        container.SetShowCaption(true);
        container.SetAlignment(Qt::AlignHCenter);
        const QString caption = QStringLiteral("공사원가계산서 집계표");
        container.SetCaption(caption);

        // Spacing 5 each side and one pixel top and bottom: the text area is 50 x 18.
        const QFontMetrics metrics(font);
        const QRect area(5, 1, 50, 18);
        QImage expected(60, 20, QImage::Format_RGB32);
        expected.fill(Face);
        QPainter painter(&expected);
        painter.setFont(font);
        painter.setPen(Qt::black);
        const int top = area.top() + (area.height() - metrics.height()) / 2;
        painter.drawText(QRect(area.left(), top, area.width(), area.bottom() - top + 1),
                         Qt::AlignLeft | Qt::AlignTop, metrics.elidedText(caption, Qt::ElideRight, area.width()));
        painter.end();
        QVERIFY(metrics.elidedText(caption, Qt::ElideRight, area.width()).endsWith(QChar(0x2026)));
        QCOMPARE(Grab(container), expected);
    }

    void enabledModeAffectChilds()
    {
        Fixture f;
        auto *second = new QPushButton(&f.container);
        second->setEnabled(false);
        QSignalSpy changes(&f.container, &TdxContainer::EnabledChanged);
        f.container.SetEnabledMode(TdxContainer::TdxEnabledMode::emAffectChilds);
        // Switching the mode hands the container's Enabled to the children at once.
        QVERIFY(second->isEnabled());
        QCOMPARE(changes.count(), 1);
        f.container.setEnabled(false);
        QVERIFY(!f.child->isEnabledTo(&f.container));
        QVERIFY(!second->isEnabledTo(&f.container));
        f.container.setEnabled(true);
        QVERIFY(f.child->isEnabled());
        QVERIFY(second->isEnabled());
        QCOMPARE(changes.count(), 3);
    }

    void enabledModeNormalLeavesChildrenTheirOwn()
    {
        Fixture f;
        f.child->setEnabled(false);
        auto *second = new QPushButton(&f.container);
        f.container.setEnabled(false);
        QVERIFY(second->isEnabledTo(&f.container));
        QVERIFY(!second->isEnabled()); // a disabled container still blocks its children
        f.container.setEnabled(true);
        QVERIFY(second->isEnabled());
        QVERIFY(!f.child->isEnabled());
    }

    void acceleratorClicks()
    {
        Fixture f;
        f.container.SetCaption(QStringLiteral("&Apply"));
        QSignalSpy clicks(&f.container, &TdxContainer::Click);
        QVERIFY(QTest::qWaitForWindowActive(&f.container));
        QTest::keyClick(&f.container, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);
        f.container.SetCaption(QStringLiteral("&Close"));
        QTest::keyClick(&f.container, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);
        f.container.setEnabled(false);
        QTest::keyClick(&f.container, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);
        f.container.setEnabled(true);
        f.container.SetFocusable(true);
        f.container.setFocus();
        QTest::keyClick(&f.container, Qt::Key_C);
        QCOMPARE(clicks.count(), 2);
    }

    void takesNoFocusUnlessFocusable()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.container));
        QTest::mousePress(&f.container, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(f.container.IsPressed());
        QVERIFY(!f.container.hasFocus());
        QTest::mouseRelease(&f.container, Qt::LeftButton, {}, QPoint(2, 2));
        f.container.SetFocusable(true);
        QTest::mousePress(&f.container, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(f.container.hasFocus());
        QTest::mouseRelease(&f.container, Qt::LeftButton, {}, QPoint(2, 2));
    }
};

VEK_TEST(TestContainer)
#include "tst_Container.moc"
