#include "archiver/ZipWaitWindow.h"
#include "components/EffectLabel.h"
#include "tests/support/TestRegistry.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

using namespace vek;
using detail::SprSfm;
using detail::TSprSfm;

namespace {

// The wait windows that exist, shown or not.
int WaitWindows()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<TSprSfm *>(widget) != nullptr;
    return count;
}

} // namespace

class TestZipWaitWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        TSprSfm::MessageVisible(2, QString());
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }

    void stripLooksAsAsked()
    {
        TSprSfm::MessageVisible(1, QStringLiteral("백업자료를 압축합니다. 잠시만..."));
        QVERIFY(SprSfm);
        QVERIFY(SprSfm->isVisible());
        QVERIFY(SprSfm->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(SprSfm->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(SprSfm->size(), QSize(365, 25));
        QCOMPARE(SprSfm->geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
        QCOMPARE(SprSfm->windowTitle(), QStringLiteral("잠시만..."));
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

        const TLabelE *label = SprSfm->MessageLabel;
        QCOMPARE(label->Caption(), QStringLiteral("백업자료를 압축합니다. 잠시만..."));
        QCOMPARE(label->geometry(), QRect(8, 1, 364, 19));
        QCOMPARE(label->Alignment(), Qt::AlignHCenter);
        QCOMPARE(label->font().family(), QStringLiteral("굴림"));
        QCOMPARE(label->font().pointSize(), 12);
        QVERIFY(label->font().bold() && label->font().italic());
        QVERIFY(label->Transparent());
        QCOMPARE(label->FontColor(), QColor(130, 223, 202));
        QCOMPARE(label->ColourHighlight(), QColor(0, 0, 64));
        QCOMPARE(label->DirectionHighlight(), TLabelE::edDownRight);
        QCOMPARE(label->EffectStyle(), TLabelE::esCustom);
        QCOMPARE(label->ColourScheme(), TLabelE::csCustom);
    }

    // A second window replaces the first, and the hourglass is set once, so that one
    // kind 2 gives the cursor back.
    void aSecondWindowReplacesTheFirst()
    {
        TSprSfm::MessageVisible(1, QStringLiteral("하나"));
        const QPointer<TSprSfm> first = SprSfm;
        TSprSfm::MessageVisible(1, QStringLiteral("둘"));
        QVERIFY(!first);
        QCOMPARE(WaitWindows(), 1);
        QCOMPARE(SprSfm->MessageLabel->Caption(), QStringLiteral("둘"));
        TSprSfm::MessageVisible(2, QStringLiteral("ignored"));
        QVERIFY(!SprSfm);
        QCOMPARE(WaitWindows(), 0);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // Kind 2 without a window, and every other kind, leave the cursor and the windows alone.
    void otherKindsDoNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("0") << 0;
        QTest::newRow("2 with nothing shown") << 2;
        QTest::newRow("3") << 3;
        QTest::newRow("255") << 255;
    }
    void otherKindsDoNothing()
    {
        QFETCH(int, kind);
        QApplication::setOverrideCursor(Qt::IBeamCursor);
        TSprSfm::MessageVisible(quint8(kind), QStringLiteral("무시"));
        QCOMPARE(WaitWindows(), 0);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::IBeamCursor);
    }

    // Showing takes the caption bar off a window that has one; its border stays. The
    // library's own strip has none to take.
    void showingHidesTheCaptionBar()
    {
        TSprSfm window;
        QVERIFY(window.windowFlags() & Qt::WindowTitleHint || !(window.windowFlags() & Qt::CustomizeWindowHint));
        window.show();
        QVERIFY(window.isVisible());
        QVERIFY(!(window.windowFlags() & Qt::WindowTitleHint));
        QVERIFY(window.windowFlags() & Qt::CustomizeWindowHint);
        QVERIFY(!(window.windowFlags() & Qt::FramelessWindowHint));

        TSprSfm::MessageVisible(1, QStringLiteral("잠시만"));
        QCOMPARE(SprSfm->windowFlags(), Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    }
};

VEK_TEST(TestZipWaitWindow)
#include "tst_ZipWaitWindow.moc"
