#include "core/DataModule.h"
#include "core/DocumentError.h"
#include "core/EstimateColumns.h"
#include "core/MoveFile.h"
#include "core/ProgramState.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestRegistry.h"
#include "tests/unitprice/BreakdownFixture.h"
#include "tests/unitprice/CostSheetFixture.h"
#include "unitprice/BreakdownList.h"

#include <QDir>
#include <QTest>

#include <memory>

using namespace vek;

namespace {

qint64 Units(Currency value)
{
    return value.trunc();
}

QList<qint64> FooterUnits(const RollupSums &footer)
{
    return {Units(footer.material), Units(footer.labour), Units(footer.expense), Units(footer.total)};
}


} // namespace

// The breakdown's rows without a screen: the footer, the rate rows, the write-back into
// the unit-price items, the row commands and the moves, on the real database.
class TestBreakdownList : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;
    std::unique_ptr<BreakdownList> list;
    UnexpectedMessages unexpected;

    TdMf &m() { return db->module(); }
    void open(const BreakdownKey &key = TestKey)
    {
        OpenItemOf(*db, key);
        list->Open(key);
    }
    double stored(const QString &sql, const QVariantList &params = {}) { return db->scalar(sql, params).toDouble(); }

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        list = std::make_unique<BreakdownList>();
        InsertMode = false;
        DataChanged = false;
        InputKind = 0;
        unexpected.Start();
    }
    void cleanup()
    {
        list.reset();
        db.reset();
        QCOMPARE(unexpected.Stop(), QStringList());
    }

    // The footer to the unit, and the close writing it into every unit-price item of the
    // key, in whatever group, with amounts from each item's quantity; items of another key
    // keep theirs.
    void theFooterReachesEveryItemOfTheKey()
    {
        InsertFooterExample(*db);
        InsertUnitPriceItem(*db, TestKey, 1, 3);
        InsertUnitPriceItem(*db, TestKey, 2, 0.5);
        InsertUnitPriceItem(*db, OtherKey, 1, 2);
        open();
        QCOMPARE(FooterUnits(list->CalcTotals()), (QList<qint64>{4999, 103700, 10, 108710}));
        QCOMPARE(stored("select LCST11 from NDTAIL where TAG='R'"), 2100.0);
        QCOMPARE(stored("select INO from NDTAIL where TAG='R'"), 1.0);
        QCOMPARE(stored("select LCST12 from NDTAIL where TAG='R'"), 2100.0);

        list->ApplyToItems();
        QVERIFY(DataChanged);
        const QString item = QStringLiteral("select %1 from NDTAIL where ABFS='S' and ACODE=? and ICD3=7");
        for (const auto &[acode, quantity] : {std::pair{1, 3.0}, std::pair{2, 0.5}}) {
            QCOMPARE(stored(item.arg("PCST11"), {acode}), 4999.0);
            QCOMPARE(stored(item.arg("LCST11"), {acode}), 103700.0);
            QCOMPARE(stored(item.arg("SCST11"), {acode}), 10.0);
            QCOMPARE(stored(item.arg("PCST12"), {acode}), quantity * 4999);
            QCOMPARE(stored(item.arg("LCST12"), {acode}), quantity * 103700);
            QCOMPARE(stored(item.arg("SCST12"), {acode}), quantity * 10);
            QCOMPARE(stored(item.arg("CSTTAL"), {acode}), quantity * 108709);
        }
        QCOMPARE(stored("select PCST11+LCST11+SCST11+CSTTAL from NDTAIL where ICD3=8"), 0.0);
    }

    // The close recomputes first: a quantity posted since the last footer reaches the items.
    void theCloseRecomputesBeforeItWrites()
    {
        InsertFooterExample(*db);
        InsertUnitPriceItem(*db, TestKey, 1, 1);
        open();
        list->CalcTotals();
        Dataset &rows = list->rows();
        rows.first();
        rows.edit();
        rows.setValue("INO", 5); // left unposted, as a row the user leaves by mouse
        list->ApplyToItems();
        // Labour 5 x 25,000 + 1,600 + the rate row's 2 % of 125,000 + 4,999.95 + 10.5.
        QCOMPARE(stored("select LCST11 from NDTAIL where ABFS='S'"), 125000.0 + 1600 + 2600);
        QCOMPARE(stored("select INO from NDTAIL where ABFS='X' and ODRF=1"), 5.0);
    }

    // Whole units are cut toward zero after a nudge away from zero: a negative total keeps
    // its whole units.
    void footerSums_data()
    {
        QTest::addColumn<QVariantHash>("row");
        QTest::addColumn<QList<qint64>>("footer");
        QTest::newRow("labour -3 x 1,000") << QVariantHash{{"INO", -3}, {"LCST11", 1000}}
                                          << QList<qint64>{0, -3000, 0, -3000};
        QTest::newRow("expense 0.29 x 100") << QVariantHash{{"INO", 0.29}, {"SCST11", 100}}
                                           << QList<qint64>{0, 0, 29, 29};
        QTest::newRow("material -1.5 x 3.3") << QVariantHash{{"INO", -1.5}, {"PCST11", 3.3}}
                                            << QList<qint64>{-4, 0, 0, -4};
        QTest::newRow("supplied 2 x 12,000") << QVariantHash{{"INO", 2}, {"RECV", 12000}, {"LCST11", 10}}
                                            << QList<qint64>{0, 20, 0, 20};
    }
    void footerSums()
    {
        QFETCH(QVariantHash, row);
        QFETCH(QList<qint64>, footer);
        row.insert("ODRF", 1);
        AddPlaceRow(*db, TestPlace, row);
        open();
        QCOMPARE(FooterUnits(list->CalcTotals()), footer);
    }

    // A 10 % material rate over rows worth 1,000 material + 500 labour: 150, quantity 1;
    // rows of another slot or rate are not its base, nor is another rate row.
    void aRateRowTakesItsShareOfItsSlotsRows()
    {
        AddPlaceRow(*db, TestPlace, {{"ODRF", 1}, {"INO", 2}, {"PCST11", 500}, {"PRT2", 0.1}});
        AddPlaceRow(*db, TestPlace, {{"ODRF", 2}, {"INO", 1}, {"LCST11", 500}, {"PRT2", 0.1}});
        AddPlaceRow(*db, TestPlace, {{"ODRF", 3}, {"INO", 1}, {"LCST11", 7000}, {"PRT2", 0.2}});
        AddPlaceRow(*db, TestPlace, {{"ODRF", 4}, {"INO", 1}, {"LCST11", 9000}, {"PRT1", 0.1}});
        AddPlaceRow(*db, TestPlace, {{"ODRF", 5}, {"TAG", "R"}, {"NORT", 2}, {"INO", 3}, {"PRT2", 0.1}});
        AddPlaceRow(*db, OtherPlace, {{"ODRF", 1}, {"INO", 1}, {"LCST11", 7000}, {"PRT2", 0.1}});
        open();
        const RollupSums footer = list->CalcTotals();
        QCOMPARE(stored("select PCST11 from NDTAIL where TAG='R'"), 150.0);
        QCOMPARE(stored("select INO from NDTAIL where TAG='R'"), 1.0);
        QCOMPARE(stored("select PCST12 from NDTAIL where TAG='R'"), 150.0);
        QCOMPARE(Units(footer.material), 1150);
    }

    // The read-only view prices a stale rate row for its footer in memory: no column of
    // the table changes, also after it closes.
    void theReadOnlyViewWritesNothing()
    {
        InsertFooterExample(*db);
        InsertUnitPriceItem(*db, TestKey, 1, 1);
        const QList<QVariantList> before = WholeTable(*db);
        list->Open(TestKey, true);
        QCOMPARE(FooterUnits(list->CalcTotals()), (QList<qint64>{4999, 103700, 10, 108710}));
        list->rows().setRecNo(3);
        QCOMPARE(list->rows().asDouble("LCST11"), 2100.0);
        list->Close();
        QCOMPARE(WholeTable(*db), before);
        QVERIFY(!m().Tdtail.cachedUpdates());
    }

    // F2 in both modes: insert before the current row (1 on an empty breakdown), append
    // after the last; the new row is current, ordinary, of the key, all numbers 0.
    void newRows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("insertMode");
        QTest::addColumn<int>("current");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("insert on empty") << 0 << true << 0 << QStringList{"@1"};
        QTest::newRow("append on empty") << 0 << false << 0 << QStringList{"@1"};
        QTest::newRow("insert at row 2") << 3 << true << 1 << QStringList{"r1@1", "@2", "r2@3", "r3@4"};
        QTest::newRow("append") << 3 << false << 1 << QStringList{"r1@1", "r2@2", "r3@3", "@4"};
    }
    void newRows()
    {
        QFETCH(int, rows);
        QFETCH(bool, insertMode);
        QFETCH(int, current);
        QFETCH(QStringList, order);
        InsertNumberedRows(*db, TestKey, rows);
        InsertNumberedRows(*db, OtherKey, 2);
        InsertUnitPriceItem(*db, TestKey, 1, 1);
        open();
        list->rows().setRecNo(current);
        InsertMode = insertMode;
        list->AddRow();
        QCOMPARE(StoredOrder(*db, TestKey), order);
        QCOMPARE(StoredOrder(*db, OtherKey), (QStringList{"r1@1", "r2@2"}));
        const Dataset &ds = list->rows();
        QCOMPARE(ds.asString("NAME"), QString());
        QCOMPARE(ds.asString("TAG"), QStringLiteral("N"));
        QCOMPARE(ds.asString("ABFS"), QStringLiteral("X"));
        QCOMPARE(ds.asString("MVE"), QStringLiteral("F"));
        QCOMPARE(BreakdownKey::Of(ds), TestKey);
        QCOMPARE(ds.asDouble("INO") + ds.asDouble("LCST11") + ds.asDouble("RECV"), 0.0);
        QVERIFY(DataChanged);
    }

    // Alt+Z copies the name, basis and unit only; a rate row copies nothing.
    void aCopyTakesTheTextsOnly()
    {
        AddPlaceRow(*db, TestPlace,
                           {{"NAME", QStringLiteral("철근")}, {"STAN", "D13"}, {"UNIT", "ton"}, {"ETC", "memo"},
                            {"ODRF", 1}, {"INO", 2}, {"PCST11", 900}, {"PRT1", 0.1}, {"RECV", 5}});
        AddPlaceRow(*db, TestPlace, {{"NAME", "rate"}, {"ODRF", 2}, {"TAG", "R"}, {"NORT", 1}, {"PRT1", 0.1}});
        open();
        list->rows().setRecNo(1);
        QVERIFY(!list->CopyRow());
        QCOMPARE(StoredOrder(*db, TestKey).size(), 2);
        list->rows().setRecNo(0);
        QVERIFY(list->CopyRow());
        QCOMPARE(StoredOrder(*db, TestKey), (QStringList{QStringLiteral("철근@1"), "rate@2", QStringLiteral("철근@3")}));
        QCOMPARE(db->scalar("select STAN||'/'||UNIT||'/'||coalesce(trim(ETC),'') from NDTAIL where ODRF=3").toString(),
                 QStringLiteral("D13/ton/"));
        QCOMPARE(stored("select INO+PCST11+PRT1+RECV from NDTAIL where ODRF=3"), 0.0);
    }

    // A deleted rate row unties the rows it covered: a later rate row of the same slot and
    // rate covers only the rows marked for it; another rate row's members keep theirs.
    void aDeletedRateRowUntiesItsRows()
    {
        AddPlaceRow(*db, TestPlace, {{"NAME", "a"}, {"ODRF", 1}, {"INO", 1}, {"LCST11", 1000}, {"LRT1", 0.1}});
        AddPlaceRow(*db, TestPlace, {{"NAME", "b"}, {"ODRF", 2}, {"INO", 1}, {"LCST11", 500}});
        AddPlaceRow(*db, TestPlace, {{"NAME", "c"}, {"ODRF", 3}, {"INO", 1}, {"LCST11", 300}, {"LRT2", 0.5}});
        AddPlaceRow(*db, TestPlace, {{"NAME", "rate"}, {"ODRF", 4}, {"TAG", "R"}, {"NORT", 1}, {"LRT1", 0.1}});
        AddPlaceRow(*db, TestPlace, {{"NAME", "half"}, {"ODRF", 5}, {"TAG", "R"}, {"NORT", 2}, {"LRT2", 0.5}});
        open();
        list->rows().setRecNo(3);
        list->DeleteRow();
        QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"a@1", "b@2", "c@3", "half@4"}));
        QCOMPARE(stored("select LRT1 from NDTAIL where NAME='a'"), 0.0);
        QCOMPARE(stored("select LRT2 from NDTAIL where NAME='c'"), 0.5);
        // The dialog's new rate row of slot 1 at 10 %, over b only.
        db->module().SQLConect.execute("update NDTAIL set LRT1=0.1 where NAME='b'");
        QVERIFY(db->module().SQLConect.commit());
        AddPlaceRow(*db, TestPlace, {{"NAME", "again"}, {"ODRF", 5}, {"TAG", "R"}, {"NORT", 1}, {"LRT1", 0.1}});
        list->rows().refresh();
        list->CalcTotals();
        QCOMPARE(stored("select LCST11 from NDTAIL where NAME='again'"), 50.0);
        QCOMPARE(stored("select LCST11 from NDTAIL where NAME='half'"), 150.0);
    }

    // Deleting row 3 of 5 leaves 1..4, the row after it current.
    void aDeleteClosesTheGap()
    {
        InsertNumberedRows(*db, TestKey, 5);
        InsertNumberedRows(*db, OtherKey, 3);
        open();
        list->rows().setRecNo(2);
        list->DeleteRow();
        QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"r1@1", "r2@2", "r4@3", "r5@4"}));
        QCOMPARE(StoredOrder(*db, OtherKey), (QStringList{"r1@1", "r2@2", "r3@3"}));
        QCOMPARE(list->rows().asString("NAME"), QStringLiteral("r4"));
        QCOMPARE(Units(list->Footer().labour), 100 + 200 + 400 + 500);
    }

    // F3 sets the material price aside as supplied material and gives it back; rows of
    // other kinds than N and P are left alone.
    void suppliedMaterialTogglesBack()
    {
        AddPlaceRow(*db, TestPlace, {{"ODRF", 1}, {"INO", 2}, {"PCST11", 1234.5}, {"LCST11", 10}});
        AddPlaceRow(*db, TestPlace, {{"ODRF", 2}, {"TAG", "T"}, {"PCST11", 99}});
        open();
        QVERIFY(list->ToggleSupplied());
        QCOMPARE(list->rows().asDouble("RECV"), 1234.5);
        QCOMPARE(list->rows().asDouble("PCST11"), 0.0);
        QCOMPARE(list->rows().asString("PCST22"), QStringLiteral("지   급     "));
        QCOMPARE(FooterUnits(list->Footer()), (QList<qint64>{0, 20, 0, 20}));
        QVERIFY(list->ToggleSupplied());
        QCOMPARE(stored("select PCST11 from NDTAIL where ODRF=1"), 1234.5);
        QCOMPARE(stored("select RECV from NDTAIL where ODRF=1"), 0.0);
        QCOMPARE(Units(list->Footer().material), 2469);
        list->rows().setRecNo(1);
        QVERIFY(!list->ToggleSupplied());
        QCOMPARE(stored("select PCST11 from NDTAIL where ODRF=2"), 99.0);
    }

    // Alt+R numbers the rows 1..n in their order.
    void renumberingClosesGaps()
    {
        AddPlaceRow(*db, TestPlace, {{"NAME", "a"}, {"ODRF", 3}});
        AddPlaceRow(*db, TestPlace, {{"NAME", "b"}, {"ODRF", 7}});
        AddPlaceRow(*db, TestPlace, {{"NAME", "c"}, {"ODRF", 8}});
        open();
        list->rows().setRecNo(1);
        list->RenumberOrder();
        QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"a@1", "b@2", "c@3"}));
        QCOMPARE(list->rows().asString("NAME"), QStringLiteral("b"));
    }

    // The moves on rows inserted last first: marks, the cut, then a paste before a row,
    // or the move cancelled; rows of another breakdown never move.
    void moves_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("marks");
        QTest::addColumn<QString>("pasteBefore"); // empty: the move is cancelled; "-": none
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<QString>("current");
        QTest::newRow("4 then 2, before row 1")
            << 5 << QStringList{"r4", "r2"} << "r1" << QStringList{"r2@1", "r4@2", "r1@3", "r3@4", "r5@5"} << "r4";
        QTest::newRow("2 rows pasted at ODRF 4")
            << 6 << QStringList{"r1", "r2"} << "r6"
            << QStringList{"r3@1", "r4@2", "r5@3", "r1@4", "r2@5", "r6@6"} << "r2";
        QTest::newRow("all, pasted into the emptied breakdown")
            << 4 << QStringList{"r3", "r1", "r2", "r4"} << "-" << QStringList{"r1@1", "r2@2", "r3@3", "r4@4"} << "r4";
        QTest::newRow("cancelled after the cut")
            << 6 << QStringList{"r4", "r2", "r5"} << QString()
            << QStringList{"r1@1", "r2@2", "r3@3", "r4@4", "r5@5", "r6@6"} << QString();
        QTest::newRow("all cut, cancelled")
            << 3 << QStringList{"r3", "r1", "r2"} << QString() << QStringList{"r1@1", "r2@2", "r3@3"} << QString();
    }
    void moves()
    {
        QFETCH(int, count);
        QFETCH(QStringList, marks);
        QFETCH(QString, pasteBefore);
        QFETCH(QStringList, order);
        QFETCH(QString, current);
        InsertNumberedRows(*db, TestKey, count);
        InsertNumberedRows(*db, OtherKey, 2);
        open();
        Dataset &ds = list->rows();
        QVERIFY(list->StartMove());
        for (const QString &name : marks) {
            ds.setRecNo(LocateRow(ds, "NAME", name));
            list->ToggleMark();
        }
        QCOMPARE(list->Cut(), int(marks.size()));
        QCOMPARE(InputKind, int(marks.size()));
        QCOMPARE(list->moveState(), BreakdownList::CutWaiting);
        QCOMPARE(StoredOrder(*db, TestKey).size(), count - marks.size());
        if (pasteBefore.isEmpty()) {
            list->CancelMove();
        } else {
            if (pasteBefore != "-")
                ds.setRecNo(LocateRow(ds, "NAME", pasteBefore));
            // The pasted block's size is what the file holds, whatever InputKind says.
            InputKind = 99;
            QCOMPARE(list->Paste(), int(marks.size()));
            QCOMPARE(ds.asString("NAME"), current);
        }
        QCOMPARE(list->moveState(), BreakdownList::NoMove);
        QCOMPARE(StoredOrder(*db, TestKey), order);
        QCOMPARE(db->scalar("select count(*) from NDTAIL where MVE<>'F'").toInt(), 0);
        QCOMPARE(StoredOrder(*db, OtherKey), (QStringList{"r1@1", "r2@2"}));
    }

    // Cancelled before the cut, the marks go and nothing moves.
    void aCancelledMarkingMovesNothing()
    {
        InsertNumberedRows(*db, TestKey, 3);
        open();
        QVERIFY(list->StartMove());
        list->ToggleMark();
        QCOMPARE(list->rows().asString("rOdr"), QStringLiteral("▶"));
        list->CancelMove();
        QCOMPARE(list->moveState(), BreakdownList::NoMove);
        QCOMPARE(db->scalar("select count(*) from NDTAIL where MVE='T'").toInt(), 0);
        QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"r1@1", "r2@2", "r3@3"}));
    }

    // A row covered at 1.1 % keeps its rate row's price through a cut and a paste: the
    // rates pass the move file exactly.
    void aCoveredRowStaysCoveredThroughAMove()
    {
        AddPlaceRow(*db, TestPlace, {{"NAME", "a"}, {"ODRF", 1}, {"INO", 1}, {"PCST11", 100000}, {"PRT1", 0.011}});
        AddPlaceRow(*db, TestPlace, {{"NAME", "b"}, {"ODRF", 2}, {"INO", 1}, {"LCST11", 50}});
        AddPlaceRow(*db, TestPlace, {{"NAME", "rate"}, {"ODRF", 3}, {"TAG", "R"}, {"NORT", 1}, {"PRT1", 0.011}});
        open();
        list->CalcTotals();
        QCOMPARE(stored("select PCST11 from NDTAIL where TAG='R'"), 1100.0);
        list->StartMove();
        list->ToggleMark();
        QCOMPARE(list->Cut(), 1);
        list->rows().last();
        QCOMPARE(list->Paste(), 1);
        list->CalcTotals();
        QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"b@1", "a@2", "rate@3"}));
        QCOMPARE(stored("select PCST11 from NDTAIL where TAG='R'"), 1100.0);
    }

    // A move file that cannot be written cuts nothing; one that holds rows of another
    // breakdown pastes nothing and keeps the cut waiting.
    void aMoveNeverLosesRows()
    {
        InsertNumberedRows(*db, TestKey, 3);
        open();
        QVERIFY(QDir().mkpath(MoveFilePath())); // a folder where the file must go
        list->StartMove();
        list->ToggleMark();
        QVERIFY_THROWS_EXCEPTION(DocumentError, list->Cut());
        QCOMPARE(list->moveState(), BreakdownList::Marking);
        QCOMPARE(StoredOrder(*db, TestKey), (QStringList{"r1@1", "r2@2", "r3@3"}));
        QVERIFY(QDir().rmdir(MoveFilePath()));

        QCOMPARE(list->Cut(), 1);
        const QStringList afterCut = StoredOrder(*db, TestKey);
        QVariantList foreign = ReadMoveFile().first();
        foreign[EstimateColumns().indexOf("ICD3")] = OtherKey.i3;
        WriteMoveFile({foreign});
        QVERIFY_THROWS_EXCEPTION(DocumentError, list->Paste());
        QCOMPARE(list->moveState(), BreakdownList::CutWaiting);
        QCOMPARE(StoredOrder(*db, TestKey), afterCut);
    }
};

VEK_TEST(TestBreakdownList)
#include "tst_BreakdownList.moc"
