#include "export/CostStatementSheet.h"
#include "core/DataModule.h"
#include "core/WaitWindow.h"
#include "export/ExcelRun.h"
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

namespace {

const QString Sheet = QStringLiteral("원가계산서");
const QJsonValue Null(QJsonValue::Null);

QJsonObject Side(const WorkbookReader &book, const QString &address, const char *side)
{
    return book.cell(Sheet, address).value("border").toObject().value(side).toObject();
}

QJsonObject Hair()
{
    return {{"style", "hair"}, {"color", "000000"}};
}

// Statement row k as the grid shows it: "항목 k", an amount of k x 1,000 + 0.7 shown in
// whole units, a basis and a remark with the grid's leading blank.
CostStatementRows Rows()
{
    CostStatementRows rows;
    for (int k = 1; k <= 29; ++k)
        rows[size_t(k - 1)] = {QStringLiteral("항목 %1").arg(k), QStringLiteral("%1").arg(k * 1000, 18),
                               QStringLiteral(" 근거 %1").arg(k), QStringLiteral(" 비고-%1").arg(k)};
    return rows;
}

} // namespace

class TestCostStatementSheet : public QObject {
    Q_OBJECT

    std::unique_ptr<ExportTestRun> run;


    WorkbookReader exported(const CostStatementRows &rows)
    {
        MessageAnswerer answers;
        const QString path = ExportCostStatementSheet(rows, QStringLiteral("강남 오피스텔 신축공사"));
        return SavedWorkbook(path, answers);
    }

private slots:
    void init()
    {
        run = std::make_unique<ExportTestRun>();
        run->db.insertRow({{"ACODE", 1}, {"ABFS", "A"}, {"TAG", "A"}, {"ODRF", 1}, {"NOADD", "가설공사"}});
    }
    void cleanup() { run.reset(); }

    // Amounts as the numbers the grid shows, basis and remark after two blanks, the row
    // numbers beside the names, the header row without a number.
    void writesTheRows()
    {
        CostStatementRows rows = Rows();
        rows[2].amount = QStringLiteral("        1,234,567");
        rows[5].amount = QString();
        rows[6].amount = QStringLiteral("  (5)");
        rows[8].basis = QStringLiteral("   =1+2");
        const WorkbookReader book = exported(rows);
        for (int k = 1; k <= 29; ++k) {
            const QString row = QString::number(k + 4);
            const QJsonValue amount = book.value(Sheet, "F" + row);
            if (k == 3)
                QCOMPARE(amount, QJsonValue(1234567));
            else if (k == 6)
                QCOMPARE(amount, Null);
            else if (k == 7)
                QCOMPARE(amount, QJsonValue("  (5)"));
            else
                QCOMPARE(amount, QJsonValue(k * 1000));
            if (amount.isDouble())
                QCOMPARE(book.cell(Sheet, "F" + row).value("number_format").toString(), QStringLiteral("#,##0"));
            QCOMPARE(book.value(Sheet, "G" + row), QJsonValue(k == 9 ? "  =1+2" : QStringLiteral("  근거 %1").arg(k)));
            QCOMPARE(book.value(Sheet, "H" + row), QJsonValue(QStringLiteral("   비고-%1").arg(k)));
            QCOMPARE(book.value(Sheet, "E" + row), QJsonValue(QStringLiteral("(%1)").arg(k)));
            QCOMPARE(book.cell(Sheet, "E" + row).value("type").toString(), QStringLiteral("s"));
            QCOMPARE(book.cell(Sheet, "F" + row).value("horizontal").toString(), QStringLiteral("right"));
            QCOMPARE(book.cell(Sheet, "G" + row).value("horizontal").toString(), QStringLiteral("left"));
            QCOMPARE(book.cell(Sheet, "H" + row).value("horizontal").toString(), QStringLiteral("left"));
        }
        QCOMPARE(book.cell(Sheet, "G13").value("type").toString(), QStringLiteral("s"));
        QCOMPARE(book.value(Sheet, "E4"), Null);
        QCOMPARE(book.value(Sheet, "D4"), QJsonValue("구           분"));
        QCOMPARE(book.value(Sheet, "F34"), Null);
    }

    // Names in D for rows 1-20 (subtotals fixed), in B across B:D for rows 21-29.
    void namesAndLabels()
    {
        const WorkbookReader book = exported(Rows());
        const QString subtotal = QStringLiteral("소                        계");
        for (int k = 1; k <= 20; ++k) {
            const bool fixed = k == 4 || k == 7 || k == 20;
            QCOMPARE(book.value(Sheet, "D" + QString::number(k + 4)),
                     QJsonValue(fixed ? subtotal : QStringLiteral("항목 %1").arg(k)));
        }
        const QHash<int, QString> fixed = {{23, "누                          계"},
                                           {27, "합                          계"},
                                           {29, "총           합            계"}};
        for (int k = 21; k <= 29; ++k)
            QCOMPARE(book.value(Sheet, "B" + QString::number(k + 4)),
                     QJsonValue(fixed.value(k, QStringLiteral("항목 %1").arg(k))));
        const QStringList labels = {"B7:순", "B10:공", "B13:사", "B16:비", "B19:원", "B22:가", "C5:재",
                                    "C6:료", "C7:비",  "C9:노",  "C10:무", "C11:비", "C14:경", "C22:비",
                                    "B4:비 목", "F4:금         액", "G4:구    성     비", "H4:비          고"};
        for (const QString &label : labels)
            QCOMPARE(book.value(Sheet, label.section(':', 0, 0)), QJsonValue(label.section(':', 1)));
        QCOMPARE(book.value(Sheet, "B3"), QJsonValue("공사명: 강남 오피스텔 신축공사"));
        QCOMPARE(book.cell(Sheet, "B3").value("horizontal").toString(), QStringLiteral("left"));

        QStringList merged = {"B1:H2", "B3:I3", "B4:C4", "D4:E4"};
        for (int row = 25; row <= 33; ++row)
            merged.append(QStringLiteral("B%1:D%1").arg(row));
        merged.sort();
        QJsonArray expected;
        for (const QString &range : merged)
            expected.append(range);
        QCOMPARE(book.sheet(Sheet).value("merged").toArray(), expected);
    }

    // Title font, the column set-up, the row height, and the edges.
    void frame()
    {
        const WorkbookReader book = exported(Rows());
        QCOMPARE(book.sheetNames(), (QStringList{Sheet, "Sheet2", "Sheet3"}));
        QCOMPARE(QDir(run->workFolder()).entryList({"*.xlsx"}), QStringList{"이름없음 원가계산서.xlsx"});
        const QJsonObject title = book.cell(Sheet, "B1");
        QCOMPARE(title.value("value").toString(), QStringLiteral("공 사 원 가 계 산 서"));
        QCOMPARE(title.value("font").toObject(),
                 (QJsonObject{{"name", "굴림"}, {"size", 14}, {"bold", true}, {"italic", false}, {"color", "000000"}}));
        const QJsonObject cell = book.cell(Sheet, "D10");
        QCOMPARE(cell.value("font").toObject().value("size").toDouble(), 9.0);
        QCOMPARE(cell.value("horizontal").toString(), QStringLiteral("center"));
        QCOMPARE(cell.value("vertical").toString(), QStringLiteral("center"));
        QCOMPARE(book.sheet(Sheet).value("default_row_height").toDouble(), 15.0);
        const double widths[] = {1, 2, 2, 15, 3, 18, 33, 30};
        for (int c = 0; c < 8; ++c)
            QCOMPARE(book.column(Sheet, c + 1).value("width").toDouble(), widths[c] + 0.7109375);

        // The grid from B3 to H33; D and E read as one cell; the margin's black edge.
        QCOMPARE(Side(book, "F20", "top"), Hair());
        QCOMPARE(Side(book, "H33", "bottom"), Hair());
        QCOMPARE(Side(book, "H3", "top"), Hair());
        const QJsonObject white{{"style", "hair"}, {"color", "FFFFFF"}};
        for (const QString &row : {QStringLiteral("5"), QStringLiteral("17"), QStringLiteral("24")}) {
            QCOMPARE(Side(book, "D" + row, "right"), white);
            QCOMPARE(Side(book, "E" + row, "left"), white);
            QCOMPARE(Side(book, "A" + row, "right"), Hair());
        }
        // The group labels stand without lines between them, B and C parted by a line.
        QCOMPARE(Side(book, "B9", "bottom").value("color").toString(), QStringLiteral("FFFFFF"));
        QCOMPARE(Side(book, "C15", "bottom").value("color").toString(), QStringLiteral("FFFFFF"));
        QCOMPARE(Side(book, "B15", "right"), Hair());
        QCOMPARE(Side(book, "C8", "bottom"), Hair());
        QCOMPARE(Side(book, "C11", "bottom"), Hair());
        QCOMPARE(Side(book, "D33", "bottom"), Hair());
    }

    void pageSetUpOnlyWithAPrinter_data() { PrinterRows(); }
    void pageSetUpOnlyWithAPrinter()
    {
        QFETCH(bool, printer);
        run->printer = printer;
        VerifyPageSetUp(exported(Rows()).sheet(Sheet), printer, 35, 20, 65);
    }

    // Without a work item nothing is written; a failed start shows the message alone.
    void nothingWithoutAWorkItem()
    {
        run->db.module().SQLConect.execute("delete from NDTAIL");
        run->db.module().SQLConect.commit();
        MessageAnswerer answers;
        QCOMPARE(ExportCostStatementSheet(Rows(), "공사"), QString());
        QVERIFY(answers.texts().isEmpty());
        QVERIFY(!QDir(run->workFolder()).exists());
    }
    void failedStart()
    {
        SetExcelApplicationFactory([] { return std::make_unique<FailingApplication>("name", 1); });
        MessageAnswerer answers;
        QCOMPARE(ExportCostStatementSheet(Rows(), "공사"), QString());
        QCOMPARE(answers.texts(), QStringList{"Excel 프로그램을 실행할 수 없습니다."});
        QVERIFY(SprSfm.isNull());
        QVERIFY(!QDir(run->workFolder()).exists());
    }
};

VEK_TEST(TestCostStatementSheet)
#include "tst_CostStatementSheet.moc"
