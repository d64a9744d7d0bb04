#include "core/DataModule.h"
#include "core/MoneyFormat.h"
#include "core/ProgramState.h"
#include "core/TextUtils.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"
#include "tests/unitprice/CostSheetFixture.h"
#include "unitprice/CostStatement.h"

#include <QSqlQuery>
#include <QTest>

#include <limits>
#include <memory>

using namespace vek;

namespace {

// A statement in a plain table, started from the template for the main totals and
// computed once.
class TemplateSheet {
public:
    explicit TemplateSheet(const RollupSums &totals) : statement(table, [totals] { return totals; })
    {
        statement.SetUpCells();
        for (const CostSheetRow &row : CostSheetTemplate(totals.material, totals.labour, totals.expense))
            statement.ShowRow(row);
        statement.RecalcCostSheet(1);
    }

    QString amount(int row) const { return table.Cells(CostSheet::AmountCol, row); }
    void setAmount(int row, const QString &text) { table.SetCells(CostSheet::AmountCol, row, text); }
    void setFormula(int row, const QString &text) { table.SetCells(CostSheet::FormulaCol, row, text); }
    QStringList amountTexts() const
    {
        QStringList texts;
        for (int row = 1; row <= CostSheet::Rows; ++row)
            texts.append(amount(row));
        return texts;
    }

    CostSheetTable table;
    TCostStatement statement;
};

} // namespace

// The statement's logic without a screen: the template's figures, the formulas and their
// errors, and what it keeps in the estimate table.
class TestCostStatement : public QObject {
    Q_OBJECT

    UnexpectedMessages unexpected;

private slots:
    void init()
    {
        DataChanged = false;
        unexpected.Start();
    }
    void cleanup() { QCOMPARE(unexpected.Stop(), QStringList()); }

    void theTemplateComesOutToTheUnit_data()
    {
        QTest::addColumn<RollupSums>("totals");
        QTest::addColumn<QList<qint64>>("amounts");
        QTest::newRow("1,000,000 / 2,000,000 / 300,000") << MainTotals(1000000, 2000000, 300000) << EdgeCaseAmounts;
        QTest::newRow("no totals") << MainTotals(0, 0, 0) << QList<qint64>(CostSheet::Rows, 0);
    }
    void theTemplateComesOutToTheUnit()
    {
        QFETCH(RollupSums, totals);
        QFETCH(QList<qint64>, amounts);
        QCOMPARE(Whole(CostStatementAmounts(totals.material, totals.labour, totals.expense)), amounts);
        QCOMPARE(ShownAmounts(TemplateSheet(totals).table), amounts);
    }

    // Totals whose statement leaves the fixed-point range are refused by an exception that
    // names the row, never by a box that a caller without a user would have to answer.
    void tooLargeTotalsThrowInsteadOfAsking()
    {
        const Currency huge = Currency::fromRaw(std::numeric_limits<std::int64_t>::max() / 4);
        try {
            CostStatementAmounts(huge, huge, huge);
            QFAIL("the statement of totals beyond the range was computed");
        } catch (const CostSheetError &error) {
            QVERIFY2(error.reason().contains(QStringLiteral("번 항목")), qPrintable(error.reason()));
        }
    }

    // Row 3 typed above rows 1 + 2 makes row 4 negative, and every row that uses row 4,
    // directly or through rows 20 and 23, takes it as its value.
    void aNegativeAmountCountsWhereverItStands()
    {
        TemplateSheet sheet(MainTotals(100000, 2000000, 300000));
        sheet.setAmount(3, "150000");
        QVERIFY(sheet.statement.RecalcCostSheet(1));
        const QList<qint64> expected = {
            100000,  0,      150000, -50000,  2000000, 220000,  2220000, 0,       300000,  0,
            25000,   68820,  25974,  48000,   31000,
            48360,   // 16 = (-50,000 + 2,000,000 + 0) x 0.0248
            0,       0,
            110670,  // 19 = (-50,000 + 2,220,000) x 0.051
            657824,  // 20
            8483,    // 21 = 2,827,824 x 0.003 = 8,483.472
            132907,  // 22 = 2,827,824 x 0.047 = 132,907.728
            2969214, // 23 = -50,000 + 2,220,000 + 657,824 + 8,483 + 132,907
            432946,  // 24 = 2,886,307 x 0.15 = 432,946.05
            3402160, 340216, 3742376, 0, 3742376};
        QCOMPARE(ShownAmounts(sheet.table), expected);
        QCOMPARE(sheet.amount(4).trimmed(), QString("-50,000"));
    }

    // A formula reads the rows above as just computed and the rows below as they stand.
    void aFormulaReadsRowsBelowAsTheyStand()
    {
        TemplateSheet sheet(MainTotals(1000000, 2000000, 300000));
        sheet.setFormula(6, "[20]*0.1");
        QVERIFY(sheet.statement.RecalcCostSheet(1));
        QCOMPARE(ShownAmounts(sheet.table).at(5), 73741);    // 737,414 x 0.1
        QCOMPARE(ShownAmounts(sheet.table).at(6), 2073741);  // 5 + 6
        const qint64 row20 = ShownAmounts(sheet.table).at(19);
        QVERIFY(row20 != 737414);
        QVERIFY(sheet.statement.RecalcCostSheet(1));
        QCOMPARE(ShownAmounts(sheet.table).at(5), row20 / 10);
    }

    void blanksInAFormulaChangeNothing_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("formula");
        QTest::newRow("[ 5 + 6 ]") << 7 << "[ 5 + 6 ]";
        QTest::newRow("blanks everywhere") << 16 << " [ ( 4 + 5 + 28 ) ] * 0.0248 ";
        QTest::newRow("blank inside a suffix") << 26 << "[25] * 0.1";
    }
    void blanksInAFormulaChangeNothing()
    {
        QFETCH(int, row);
        QFETCH(QString, formula);
        TemplateSheet sheet(MainTotals(1000000, 2000000, 300000));
        sheet.setFormula(row, formula);
        QVERIFY(sheet.statement.RecalcCostSheet(1));
        QCOMPARE(ShownAmounts(sheet.table), EdgeCaseAmounts);
    }

    void rowNumbersBecomeTheAmountsShown_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("expression");
        QTest::newRow("one row and a suffix") << "[5]*0.11" << "2,000,000*0.11";
        QTest::newRow("a group") << "[(4+5+28)]*0.0248" << "(1,000,000+2,000,000+0)*0.0248";
        QTest::newRow("blanks") << "[ 5 + 6 ]" << "2,000,000+220,000";
        QTest::newRow("a leading zero") << "[05]" << "2,000,000";
        QTest::newRow("a row below") << "[29-28]" << "5,060,743-0";
    }
    void rowNumbersBecomeTheAmountsShown()
    {
        QFETCH(QString, formula);
        QFETCH(QString, expression);
        TemplateSheet sheet(MainTotals(1000000, 2000000, 300000));
        QCOMPARE(sheet.statement.SubstituteRowRefs(formula), expression);
    }

    // Each error stops the recalculation at its row with a message naming the row (and the
    // formula); the rows above it have their new amounts, it and the rows below keep theirs.
    void anErrorStopsAtItsRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("amountRow");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("errorRow");
        QTest::newRow("[0]") << 12 << "[0]" << 0 << QString() << 12;
        QTest::newRow("[30]") << 12 << "[30]" << 0 << QString() << 12;
        QTest::newRow("[5.5]") << 12 << "[5.5]" << 0 << QString() << 12;
        QTest::newRow("[5.]") << 12 << "[5.]" << 0 << QString() << 12;
        QTest::newRow("[]") << 12 << "[]" << 0 << QString() << 12;
        QTest::newRow("5] without [") << 12 << "5]" << 0 << QString() << 12;
        QTest::newRow("[5+6 without ]") << 12 << "[5+6" << 0 << QString() << 12;
        QTest::newRow("a number glued to the bracket") << 12 << "[7]3" << 0 << QString() << 12;
        QTest::newRow("unbalanced group") << 12 << "[(5+6]*2" << 0 << QString() << 12;
        QTest::newRow("letters") << 12 << "[a+5]" << 0 << QString() << 12;
        QTest::newRow("division by zero") << 12 << "[7]/0" << 0 << QString() << 12;
        QTest::newRow("a result beyond the range") << 12 << "[7]*999999999999" << 0 << QString() << 12;
        QTest::newRow("a reference to an emptied amount") << 12 << "[28]*2" << 28 << QString() << 12;
        QTest::newRow("an emptied amount cell") << 0 << QString() << 10 << QString() << 10;
        QTest::newRow("an amount beyond the range") << 0 << QString() << 10 << "9999999999999999" << 10;
        QTest::newRow("a sum beyond the range") << 0 << QString() << 28 << "922337203000000" << 16;
        QTest::newRow("the first row") << 1 << "[30]" << 0 << QString() << 1;
        QTest::newRow("a summary row") << 4 << "[1+2-3" << 0 << QString() << 4;
    }
    void anErrorStopsAtItsRow()
    {
        QFETCH(int, row);
        QFETCH(QString, formula);
        QFETCH(int, amountRow);
        QFETCH(QString, amount);
        QFETCH(int, errorRow);
        TemplateSheet sheet(MainTotals(1000000, 2000000, 300000));
        // New labour: every row from 6 on changes when computed.
        sheet.setAmount(5, "3000000");
        if (row > 0)
            sheet.setFormula(row, formula);
        if (amountRow > 0)
            sheet.setAmount(amountRow, amount);
        const QStringList before = sheet.amountTexts();

        MessageAnswerer answers;
        QVERIFY(!sheet.statement.RecalcCostSheet(3));

        QCOMPARE(answers.requests().size(), 1);
        QVERIFY(answers.requests().first().kind == MessageKind::Error);
        const QString message = answers.texts().first();
        QVERIFY2(message.contains(QStringLiteral("%1번 항목").arg(errorRow)), qPrintable(message));
        if (row == errorRow)
            QVERIFY2(message.contains(formula), qPrintable(message));
        QCOMPARE(sheet.table.Row(), errorRow);
        const QList<Currency> clean = CostStatementAmounts(Currency::fromRaw(1000000'0000),
                                                           Currency::fromRaw(3000000'0000),
                                                           Currency::fromRaw(300000'0000));
        for (int r = 1; r < errorRow; ++r)
            QCOMPARE(ParseAmount(sheet.amount(r)).trunc(), clean.at(r - 1).trunc());
        for (int r = errorRow; r <= CostSheet::Rows; ++r)
            QCOMPARE(sheet.amount(r), before.at(r - 1));
    }

    // The first load stores the template: rows 1, 5 and 9 with the main totals, every
    // other amount 0 (what the recalculation shows is not stored), and the columns a
    // statement row has; a second load stores nothing more.
    void theFirstLoadStoresTheTemplate()
    {
        TempDatabase db;
        CostSheetTable table;
        TCostStatement statement(table, [] { return MainTotals(1000000, 2000000, 300000); });
        statement.LoadCostSheet();
        QCOMPARE(ShownAmounts(table), EdgeCaseAmounts);

        const QMap<int, StoredRow> stored = StoredStatement(db);
        QCOMPARE(stored.keys(), Rows1To29());
        for (const CostSheetRow &row : CostSheetTemplate(Currency(), Currency(), Currency())) {
            const double amount = row.row == 1 ? 1000000 : row.row == 5 ? 2000000 : row.row == 9 ? 300000 : 0;
            QCOMPARE(stored.value(row.row), (StoredRow{row.name, amount, row.basis, QString(), row.formula}));
        }
        QCOMPARE(stored.value(22).name.back(), u' ');
        QCOMPARE(stored.value(21).basis, QString("((4)+(5)+(20))x0.3%"));
        QCOMPARE(stored.value(21).formula, QString("[(4+7+20)]*0.003"));

        QSqlQuery others = db.module().SQLConect.select(QStringLiteral(
            "select distinct ACODE, BCODE, SCODE, ICD1, ICD2, ICD3, UNIT, PAGEA, PAGEB, MVE, SUB, INO, PCST11, "
            "PCST12, LCST11, LCST12, SCST11, SCST12, PRT1, LRT4, NORT, PCSTA, RECV, LRTE from NDTAIL "
            "where ABFS='W' and TAG='E'"));
        QVERIFY(others.next());
        const QVariantList expected = {0, 0, 0, 0, 1, 0, "", "", "", "F", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(others.value(i).toString().trimmed(), expected.at(i).toString());
        QVERIFY(!others.next());

        statement.LoadCostSheet();
        QCOMPARE(db.scalar("select count(*) from NDTAIL where ABFS='W'").toInt(), CostSheet::Rows);
        QVERIFY(!DataChanged);
        QVERIFY(!db.module().SQLConect.inTransaction());
    }

    // Saving stores the whole amounts shown, the formulas, and basis and remark without
    // their leading blanks.
    void savingStoresWhatTheGridShows()
    {
        TempDatabase db;
        CostSheetTable table;
        TCostStatement statement(table, [] { return MainTotals(1000000, 2000000, 300000); });
        statement.LoadCostSheet();
        table.SetCells(CostSheet::AmountCol, 2, "5000");
        table.SetCells(CostSheet::NameCol, 10, QStringLiteral("가설 공사비"));
        table.SetCells(CostSheet::BasisCol, 6, QStringLiteral("  (5) x 12% "));
        table.SetCells(CostSheet::FormulaCol, 6, "[5]*0.12");
        table.SetCells(CostSheet::RemarkCol, 1, QStringLiteral("  자재 포함"));
        QVERIFY(statement.RecalcCostSheet(1));
        QVERIFY(statement.BuildCostSheet(1));

        const QMap<int, StoredRow> stored = StoredStatement(db);
        QCOMPARE(stored.keys(), Rows1To29());
        // The whole amounts shown, not the decimals the formulas compute.
        const QList<qint64> shown = ShownAmounts(table);
        for (int row = 1; row <= CostSheet::Rows; ++row)
            QCOMPARE(stored.value(row).amount, double(shown.at(row - 1)));
        QCOMPARE(stored.value(6), (StoredRow{QStringLiteral("간    접    노    무    비"), 240000,
                                             QStringLiteral("(5) x 12% "), QString(), "[5]*0.12"}));
        QCOMPARE(stored.value(10).name, QStringLiteral("가설 공사비"));
        QCOMPARE(stored.value(1).remark, QStringLiteral("자재 포함"));
        QVERIFY(DataChanged);

        // What was saved comes back as it was shown, but for the leading blanks.
        CostSheetTable again;
        TCostStatement reloaded(again, [] { return RollupSums(); });
        reloaded.LoadCostSheet();
        const QStringList saved = AllCells(table);
        const QStringList loaded = AllCells(again);
        for (qsizetype i = 0; i < saved.size(); ++i)
            QCOMPARE(TrimLeftText(loaded.at(i)), TrimLeftText(saved.at(i)));
    }

    // Before anything is deleted every amount must read as a number: the first that does
    // not is named and becomes current, and nothing is written.
    void savingRefusesAnAmountThatIsNoNumber()
    {
        TempDatabase db;
        CostSheetTable table;
        TCostStatement statement(table, [] { return MainTotals(1000000, 2000000, 300000); });
        statement.LoadCostSheet();
        const QMap<int, StoredRow> before = StoredStatement(db);
        table.SetCells(CostSheet::AmountCol, 8, QString());
        table.SetCells(CostSheet::AmountCol, 17, "12a");
        MessageAnswerer answers;
        QVERIFY(!statement.BuildCostSheet(1));
        QCOMPARE(answers.texts().size(), 1);
        QVERIFY2(answers.texts().first().contains(QStringLiteral("8번 항목")), qPrintable(answers.texts().first()));
        QCOMPARE(table.Row(), 8);
        QCOMPARE(StoredStatement(db), before);
        QVERIFY(!DataChanged);
    }

    // Rows of a foreign document outside 1-29 never reach the grid, not even its headers.
    void storedRowsOutsideTheStatementAreLeftOut()
    {
        TempDatabase db;
        for (int odrf : {-1, 0, 3, 30, 100})
            db.insertRow({{"ABFS", "W"}, {"TAG", "E"}, {"ODRF", odrf}, {"NAME", QStringLiteral("행 %1").arg(odrf)},
                          {"CSTTAL", 1000 + odrf}});
        CostSheetTable table;
        TCostStatement statement(table, [] { return RollupSums(); });
        statement.LoadCostSheet();
        QCOMPARE(table.Cells(CostSheet::NameCol, 0), QStringLiteral("구              분"));
        QCOMPARE(table.Cells(CostSheet::NameCol, 3), QStringLiteral("행 3"));
        for (int row = 1; row <= CostSheet::Rows; ++row) {
            if (row != 3)
                QCOMPARE(table.Cells(CostSheet::NameCol, row), QString());
        }
        QCOMPARE(ShownAmounts(table).at(2), 1003);
    }

    // A command the database refuses halfway leaves the stored statement as it was, shows
    // "처리실패!!" and changes nothing shown.
    void aRefusedCommandKeepsTheStoredStatement_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("save") << "save";
        QTest::newRow("reset") << "reset";
        QTest::newRow("main totals") << "main totals";
        QTest::newRow("template") << "template";
    }
    void aRefusedCommandKeepsTheStoredStatement()
    {
        QFETCH(QString, command);
        TempDatabase db;
        RollupSums totals = MainTotals(1000000, 2000000, 300000);
        CostSheetTable table;
        TCostStatement statement(table, [&totals] { return totals; });
        if (command != "template") {
            statement.LoadCostSheet();
            table.SetCells(CostSheet::AmountCol, 2, "5000");
            table.SetCells(CostSheet::RemarkCol, 3, QStringLiteral(" 메모"));
        }
        const QMap<int, StoredRow> before = StoredStatement(db);
        const QStringList shown = AllCells(table);
        if (command == "main totals")
            RefuseStatementAmountUpdate(db);
        else
            RefuseStatementRowInsert(db, 15);
        totals = MainTotals(7000000, 8000000, 900000);

        MessageAnswerer answers;
        if (command == "save")
            QVERIFY(!statement.BuildCostSheet(1));
        else if (command == "reset")
            QVERIFY(!statement.ResetCostSheet());
        else if (command == "main totals")
            QVERIFY(!statement.TakeMainTotals());
        else
            statement.LoadCostSheet();

        QCOMPARE(answers.texts(), QStringList{QStringLiteral("처리실패!!")});
        QCOMPARE(StoredStatement(db), before);
        if (command != "template")
            QCOMPARE(AllCells(table), shown);
        QVERIFY(!DataChanged);
        QVERIFY(!db.module().SQLConect.inTransaction());
        QCOMPARE(db.module().SQLConect.commandDepth(), 0);
    }

private:
    static QList<int> Rows1To29()
    {
        QList<int> rows;
        for (int row = 1; row <= CostSheet::Rows; ++row)
            rows.append(row);
        return rows;
    }
};

VEK_TEST(TestCostStatement)
#include "tst_CostStatement.moc"
