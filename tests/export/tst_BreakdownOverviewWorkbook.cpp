#include "export/BreakdownOverviewWorkbook.h"
#include "core/DataModule.h"
#include "core/TextUtils.h"
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

const QString Items = QStringLiteral(" 일위대가일람표");
const QString Blocks = QStringLiteral("단위일위대가표");
const QJsonValue Null(QJsonValue::Null);
const QStringList Columns = {"B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M"};
const QString TotalName = QStringLiteral("  금액합계 ▷▶");

QString BlockTitle(const QString &remark, const QString &name, const QString &spec, const QString &unit)
{
    return '[' + remark + "]    명칭: " + PadRightChar(' ', name, 24) + "규격: " + PadRightChar(' ', spec, 17) + " ("
           + unit + ')';
}

} // namespace

class TestBreakdownOverviewWorkbook : public QObject {
    Q_OBJECT

    std::unique_ptr<ExportTestRun> run;
    std::unique_ptr<OverviewRows> rows;

    TdMf &m() { return run->module(); }

    WorkbookReader exported()
    {
        MessageAnswerer answers;
        const QString path = ExportBreakdownOverview(m().qDList, rows->Tdtail, QStringLiteral("강남 오피스텔 신축공사"));
        return SavedWorkbook(path, answers);
    }

    // Five breakdowns under six overview lines:
    // (1,1,1) the footer case, 4 rows; (2,1,1) 2 rows, used by two items at different
    // prices; (3,1,1) rows numbered 1, 2 and 150; (4,1,1) a 10 % labour rate over
    // 25,000; (5,1,1) a 29 % labour rate over 100. Every rate row stored stale.
    void fiveBreakdowns()
    {
        AddItem(run->db, 1, 1, 1,
                {{"NAME", "철근콘크리트 타설"}, {"STAN", "25-240-15"}, {"UNIT", "m3"}, {"PCST11", 4999},
                 {"LCST11", 103700}, {"SCST11", 10}, {"ETC", "A-1"}});
        AddFooterBreakdown(run->db, 1, 1, 1);
        AddItem(run->db, 2, 1, 1, {{"NAME", "거푸집"}, {"UNIT", "m2"}, {"LCST11", 100}});
        AddItem(run->db, 2, 1, 1, {{"NAME", "거푸집"}, {"UNIT", "m2"}, {"LCST11", 200}});
        AddRow(run->db, 2, 1, 1, 1, {{"NAME", "형틀목공"}, {"UNIT", "인"}, {"INO", 0.5}, {"LCST11", 200}});
        AddRow(run->db, 2, 1, 1, 2, {{"NAME", "합판"}, {"UNIT", "장"}, {"INO", 0}, {"PCST11", 9000}});
        AddItem(run->db, 3, 1, 1, {{"NAME", "긴 대가"}, {"UNIT", "식"}});
        for (int order : {1, 2, 150})
            AddRow(run->db, 3, 1, 1, order, {{"NAME", QStringLiteral("행 %1").arg(order)}, {"INO", 1}, {"LCST11", 10}});
        AddItem(run->db, 4, 1, 1, {{"NAME", "10% 대가"}, {"UNIT", "식"}});
        AddRow(run->db, 4, 1, 1, 1,
               {{"NAME", "기초"}, {"INO", 1}, {"PCST11", 10000}, {"LCST11", 10000}, {"SCST11", 5000}, {"LRT1", 0.1}});
        AddRow(run->db, 4, 1, 1, 2, {{"NAME", "노무비 10%"}, {"INO", 3}, {"LCST11", 7}, {"TAG", "R"}, {"NORT", 1}, {"LRT1", 0.1}});
        AddItem(run->db, 5, 1, 1, {{"NAME", "29% 대가"}, {"UNIT", "식"}});
        AddRow(run->db, 5, 1, 1, 1, {{"NAME", "기초"}, {"INO", 1}, {"LCST11", 100}, {"LRT2", 0.29}});
        AddRow(run->db, 5, 1, 1, 2, {{"NAME", "노무비 29%"}, {"INO", 1}, {"LCST11", 28}, {"TAG", "R"}, {"NORT", 2}, {"LRT2", 0.29}});
        OpenOverviewList(m());
    }

    // The cells of a sheet row, B to M.
    static QJsonArray RowCells(const WorkbookReader &book, const QString &sheet, int row)
    {
        QJsonArray cells;
        for (const QString &column : Columns)
            cells.append(book.value(sheet, column + QString::number(row)));
        return cells;
    }

private slots:
    void init()
    {
        run = std::make_unique<ExportTestRun>();
        rows = std::make_unique<OverviewRows>();
    }
    void cleanup()
    {
        rows.reset();
        run.reset();
    }

    void itemSheet()
    {
        fiveBreakdowns();
        m().qDList.setRecNo(3);
        run->printer = true;
        const WorkbookReader book = exported();
        QCOMPARE(book.sheetNames(), (QStringList{Items, Blocks, "Sheet3"}));
        QCOMPARE(book.activeSheet(), Items);
        QCOMPARE(book.value(Items, "B1"), QJsonValue("공사명 : 강남 오피스텔 신축공사"));
        QCOMPARE(book.sheet(Items).value("merged").toArray(), QJsonArray{"B1:I1"});
        const QStringList headers = {"명          칭", "규       격 ", "단위", "자 재 비", "노 무 비", "경    비",
                                     "   계", "비    고"};
        for (int c = 0; c < headers.size(); ++c)
            QCOMPARE(book.value(Items, Columns[c] + "2"), QJsonValue(headers[c]));
        const double widths[] = {1, 27, 20, 4, 10, 10, 10, 10, 15};
        for (int c = 0; c < 9; ++c)
            QCOMPARE(book.column(Items, c + 1).value("width").toDouble(), widths[c] + 0.7109375);
        const QJsonArray item = {"철근콘크리트 타설", "25-240-15", "m3", 4999, 103700, 10, 108709, " A-1"};
        for (int c = 0; c < item.size(); ++c)
            QCOMPARE(book.value(Items, Columns[c] + "3"), item[c]);
        QCOMPARE(book.value(Items, "B4"), QJsonValue("거푸집"));
        QCOMPARE(book.value(Items, "B5"), QJsonValue("거푸집"));
        QCOMPARE(book.value(Items, "B8"), QJsonValue("29% 대가"));
        QCOMPARE(book.value(Items, "B9"), Null);
        QCOMPARE(book.cell(Items, "I28").value("border").toObject().value("bottom").toObject().value("style"),
                 QJsonValue("hair"));
        VerifyPageSetUp(book.sheet(Items), true, 60, 47);
        // Sheet 2 gets no page set-up.
        VerifyPageSetUp(book.sheet(Blocks), false, 0, 0);
        // The list back on its row.
        QCOMPARE(m().qDList.recNo(), 3);
        QVERIFY(!m().qDList.controlsDisabled());
        QVERIFY(SprSfm.isNull());
    }

    // Blocks follow with a stride of R + 4 rows; the footer case to the unit.
    void blocks()
    {
        fiveBreakdowns();
        const WorkbookReader book = exported();
        const QStringList headers = {"        명           칭", "      규       격 ", "단 위", " 수  량", " 자재단가",
                                     "  자재금액", " 노무단가", "  노무금액", " 경비단가", "  경비금액", "      계   ",
                                     "    비     고"};
        // Title rows: block 1 in row 1, then 10, 17, 24, 32, 39.
        QCOMPARE(book.value(Blocks, "B1"), QJsonValue(BlockTitle("A-1", "철근콘크리트 타설", "25-240-15", "m3")));
        QCOMPARE(book.value(Blocks, "B10"), QJsonValue(BlockTitle("", "거푸집", "", "m2")));
        QCOMPARE(book.value(Blocks, "B17"), QJsonValue(BlockTitle("", "거푸집", "", "m2")));
        QCOMPARE(book.value(Blocks, "B24"), QJsonValue(BlockTitle("", "긴 대가", "", "식")));
        QCOMPARE(book.value(Blocks, "B32"), QJsonValue(BlockTitle("", "10% 대가", "", "식")));
        QCOMPARE(book.value(Blocks, "B39"), QJsonValue(BlockTitle("", "29% 대가", "", "식")));
        for (int header : {2, 11, 18, 25, 33, 40}) {
            QCOMPARE(RowCells(book, Blocks, header), QJsonArray::fromStringList(headers));
            QCOMPARE(book.cell(Blocks, "M" + QString::number(header)).value("fill").toString(), QStringLiteral("C0C0C0"));
        }

        const QJsonArray footerCase[] = {
            {"보통인부", "일반공사 직종", "인", 4, Null, Null, 25000, "      100,000.0", Null, Null, "      100,000.0",
             "A-1"},
            {"시멘트", "40kg", "포", 1.5, 3333, "     4,999.9", Null, Null, 7, "           10.5", "        5,010.4", Null},
            {"철근", "D10", "ton", 2, Null, "지   급     ", 800, "        1,600.0", Null, Null, "        1,600.0", Null},
            {"공구손료", "인력품의 2%", "식", 1, Null, Null, 2100, "        2,100.0", Null, Null, "        2,100.0",
             Null},
            {TotalName, Null, Null, 0, Null, "        4,999", Null, 103700, Null, 10, 108709, Null},
        };
        for (int i = 0; i < 5; ++i)
            QCOMPARE(RowCells(book, Blocks, 3 + i), footerCase[i]);
        QCOMPARE(book.cell(Blocks, "G5").value("horizontal").toString(), QStringLiteral("center"));
        QCOMPARE(book.cell(Blocks, "G7").value("horizontal").toString(), QStringLiteral("right"));
        QCOMPARE(book.cell(Blocks, "L7").value("number_format").toString(), QStringLiteral("#,##0"));
        QCOMPARE(book.cell(Blocks, "I7").value("type").toString(), QStringLiteral("n"));
        QCOMPARE(book.cell(Blocks, "I6").value("type").toString(), QStringLiteral("s"));
        // The grid takes the header, the rows and one empty row; the next title stands apart.
        const auto bottom = [&](const QString &address) {
            return book.cell(Blocks, address).value("border").toObject().value("bottom").toObject().value("style");
        };
        QCOMPARE(bottom("M8"), QJsonValue("thin"));
        QCOMPARE(bottom("B1"), QJsonValue("thin"));
        QVERIFY(bottom("B9") != QJsonValue("thin"));
        QCOMPARE(book.value(Blocks, "B8"), Null);

        // One total row for the shared breakdown, listed by both of its blocks.
        for (int first : {12, 19}) {
            QCOMPARE(book.value(Blocks, "B" + QString::number(first)), QJsonValue("형틀목공"));
            QCOMPARE(book.value(Blocks, "E" + QString::number(first + 1)), QJsonValue(0));
            QCOMPARE(RowCells(book, Blocks, first + 2),
                     (QJsonArray{TotalName, Null, Null, 0, Null, "            0", Null, 100, Null, Null, 100, Null}));
            QCOMPARE(book.value(Blocks, "B" + QString::number(first + 3)), Null);
        }
        // Row 150 is an ordinary row; the total row after it takes the total formats.
        QCOMPARE(book.value(Blocks, "B28"), QJsonValue("행 150"));
        QCOMPARE(book.value(Blocks, "I28"), QJsonValue("           10.0"));
        QCOMPARE(RowCells(book, Blocks, 29),
                 (QJsonArray{TotalName, Null, Null, 0, Null, "            0", Null, 30, Null, Null, 30, Null}));
        // 10 % of 25,000 is 2,500; 29 % of 100 is 29.
        QCOMPARE(book.value(Blocks, "H35"), QJsonValue(2500));
        QCOMPARE(book.value(Blocks, "E35"), QJsonValue(1));
        QCOMPARE(book.value(Blocks, "I36"), QJsonValue(12500));
        QCOMPARE(book.value(Blocks, "H42"), QJsonValue(29));
        QCOMPARE(book.value(Blocks, "I43"), QJsonValue(129));
        QCOMPARE(book.value(Blocks, "B44"), Null);
        QCOMPARE(book.value(Blocks, "B45"), Null);

        QCOMPARE(book.sheet(Blocks).value("default_row_height").toDouble(), 17.0);
        const double widths[] = {1, 20, 13, 3, 5, 7, 8, 7, 8, 7, 8, 8, 9};
        for (int c = 0; c < 13; ++c)
            QCOMPARE(book.column(Blocks, c + 1).value("width").toDouble(), widths[c] + 0.7109375);
    }

    // SDTAIL holds the breakdowns with repriced rate rows and one total row each; NDTAIL
    // keeps its stale rate rows; a second run starts SDTAIL afresh.
    void scratchTable()
    {
        fiveBreakdowns();
        for (int turn = 1; turn <= 2; ++turn) {
            exported();
            QCOMPARE(run->db.scalar("select count(*) from SDTAIL").toInt(), 18);
            QCOMPARE(run->db.scalar("select count(*) from SDTAIL where TAG='T'").toInt(), 5);
            QCOMPARE(run->db.scalar("select count(*) from SDTAIL where TAG='T' and ICD1=2").toInt(), 1);
            QCOMPARE(run->db.scalar("select ODRF from SDTAIL where TAG='T' and ICD1=3").toInt(), 151);
            QCOMPARE(run->db.scalar("select ODRF from SDTAIL where TAG='T' and ICD1=1").toInt(), 150);
            const QVariantList total = {4999.0, 103700.0, 10.0, 108710.0, TotalName, 0.0};
            for (int i = 0; i < total.size(); ++i)
                QCOMPARE(run->db.scalar(QStringLiteral("select %1 from SDTAIL where TAG='T' and ICD1=1")
                                        .arg(QStringList{"PCST12", "LCST12", "SCST12", "CSTTAL", "NAME", "INO"}[i])),
                         total[i]);
            QCOMPARE(run->db.scalar("select LCST11 from SDTAIL where TAG='R' and ICD1=4").toDouble(), 2500.0);
            QCOMPARE(run->db.scalar("select INO from SDTAIL where TAG='R' and ICD1=4").toDouble(), 1.0);
            QCOMPARE(run->db.scalar("select LCST11 from SDTAIL where TAG='R' and ICD1=5").toDouble(), 29.0);
            QCOMPARE(run->db.scalar("select LCST11 from SDTAIL where TAG='R' and ICD1=1").toDouble(), 2100.0);
        }
        QCOMPARE(run->db.scalar("select count(*) from NDTAIL").toInt(), 6 + 13);
        QCOMPARE(run->db.scalar("select LCST11 from NDTAIL where TAG='R' and ICD1=4").toDouble(), 7.0);
        QCOMPARE(run->db.scalar("select INO from NDTAIL where TAG='R' and ICD1=4").toDouble(), 3.0);
        QCOMPARE(run->db.scalar("select LCST11 from NDTAIL where TAG='R' and ICD1=5").toDouble(), 28.0);
    }

    void emptyListWritesNothing()
    {
        OpenOverviewList(m());
        MessageAnswerer answers;
        QCOMPARE(ExportBreakdownOverview(m().qDList, rows->Tdtail, "공사"), QString());
        QVERIFY(answers.texts().isEmpty());
        QVERIFY(!QDir(run->workFolder()).exists());
    }

    // A failure amid sheet 2 ends the run soundly: the message with its reason, the list
    // back and enabled, no wait window, the overview's own attachment released.
    void failureAmidTheBlocks()
    {
        fiveBreakdowns();
        m().qDList.setRecNo(2);
        const QString attachments = "select count(*) from MON$ATTACHMENTS where MON$SYSTEM_FLAG = 0";
        int atFailure = 0;
        SetExcelApplicationFactory([&] {
            return std::make_unique<FailingApplication>("interior", 4, [&] { atFailure = run->db.scalar(attachments).toInt(); });
        });
        MessageAnswerer answers;
        ExportBreakdownOverview(m().qDList, rows->Tdtail, "공사");
        QCOMPARE(atFailure, 2);
        QCOMPARE(answers.texts().size(), 1);
        QVERIFY(answers.texts().first().startsWith("엑셀 전송 중 오류가 발생했습니다.\nthe spreadsheet stopped answering"));
        QVERIFY(SprSfm.isNull());
        QCOMPARE(m().qDList.recNo(), 2);
        QVERIFY(!m().qDList.controlsDisabled());
        QCOMPARE(run->db.scalar(attachments).toInt(), 1);
        QVERIFY(!rows->Tdtail.isActive());
        QVERIFY(!rows->Tdtail.cachedUpdates());
    }

    // The spreadsheet cannot be started: the message alone; SDTAIL as it was.
    void failedStart()
    {
        fiveBreakdowns();
        m().SQLConect.execute("insert into SDTAIL (NAME, ODRF) values ('지난 실행', 1)");
        m().SQLConect.commit();
        SetExcelApplicationFactory([] { return std::make_unique<FailingApplication>("name", 1); });
        MessageAnswerer answers;
        QCOMPARE(ExportBreakdownOverview(m().qDList, rows->Tdtail, "공사"), QString());
        QCOMPARE(answers.texts(), QStringList{"Excel 프로그램을 실행할 수 없습니다."});
        QVERIFY(SprSfm.isNull());
        QCOMPARE(run->db.scalar("select count(*) from SDTAIL").toInt(), 1);
        QCOMPARE(run->db.scalar("select NAME from SDTAIL").toString(), QStringLiteral("지난 실행"));
        QVERIFY(!m().qDList.controlsDisabled());
    }
};

VEK_TEST(TestBreakdownOverviewWorkbook)
#include "tst_BreakdownOverviewWorkbook.moc"
