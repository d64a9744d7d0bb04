#include "app/MainWindow.h"
#include "app/ScreenOpening.h"
#include "components/SpeedButton.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

#include <stdexcept>

using namespace vek;

class TestScreenOpening : public QObject {
    Q_OBJECT

private slots:
    // Each placement on the two screens the program is made for, the main window where
    // the start-up puts it on each.
    void placementsFollowTheScreenAndTheMainWindow_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QRect>("itemRow");
        QTest::addColumn<QRect>("fromWorkItems");
        QTest::addColumn<QRect>("fromSmallGroups");
        QTest::addColumn<QRect>("costStatement");
        QTest::addColumn<QRect>("overview");
        // The breakdown screen over the line-item screen opened from the work items.
        QTest::addColumn<QRect>("breakdown");
        QTest::newRow("1280 x 1024") << QSize(1280, 1024) << QRect(445, 343, 390, 270) << QRect(88, 145, 1105, 830)
                                     << QRect(88, 155, 1105, 820) << QRect(430, 150, 760, 725)
                                     << QRect(233, 145, 960, 830) << QRect(136, 184, 1057, 805);
        QTest::newRow("1024 x 768: no higher than 768") << QSize(1024, 768) << QRect(317, 235, 390, 270)
                                                        << QRect(4, 126, 1017, 613) << QRect(4, 136, 1017, 603)
                                                        << QRect(238, 131, 780, 623) << QRect(61, 126, 960, 613)
                                                        << QRect(52, 165, 969, 588);
        QTest::newRow("1280 x 769: higher than 768") << QSize(1280, 769) << QRect(445, 216, 390, 270)
                                                     << QRect(88, 145, 1105, 575) << QRect(88, 155, 1105, 565)
                                                     << QRect(430, 150, 760, 725) << QRect(233, 145, 960, 575)
                                                     << QRect(136, 184, 1057, 550);
    }
    void placementsFollowTheScreenAndTheMainWindow()
    {
        QFETCH(QSize, screen);
        QFETCH(QRect, itemRow);
        QFETCH(QRect, fromWorkItems);
        QFETCH(QRect, fromSmallGroups);
        QFETCH(QRect, costStatement);
        QFETCH(QRect, overview);
        QFETCH(QRect, breakdown);
        const QRect main = MainWindowPlacement(screen);
        QCOMPARE(ItemRowDialogPlacement(screen, main), itemRow);
        QCOMPARE(ListScreenPlacement(main, 125), fromWorkItems);
        QCOMPARE(ListScreenPlacement(main, 135), fromSmallGroups);
        QCOMPARE(CostStatementPlacement(screen, main), costStatement);
        QCOMPARE(BreakdownOverviewPlacement(main), overview);
        QCOMPARE(BreakdownScreenPlacement(fromWorkItems), breakdown);
    }

    void theOpenersButtonIsFlatOnlyWhileTheScreenRuns()
    {
        TRxSpeedButton button;
        try {
            FlatWhileOpen flat(&button);
            QVERIFY(button.Flat());
            throw std::runtime_error("the screen failed");
        } catch (const std::runtime_error &) {
        }
        QVERIFY(!button.Flat());
    }
};

VEK_TEST(TestScreenOpening)
#include "tst_ScreenOpening.moc"
