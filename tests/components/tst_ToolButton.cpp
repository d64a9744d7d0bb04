#include "components/ToolButton.h"
#include "tests/components/Pixels.h"
#include "tests/support/TestRegistry.h"

#include <QDialog>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

using namespace vek;

namespace {

const QRgb Face = qRgb(10, 200, 30);
const Legend Colours{{u'p', Face},
                     {u'w', qRgb(255, 255, 255)},
                     {u'k', qRgb(0, 0, 0)},
                     {u'g', qRgb(128, 128, 128)},
                     {u'r', qRgb(255, 0, 0)},
                     {u'o', qRgb(0x00, 0x33, 0x66)},   // 6697728
                     {u'h', qRgb(0xB5, 0xBE, 0xD6)},   // 14073525
                     {u'd', qRgb(0x99, 0x99, 0xCC)}};  // 13408665

// The seven pictures, rows from the top.
QStringList PictureOf(TdxToolType type)
{
    switch (type) {
    case TdxToolType::ttArrowLeft:
        return QStringLiteral("....##... ...###... ..####### .######## ######### .######## ..####### ...###... ....##...").split(u' ');
    case TdxToolType::ttArrowRight:
        return QStringLiteral("...##.... ...###... #######.. ########. ######### ########. #######.. ...###... ...##....").split(u' ');
    case TdxToolType::ttClose:
        return QStringLiteral(".......... .##....##. ..##..##.. ...####... ....##.... ...####... ..##..##.. .##....##. ..........").split(u' ');
    case TdxToolType::ttMaximize:
        return QStringLiteral(".......... .########. .#......#. .#......#. .#......#. .#......#. .#......#. .########. ..........").split(u' ');
    case TdxToolType::ttMinimize:
        return QStringLiteral(".......... .......... .......... .......... .......... .......... .########. .########. ..........").split(u' ');
    case TdxToolType::ttPopup:
        return QStringLiteral("####### .#####. ..###.. ...#...").split(u' ');
    case TdxToolType::ttRestore:
        return QStringLiteral(".......... .########. .#..#...#. .#..#...#. .#..#####. .#......#. .#......#. .########. ..........").split(u' ');
    }
    return {};
}

// The button as it must look: frame 'R' raised, 'S' sunken, 'O' office hot, 'P' office
// pressed, '-' none; the picture in ink, shifted by shift pixels right and down.
QStringList Expected(TdxToolType type, char frame, QChar ink, int shift)
{
    QStringList rows(15, QString(15, u'p'));
    auto edge = [&](QChar first, QChar second) {
        for (int i = 0; i < 15; ++i) {
            rows[i][0] = first;
            if (i < 14)
                rows[0][i] = first;
            if (i >= 1)
                rows[i][14] = second;
            if (i >= 1)
                rows[14][i] = second;
        }
    };
    if (frame == 'R')
        edge(u'w', u'k');
    else if (frame == 'S')
        edge(u'k', u'w');
    else if (frame == 'O' || frame == 'P') {
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 15; ++x)
                rows[y][x] = (x == 0 || y == 0 || x == 14 || y == 14) ? u'o' : frame == 'O' ? u'h' : u'd';
    }
    const QStringList picture = PictureOf(type);
    const int left = (15 - int(picture.first().size())) / 2 + shift;
    const int top = (15 - int(picture.size())) / 2 + shift;
    for (int y = 0; y < picture.size(); ++y)
        for (int x = 0; x < picture[y].size(); ++x)
            if (picture[y][x] == u'#')
                rows[top + y][left + x] = ink;
    return rows;
}

struct Fixture {
    QWidget parent;
    TdxToolButton *button;

    Fixture()
    {
        QCursor::setPos(2000, 2000); // no button starts hot
        QPalette colours = parent.palette();
        colours.setColor(QPalette::Window, Face);
        parent.setPalette(colours);
        parent.resize(60, 40);
        button = new TdxToolButton(&parent);
        button->move(5, 5);
        parent.show();
    }
};

void Enter(QWidget *widget)
{
    QEnterEvent enter(QPointF(7, 7), QPointF(7, 7), widget->mapToGlobal(QPointF(7, 7)));
    QCoreApplication::sendEvent(widget, &enter);
}

} // namespace

class TestToolButton : public QObject {
    Q_OBJECT
private slots:
    void staysFifteenPixelsSquare()
    {
        TdxToolButton button;
        QCOMPARE(button.size(), QSize(15, 15));
        button.resize(40, 30);
        button.setGeometry(3, 4, 20, 8);
        QCOMPARE(button.size(), QSize(15, 15));
    }

    void paintsEachState_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("theme");
        QTest::addColumn<QString>("state"); // h hot, p pressed, x pressed and moved off, d disabled
        QTest::addColumn<uint>("colour");
        QTest::addColumn<char>("frame");
        QTest::addColumn<QChar>("ink");
        QTest::addColumn<int>("shift");
        const int xp = int(TdxTheme::WindowsXP);
        const int office = int(TdxTheme::OfficeXP);
        const uint black = qRgb(0, 0, 0);
        const uint red = qRgb(255, 0, 0);
        for (int type = 0; type <= int(TdxToolType::ttRestore); ++type) {
            const QByteArray name = QByteArray::number(type);
            QTest::newRow(name + " normal") << type << xp << "" << black << '-' << QChar(u'k') << 0;
            QTest::newRow(name + " hot") << type << xp << "h" << black << 'R' << QChar(u'k') << 0;
            QTest::newRow(name + " pressed") << type << xp << "p" << black << 'S' << QChar(u'w') << 1;
        }
        QTest::newRow("pressed and moved off") << int(TdxToolType::ttClose) << xp << "x" << black << 'R' << QChar(u'k') << 1;
        QTest::newRow("coloured") << int(TdxToolType::ttClose) << xp << "" << red << '-' << QChar(u'r') << 0;
        QTest::newRow("coloured hot") << int(TdxToolType::ttClose) << xp << "h" << red << 'R' << QChar(u'r') << 0;
        QTest::newRow("white") << int(TdxToolType::ttClose) << xp << "" << uint(qRgb(255, 255, 255)) << '-' << QChar(u'w') << 0;
        QTest::newRow("disabled") << int(TdxToolType::ttClose) << xp << "d" << red << '-' << QChar(u'g') << 0;
        QTest::newRow("office normal") << int(TdxToolType::ttClose) << office << "" << black << '-' << QChar(u'k') << 0;
        QTest::newRow("office hot") << int(TdxToolType::ttClose) << office << "h" << black << 'O' << QChar(u'k') << 0;
        QTest::newRow("office pressed") << int(TdxToolType::ttClose) << office << "p" << black << 'P' << QChar(u'w') << 0;
        QTest::newRow("office moved off") << int(TdxToolType::ttClose) << office << "x" << black << '-' << QChar(u'k') << 0;
    }
    void paintsEachState()
    {
        QFETCH(int, type);
        QFETCH(int, theme);
        QFETCH(QString, state);
        QFETCH(uint, colour);
        QFETCH(char, frame);
        QFETCH(QChar, ink);
        QFETCH(int, shift);
        Fixture f;
        TdxToolButton &button = *f.button;
        button.SetToolType(TdxToolType(type));
        button.Style().SetTheme(TdxTheme(theme));
        button.SetColor(QColor::fromRgb(colour));
        QVERIFY(QTest::qWaitForWindowExposed(&f.parent));
        if (state == u"h" || state == u"p" || state == u"x")
            Enter(&button);
        if (state == u"p" || state == u"x")
            QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(7, 7));
        if (state == u"x")
            QTest::mouseMove(&button, QPoint(40, 30));
        if (state == u"d")
            button.setEnabled(false);
        QCOMPARE(Rows(Grab(button), Colours), Expected(TdxToolType(type), frame, ink, shift));
        if (state == u"p" || state == u"x")
            QTest::mouseRelease(&button, Qt::LeftButton, {}, state == u"p" ? QPoint(7, 7) : QPoint(40, 30));
        QVERIFY(!button.IsPressed());
    }

    void closePictureSitsAtTwoThree()
    {
        const QImage picture = TdxToolButton::Picture(TdxToolType::ttClose);
        QCOMPARE(picture.size(), QSize(10, 9));
        QCOMPARE((15 - picture.width()) / 2, 2);
        QCOMPARE((15 - picture.height()) / 2, 3);
    }

    void repaintsOnlyOnAChangedType()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.parent));
        QCoreApplication::processEvents();
        int paints = 0;
        struct Counter : QObject {
            int &count;
            explicit Counter(int &c) : count(c) {}
            bool eventFilter(QObject *, QEvent *e) override
            {
                count += e->type() == QEvent::Paint;
                return false;
            }
        } counter(paints);
        f.button->installEventFilter(&counter);
        f.button->SetToolType(TdxToolType::ttClose);
        QCoreApplication::processEvents();
        QCOMPARE(paints, 0);
        f.button->SetToolType(TdxToolType::ttRestore);
        QTRY_COMPARE(paints, 1);
        QCOMPARE(Rows(Grab(*f.button), Colours), Expected(TdxToolType::ttRestore, '-', u'k', 0));
    }

    void clickHandsTheModalResultToTheDialog_data()
    {
        QTest::addColumn<int>("modalResult");
        QTest::addColumn<bool>("open");
        QTest::newRow("default 0 keeps the dialog open") << 0 << true;
        QTest::newRow("2 closes it with 2") << 2 << false;
    }
    void clickHandsTheModalResultToTheDialog()
    {
        QFETCH(int, modalResult);
        QFETCH(bool, open);
        QDialog dialog;
        auto *button = new TdxToolButton(&dialog);
        button->SetModalResult(modalResult);
        QSignalSpy clicks(button, &TdxToolButton::Click);
        dialog.setModal(true);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(7, 7));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(dialog.isVisible(), open);
        if (!open)
            QCOMPARE(dialog.result(), modalResult);
    }

    void clickSetsTheModalResultBeforeTheHandler()
    {
        // The handler sees the result already set, and may close the dialog with its own.
        QDialog dialog;
        auto *button = new TdxToolButton(&dialog);
        button->SetModalResult(2);
        int resultAtClick = -1;
        connect(button, &TdxToolButton::Click, &dialog, [&] {
            resultAtClick = dialog.result();
            dialog.done(5);
        });
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.setModal(true);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(7, 7));
        QCOMPARE(resultAtClick, 2);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(dialog.result(), 5);
    }

    void releaseOutsideDoesNotClick()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.parent));
        QSignalSpy clicks(f.button, &TdxToolButton::Click);
        QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(7, 7));
        QTest::mouseMove(f.button, QPoint(30, 7));
        QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(30, 7));
        QCOMPARE(clicks.count(), 0);
    }

    void doubleClickIsTwoClicks()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.parent));
        QSignalSpy clicks(f.button, &TdxToolButton::Click);
        // What a quick second click delivers: press, release, double click, release.
        QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(7, 7));
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(7, 7), f.button->mapToGlobal(QPointF(7, 7)),
                                Qt::LeftButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(f.button, &doubleClick);
        QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(7, 7));
        QCOMPARE(clicks.count(), 2);
    }

    void releaseOnANeighbourMakesItHot()
    {
        Fixture f;
        auto *neighbour = new TdxToolButton(&f.parent);
        neighbour->move(20, 5);
        neighbour->show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.parent));
        Enter(f.button);
        QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(7, 7));
        QTest::mouseMove(f.button, QPoint(22, 7));
        QVERIFY(!f.button->IsHot());
        QVERIFY(!neighbour->IsHot());
        QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(22, 7));
        QVERIFY(neighbour->IsHot());
        QVERIFY(!f.button->IsHot());
    }
};

VEK_TEST(TestToolButton)
#include "tst_ToolButton.moc"
