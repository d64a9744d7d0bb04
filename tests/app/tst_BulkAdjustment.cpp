#include "app/BulkAdjustment.h"
#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/ProgramState.h"
#include "core/SqlRoutines.h"
#include "core/WaitWindow.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace vek;

namespace {

using Values = QHash<QString, double>;

enum class Path { LineItems, Breakdown, Estimate };

// A small estimate with rows of every kind. Work item 1 lists line items of kinds L, N, C,
// P, D, R, T and E, with labour rows 'M' of slots 7 and 8; work item 2 one line and a
// labour row of slot 7 too; the breakdown (1, 1, 1) of the unit-price item holds rows of
// kinds N, L, R and T. Each row is named for what it is.
struct FixtureRow {
    QString name;
    QString abfs;
    QString tag;
    int acode;
    double quantity;
    double material;
    double labour;
    double expense;
    QVariantHash more;
};

const QList<FixtureRow> Fixture = {
    {"L", "S", "L", 1, 2, 995, 12345, 3000, {{"ICD3", 7}}},
    {"N", "S", "N", 1, 1.25, 3000, 995, 12345, {}},
    {"C", "S", "C", 1, 1, 12345, 3000, 995, {}},
    {"P", "S", "P", 1, 10, 100, 100, 100, {}},
    {"D", "S", "D", 1, 1, 500, 500, 500, {{"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}}},
    {"R", "S", "R", 1, 1, 50, 50, 50, {}},
    {"T", "S", "T", 1, 0, 1000, 1000, 1000, {{"ICD1", 1}, {"PCST12", 5}, {"LCST12", 5}, {"SCST12", 5}}},
    {"E", "S", "E", 1, 1, 1000, 1000, 1000, {}},
    {"M7", "S", "M", 1, 1, 0, 1000, 0, {{"NORT", 7}}},
    {"M8", "S", "M", 1, 1, 0, 2000, 0, {{"NORT", 8}}},
    {"N2", "S", "N", 2, 1, 3000, 3000, 3000, {}},
    {"M7-2", "S", "M", 2, 1, 0, 1000, 0, {{"NORT", 7}}},
    {"X-N", "X", "N", 0, 1.25, 1000, 995, 3000, {{"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}}},
    {"X-L", "X", "L", 0, 2, 12345, 12345, 12345, {{"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}}},
    {"X-R", "X", "R", 0, 1, 50, 50, 50, {{"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}}},
    {"X-T", "X", "T", 0, 0, 1000, 1000, 1000, {{"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}}},
};

// The adjusted value of every row the case changes; all other rows keep theirs.
QString Describe(const Values &values)
{
    QStringList parts;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        parts.append(it.key() + '=' + QString::number(it.value(), 'f', 4));
    parts.sort();
    return parts.join(' ');
}

} // namespace

class TestBulkAdjustment : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;

    TdMf &m() { return db->module(); }

    Values columnByName(const QString &column)
    {
        QSqlQuery query = m().SQLConect.select(QStringLiteral("select NAME, %1 from NDTAIL").arg(column));
        Values values;
        while (query.next())
            values.insert(query.value(0).toString(), query.value(1).toDouble());
        return values;
    }

    void openLineItems()
    {
        m().TAlst.setCommandText("select * from NDTAIL where ABFS='A' Order by ODRF");
        m().TAlst.open();
        m().TSlst.setCommandText(
            "select * from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=? and BCODE=? and SCODE=? Order by ODRF",
            {1, 0, 0});
        m().TSlst.open();
    }

    void openBreakdown()
    {
        m().Tdtail.setCommandText("select * from NDTAIL where ABFS='X' and ICD1=? and ICD2=? and ICD3=? Order by ODRF",
                                  {1, 1, 1});
        m().Tdtail.open();
    }

    // The bookmarks of the named rows of rows, in the order given.
    QList<Bookmark> select(Dataset &rows, const QStringList &names)
    {
        QList<Bookmark> bookmarks;
        for (const QString &name : names)
            for (int recNo = 0; recNo < rows.recordCount(); ++recNo)
                if (rows.valueOf(recNo, rows.fieldIndex("NAME")).toString() == name)
                    bookmarks.append(rows.bookmarkOf(recNo));
        return bookmarks;
    }

    bool adjust(Path path, BulkTarget target, double percent, const QStringList &selected)
    {
        const Currency p = Currency::fromDouble(percent);
        switch (path) {
        case Path::LineItems:
            openLineItems();
            return AdjustListRows(m().TSlst, select(m().TSlst, selected), target, p, true);
        case Path::Breakdown:
            openBreakdown();
            return AdjustListRows(m().Tdtail, select(m().Tdtail, selected), target, p, false);
        case Path::Estimate:
            break;
        }
        return AdjustWholeEstimate(target, p);
    }

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        db->insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 1}, {"ODRF", 1}});
        db->insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 2}, {"ODRF", 2}});
        int odrf = 0;
        for (const FixtureRow &row : Fixture) {
            QVariantHash values = row.more;
            values.insert("NAME", row.name);
            values.insert("ABFS", row.abfs);
            values.insert("TAG", row.tag);
            values.insert("ACODE", row.acode);
            values.insert("INO", row.quantity);
            values.insert("PCST11", row.material);
            values.insert("LCST11", row.labour);
            values.insert("SCST11", row.expense);
            values.insert("ODRF", ++odrf);
            db->insertRow(values);
        }
        DataChanged = false;
    }
    void cleanup()
    {
        db.reset();
        HideWaitWindow();
    }

    void addsTheTruncatedPercentage_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("p");
        QTest::addColumn<double>("result");
        QTest::newRow("12,345 + 10 %") << 12345.0 << 10.0 << 13579.0;
        QTest::newRow("995 - 10 %") << 995.0 << -10.0 << 896.0;
        QTest::newRow("3,000 + 4.1 %: no binary product truncated") << 3000.0 << 4.1 << 3123.0;
        QTest::newRow("1,234 - 10 %") << 1234.0 << -10.0 << 1111.0;
        QTest::newRow("-1,234 + 10 %: toward zero") << -1234.0 << 10.0 << -1357.0;
        QTest::newRow("decimals stay, the addition is whole") << 1234.56 << 10.0 << 1357.56;
        QTest::newRow("less than a unit added") << 2.0 << 10.0 << 2.0;
        QTest::newRow("0.29 x 100 %") << 0.29 << 100.0 << 0.29;
        QTest::newRow("29 + 0.01 %: 0.0029 is no unit") << 29.0 << 0.01 << 29.0;
    }
    void addsTheTruncatedPercentage()
    {
        QFETCH(double, x);
        QFETCH(double, p);
        QFETCH(double, result);
        QCOMPARE(AdjustByPercent(Currency::fromDouble(x), Currency::fromDouble(p)), Currency::fromDouble(result));
    }

    void refusesAResultBeyondTheFixedPointRange()
    {
        const Currency large = Currency::fromDouble(900000000000000);
        QVERIFY_THROWS_EXCEPTION(NumberError, AdjustByPercent(large, Currency::fromDouble(10)));
        QVERIFY_THROWS_EXCEPTION(NumberError, AdjustByPercent(-large, Currency::fromDouble(10)));
        QCOMPARE(AdjustByPercent(large, Currency::fromDouble(-100)), Currency());
        // 913205152163839.5 + 1 % is 922337203685477.5: within 64 bits, beyond the range.
        const Currency edge = Currency::fromText(QStringLiteral("913205152163839.5"));
        QVERIFY_THROWS_EXCEPTION(NumberError, AdjustByPercent(edge, Currency::fromDouble(1)));
        QCOMPARE(AdjustByPercent(edge - Currency::fromDouble(1), Currency::fromDouble(1)).toText(),
                 QStringLiteral("922337203685476.5"));
    }

    void adjustsRows_data()
    {
        QTest::addColumn<Path>("path");
        QTest::addColumn<BulkTarget>("target");
        QTest::addColumn<double>("percent");
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<Values>("changed");

        QTest::newRow("line items, material +10 %, none selected")
            << Path::LineItems << BulkTarget::Material << 10.0 << QStringList()
            << Values{{"L", 1094}, {"N", 3300}, {"C", 13579}, {"P", 110}};
        QTest::newRow("line items, material -10 %, one selected: the whole list")
            << Path::LineItems << BulkTarget::Material << -10.0 << QStringList{"N"}
            << Values{{"L", 896}, {"N", 2700}, {"C", 11111}, {"P", 90}};
        QTest::newRow("line items, labour +10 %: the node's labour rows exactly")
            << Path::LineItems << BulkTarget::Labour << 10.0 << QStringList()
            << Values{{"L", 13579}, {"N", 1094}, {"C", 3300}, {"P", 110}, {"M7", 1100}, {"M8", 2200}};
        QTest::newRow("line items, labour +4.1 %, L and N selected: only the L row's labour rows")
            << Path::LineItems << BulkTarget::Labour << 4.1 << QStringList{"N", "L"}
            << Values{{"L", 12851}, {"N", 1035}, {"M7", 1041}};
        QTest::newRow("line items, expense +4.1 %, T and E selected")
            << Path::LineItems << BulkTarget::Expense << 4.1 << QStringList{"T", "E"}
            << Values{{"T", 1041}, {"E", 1041}};
        QTest::newRow("line items, quantity +10 %")
            << Path::LineItems << BulkTarget::Quantity << 10.0 << QStringList() << Values{{"P", 11}};
        QTest::newRow("line items, 0 %") << Path::LineItems << BulkTarget::Material << 0.0 << QStringList() << Values();
        QTest::newRow("breakdown, labour -10 %: no labour rows")
            << Path::Breakdown << BulkTarget::Labour << -10.0 << QStringList() << Values{{"X-N", 896}, {"X-L", 11111}};
        QTest::newRow("breakdown, material +4.1 %, R and T selected")
            << Path::Breakdown << BulkTarget::Material << 4.1 << QStringList{"X-R", "X-T"}
            << Values{{"X-R", 52}, {"X-T", 1041}};
        QTest::newRow("whole estimate, expense +4.1 %")
            << Path::Estimate << BulkTarget::Expense << 4.1 << QStringList()
            << Values{{"L", 3123}, {"N", 12851}, {"C", 1035}, {"P", 104}, {"N2", 3123}, {"X-N", 3123}, {"X-L", 12851},
                      {"D", 29605}};
        QTest::newRow("whole estimate, labour +10 %: every labour row")
            << Path::Estimate << BulkTarget::Labour << 10.0 << QStringList()
            << Values{{"L", 13579}, {"N", 1094}, {"C", 3300}, {"P", 110}, {"N2", 3300}, {"X-N", 1094}, {"X-L", 13579},
                      {"D", 28525}, {"M7", 1100}, {"M8", 2200}, {"M7-2", 1100}};
        QTest::newRow("whole estimate, 0 %") << Path::Estimate << BulkTarget::Labour << 0.0 << QStringList() << Values();
    }
    void adjustsRows()
    {
        QFETCH(Path, path);
        QFETCH(BulkTarget, target);
        QFETCH(double, percent);
        QFETCH(QStringList, selected);
        QFETCH(Values, changed);

        const QList<BulkTarget> others = {BulkTarget::Material, BulkTarget::Labour, BulkTarget::Expense,
                                          BulkTarget::Quantity};
        QHash<QString, Values> before;
        for (BulkTarget other : others)
            before.insert(BulkTargetField(other), columnByName(BulkTargetField(other)));
        const QString field = BulkTargetField(target);
        Values expected = before.value(field);
        expected.insert(changed);

        QVERIFY(adjust(path, target, percent, selected));
        QCOMPARE(Describe(columnByName(field)), Describe(expected));
        QCOMPARE(DataChanged, percent != 0);
        // The other prices and the quantity stay, but those of the unit-price item, which
        // its breakdown prices again.
        for (BulkTarget other : others) {
            if (other == target)
                continue;
            Values values = columnByName(BulkTargetField(other));
            Values kept = before.value(BulkTargetField(other));
            values.remove("D");
            kept.remove("D");
            QCOMPARE(Describe(values), Describe(kept));
        }
    }

    void amountsFollowEachRowsPostRule_data()
    {
        QTest::addColumn<Path>("path");
        QTest::addColumn<QString>("row");
        QTest::addColumn<double>("labourAmount");
        // 1.25 x 1,094: whole units on a line item, one decimal on a breakdown row.
        QTest::newRow("line item by its list") << Path::LineItems << "N" << 1367.0;
        QTest::newRow("breakdown row by its list") << Path::Breakdown << "X-N" << 1367.5;
        QTest::newRow("line item of the whole estimate") << Path::Estimate << "N" << 1367.0;
        QTest::newRow("breakdown row of the whole estimate") << Path::Estimate << "X-N" << 1367.5;
    }
    void amountsFollowEachRowsPostRule()
    {
        QFETCH(Path, path);
        QFETCH(QString, row);
        QFETCH(double, labourAmount);
        QVERIFY(adjust(path, BulkTarget::Labour, 10, {}));
        QCOMPARE(columnByName("LCST12").value(row), labourAmount);
        const double total = columnByName("PCST12").value(row) + labourAmount + columnByName("SCST12").value(row);
        QCOMPARE(columnByName("CSTTAL").value(row), total);
    }

    void aSubtotalRowKeepsItsAmounts()
    {
        QVERIFY(adjust(Path::LineItems, BulkTarget::Material, 10, {"T", "E"}));
        QCOMPARE(columnByName("PCST11").value("T"), 1100.0);
        QCOMPARE(columnByName("PCST12").value("T"), 5.0);
    }

    void theListStaysWhereItWas_data()
    {
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<double>("material");
        QTest::newRow("whole list") << QStringList() << 13579.0;
        QTest::newRow("selected rows") << QStringList{"P", "N"} << 12345.0;
    }
    void theListStaysWhereItWas()
    {
        QFETCH(QStringList, selected);
        QFETCH(double, material);
        openLineItems();
        m().TSlst.setRecNo(2);
        const QSignalSpy resets(&m().TSlst, &Dataset::rowsReset);
        QVERIFY(AdjustListRows(m().TSlst, select(m().TSlst, selected), BulkTarget::Material, Currency::fromDouble(10),
                               true));
        QCOMPARE(m().TSlst.asString("NAME"), QStringLiteral("C"));
        QCOMPARE(m().TSlst.asDouble("PCST11"), material);
        QVERIFY(!m().TSlst.controlsDisabled());
        // Redrawn once at the end, not row by row.
        QCOMPARE(resets.count(), 1);
    }

    void aFailureLeavesEveryRowAsItWas_data()
    {
        QTest::addColumn<Path>("path");
        QTest::addColumn<BulkTarget>("target");
        QTest::addColumn<QString>("failing");
        QTest::newRow("line items, a row refused") << Path::LineItems << BulkTarget::Labour << "P";
        QTest::newRow("line items, the labour rows refused") << Path::LineItems << BulkTarget::Labour << "M8";
        QTest::newRow("breakdown, a row refused") << Path::Breakdown << BulkTarget::Material << "X-L";
        QTest::newRow("whole estimate, a row refused") << Path::Estimate << BulkTarget::Expense << "X-L";
        QTest::newRow("whole estimate, a labour row refused") << Path::Estimate << BulkTarget::Labour << "M7-2";
    }
    void aFailureLeavesEveryRowAsItWas()
    {
        QFETCH(Path, path);
        QFETCH(BulkTarget, target);
        QFETCH(QString, failing);

        m().SQLConect.execute("create exception REFUSED 'row refused'");
        m().SQLConect.execute("create trigger REFUSE_ROW for NDTAIL before update as begin "
                              "if (new.NAME = rdb$get_context('USER_SESSION', 'FAILING')) then exception REFUSED; end");
        QVERIFY(m().SQLConect.commit());
        RunTempSql(false, "select rdb$set_context('USER_SESSION', 'FAILING', ?) from rdb$database", {failing});
        m().sQTmp.close();

        QStringList before;
        for (const char *column : {"INO", "PCST11", "PCST12", "LCST11", "LCST12", "SCST11", "SCST12", "CSTTAL"})
            before.append(Describe(columnByName(column)));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, adjust(path, target, 10, {}));

        QStringList after;
        for (const char *column : {"INO", "PCST11", "PCST12", "LCST11", "LCST12", "SCST11", "SCST12", "CSTTAL"})
            after.append(Describe(columnByName(column)));
        QCOMPARE(after, before);
        QVERIFY(!DataChanged);
        QVERIFY(!m().SQLConect.inTransaction());
        QVERIFY(!SprSfm);
        QVERIFY(!m().TmFst.isActive());
        for (Dataset *rows : {&m().TSlst, &m().Tdtail}) {
            QVERIFY(!rows->controlsDisabled());
            // The list shows what the table kept.
            for (int recNo = 0; rows->isActive() && recNo < rows->recordCount(); ++recNo) {
                const QString name = rows->valueOf(recNo, rows->fieldIndex("NAME")).toString();
                QCOMPARE(rows->valueOf(recNo, rows->fieldIndex(BulkTargetField(target))).toDouble(),
                         columnByName(BulkTargetField(target)).value(name));
            }
        }
    }

    void aResultBeyondTheRangeLeavesEveryRowAsItWas_data()
    {
        QTest::addColumn<Path>("path");
        QTest::newRow("line items") << Path::LineItems;
        QTest::newRow("whole estimate") << Path::Estimate;
    }
    void aResultBeyondTheRangeLeavesEveryRowAsItWas()
    {
        QFETCH(Path, path);
        m().SQLConect.execute("UpDate NDTAIL Set PCST11=900000000000000 where NAME='P'");
        QVERIFY(m().SQLConect.commit());
        const Values before = columnByName("PCST11");
        QVERIFY_THROWS_EXCEPTION(NumberError, adjust(path, BulkTarget::Material, 10, {}));
        QCOMPARE(Describe(columnByName("PCST11")), Describe(before));
        QVERIFY(!DataChanged);
        QVERIFY(!SprSfm);
    }
};

VEK_TEST(TestBulkAdjustment)
#include "tst_BulkAdjustment.moc"
