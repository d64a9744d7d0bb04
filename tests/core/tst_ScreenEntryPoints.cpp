#include "core/Environment.h"
#include "core/ScreenEntryPoints.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

class TestScreenEntryPoints : public QObject {
    Q_OBJECT

private slots:
    void smallDialogsOpenWhereTheyWereLastClosed()
    {
        TempHome home;
        QCOMPARE(RememberedDialogPlacement(BulkAdjustmentPlace, QSize(195, 180)), QRect(780, 220, 195, 180));
        QVERIFY(WriteIniInteger("VekFree.ini", "FormTopLft", "조정Top", 15));
        QVERIFY(WriteIniInteger("VekFree.ini", "FormTopLft", "조정Lft", -40));
        QCOMPARE(RememberedDialogPlacement(BulkAdjustmentPlace, QSize(195, 180)), QRect(-40, 15, 195, 180));
        QCOMPARE(RememberedDialogPlacement(SumMenuPlace, QSize(118, 140)), QRect(780, 220, 118, 140));
    }

    void theItemDialogsSetupsByPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("inputKind");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("title");
        const QRect row(445, 343, 390, 270);
        QTest::newRow("adding a row") << 0 << 1 << row << QString(25, u' ') + "내  역  서  공  종  명  등  록";
        QTest::newRow("changing a row") << 0 << 2 << row << QString(25, u' ') + "내  역  서  공  종  명  수  정";
        QTest::newRow("bulk adjustment") << 1 << 0 << QRect(780, 220, 195, 180)
                                         << QString(11, u' ') + "금 액 일 괄 조 정";
        QTest::newRow("sum menu") << 2 << 0 << QRect(780, 220, 118, 140) << QString(8, u' ') + "집계메뉴";
    }
    void theItemDialogsSetupsByPage()
    {
        QFETCH(int, page);
        QFETCH(int, inputKind);
        QFETCH(QRect, geometry);
        QFETCH(QString, title);
        TempHome home;
        const ItemDialogSetup setup = page == 0   ? ItemRowDialogSetup(nullptr, inputKind, geometry)
                                      : page == 1 ? BulkAdjustmentDialogSetup(nullptr)
                                                  : SumMenuDialogSetup(nullptr);
        QCOMPARE(setup.page, page);
        QCOMPARE(setup.geometry, geometry);
        QCOMPARE(setup.title, title);
        QCOMPARE(setup.percentage, 0.0);
    }
};

VEK_TEST(TestScreenEntryPoints)
#include "tst_ScreenEntryPoints.moc"
