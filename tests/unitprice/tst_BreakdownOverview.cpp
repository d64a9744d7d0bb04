#include "components/CurrencyEdit.h"
#include "components/DataGrid.h"
#include "components/SpeedButton.h"
#include "components/ToolButton.h"
#include "core/DataModule.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "core/TextUtils.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WhileModalShown.h"
#include "tests/unitprice/BreakdownFixture.h"
#include "tests/unitprice/CostSheetFixture.h"
#include "unitprice/BreakdownOverview.h"
#include "unitprice/BreakdownScreen.h"

#include <QLabel>
#include <QTest>

#include <memory>

using namespace vek;

namespace {

// A unit-price item of key in work item acode with its texts and unit prices.
void InsertPricedItem(TempDatabase &db, const BreakdownKey &key, int acode, const QString &name, double material,
                      double labour)
{
    db.insertRow({{"ACODE", acode}, {"NAME", name}, {"STAN", "S"}, {"UNIT", "m"}, {"INO", 1}, {"PCST11", material},
                  {"LCST11", labour}, {"TAG", "D"}, {"ABFS", "S"}, {"ICD1", key.i1}, {"ICD2", key.i2},
                  {"ICD3", key.i3}});
}

} // namespace

// The breakdown overview: its list of distinct unit-price items, the calculated fields of
// its own breakdown rows, and the read-only breakdown it opens.
class TestBreakdownOverview : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;
    UnexpectedMessages unexpected;

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        DataChanged = false;
        unexpected.Start();
    }
    void cleanup()
    {
        EntryPoints() = ScreenEntryPoints();
        db.reset();
        QCOMPARE(unexpected.Stop(), QStringList());
    }

    // One line per item with its own texts and prices: two items of one key at different
    // prices are two lines, two alike are one. The list is bound only while the screen
    // lives.
    void theListHasOneLinePerDistinctItem()
    {
        InsertPricedItem(*db, TestKey, 1, QStringLiteral("거푸집"), 1000, 500);
        InsertPricedItem(*db, TestKey, 2, QStringLiteral("거푸집"), 1200, 500);
        InsertPricedItem(*db, OtherKey, 1, QStringLiteral("철근"), 10, 20);
        InsertPricedItem(*db, OtherKey, 3, QStringLiteral("철근"), 10, 20);
        ConnectBreakdownScreens();
        QStringList lines;
        QRect geometry;
        QString title;
        WhenModalShown<TTreVewf>([&](TTreVewf *shown) {
            geometry = shown->geometry();
            title = shown->TopLabel->text();
            Dataset &items = dMf->qDList;
            for (items.first(); !items.eof(); items.next())
                lines.append(QStringLiteral("%1 %2 %3").arg(items.asString("NAME")).arg(items.asDouble("PCST11"))
                                 .arg(items.asDouble("mToTAL")));
            QCOMPARE(shown->GrdDeaA->dataset(), &dMf->qDList);
            shown->sClose0->DoClick();
        });
        OpenScreen(EntryPoints().BreakdownOverview,
                   TitledScreenSetup{nullptr, QRect(30, 40, 960, 600), QStringLiteral("일위대가일람표")});
        QCOMPARE(geometry, QRect(30, 40, 960, 600));
        QCOMPARE(title, QStringLiteral("일위대가일람표"));
        QCOMPARE(lines, (QStringList{QStringLiteral("거푸집 1000 1500"), QStringLiteral("거푸집 1200 1700"),
                                     QStringLiteral("철근 10 30")}));
        QVERIFY(!dMf->qDList.isActive());
    }

    // The calculated fields of the overview's own breakdown rows.
    void calculatedFields_data()
    {
        QTest::addColumn<QVariantHash>("row");
        QTest::addColumn<QString>("material");
        QTest::addColumn<double>("labour");
        QTest::addColumn<double>("unitTotal");
        QTest::addColumn<double>("rowTotal");
        QTest::newRow("labour -12.34") << QVariantHash{{"INO", 1}, {"LCST11", -12.34}} << "0.0" << -12.3 << -12.34 << -12.3;
        QTest::newRow("labour 12.349") << QVariantHash{{"INO", 1}, {"LCST11", 12.349}} << "0.0" << 12.3 << 12.349 << 12.3;
        QTest::newRow("supplied material")
            << QVariantHash{{"INO", 2}, {"PCST11", 0}, {"RECV", 500}, {"LCST11", 10}} << QStringLiteral("지   급     ")
            << 20.0 << 10.0 << 20.0;
        QTest::newRow("material 2.5 rounds to even")
            << QVariantHash{{"INO", 1}, {"PCST11", 2.5}} << "2.5" << 0.0 << 2.0 << 2.5;
        QTest::newRow("subtotal shows its amounts")
            << QVariantHash{{"TAG", "T"}, {"INO", 0}, {"PCST12", 1234.6}, {"LCST12", 50.5}, {"SCST12", 1}}
            << "1,235" << 50.5 << 0.0 << 1286.5;
    }
    void calculatedFields()
    {
        QFETCH(QVariantHash, row);
        QFETCH(QString, material);
        QFETCH(double, labour);
        QFETCH(double, unitTotal);
        QFETCH(double, rowTotal);
        QStringList columns{"NAME", "TAG", "ODRF"};
        QVariantList values{QStringLiteral("행"), row.value("TAG", "N"), 1};
        for (auto it = row.cbegin(); it != row.cend(); ++it) {
            if (it.key() == "TAG")
                continue;
            columns.append(it.key());
            values.append(it.value());
        }
        db->module().SQLConect.execute(QStringLiteral("insert into SDTAIL (%1) values (%2)")
                                           .arg(columns.join(','), QStringList(columns.size(), "?").join(',')),
                                       values);
        QVERIFY(db->module().SQLConect.commit());
        TTreVewf screen;
        screen.ConnectOwnDatasets();
        screen.Tdtail.open();
        QCOMPARE(screen.Tdtail.recordCount(), 1);
        QCOMPARE(TrimLeftText(screen.Tdtail.asString("PCST22")), material);
        QCOMPARE(screen.Tdtail.asDouble("LCST22"), labour);
        QCOMPARE(screen.Tdtail.asDouble("TCST31"), unitTotal);
        QCOMPARE(screen.Tdtail.asDouble("TCST32"), rowTotal);
    }

    // The breakdown opens read-only over the overview, titled by the item, its footer
    // computed with a stale rate row priced anew; closing it writes nothing, and the close
    // button shows the restore picture meanwhile. The two exports are handed what they write.
    void aBreakdownOpensReadOnly()
    {
        InsertFooterExample(*db);
        InsertPricedItem(*db, TestKey, 1, QStringLiteral("거푸집"), 1, 2);
        const QList<QVariantList> before = WholeTable(*db);
        TTreVewf overview;
        overview.setGeometry(50, 60, 900, 500);
        overview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&overview));
        QRect geometry;
        QString title;
        QList<double> footer;
        int page = -1;
        TdxToolType glyph = TdxToolType::ttClose;
        WhenModalShown<TSudetaif>([&](TSudetaif *shown) {
            geometry = shown->geometry();
            title = shown->TopLabel->text();
            page = shown->Page();
            footer = {shown->LPCST11->Value(), shown->LLCST11->Value(), shown->LSCST11->Value(), shown->LCSTTAL->Value()};
            glyph = overview.mExit0->ToolType();
            shown->slExl1->DoClick();
            shown->sClose1->DoClick();
        });
        // The exports get what they write: the page's footer, the overview itself.
        QList<qint64> exported;
        BreakdownSheetExport() = [&exported](const RollupSums &sums) {
            exported = {sums.material.trunc(), sums.labour.trunc(), sums.expense.trunc(), sums.total.trunc()};
        };
        TTreVewf *exportedOverview = nullptr;
        BreakdownOverviewExport() = [&exportedOverview](TTreVewf &screen) { exportedOverview = &screen; };
        overview.slExl0->DoClick();
        overview.dBtn->DoClick();
        BreakdownSheetExport() = nullptr;
        BreakdownOverviewExport() = nullptr;
        QCOMPARE(exported, (QList<qint64>{4999, 103700, 10, 108710}));
        QCOMPARE(exportedOverview, &overview);
        QCOMPARE(geometry, QRect(overview.x() + 1, overview.y() + 25, 898, 500));
        QCOMPARE(title, BreakdownTitle(dMf->qDList));
        QVERIFY(title.startsWith(QStringLiteral("대가명: 거푸집")));
        QCOMPARE(page, 1);
        QCOMPARE(footer, (QList<double>{4999, 103700, 10, 108710}));
        QCOMPARE(glyph, TdxToolType::ttRestore);
        QCOMPARE(overview.mExit0->ToolType(), TdxToolType::ttClose);
        QCOMPARE(WholeTable(*db), before);
        QVERIFY(!Sudetaif);
        QVERIFY(!DataChanged);
        overview.close();
    }
};

VEK_TEST(TestBreakdownOverview)
#include "tst_BreakdownOverview.moc"
