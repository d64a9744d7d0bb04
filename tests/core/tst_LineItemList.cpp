#include "core/LineItemList.h"

#include "core/DataModule.h"
#include "core/EstimateColumns.h"
#include "core/MoveFile.h"
#include "core/ProgramState.h"
#include "core/Recalc.h"
#include "tests/support/LineItemNode.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace vek;

namespace {

// A line item with quantity and unit prices and the amounts they give.
QVariantHash Priced(double quantity, double material, double labour, double expense = 0)
{
    return {{"INO", quantity}, {"PCST11", material}, {"LCST11", labour}, {"SCST11", expense},
            {"PCST12", quantity * material}, {"LCST12", quantity * labour}, {"SCST12", quantity * expense},
            {"CSTTAL", quantity * (material + labour + expense)}};
}

// Stored amounts PCST12, LCST12, SCST12, CSTTAL, with no prices behind them.
QVariantHash Stored(double material, double labour, double expense, double total)
{
    return {{"PCST12", material}, {"LCST12", labour}, {"SCST12", expense}, {"CSTTAL", total}};
}

QVariantHash With(QVariantHash values, const QVariantHash &more)
{
    for (auto it = more.begin(); it != more.end(); ++it)
        values.insert(it.key(), it.value());
    return values;
}

QVariantHash Subtotal(int kind)
{
    return With(Stored(-1, -1, -1, -1), {{"ICD1", kind}});
}

QList<double> Whole(const RollupSums &sums)
{
    return {double(sums.material.trunc()), double(sums.labour.trunc()), double(sums.expense.trunc()),
            double(sums.total.trunc())};
}

} // namespace

class TestLineItemList : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;
    std::unique_ptr<LineItemNode> node;
    std::unique_ptr<LineItemList> list;

    void start(int level = 2)
    {
        db = std::make_unique<TempDatabase>();
        node = std::make_unique<LineItemNode>(*db, level);
        list = std::make_unique<LineItemList>();
    }

    Dataset &rows() { return list->rows(); }
    QString current() { return rows().asString("NAME"); }

    QList<double> amountsOf(const QString &name)
    {
        QList<double> amounts;
        for (const char *column : {"PCST12", "LCST12", "SCST12", "CSTTAL"})
            amounts.append(node->column(name, column).toDouble());
        return amounts;
    }

    // The parent's unit prices and amounts: PCST11, PCST12, LCST11, LCST12, SCST11,
    // SCST12, CSTTAL.
    QList<double> parentFigures()
    {
        QList<double> figures;
        for (const char *column : {"PCST11", "PCST12", "LCST11", "LCST12", "SCST11", "SCST12", "CSTTAL"})
            figures.append(node->column(QString(), column).toDouble());
        return figures;
    }

    void gotoName(const QString &name)
    {
        for (rows().first(); !rows().eof(); rows().next())
            if (current() == name)
                return;
        QFAIL(qPrintable("no row " + name));
    }

    // Marks the rows named, in that order, and cuts them.
    int cutRows(const QStringList &names)
    {
        list->StartMove();
        for (const QString &name : names) {
            gotoName(name);
            list->ToggleMark();
        }
        return list->Cut();
    }

private slots:
    void init()
    {
        InsertMode = false;
        DataChanged = false;
        InputKind = 0;
    }
    void cleanup()
    {
        list.reset();
        node.reset();
        db.reset();
    }

    // One list at each level: subtotal rows, a supplied-material row, a unit-price item
    // over its breakdown, a 10 % material rate row over rows worth 1,000 material and 500
    // labour (150: the base is the full amount), a row left out of the roll-ups, and rows
    // whose stored amounts have fractions. 소계 keeps the fraction, 합계 and the footer
    // cut it, and the row left out counts in the subtotals only.
    void recalcListRollsUpToTheParent_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("work item") << 0;
        QTest::newRow("middle group") << 1;
        QTest::newRow("small group") << 2;
    }
    void recalcListRollsUpToTheParent()
    {
        QFETCH(int, level);
        start(level);
        const QVariantHash rate{{"PRT1", 0.1}};
        node->add("a", "N", 1, With(Priced(2, 250, 125), rate));
        node->add("b", "N", 2, With(Priced(1, 500, 250), rate));
        node->add("sub 1", "T", 3, Subtotal(1));
        node->add("supplied", "N", 4, With(Priced(3, 0, 10), {{"RECV", 100}}));
        node->add("unit", "D", 5, {{"INO", 2}, {"ICD1", 7}, {"ICD2", 8}, {"ICD3", 9}});
        node->add("fraction 1", "N", 6, Stored(0.5, 0.25, 0.75, 1.5));
        node->add("fraction 2", "P", 7, Stored(0.7, 0.5, 0.5, 1.7));
        node->add("left out", "E", 8, Stored(1000, 1000, 1000, 3000));
        node->add("sub 2", "T", 9, Subtotal(1));
        node->add("rate", "R", 10, With(Stored(1, 1, 1, 3), {{"NORT", 1}, {"PRT1", 0.1}}));
        node->add("grand", "T", 11, Subtotal(3));
        // Labour rows and the lists of other nodes stay out.
        node->add("labour", "M", 4, Stored(5000, 5000, 5000, 15000));
        db->insertRow({{"NAME", "neighbour"}, {"ACODE", 1}, {"BCODE", 2}, {"SCODE", 4}, {"TAG", "N"}, {"ABFS", "S"},
                       {"ODRF", 1}, {"PCST12", 7777.0}, {"CSTTAL", 7777.0}});
        for (const auto &[material, labour] : {std::pair{100.5, 20.0}, std::pair{50.0, 10.25}})
            db->insertRow({{"NAME", "breakdown"}, {"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 7}, {"ICD2", 8}, {"ICD3", 9},
                           {"PCST12", material}, {"LCST12", labour}, {"SCST12", 2.5}});

        list->Open();
        gotoName("supplied");
        const RollupSums footer = list->RecalcList();

        QCOMPARE(current(), QStringLiteral("supplied"));
        QCOMPARE(node->column("unit", "PCST11").toDouble(), 150.0);
        QCOMPARE(amountsOf("unit"), (QList<double>{300, 60, 10, 370}));
        QCOMPARE(node->column("rate", "INO").toDouble(), 1.0);
        QCOMPARE(amountsOf("rate"), (QList<double>{150, 0, 0, 150}));
        QCOMPARE(amountsOf("sub 1"), (QList<double>{1000, 500, 0, 1500}));
        QCOMPARE(amountsOf("sub 2"), (QList<double>{1301.2, 1090.75, 1011.25, 3403.2}));
        QCOMPARE(amountsOf("grand"), (QList<double>{2451, 1590, 1011, 5052}));
        QCOMPARE(amountsOf("fraction 1"), (QList<double>{0.5, 0.25, 0.75, 1.5}));
        QCOMPARE(Whole(footer), (QList<double>{1451, 590, 11, 2052}));

        DataChanged = false;
        list->CloseList();
        QVERIFY(DataChanged);
        QVERIFY(!rows().isActive());
        const QList<double> closed{1451, 2902, 590, 1180, 11, 22, 4104};
        QCOMPARE(parentFigures(), closed);

        // The roll-up of the groups gives the parent the same figures.
        const QVariantList keys = node->keys();
        QCOMPARE(Whole(RecalcItemGroup(keys[0].toInt(), keys[1].toInt(), keys[2].toInt())),
                 (QList<double>{1451, 590, 11, 2052}));
        QCOMPARE(amountsOf("grand"), (QList<double>{2451, 1590, 1011, 5052}));
        QCOMPARE(amountsOf("sub 2"), (QList<double>{1301.2, 1090.75, 1011.25, 3403.2}));
    }

    // A row typed but not yet posted counts; a subtotal row that already holds its sums
    // is not written again, and neither is an ordinary row with stale amounts.
    void recalcListPostsTheRowBeingEdited()
    {
        start();
        node->add("typed", "N", 1, Priced(1, 100, 0));
        node->add("stale", "N", 2, With(Priced(1, 10, 0), {{"PCST12", 12.0}, {"CSTTAL", 12.0}}));
        node->add("sub", "T", 3, With(Stored(112, 0, 0, 112), {{"ICD1", 1}}));
        list->Open();
        gotoName("typed");
        rows().edit();
        rows().setValue("INO", 3.0);

        QCOMPARE(Whole(list->RecalcList()), (QList<double>{312, 0, 0, 312}));
        QCOMPARE(amountsOf("typed"), (QList<double>{300, 0, 0, 300}));
        QCOMPARE(amountsOf("stale"), (QList<double>{12, 0, 0, 12}));
        QCOMPARE(amountsOf("sub"), (QList<double>{312, 0, 0, 312}));
    }

    // Material and labour that each fit, with a total that does not: the recalculation
    // and the close refuse it, and the parent keeps its figures rather than a wrapped sum.
    void aFooterPastTheRangeIsRefused()
    {
        start();
        const double half = 500000000000000;
        node->add("material", "N", 1, Stored(half, 0, 0, half));
        node->add("labour", "N", 2, Stored(0, half, 0, half));
        const QList<double> parent = parentFigures();
        list->Open();
        QVERIFY_THROWS_EXCEPTION(NumberError, list->RecalcList());
        QVERIFY_THROWS_EXCEPTION(NumberError, list->CloseList());
        QCOMPARE(parentFigures(), parent);
        QCOMPARE(amountsOf("labour"), (QList<double>{0, half, 0, half}));
    }

    // A rate row covers the rows of its own node whose slot carries the same three rates;
    // a rate row without a slot 1-4 stays as it is.
    void rateRowsCoverTheirSlotInTheirNode()
    {
        start();
        // The unit-price item above the rate row is priced first in the same walk.
        node->add("member", "D", 1, {{"INO", 2}, {"SRT2", 0.05}, {"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}});
        node->add("other rates", "N", 2, With(Priced(1, 1000, 0), {{"SRT2", 0.06}}));
        node->add("slot 1", "N", 3, With(Priced(1, 1000, 0), {{"SRT1", 0.05}}));
        node->add("left out", "E", 4, With(Priced(1, 1000, 0), {{"SRT2", 0.05}}));
        node->add("rate", "R", 5, {{"NORT", 2}, {"SRT2", 0.05}});
        node->add("no slot", "R", 6, With(Stored(9, 9, 9, 27), {{"NORT", 0}, {"SRT2", 0.05}}));
        db->insertRow({{"NAME", "elsewhere"}, {"ACODE", 1}, {"BCODE", 2}, {"SCODE", 4}, {"TAG", "N"}, {"ABFS", "S"},
                       {"ODRF", 1}, {"INO", 1}, {"PCST11", 1000}, {"SRT2", 0.05}});
        db->insertRow({{"NAME", "breakdown"}, {"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1},
                       {"PCST12", 1000}, {"LCST12", 300}, {"SCST12", 200}});
        list->Open();
        list->RecalcList();
        // 5 % of 2 x (1,000 + 300 + 200).
        QCOMPARE(amountsOf("rate"), (QList<double>{0, 0, 150, 150}));
        QCOMPARE(amountsOf("no slot"), (QList<double>{9, 9, 9, 27}));
    }

    // F2 and Alt+Z: the new row becomes current in either mode; in insert mode it takes
    // the current row's place.
    void newRowsTakeTheirPlace_data()
    {
        QTest::addColumn<bool>("insertMode");
        QTest::addColumn<bool>("copy");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("spec");
        QTest::newRow("append") << false << false << QStringList{"1", "2", "3", "4", "5", "6", ""} << "";
        QTest::newRow("insert before row 5") << true << false << QStringList{"1", "2", "3", "4", "", "5", "6"} << "";
        QTest::newRow("copy, append") << false << true << QStringList{"1", "2", "3", "4", "5", "6", "5"} << "규격";
        QTest::newRow("copy, insert") << true << true << QStringList{"1", "2", "3", "4", "5", "5", "6"} << "규격";
    }
    void newRowsTakeTheirPlace()
    {
        QFETCH(bool, insertMode);
        QFETCH(bool, copy);
        QFETCH(QStringList, names);
        QFETCH(QString, spec);
        start();
        node->addNumbered(6);
        list->Open();
        gotoName("5");
        rows().edit();
        rows().setValue("STAN", "규격");
        rows().setValue("INO", 4.0);
        rows().post();
        InsertMode = insertMode;

        if (copy)
            QVERIFY(list->CopyRow());
        else
            list->AddRow();

        QCOMPARE(node->names(), names);
        QCOMPARE(node->orders(), (QList<int>{1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(rows().asInteger("ODRF"), insertMode ? 5 : 7);
        QCOMPARE(rows().asString("STAN"), spec);
        QCOMPARE(rows().asDouble("INO"), 0.0);
        QCOMPARE(rows().asString("TAG"), QStringLiteral("N"));
        QVERIFY(DataChanged);
    }

    void newRowOnAnEmptyListIsNumberOne()
    {
        start(0);
        list->Open();
        InsertMode = true;
        list->AddRow();
        QCOMPARE(node->orders(), QList<int>{1});
        QCOMPARE(rows().recordCount(), 1);
    }

    void copyIsRefusedOnARateRowAndAnEmptyList()
    {
        start();
        list->Open();
        QVERIFY(!list->CopyRow());
        node->add("rate", "R", 1, {{"NORT", 1}});
        list->Open();
        QVERIFY(!list->CopyRow());
        QCOMPARE(node->names(), QStringList{"rate"});
    }

    // Deleting row 3 of 10 closes the gap, and the old row 4 is current as row 3.
    void deleteClosesTheGap_data()
    {
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<QString>("after");
        QTest::newRow("row 3") << "3" << "4";
        QTest::newRow("last row") << "10" << "9";
        QTest::newRow("first row") << "1" << "2";
    }
    void deleteClosesTheGap()
    {
        QFETCH(QString, deleted);
        QFETCH(QString, after);
        start(1);
        node->addNumbered(10);
        list->Open();
        gotoName(deleted);
        list->DeleteRow();
        QCOMPARE(node->orders(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
        QVERIFY(!node->names().contains(deleted));
        QCOMPARE(current(), after);
        QVERIFY(DataChanged);
    }

    // A row with labour rows ('L') takes them (NORT its ICD3); a 'P' row takes those of
    // its key; labour rows of other rows and other nodes stay.
    void deleteTakesTheLabourRows_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("labourLeft");
        QTest::newRow("L") << "L" << QStringList{"p key", "other row", "other node"};
        QTest::newRow("P") << "P" << QStringList{"l slot", "other row", "other node"};
        QTest::newRow("N") << "N" << QStringList{"l slot", "p key", "other row", "other node"};
    }
    void deleteTakesTheLabourRows()
    {
        QFETCH(QString, tag);
        QFETCH(QStringList, labourLeft);
        start();
        node->add("row", tag, 1, {{"ICD1", 4}, {"ICD2", 5}, {"ICD3", 6}});
        node->add("l slot", "M", 1, {{"NORT", 6}});
        node->add("p key", "M", 2, {{"ICD1", 4}, {"ICD2", 5}, {"ICD3", 6}});
        node->add("other row", "M", 3, {{"NORT", 7}, {"ICD3", 7}});
        db->insertRow({{"NAME", "other node"}, {"ACODE", 1}, {"BCODE", 2}, {"SCODE", 4}, {"TAG", "M"}, {"ABFS", "S"},
                       {"NORT", 6}, {"ICD1", 4}, {"ICD2", 5}, {"ICD3", 6}});
        list->Open();
        list->DeleteRow();
        QStringList left;
        QSqlQuery query = db->module().SQLConect.select("select NAME from NDTAIL where TAG='M' order by RID");
        while (query.next())
            left.append(query.value(0).toString());
        QCOMPARE(left, labourLeft);
    }

    // A deleted unit-price item's breakdown goes when the list is finished, and only when
    // no other unit-price item of the estimate uses its key.
    void deletedUnitPriceItemsLoseTheirBreakdownAtFinish_data()
    {
        QTest::addColumn<bool>("usedElsewhere");
        QTest::newRow("key used elsewhere") << true;
        QTest::newRow("last user") << false;
    }
    void deletedUnitPriceItemsLoseTheirBreakdownAtFinish()
    {
        QFETCH(bool, usedElsewhere);
        start();
        node->add("unit", "D", 1, {{"ICD1", 7}, {"ICD2", 8}, {"ICD3", 9}});
        db->insertRow({{"NAME", "detail"}, {"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 7}, {"ICD2", 8}, {"ICD3", 9}});
        db->insertRow({{"NAME", "other key"}, {"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 7}, {"ICD2", 8}, {"ICD3", 10}});
        if (usedElsewhere)
            db->insertRow({{"NAME", "twin"}, {"ACODE", 5}, {"TAG", "D"}, {"ABFS", "S"}, {"ICD1", 7}, {"ICD2", 8},
                           {"ICD3", 9}});
        // Queued by an earlier list: opening empties the queue, so this key stays.
        db->module().SQLConect.execute("insert into DGADEL (ICD1,ICD2,ICD3) values (7, 8, 10)");
        QVERIFY(db->module().SQLConect.commit());
        list->Open();
        list->DeleteRow();
        const QString details = "select count(*) from NDTAIL where ABFS='X'";
        QCOMPARE(db->scalar(details).toInt(), 2);
        list->Finish();
        QCOMPARE(db->scalar(details).toInt(), usedElsewhere ? 2 : 1);
        QCOMPARE(db->scalar("select count(*) from NDTAIL where ABFS='X' and ICD3=10").toInt(), 1);
    }

    void renumberGivesOneToNAndClearsMarks()
    {
        start();
        node->add("a", "N", 2, {{"MVE", "T"}});
        node->add("b", "N", 5, With(Priced(1, 10, 0), {{"PCST12", 99.0}}));
        node->add("c", "N", 5);
        node->add("d", "N", 9);
        list->Open();
        gotoName("d");
        list->RenumberOrder();
        QCOMPARE(node->orders(), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(db->scalar("select count(*) from NDTAIL where MVE='T'").toInt(), 0);
        // The stored amounts of a renumbered row are not worked out again.
        QCOMPARE(node->column("b", "PCST12").toDouble(), 99.0);
        // The cursor goes to the number the current row had: 9, or the nearest after it.
        QCOMPARE(rows().asInteger("ODRF"), 4);
    }

    void suppliedMaterialTogglesBack_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("toggles");
        QTest::newRow("N") << "N" << true;
        QTest::newRow("P") << "P" << true;
        QTest::newRow("L") << "L" << false;
        QTest::newRow("D") << "D" << false;
        QTest::newRow("T") << "T" << false;
    }
    void suppliedMaterialTogglesBack()
    {
        QFETCH(QString, tag);
        QFETCH(bool, toggles);
        start();
        node->add("row", tag, 1, Priced(2, 1234.5, 100));
        list->Open();
        QCOMPARE(list->ToggleSupplied(), toggles);
        QCOMPARE(node->column("row", "RECV").toDouble(), toggles ? 1234.5 : 0.0);
        QCOMPARE(node->column("row", "PCST11").toDouble(), toggles ? 0.0 : 1234.5);
        if (!toggles)
            return;
        QCOMPARE(amountsOf("row"), (QList<double>{0, 200, 0, 200}));
        QCOMPARE(Whole(list->Footer()), (QList<double>{0, 200, 0, 200}));
        QVERIFY(list->ToggleSupplied());
        QCOMPARE(node->column("row", "RECV").toDouble(), 0.0);
        QCOMPARE(node->column("row", "PCST11").toDouble(), 1234.5);
        // 1,234.5 rounds to 1,234 (ties to even) before it is multiplied.
        QCOMPARE(amountsOf("row"), (QList<double>{2468, 200, 0, 2668}));
    }

    // Rows 5 (with a quantity formula) and then 2 are marked and cut; while they wait, the
    // sum menu adds a row and changes InputKind; the paste before row 3 puts the block
    // there in list order, also where the table holds the rows in another order.
    void cutAndPasteKeepTheBlockInOrder()
    {
        start();
        for (int i = 6; i >= 1; --i)
            node->add(QString::number(i), "N", i, i == 5 ? QVariantHash{{"NOADD", "2.5 * 4 + 1.2"}} : QVariantHash{});
        list->Open();
        QCOMPARE(cutRows({"5", "2"}), 2);
        QCOMPARE(list->moveState(), LineItemList::CutWaiting);
        QCOMPARE(node->names(), (QStringList{"1", "3", "4", "6"}));
        QCOMPARE(node->orders(), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(ReadMoveFile().size(), 2);

        list->InsertItemRow("소계", QString(), QString(), "T", 5);
        rows().refresh();
        InputKind = 1;
        gotoName("3");
        QCOMPARE(rows().asInteger("ODRF"), 2);
        QCOMPARE(list->Paste(), 2);

        QCOMPARE(node->names(), (QStringList{"1", "2", "5", "3", "4", "6", "소계"}));
        QCOMPARE(node->orders(), (QList<int>{1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(current(), QStringLiteral("5"));
        // The quantity formula travels with its row.
        QCOMPARE(rows().asString("NoCal"), QStringLiteral("11.2"));
        QCOMPARE(list->moveState(), LineItemList::NoMove);
        QCOMPARE(db->scalar("select count(*) from NDTAIL where MVE='T'").toInt(), 0);
        QVERIFY(DataChanged);
    }

    void cutWithNothingMarkedMovesNothing()
    {
        start();
        node->addNumbered(3);
        list->Open();
        QCOMPARE(cutRows({}), 0);
        QCOMPARE(QFile(MoveFilePath()).size(), 0);
        gotoName("2");
        QCOMPARE(list->Paste(), 0);
        QCOMPARE(node->names(), (QStringList{"1", "2", "3"}));
        QCOMPARE(node->orders(), (QList<int>{1, 2, 3}));
        QCOMPARE(list->moveState(), LineItemList::NoMove);
    }

    void pasteIntoAnEmptiedListNumbersFromOne()
    {
        start();
        node->addNumbered(3);
        list->Open();
        QCOMPARE(cutRows({"1", "2", "3"}), 3);
        QVERIFY(rows().isEmpty());
        QCOMPARE(list->Paste(), 3);
        QCOMPARE(node->names(), (QStringList{"1", "2", "3"}));
        QCOMPARE(node->orders(), (QList<int>{1, 2, 3}));
    }

    // A move file that is cut short, or that holds rows of another list, changes nothing:
    // the rows still wait in state 2.
    void aBadMoveFileChangesNothing_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("truncated") << "truncated";
        QTest::newRow("another node's rows") << "other node";
        QTest::newRow("breakdown rows") << "breakdown";
    }
    void aBadMoveFileChangesNothing()
    {
        QFETCH(QString, damage);
        start();
        node->addNumbered(4);
        list->Open();
        QCOMPARE(cutRows({"2", "3"}), 2);
        if (damage == "truncated") {
            QFile file(MoveFilePath());
            QVERIFY(file.resize(448 + 100));
        } else {
            QList<QVariantList> block = ReadMoveFile();
            const int column = int(EstimateColumns().indexOf(damage == "breakdown" ? "ABFS" : "SCODE"));
            block[1][column] = damage == "breakdown" ? QVariant("X") : QVariant(4);
            WriteMoveFile(block);
        }
        gotoName("4");
        QVERIFY_THROWS_EXCEPTION(DocumentError, list->Paste());
        QCOMPARE(node->names(), (QStringList{"1", "4"}));
        QCOMPARE(node->orders(), (QList<int>{1, 2}));
        QCOMPARE(list->moveState(), LineItemList::CutWaiting);
    }

    // The move file is complete before any row goes: when it cannot be written, nothing
    // is cut and the rows stay marked.
    void aCutThatCannotWriteItsFileCutsNothing()
    {
        start();
        node->addNumbered(3);
        list->Open();
        QVERIFY(QDir().mkpath(MoveFilePath()));
        list->StartMove();
        gotoName("2");
        list->ToggleMark();
        QVERIFY_THROWS_EXCEPTION(DocumentError, list->Cut());
        QCOMPARE(list->moveState(), LineItemList::Marking);
        QCOMPARE(node->names(), (QStringList{"1", "2", "3"}));
        QCOMPARE(node->column("2", "MVE").toString().trimmed(), QStringLiteral("T"));
    }

    // A close during a move loses no row: marks are cleared, a waiting block goes back at
    // the end of the list.
    void aCloseDuringAMoveKeepsEveryRow_data()
    {
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("marking") << false << QStringList{"1", "2", "3", "4"};
        QTest::newRow("cut, waiting") << true << QStringList{"1", "4", "2", "3"};
    }
    void aCloseDuringAMoveKeepsEveryRow()
    {
        QFETCH(bool, cut);
        QFETCH(QStringList, names);
        start();
        node->addNumbered(4);
        list->Open();
        list->StartMove();
        for (const char *name : {"2", "3"}) {
            gotoName(name);
            list->ToggleMark();
        }
        if (cut)
            list->Cut();
        list->RescueMove();
        QCOMPARE(node->names(), names);
        QCOMPARE(node->orders(), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(db->scalar("select count(*) from NDTAIL where MVE='T'").toInt(), 0);
        QCOMPARE(list->moveState(), LineItemList::NoMove);
    }

    void leavingMoveModeClearsTheMarks()
    {
        start();
        node->addNumbered(3);
        list->Open();
        QVERIFY(list->StartMove());
        gotoName("2");
        list->ToggleMark();
        QCOMPARE(rows().asString("rTg"), QStringLiteral("☞"));
        list->ToggleMark();
        QCOMPARE(rows().asString("MVE"), QStringLiteral("F"));
        list->ToggleMark();
        list->EndMoveWithoutMoving();
        QCOMPARE(list->moveState(), LineItemList::NoMove);
        QCOMPARE(db->scalar("select count(*) from NDTAIL where MVE='T'").toInt(), 0);
        QCOMPARE(rows().asString("MVE"), QStringLiteral("F"));
    }

    void moveModeNeedsRows()
    {
        start();
        list->Open();
        QVERIFY(!list->StartMove());
        QCOMPARE(list->moveState(), LineItemList::NoMove);
    }
};

VEK_TEST(TestLineItemList)
#include "tst_LineItemList.moc"
