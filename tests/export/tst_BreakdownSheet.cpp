#include "export/BreakdownSheet.h"
#include "core/DataModule.h"
#include "core/ProgramState.h"
#include "core/WaitWindow.h"
#include "export/ExcelRun.h"
#include "tests/export/BreakdownFixture.h"
#include "tests/export/ExportTestRun.h"
#include "tests/support/FailingApplication.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WorkbookReader.h"

#include <QDir>
#include <QJsonArray>
#include <QTest>

#include <memory>

using namespace vek;
using namespace vek::BreakdownFixture;

namespace {

const QString Sheet = QStringLiteral("단위일위대가표");
const QJsonValue Null(QJsonValue::Null);
const QStringList Columns = {"B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M"};

QJsonObject Hair()
{
    return {{"style", "hair"}, {"color", "000000"}};
}

} // namespace

class TestBreakdownSheet : public QObject {
    Q_OBJECT

    std::unique_ptr<ExportTestRun> run;

    TdMf &m() { return run->module(); }

    // The breakdown of the current overview item exported from page 1; the workbook read back.
    WorkbookReader exported()
    {
        const RollupSums footer = OpenPageOne(m());
        MessageAnswerer answers;
        const QString path = ExportBreakdownSheet(m().Tdtail, BreakdownItemOf(m().qDList), footer);
        if (path != QDir(run->workFolder()).filePath("이름없음 단위일위대가표.xlsx"))
            throw std::runtime_error("saved as " + path.toStdString());
        return SavedWorkbook(path, answers);
    }

    // Breakdown (1, 2, 3) of `count` plain rows under an item, the overview open on it.
    void plainBreakdown(int count)
    {
        AddItem(run->db, 1, 2, 3, {{"NAME", "잡철물"}, {"UNIT", "kg"}});
        for (int i = 1; i <= count; ++i)
            AddRow(run->db, 1, 2, 3, i, {{"NAME", QStringLiteral("행 %1").arg(i)}, {"INO", 1}, {"LCST11", 10}});
        OpenOverviewList(m());
    }

private slots:
    void init()
    {
        run = std::make_unique<ExportTestRun>();
    }
    void cleanup() { run.reset(); }

    // The footer case, to the unit: every cell of rows 3-7, the rate row as the page's
    // totals repriced it (its stored 999 never shows), the total row as the footer.
    void writesEveryCell()
    {
        AddItem(run->db, 1, 2, 3, {{"NAME", "철근콘크리트 타설"}, {"STAN", "25-240-15"}, {"UNIT", "m3"}});
        AddFooterBreakdown(run->db, 1, 2, 3);
        Dataset &list = OpenOverviewList(m());
        const RollupSums footer = OpenPageOne(m());
        QCOMPARE(footer.material.toDouble(), 4999.0);
        QCOMPARE(footer.labour.toDouble(), 103700.0);
        QCOMPARE(footer.expense.toDouble(), 10.0);
        QCOMPARE(footer.total.toDouble(), 108710.0);
        m().Tdtail.setRecNo(2);

        MessageAnswerer answers;
        const WorkbookReader book(ExportBreakdownSheet(m().Tdtail, BreakdownItemOf(list), footer));
        QVERIFY(answers.texts().isEmpty());

        const QJsonArray expected[] = {
            {"보통인부", "일반공사 직종", "인", 4, Null, Null, 25000, "      100,000.0", Null, Null,
             "      100,000.0", "A1"},
            {"시멘트", "40kg", "포", 1.5, 3333, "     4,999.9", Null, Null, 7, "           10.5",
             "        5,010.4", Null},
            {"철근", "D10", "ton", 2, Null, "지   급     ", 800, "        1,600.0", Null, Null, "        1,600.0",
             Null},
            {"공구손료", "인력품의 2%", "식", 1, Null, Null, 2100, "        2,100.0", Null, Null,
             "        2,100.0", Null},
            {"      계", Null, Null, Null, Null, 4999, Null, 103700, Null, 10, 108710, Null},
        };
        for (int i = 0; i < 5; ++i) {
            for (int c = 0; c < Columns.size(); ++c) {
                const QString address = Columns[c] + QString::number(i + 3);
                const QJsonValue value = book.value(Sheet, address);
                if (value != expected[i][c])
                    QFAIL(qPrintable(address + ": \"" + value.toVariant().toString() + "\" instead of \""
                                     + expected[i][c].toVariant().toString() + '"'));
                const QJsonObject cell = book.cell(Sheet, address);
                if (value.isString())
                    QCOMPARE(cell.value("type").toString(), QStringLiteral("s"));
                if (value.isDouble())
                    QCOMPARE(cell.value("type").toString(), QStringLiteral("n"));
            }
        }
        QCOMPARE(book.value(Sheet, "B8"), Null);
        // G centred on the supplied row, right-aligned elsewhere; I, K, L right-aligned.
        QCOMPARE(book.cell(Sheet, "G5").value("horizontal").toString(), QStringLiteral("center"));
        for (const char *address : {"G3", "G4", "I3", "K4", "L6"})
            QCOMPARE(book.cell(Sheet, address).value("horizontal").toString(), QStringLiteral("right"));
        QCOMPARE(book.cell(Sheet, "F4").value("number_format").toString(), QStringLiteral("#,##0"));
        QCOMPARE(book.cell(Sheet, "L7").value("number_format").toString(), QStringLiteral("#,##0"));

        // The page's rows: back on the row it was on, controls enabled, nothing stored.
        QCOMPARE(m().Tdtail.recNo(), 2);
        QVERIFY(!m().Tdtail.controlsDisabled());
        QVERIFY(SprSfm.isNull());
        QCOMPARE(run->db.scalar("select LCST11 from NDTAIL where TAG='R'").toDouble(), 999.0);
    }

    // B1: the item's texts padded in CP949 bytes; the line-item sheet's frame.
    void titleAndFrame()
    {
        AddItem(run->db, 1, 2, 3, {{"NAME", "철근콘크리트 타설"}, {"STAN", "25-240-15"}, {"UNIT", "m3"}});
        AddFooterBreakdown(run->db, 1, 2, 3);
        OpenOverviewList(m());
        const WorkbookReader book = exported();

        QCOMPARE(book.sheetNames(), (QStringList{Sheet, "Sheet2", "Sheet3"}));
        const QJsonObject title = book.cell(Sheet, "B1");
        // "철근콘크리트 타설" is 17 bytes: 18 blanks make 35; "25-240-15" takes 12 to 21.
        QCOMPARE(title.value("value").toString(),
                 "대가명: 철근콘크리트 타설" + QString(18, ' ') + "규격: 25-240-15" + QString(12, ' ') + "단위: m3 당");
        QCOMPARE(title.value("type").toString(), QStringLiteral("s"));
        QCOMPARE(title.value("font").toObject().value("bold").toBool(), true);
        QCOMPARE(book.sheet(Sheet).value("merged").toArray(), QJsonArray{"B1:M1"});
        VerifyLineItemColumns(book, Sheet);
        QCOMPARE(book.sheet(Sheet).value("default_row_height").toDouble(), 17.0);
    }

    // Where the total row goes and where the grid ends, for counts around a page.
    void pageArithmetic_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("totalRow");
        QTest::addColumn<int>("lastRow");
        QTest::newRow("1") << 1 << 4 << 28;
        QTest::newRow("25") << 25 << 28 << 28;
        QTest::newRow("26: total row on the next page") << 26 << 29 << 56;
        QTest::newRow("27") << 27 << 30 << 56;
        QTest::newRow("54: total row on the next page") << 54 << 57 << 84;
        QTest::newRow("55") << 55 << 58 << 84;
    }
    void pageArithmetic()
    {
        QFETCH(int, count);
        QFETCH(int, totalRow);
        QFETCH(int, lastRow);
        QCOMPARE(BreakdownTotalRow(count), totalRow);
        QCOMPARE(BreakdownFrameLastRow(count), lastRow);
        plainBreakdown(count);
        const WorkbookReader book = exported();
        const QString total = QString::number(totalRow);
        QCOMPARE(book.value(Sheet, "B" + total), QJsonValue("      계"));
        QCOMPARE(book.value(Sheet, "I" + total), QJsonValue(10 * count));
        QCOMPARE(book.value(Sheet, "B" + QString::number(totalRow - 1)), QJsonValue(QStringLiteral("행 %1").arg(count)));
        // The total row lies inside the grid, which ends at lastRow.
        for (const QString &column : {QStringLiteral("B"), QStringLiteral("L")})
            QCOMPARE(book.cell(Sheet, column + total).value("border").toObject().value("bottom").toObject(), Hair());
        const QString last = QString::number(lastRow);
        QCOMPARE(book.cell(Sheet, "M" + last).value("border").toObject().value("bottom").toObject(), Hair());
        QCOMPARE(book.cell(Sheet, "A" + last).value("border").toObject().value("right").toObject(), Hair());
        const QString below = QString::number(lastRow + 1);
        QVERIFY(book.cell(Sheet, "M" + below).value("border").toObject().value("right").toObject() != Hair());
        QVERIFY(book.cell(Sheet, "A" + below).value("border").toObject().value("right").toObject() != Hair());
    }

    // Texts stay the texts the sheet sends, whatever a spreadsheet would read into them.
    void valueTypes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("remark");
        QTest::newRow("negative") << "(5)" << "(5)";
        QTest::newRow("date") << "1-2" << "12";
        QTest::newRow("formula") << "=1+2" << "=1+2";
        QTest::newRow("leading zeros") << "007" << "007";
    }
    void valueTypes()
    {
        QFETCH(QString, text);
        QFETCH(QString, remark);
        AddItem(run->db, 1, 2, 3, {{"NAME", text}, {"STAN", text}, {"UNIT", "개"}});
        AddRow(run->db, 1, 2, 3, 1, {{"NAME", text}, {"STAN", text}, {"UNIT", text.left(4)}, {"ETC", text}});
        OpenOverviewList(m());
        const WorkbookReader book = exported();
        for (const auto &[address, expected] : {std::pair{"B3", text}, {"C3", text}, {"D3", text.left(4)}, {"M3", remark}}) {
            QCOMPARE(book.value(Sheet, address), QJsonValue(expected));
            QCOMPARE(book.cell(Sheet, address).value("type").toString(), QStringLiteral("s"));
        }
        QVERIFY(book.value(Sheet, "B1").toString().startsWith("대가명: " + text + ' '));
    }

    void pageSetUpOnlyWithAPrinter_data() { PrinterRows(); }
    void pageSetUpOnlyWithAPrinter()
    {
        QFETCH(bool, printer);
        run->printer = printer;
        plainBreakdown(5);
        VerifyPageSetUp(exported().sheet(Sheet), printer, 60, 47);
    }

    void emptyBreakdownWritesNothing()
    {
        plainBreakdown(0);
        OpenPageOne(m());
        MessageAnswerer answers;
        QCOMPARE(ExportBreakdownSheet(m().Tdtail, BreakdownItemOf(m().qDList), {}), QString());
        QVERIFY(answers.texts().isEmpty());
        QVERIFY(!QDir(run->workFolder()).exists());
    }

    // The spreadsheet cannot be started: the message alone, the rows untouched.
    void failedStart()
    {
        plainBreakdown(3);
        const RollupSums footer = OpenPageOne(m());
        m().Tdtail.setRecNo(1);
        SetExcelApplicationFactory([] { return std::make_unique<FailingApplication>("add", 1); });
        MessageAnswerer answers;
        QCOMPARE(ExportBreakdownSheet(m().Tdtail, BreakdownItemOf(m().qDList), footer), QString());
        QCOMPARE(answers.texts(), QStringList{"Excel 프로그램을 실행할 수 없습니다."});
        QVERIFY(SprSfm.isNull());
        QCOMPARE(m().Tdtail.recNo(), 1);
        QVERIFY(!m().Tdtail.controlsDisabled());
        QVERIFY(!QDir(run->workFolder()).exists());
    }
};

VEK_TEST(TestBreakdownSheet)
#include "tst_BreakdownSheet.moc"
