#include "components/DBNavigator.h"
#include "components/DataGrid.h"
#include "core/DatabaseError.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/components/WorkItemGrid.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

#include <memory>

using namespace vek;

// The record navigator over the work-item list, with a grid following it.
class TestDBNavigator : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;

private slots:
    void init() { db = std::make_unique<TempDatabase>(); }
    void cleanup() { db.reset(); }

    void buttonsMoveTheDatasetAndTheGridFollows()
    {
        Dataset &list = OpenWorkItems(*db, {"가", "나", "다", "라"});
        TDBNavigator navigator;
        navigator.setDataset(&list);
        TRxDBGrid grid;
        grid.setDataset(&list);
        QVERIFY(!navigator.button(TDBNavigator::nbPrior)->isEnabled());
        QTest::mouseClick(navigator.button(TDBNavigator::nbLast), Qt::LeftButton);
        QCOMPARE(list.recNo(), 3);
        QCOMPARE(grid.currentIndex().row(), 3);
        QVERIFY(!navigator.button(TDBNavigator::nbNext)->isEnabled());
        QTest::mouseClick(navigator.button(TDBNavigator::nbPrior), Qt::LeftButton);
        QCOMPARE(list.recNo(), 2);
        QTest::mouseClick(navigator.button(TDBNavigator::nbFirst), Qt::LeftButton);
        QCOMPARE(list.recNo(), 0);
        QTest::mouseClick(navigator.button(TDBNavigator::nbNext), Qt::LeftButton);
        QCOMPARE(grid.currentIndex().row(), 1);
    }

    void aFailingPostIsShownAndTheListStays()
    {
        Dataset &list = OpenWorkItems(*db, {"가", "나"});
        TDBNavigator navigator;
        navigator.setDataset(&list);
        MessageAnswerer answerer;
        list.edit();
        list.setValue("NAME", "바뀜");
        list.beforePost = [](Dataset &) { throw DatabaseError("처리실패!!"); };
        QTest::mouseClick(navigator.button(TDBNavigator::nbNext), Qt::LeftButton);
        list.beforePost = nullptr;
        QCOMPARE(answerer.texts(), QStringList({"처리실패!!"}));
        QCOMPARE(list.recNo(), 0);
        QCOMPARE(list.state(), DatasetState::Browse);
        QCOMPARE(list.value("NAME").toString(), QString("가"));
    }

    void anEmptyListDisablesEveryButton()
    {
        Dataset &list = OpenWorkItems(*db, {});
        TDBNavigator navigator;
        navigator.setDataset(&list);
        for (auto which : {TDBNavigator::nbFirst, TDBNavigator::nbPrior, TDBNavigator::nbNext, TDBNavigator::nbLast})
            QVERIFY(!navigator.button(which)->isEnabled());
    }
};

VEK_TEST(TestDBNavigator)
#include "tst_DBNavigator.moc"
