#include "core/DataModule.h"
#include "core/ProgramState.h"
#include "core/RatePlace.h"
#include "tests/support/PlaceRows.h"
#include "tests/support/StandInScreen.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

#include <memory>

using namespace vek;

Q_DECLARE_METATYPE(vek::RatePlace)

namespace {

const RatePlace Items = RatePlace::Node(1, 2, 0);
const RatePlace Breakdown = RatePlace::Breakdown(7, 8, 9);

} // namespace

class TestRatePlace : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;

    void addRow(const RatePlace &place, const QVariantHash &values) { AddPlaceRow(*db, place, values); }

    // A rate row of slot n holding rate in its material column.
    void addRateRow(const RatePlace &place, int n, double rate, QVariantHash more = {})
    {
        more.insert("TAG", "R");
        more.insert("NORT", n);
        more.insert(RateColumnsOf(n).at(0), rate);
        addRow(place, more);
    }

    double rateOf(const QString &name, const QString &column)
    {
        return db->scalar(QStringLiteral("select %1 from NDTAIL where NAME=?").arg(column), {name}).toDouble();
    }

    // UntieRateMembers on the rate row named "deleted", as a screen's delete calls it.
    void untie(const RatePlace &place)
    {
        Dataset rateRow("rateRow", &db->module().SQLConect);
        rateRow.setCommandText("select * from NDTAIL where NAME='deleted'");
        rateRow.open();
        UntieRateMembers(place, rateRow);
    }

private slots:
    void init() { db = std::make_unique<TempDatabase>(); }
    void cleanup()
    {
        Sudetaif = nullptr;
        db.reset();
    }

    void theCurrentPlaceFollowsTheBreakdownScreen()
    {
        db->insertRow({{"ACODE", 1}, {"ABFS", "A"}, {"TAG", "A"}});
        db->insertRow({{"ACODE", 1}, {"BCODE", 2}, {"ABFS", "B"}, {"TAG", "B"}});
        db->insertRow({{"ACODE", 1}, {"BCODE", 2}, {"ABFS", "S"}, {"TAG", "D"}, {"ICD1", 7}, {"ICD2", 8}, {"ICD3", 9}});
        TdMf &m = db->module();
        m.TAlst.setCommandText("select * from NDTAIL where ABFS='A'");
        m.TAlst.open();
        m.TBlst.setCommandText("select * from NDTAIL where ABFS='B'");
        m.TBlst.open();
        m.TSlst.setCommandText("select * from NDTAIL where ABFS='S'");
        m.TSlst.open();

        RatePlace place = CurrentRatePlace();
        QCOMPARE(place.kind, RatePlace::LineItems);
        QCOMPARE(place.Keys(), (QVariantList{1, 2, 0}));
        QCOMPARE(&place.Rows(), &m.TSlst);

        StandInScreen screen(m.Tdtail);
        Sudetaif = &screen;
        place = CurrentRatePlace();
        QCOMPARE(place.kind, RatePlace::BreakdownRows);
        QCOMPARE(place.Keys(), (QVariantList{7, 8, 9}));
        QCOMPARE(&place.Rows(), &m.Tdtail);
    }

    void nextRateSlot_data()
    {
        QTest::addColumn<RatePlace>("place");
        QTest::addColumn<QList<int>>("taken"); // of the rate rows there, each covering one row
        QTest::addColumn<int>("expected");
        for (const auto &[name, place] : {std::pair{"line items", Items}, std::pair{"breakdown", Breakdown}}) {
            const QByteArray at = QByteArray(" on ") + name;
            QTest::newRow("none" + at) << place << QList<int>{} << 1;
            QTest::newRow("{1}" + at) << place << QList<int>{1} << 2;
            QTest::newRow("{1, 2}" + at) << place << QList<int>{1, 2} << 3;
            QTest::newRow("{1, 3}" + at) << place << QList<int>{1, 3} << 2;
            QTest::newRow("{2, 3}" + at) << place << QList<int>{2, 3} << 4;
            // By the sums alone slot 4 again: two rate rows would share it.
            QTest::newRow("{2, 3, 4}" + at) << place << QList<int>{2, 3, 4} << 1;
            QTest::newRow("{1, 2, 4}" + at) << place << QList<int>{1, 2, 4} << 3;
        }
    }
    void nextRateSlot()
    {
        QFETCH(RatePlace, place);
        QFETCH(QList<int>, taken);
        QFETCH(int, expected);
        for (int n : taken) {
            const double rate = n / 100.0;
            addRateRow(place, n, rate);
            addRow(place, {{RateColumnsOf(n).at(0), rate}});
        }
        // Rate rows of another node and of another breakdown do not count.
        addRateRow(RatePlace::Node(1, 2, 3), 1, 0.5);
        addRateRow(RatePlace::Breakdown(7, 8, 1), 1, 0.5);
        QCOMPARE(NextRateSlot(place), expected);
    }

    void aSlotWhoseRowsWereAllUntiedStaysTakenOnBreakdownRows()
    {
        // The breakdown's slots are judged by the covered rows: slot 2 covers nothing any
        // more, but its rate row still names it.
        addRateRow(Breakdown, 1, 0.01);
        addRow(Breakdown, {{"PRT1", 0.01}});
        addRateRow(Breakdown, 2, 0.02);
        QCOMPARE(NextRateSlot(Breakdown), 3);
    }

    void untieRateMembers_data()
    {
        QTest::addColumn<RatePlace>("place");
        QTest::addColumn<int>("icd3"); // of the deleted rate row
        QTest::newRow("line items") << Items << 0;
        QTest::newRow("line items, rate row from a document with ICD3 5") << Items << 5;
        QTest::newRow("breakdown") << Breakdown << 9;
    }
    void untieRateMembers()
    {
        QFETCH(RatePlace, place);
        QFETCH(int, icd3);
        const bool items = place.kind == RatePlace::LineItems;
        QVariantHash deleted{{"NAME", "deleted"}, {"TAG", "R"}, {"NORT", 1}, {"PRT1", 0.011}};
        if (items)
            deleted.insert("ICD3", icd3);
        addRow(place, deleted);
        addRateRow(place, 2, 0.055, {{"NAME", "other"}});
        addRow(place, {{"NAME", "member"}, {"PRT1", 0.011}});
        addRow(place, {{"NAME", "both"}, {"PRT1", 0.011}, {"PRT2", 0.055}});
        addRow(place, {{"NAME", "other's"}, {"PRT2", 0.055}});
        addRow(place, {{"NAME", "other rate in slot 1"}, {"PRT1", 0.012}});
        addRow(place, {{"NAME", "labour in slot 1"}, {"PRT1", 0.011}, {"LRT1", 0.02}});
        addRow(items ? RatePlace::Node(1, 2, 3) : RatePlace::Breakdown(7, 8, 1), {{"NAME", "elsewhere"}, {"PRT1", 0.011}});

        untie(place);

        QCOMPARE(rateOf("member", "PRT1"), 0.0);
        QCOMPARE(rateOf("both", "PRT1"), 0.0);
        QCOMPARE(rateOf("both", "PRT2"), 0.055);
        QCOMPARE(rateOf("other's", "PRT2"), 0.055);
        QCOMPARE(rateOf("other", "PRT2"), 0.055);
        QCOMPARE(rateOf("other rate in slot 1", "PRT1"), 0.012);
        QCOMPARE(rateOf("labour in slot 1", "PRT1"), 0.011);
        QCOMPARE(rateOf("elsewhere", "PRT1"), 0.011);
        // The rate row itself is the caller's to delete.
        QCOMPARE(rateOf("deleted", "PRT1"), 0.011);
    }

    void membersSharedWithAnotherRateRowStayTied()
    {
        addRateRow(Items, 4, 0.03, {{"NAME", "deleted"}});
        addRateRow(Items, 4, 0.03, {{"NAME", "twin"}});
        addRow(Items, {{"NAME", "member"}, {"PRT4", 0.03}});
        untie(Items);
        QCOMPARE(rateOf("member", "PRT4"), 0.03);
    }
};

VEK_TEST(TestRatePlace)
#include "tst_RatePlace.moc"
