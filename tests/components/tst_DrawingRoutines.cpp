#include "components/DrawingRoutines.h"
#include "tests/components/Pixels.h"
#include "tests/support/TestRegistry.h"

#include <QPainter>
#include <QTest>

using namespace vek;

namespace {

const QRgb Paper = qRgb(10, 200, 30);

QImage Canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Paper);
    return image;
}

const Legend Colours{{u'p', Paper}, {u'#', qRgb(0, 0, 0)}, {u'r', qRgb(255, 0, 0)}, {u'b', qRgb(0, 0, 255)},
                     {u'.', qRgb(255, 255, 255)}};

QImage Bitmap(const QStringList &rows)
{
    return FromRows(rows, Colours);
}

QStringList DrawnRows(const QImage &image)
{
    return Rows(image, Colours);
}

QFont TestFont()
{
    QFont font(QStringLiteral("NanumGothic"));
    font.setPixelSize(13);
    return font;
}

} // namespace

class TestDrawingRoutines : public QObject {
    Q_OBJECT
private slots:
    void words_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("delimiters");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("word");
        QTest::newRow("third of two") << 3 << "10,20" << "," << 0 << "";
        QTest::newRow("first after two commas") << 1 << ",,5" << "," << 3 << "5";
        QTest::newRow("second") << 2 << "10,20" << "," << 4 << "20";
        QTest::newRow("runs of delimiters") << 2 << " a ;; bc ;" << " ;" << 7 << "bc";
        QTest::newRow("korean") << 2 << "공사 견적서" << " " << 4 << "견적서";
        QTest::newRow("empty text") << 1 << "" << "," << 0 << "";
        QTest::newRow("word zero") << 0 << "a,b" << "," << 0 << "";
    }
    void words()
    {
        QFETCH(int, n);
        QFETCH(QString, text);
        QFETCH(QString, delimiters);
        QFETCH(int, start);
        QFETCH(QString, word);
        QCOMPARE(WordStartOf(n, text, delimiters), start);
        QCOMPARE(WordOf(n, text, delimiters), word);
    }

    void replaceEvery_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("result");
        QTest::newRow("inserted text is not rescanned")
            << "Value must be between %d and %d" << "%d" << "%.*f" << "Value must be between %.*f and %.*f";
        QTest::newRow("replacement holds the search") << "aa" << "a" << "aa" << "aaaa";
        QTest::newRow("overlapping occurrences") << "aaa" << "aa" << "b" << "ba";
        QTest::newRow("none") << "abc" << "x" << "y" << "abc";
        QTest::newRow("empty search") << "abc" << "" << "y" << "abc";
        QTest::newRow("korean") << "공사공사" << "사" << "종" << "공종공종";
    }
    void replaceEvery()
    {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(QString, replacement);
        QFETCH(QString, result);
        QCOMPARE(ReplaceEvery(text, search, replacement), result);
    }

    void smallStringRoutines()
    {
        QCOMPARE(RemoveCharAll(QStringLiteral("1,234,567"), u','), QStringLiteral("1234567"));
        QCOMPARE(TrimBlanks(QStringLiteral("  a b \t ")), QStringLiteral("a b \t"));
        QCOMPARE(TrimBlanks(QStringLiteral("   ")), QString());
        QCOMPARE(MakeStr(u'-', 3), QStringLiteral("---"));
        QCOMPARE(MakeStr(u'-', 0), QString());
        QCOMPARE(MakeStr(u'-', -2), QString());
    }

    void fitTextWidth_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("widthOf"); // the maximum width is the width of this text
        QTest::addColumn<int>("plus");        // and these pixels more
        QTest::addColumn<QString>("result");
        QTest::newRow("fits") << "공사견적" << "공사견적" << 0 << "공사견적";
        QTest::newRow("a pixel short drops two letters") << "공사견적서" << "공사견적서" << -1 << "공사견...";
        QTest::newRow("room for three letters") << "공사견적서" << "공사견..." << 0 << "공사견...";
        QTest::newRow("a pixel short of three") << "공사견적서" << "공사견..." << -1 << "공사...";
        QTest::newRow("mixed") << "A공B사C" << "A공..." << 0 << "A공...";
        QTest::newRow("never fits") << "공사견적서" << "" << 0 << "...";
        // Conjoining jamo: each syllable is three code units and is kept or dropped whole.
        QTest::newRow("jamo") << QString::fromUtf8("\u1100\u1169\u11BC\u1109\u1161\u1100\u1167\u11AB")
                              << QString::fromUtf8("\u1100\u1169\u11BC...") << 0
                              << QString::fromUtf8("\u1100\u1169\u11BC...");
        QTest::newRow("surrogate pairs") << QString::fromUtf8("a\U0001F600\U0001F600\U0001F600b")
                                         << QString::fromUtf8("a\U0001F600...") << 0
                                         << QString::fromUtf8("a\U0001F600...");
    }
    void fitTextWidth()
    {
        QFETCH(QString, text);
        QFETCH(QString, widthOf);
        QFETCH(int, plus);
        QFETCH(QString, result);
        const QFontMetrics metrics(TestFont());
        const QString fitted = FitTextWidth(text, metrics, metrics.horizontalAdvance(widthOf) + plus);
        QCOMPARE(fitted, result);
    }

    void keyedBitmap_data()
    {
        QTest::addColumn<QStringList>("bitmap");
        QTest::addColumn<int>("kind");
        QTest::addColumn<uint>("colour");
        QTest::addColumn<QStringList>("drawn");
        const QStringList picture{"r#r", "#b#", "..r"};
        QTest::newRow("bottom-left pixel") << picture << int(TransparentColor::BottomLeft) << 0u
                                           << QStringList{"pppp", "pr#r", "p#b#", "pppr"};
        QTest::newRow("given colour") << picture << int(TransparentColor::Given) << uint(qRgb(255, 0, 0))
                                      << QStringList{"pppp", "pp#p", "p#b#", "p..p"};
        QTest::newRow("none copies") << picture << int(TransparentColor::None) << 0u
                                     << QStringList{"pppp", "pr#r", "p#b#", "p..r"};
    }
    void keyedBitmap()
    {
        QFETCH(QStringList, bitmap);
        QFETCH(int, kind);
        QFETCH(uint, colour);
        QFETCH(QStringList, drawn);
        QImage canvas = Canvas(4, 4);
        QPainter painter(&canvas);
        DrawKeyedBitmap(painter, 1, 1, Bitmap(bitmap), {TransparentColor::Kind(kind), QRgb(colour)});
        painter.end();
        QCOMPARE(DrawnRows(canvas), drawn);
    }

    void monochromeBitmapLeavesOutWhite()
    {
        QImage mono = Bitmap({"#.", ".#"}).convertToFormat(QImage::Format_Mono);
        QImage canvas = Canvas(2, 2);
        QPainter painter(&canvas);
        DrawKeyedBitmap(painter, 0, 0, mono, TransparentColor::given(qRgb(0, 0, 0)));
        painter.end();
        QCOMPARE(DrawnRows(canvas), (QStringList{"#p", "p#"}));
    }

    void stretchedBitmapKeepsASharpEdge()
    {
        QImage canvas = Canvas(6, 4);
        QPainter painter(&canvas);
        StretchKeyedBitmap(painter, Bitmap({"##.", "#.."}), TransparentColor::given(qRgb(255, 255, 255)), 0, 0, 6, 4,
                           0, 0, 0, 0);
        painter.end();
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 6; ++x) {
                const bool shape = y < 2 ? x < 4 : x < 2;
                QCOMPARE(qAlpha(canvas.pixel(x, y)) == 255 && (canvas.pixel(x, y) & RGB_MASK) == (Paper & RGB_MASK),
                         !shape);
            }
        }
    }

    void stretchedSourcePart()
    {
        QImage canvas = Canvas(2, 1);
        QPainter painter(&canvas);
        StretchKeyedBitmap(painter, Bitmap({"r#b", "..."}), TransparentColor::none(), 0, 0, 2, 1, 1, 0, 2, 1);
        painter.end();
        QCOMPARE(DrawnRows(canvas), QStringList{"#b"});
    }

    void cellText_data()
    {
        QTest::addColumn<int>("hAlign");
        QTest::addColumn<int>("vAlign");
        QTest::addColumn<int>("cellHeight");
        QTest::addColumn<bool>("mirrored");
        QTest::newRow("left top") << int(CellHAlign::Left) << int(CellVAlign::Top) << 30 << false;
        QTest::newRow("right centre") << int(CellHAlign::Right) << int(CellVAlign::Center) << 30 << false;
        QTest::newRow("centre bottom") << int(CellHAlign::Center) << int(CellVAlign::Bottom) << 30 << false;
        QTest::newRow("centred in 3 pixels") << int(CellHAlign::Center) << int(CellVAlign::Center) << 3 << false;
        QTest::newRow("bottom in 3 pixels") << int(CellHAlign::Left) << int(CellVAlign::Bottom) << 3 << false;
        QTest::newRow("left on a mirrored canvas") << int(CellHAlign::Left) << int(CellVAlign::Top) << 30 << true;
    }
    void cellText()
    {
        QFETCH(int, hAlign);
        QFETCH(int, vAlign);
        QFETCH(int, cellHeight);
        QFETCH(bool, mirrored);
        const QString text = QStringLiteral("공사 W12");
        const QRect cell(5, 4, 90, cellHeight);
        const QFont font = TestFont();
        const QFontMetrics metrics(font);

        QImage drawn = Canvas(100, 40);
        QPainter painter(&drawn);
        painter.setFont(font);
        painter.setBrush(QColor(Qt::white));
        painter.setPen(Qt::black);
        if (mirrored)
            painter.setLayoutDirection(Qt::RightToLeft);
        PaintCellText(painter, cell, 2, CellHAlign(hAlign), CellVAlign(vAlign), false, false, text);
        painter.end();

        // The same text put where grids put it, by plain drawing.
        const int width = metrics.horizontalAdvance(text);
        const int h = metrics.height();
        const CellHAlign align = mirrored && hAlign == int(CellHAlign::Left) ? CellHAlign::Right : CellHAlign(hAlign);
        const int x = align == CellHAlign::Left ? cell.left() + 2
                    : align == CellHAlign::Right ? cell.left() + cell.width() - width - 3
                                                 : cell.left() + cell.width() / 2 - width / 2;
        const int top = vAlign == int(CellVAlign::Top) ? 2
                      : vAlign == int(CellVAlign::Center) ? std::max(1, (cellHeight - h) / 2)
                                                          : std::max(2, cellHeight - h);
        QImage expected = Canvas(100, 40);
        QPainter reference(&expected);
        reference.fillRect(cell, Qt::white);
        reference.setClipRect(cell);
        reference.setFont(font);
        reference.setPen(Qt::black);
        reference.drawText(QPoint(x, cell.top() + top + metrics.ascent()), text);
        reference.end();
        QCOMPARE(drawn, expected);
        if (cellHeight == 3 && vAlign == int(CellVAlign::Center))
            QCOMPARE(top, 1);
    }

    void wrappedCellTextStaysInsideTheCell()
    {
        QImage drawn = Canvas(60, 60);
        QPainter painter(&drawn);
        painter.setFont(TestFont());
        painter.setBrush(QColor(Qt::white));
        painter.setPen(Qt::black);
        const QRect cell(0, 0, 40, 50);
        PaintCellText(painter, cell, 2, CellHAlign::Left, CellVAlign::Top, true, false,
                      QStringLiteral("공사 견적 내역서 집계"));
        painter.end();
        int inkRows = 0;
        for (int y = 0; y < 60; ++y) {
            bool ink = false;
            for (int x = 0; x < 60; ++x) {
                const QRgb p = drawn.pixel(x, y) & RGB_MASK;
                if (!cell.contains(x, y))
                    QCOMPARE(p, Paper & RGB_MASK);
                else if (x >= cell.width() - 1 || x < 2)
                    QCOMPARE(p, qRgb(255, 255, 255) & RGB_MASK);
                ink = ink || p != (qRgb(255, 255, 255) & RGB_MASK);
            }
            inkRows += ink;
        }
        // The text broke into several lines.
        QVERIFY(inkRows > QFontMetrics(TestFont()).height());
    }

    // On the wrapped path tabs are expanded to every 8 average character widths: the text
    // after a tab starts where it would start drawn at the first tab stop.
    void wrappedCellTextExpandsTabs()
    {
        const QFont font = TestFont();
        const int tabStop = 8 * QFontMetrics(font).averageCharWidth();
        const QRect cell(0, 0, 200, 40);
        const auto draw = [&](const QString &text, int left) {
            QImage image = Canvas(200, 40);
            QPainter painter(&image);
            painter.setFont(font);
            painter.setBrush(QColor(Qt::white));
            painter.setPen(Qt::black);
            PaintCellText(painter, cell, left, CellHAlign::Left, CellVAlign::Top, true, false, text);
            return image;
        };
        QCOMPARE(draw(QStringLiteral("\t견적"), 2), draw(QStringLiteral("견적"), 2 + tabStop));
        QCOMPARE(draw(QStringLiteral("공\t견적"), 2), [&] {
            QImage image = draw(QStringLiteral("공"), 2);
            QPainter painter(&image);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QPoint(2 + tabStop, 2 + QFontMetrics(font).ascent()), QStringLiteral("견적"));
            return image;
        }());
    }

    // Every other pixel along the inside of the rectangle, inverted; drawn twice, gone.
    void focusRectangleIsDottedAndTakesItselfAway()
    {
        QImage image(8, 5, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        DrawFocusRect(painter, QRect(1, 1, 6, 3));
        const Legend legend{{u'.', qRgb(255, 255, 255)}, {u'#', qRgb(0, 0, 0)}};
        QCOMPARE(Rows(image, legend), QStringList({"........",
                                                   ".#.#.#..",
                                                   "......#.",
                                                   ".#.#.#..",
                                                   "........"}));
        DrawFocusRect(painter, QRect(1, 1, 6, 3));
        painter.end();
        QCOMPARE(Rows(image, legend), QStringList(5, "........"));
    }
};

VEK_TEST(TestDrawingRoutines)
#include "tst_DrawingRoutines.moc"
