#include "export/LineItemSheet.h"
#include "core/ProgramState.h"
#include "core/WaitWindow.h"
#include "export/ExcelRun.h"
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

const QString Sheet = QStringLiteral("01내역서");
const QJsonValue Null(QJsonValue::Null);
const QStringList Columns = {"B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M"};

QJsonObject Hair()
{
    return {{"style", "hair"}, {"color", "000000"}};
}

// A side of a cell as {"style", "color"}; empty where the file has no line there.
QJsonObject Line(const WorkbookReader &book, const QString &address, const char *side)
{
    return book.cell(Sheet, address).value("border").toObject().value(side).toObject();
}

// A cell's value; null where the file holds no value.
QJsonValue Value(const WorkbookReader &book, const QString &address)
{
    return book.value(Sheet, address);
}

} // namespace

class TestLineItemSheet : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;
    bool printer_ = false;

    TdMf &m() { return db->module(); }

    // Line item of work item 1, an ordinary line unless it names its TAG.
    void addItem(int order, QVariantHash row)
    {
        row.insert("ACODE", 1);
        row.insert("ABFS", "S");
        row.insert("ODRF", order);
        if (!row.contains("TAG"))
            row.insert("TAG", "N");
        db->insertRow(row);
    }

    // The lists as the main window and the line-item screen open them: the work items,
    // then the line items of work item 1.
    Dataset &openList()
    {
        m().TAlst.setCommandText("select * from NDTAIL where ABFS='A' Order by ODRF");
        m().TAlst.open();
        m().TSlst.setCommandText("select * from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=? Order by ODRF",
                                 {m().TAlst.value("ACODE")});
        m().TSlst.open();
        return m().TSlst;
    }

    QString workFolder() const { return db->home().filePath("Work"); }

    QStringList savedFiles() const
    {
        return QDir(workFolder()).entryList({"*.xlsx"}, QDir::Files, QDir::Name);
    }

    // Exports the open list as work item 01 " 가설공사" and reads the workbook back.
    WorkbookReader exported()
    {
        MessageAnswerer answers;
        ExportLineItemList(m().TSlst, "01", " 가설공사");
        const QString path = QDir(workFolder()).filePath("이름없음 01내역서.xlsx");
        if (!answers.texts().isEmpty())
            throw std::runtime_error("unexpected messages: " + answers.texts().join(" | ").toStdString());
        return WorkbookReader(path);
    }

private slots:
    void init()
    {
        CurrentFileName = UntitledFileName;
        db = std::make_unique<TempDatabase>();
        db->insertRow({{"ACODE", 1}, {"ABFS", "A"}, {"TAG", "A"}, {"ODRF", 1}, {"NOADD", "가설공사"}});
        printer_ = false;
        SetPrinterQuestion([this] { return printer_; });
    }
    void cleanup()
    {
        SetPrinterQuestion({});
        db.reset();
    }

    // Every cell of the fixture's rows, as the list screen shows them and typed.
    void writesEveryCell()
    {
        addItem(1, {{"NAME", "=1+2"}, {"STAN", ""}, {"UNIT", "m2"}, {"INO", 2}, {"PCST11", 1234.56},
                    {"PCST12", 2470}, {"LCST11", 1234.996}, {"ETC", "(5)"}});
        addItem(2, {{"NAME", "철근 가공조립"}, {"STAN", "D10~D13"}, {"UNIT", "ton"}, {"INO", 1.5}, {"PCST11", 800000},
                    {"PCST12", 1200000}, {"SCST11", 333.33}, {"ETC", "A-1-2"}});
        addItem(3, {{"NAME", "레미콘"}, {"STAN", " 25-240-15"}, {"UNIT", "m3"}, {"INO", 3}, {"PCST11", 5000},
                    {"RECV", 5000}, {"LCST11", 100}});
        addItem(4, {{"NAME", "소운반"}});
        addItem(5, {{"NAME", "대형 구조물"}, {"UNIT", "식"}, {"INO", 1}, {"PCST11", 12345678901.0},
                    {"PCST12", 12345678901.0}, {"LCST11", 12345678901.0}});
        addItem(6, {{"NAME", "소     계"}, {"TAG", "T"}, {"PCST12", 1000}, {"LCST12", 2000.4}});
        addItem(7, {{"NAME", "노무 행"}, {"TAG", "M"}, {"LCST11", 77}});
        Dataset &list = openList();
        list.setRecNo(2);

        const WorkbookReader book = exported();

        const QJsonArray expected[] = {
            {"=1+2", Null, "m2", 2, 1234, 2470, 1235, 2469, Null, Null, 4939, "(5)"},
            {"철근 가공조립", "D10~D13", "ton", 1.5, 800000, 1200000, Null, Null, 333, 499, 1200499, "A12"},
            {"레미콘", " 25-240-15", "m3", 3, 5000, "지   급     ", 100, 300, Null, Null, 300, Null},
            {"소운반", Null, Null, Null, Null, Null, Null, Null, Null, Null, Null, Null},
            {"대형 구조물", Null, "식", 1, 12345678901.0, 12345678901.0, 12345678901.0, 12345678901.0, Null, Null,
             24691357802.0, Null},
            {"소     계", Null, Null, Null, Null, 1000, Null, 2000, Null, Null, 3000, Null},
        };
        for (int i = 0; i < 6; ++i) {
            for (int c = 0; c < Columns.size(); ++c) {
                const QString address = Columns[c] + QString::number(i + 3);
                const QJsonObject cell = book.cell(Sheet, address);
                const QJsonValue value = Value(book, address);
                if (value != expected[i][c])
                    QFAIL(qPrintable(address + ": " + value.toVariant().toString() + " instead of "
                                     + expected[i][c].toVariant().toString()));
                if (value.isString())
                    QCOMPARE(cell.value("type").toString(), QStringLiteral("s"));
                if (value.isDouble()) {
                    QCOMPARE(cell.value("type").toString(), QStringLiteral("n"));
                    QCOMPARE(cell.value("number_format").toString(),
                             QString::fromLatin1(c == 3 ? "General" : "#,##0"));
                }
            }
        }
        // Labour rows are not listed, and there is no totals row.
        QCOMPARE(Value(book, "B9"), Null);
        QCOMPARE(book.cell(Sheet, "G5").value("horizontal").toString(), QStringLiteral("center"));
        QVERIFY(book.cell(Sheet, "G3").value("horizontal").isNull());

        // The list is back where it was, its controls enabled.
        QCOMPARE(list.recNo(), 2);
        QCOMPARE(list.asString("NAME"), QStringLiteral("레미콘"));
        QVERIFY(!list.controlsDisabled());
        QVERIFY(SprSfm.isNull());
    }

    void writesTheFrame()
    {
        addItem(1, {{"NAME", "터파기"}});
        openList();
        const WorkbookReader book = exported();

        QCOMPARE(book.sheetNames(), (QStringList{Sheet, "Sheet2", "Sheet3"}));
        QCOMPARE(book.activeSheet(), Sheet);
        const QJsonObject sheet = book.sheet(Sheet);
        QCOMPARE(sheet.value("merged").toArray(), QJsonArray{"B1:M1"});
        const QJsonObject title = book.cell(Sheet, "B1");
        QCOMPARE(title.value("value").toString(), QStringLiteral("01. 가설공사"));
        QCOMPARE(title.value("font").toObject(),
                 (QJsonObject{{"name", "굴림"}, {"size", 9}, {"bold", true}, {"italic", false}, {"color", "000000"}}));
        QCOMPARE(title.value("vertical").toString(), QStringLiteral("center"));

        const QStringList headers = {"명          칭", "규       격 ", "단 위", "수  량", "자재단가", "자재금액",
                                     "노무단가", "노무금액", "경비단가", "경비금액", "계", "비    고"};
        const double widths[] = {1, 20, 13, 3, 5, 7, 8, 7, 8, 7, 8, 8, 9};
        for (int c = 0; c < 13; ++c)
            QCOMPARE(book.column(Sheet, c + 1).value("width").toDouble(), widths[c] + 0.7109375);
        for (int c = 0; c < Columns.size(); ++c) {
            const QJsonObject header = book.cell(Sheet, Columns[c] + "2");
            QCOMPARE(header.value("value").toString(), headers[c]);
            QCOMPARE(header.value("horizontal").toString(), QStringLiteral("center"));
            QCOMPARE(header.value("fill").toString(), QStringLiteral("C0C0C0"));
            QCOMPARE(header.value("font").toObject().value("bold").toBool(), false);
        }
        QVERIFY(book.cell(Sheet, "N2").value("fill").isNull());

        // Every row 17 points; black hairlines on the grid, under the title, at both sides.
        QCOMPARE(sheet.value("default_row_height").toDouble(), 17.0);
        QCOMPARE(sheet.value("rows").toObject().value("3").toDouble(), 17.0);
        const QJsonObject cell = book.cell(Sheet, "C3").value("border").toObject();
        for (const char *side : {"left", "right", "top", "bottom"})
            QCOMPARE(cell.value(side).toObject(), Hair());
        QCOMPARE(Line(book, "H1", "bottom"), Hair());
        QCOMPARE(Line(book, "A17", "right"), Hair());
        QCOMPARE(Line(book, "B17", "left"), Hair());
        QCOMPARE(Line(book, "M28", "right"), Hair());
        QCOMPARE(Line(book, "M28", "bottom"), Hair());
        QVERIFY(Line(book, "M29", "bottom") != Hair());
        QVERIFY(Line(book, "M29", "right") != Hair());
        // Elsewhere the borders are white: the sheet shows no grid of its own.
        const QJsonObject elsewhere = book.column(Sheet, 20).value("border").toObject();
        QCOMPARE(elsewhere.value("left").toObject(), (QJsonObject{{"style", "thin"}, {"color", "FFFFFF"}}));
        QCOMPARE(book.column(Sheet, 20).value("font").toObject().value("name").toString(), QStringLiteral("굴림"));
        QCOMPARE(book.column(Sheet, 1).value("border").toObject().value("right").toObject(),
                 (QJsonObject{{"style", "thin"}, {"color", "FFFFFF"}}));
    }

    // 27 line items: data in rows 3 to 29, the grid down to row 56.
    void twentySevenItems()
    {
        for (int i = 1; i <= 27; ++i)
            addItem(i, {{"NAME", QStringLiteral("항목 %1").arg(i)}});
        openList();
        const WorkbookReader book = exported();
        QCOMPARE(Value(book, "B3"), QJsonValue("항목 1"));
        QCOMPARE(Value(book, "B29"), QJsonValue("항목 27"));
        QCOMPARE(Value(book, "B30"), Null);
        QCOMPARE(Line(book, "M56", "bottom"), Hair());
        QCOMPARE(Line(book, "A56", "right"), Hair());
        QVERIFY(Line(book, "M57", "bottom") != Hair());
        QVERIFY(Line(book, "A57", "right") != Hair());
        QCOMPARE(book.sheet(Sheet).value("row_breaks").toArray(), QJsonArray());
    }

    // The sheet of a many-sheet export: on sheet k from the export set TpSlst, left on its
    // last row with its controls enabled; the run's first sheet stays the active one.
    void sheetOfAnExportOfSeveralSheets()
    {
        addItem(1, {{"NAME", "다른 공종"}});
        for (int i = 1; i <= 3; ++i)
            db->insertRow({{"ACODE", 1}, {"BCODE", 2}, {"SCODE", 3}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", i},
                           {"NAME", QStringLiteral("소공종 항목 %1").arg(i)}, {"INO", i}, {"LCST11", 1000.5}});
        Dataset &list = openList();
        Dataset &items = m().TpSlst;
        items.setCommandText("select * from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=? and BCODE=? and SCODE=? "
                             "Order by ODRF",
                             {1, 2, 3});
        items.open();
        printer_ = true;
        MessageAnswerer answers;
        ExcelRun::Execute(list, {}, [&](ExcelRun &run) {
            run.app().WorkBooks(1).WorkSheets(1).setName("01【중공종】");
            run.app().setVisible(true);
            WriteLineItemSheet(run, 2, "010203내역서", "010203 잡철물", items);
            QCOMPARE(items.recNo(), 2);
            QVERIFY(!items.controlsDisabled());
            WriteLineItemSheet(run, 3, "010204내역서", "010204 도장", items);
        });
        const WorkbookReader book(QDir(workFolder()).filePath("이름없음 01【중공종】.xlsx"));
        QCOMPARE(book.sheetNames(), (QStringList{"01【중공종】", "010203내역서", "010204내역서", "Sheet3"}));
        QCOMPARE(book.activeSheet(), QStringLiteral("01【중공종】"));
        for (const QString &name : {QStringLiteral("010203내역서"), QStringLiteral("010204내역서")}) {
            QCOMPARE(book.cell(name, "B4").value("value").toString(), QStringLiteral("소공종 항목 2"));
            QCOMPARE(book.cell(name, "I5").value("value").toInt(), 3001);
            QCOMPARE(book.cell(name, "M2").value("value").toString(), QStringLiteral("비    고"));
            QCOMPARE(book.sheet(name).value("merged").toArray(), QJsonArray{"B1:M1"});
            QCOMPARE(book.sheet(name).value("page").toObject().value("orientation").toString(), QStringLiteral("landscape"));
        }
        QCOMPARE(book.cell("010203내역서", "B1").value("value").toString(), QStringLiteral("010203 잡철물"));
        QVERIFY(book.cell("01【중공종】", "B4").isEmpty());
    }

    void pageSetUpOnlyWithAPrinter_data()
    {
        QTest::addColumn<bool>("printer");
        QTest::newRow("printer") << true;
        QTest::newRow("no printer") << false;
    }
    void pageSetUpOnlyWithAPrinter()
    {
        QFETCH(bool, printer);
        printer_ = printer;
        addItem(1, {{"NAME", "터파기"}});
        openList();
        const QJsonObject page = exported().sheet(Sheet).value("page").toObject();
        const QJsonObject margins = page.value("margins").toObject();
        if (printer) {
            QCOMPARE(page.value("paper_size").toInt(), 9);
            QCOMPARE(page.value("orientation").toString(), QStringLiteral("landscape"));
            QCOMPARE(margins.value("top").toDouble(), 60.0 / 72);
            QCOMPARE(margins.value("bottom").toDouble(), 47.0 / 72);
        } else {
            QVERIFY(page.value("paper_size").isNull());
            QVERIFY(page.value("orientation").isNull());
            QCOMPARE(margins.value("top").toDouble(), 0.75);
            QCOMPARE(margins.value("bottom").toDouble(), 0.75);
        }
        QCOMPARE(margins.value("left").toDouble(), 0.7);
        QCOMPARE(margins.value("right").toDouble(), 0.7);
    }

    void emptyListDoesNothing()
    {
        Dataset &list = openList();
        MessageAnswerer answers;
        ExportLineItemList(list, "01", " 가설공사");
        QVERIFY(answers.texts().isEmpty());
        QVERIFY(!QDir(workFolder()).exists());
    }

    // Home's Work is a plain file: the start message alone, the list untouched, no file.
    void workFolderThatCannotBeMade()
    {
        addItem(1, {{"NAME", "터파기"}});
        addItem(2, {{"NAME", "되메우기"}});
        Dataset &list = openList();
        list.setRecNo(1);
        QVERIFY(QFile(workFolder()).open(QIODevice::WriteOnly));
        MessageAnswerer answers;
        ExportLineItemList(list, "01", " 가설공사");
        QCOMPARE(answers.texts(), QStringList{"Excel 프로그램을 실행할 수 없습니다."});
        QCOMPARE(list.recNo(), 1);
        QVERIFY(!list.controlsDisabled());
        QVERIFY(SprSfm.isNull());
        QCOMPARE(QDir(db->home().path()).entryList({"*.xlsx"}, QDir::Files), QStringList());
    }

    // A list number that makes no sheet name fails inside the start, like a missing
    // spreadsheet program.
    void listNumberThatMakesNoSheetName()
    {
        addItem(1, {{"NAME", "터파기"}});
        openList();
        MessageAnswerer answers;
        ExportLineItemList(m().TSlst, "01:02", " 가설공사");
        QCOMPARE(answers.texts(), QStringList{"Excel 프로그램을 실행할 수 없습니다."});
        QCOMPARE(savedFiles(), QStringList());
    }

    // The file is named after the open document and never replaces an earlier export.
    void namedAfterTheDocument()
    {
        addItem(1, {{"NAME", "터파기"}});
        openList();
        CurrentFileName = db->home().filePath("문서/신축공사.vek");
        MessageAnswerer answers;
        ExportLineItemList(m().TSlst, "01-02", " 토공");
        ExportLineItemList(m().TSlst, "01-02", " 토공");
        const QStringList files = savedFiles();
        QCOMPARE(QSet<QString>(files.begin(), files.end()),
                 (QSet<QString>{"신축공사 01-02내역서.xlsx", "신축공사 01-02내역서 (2).xlsx"}));
        QCOMPARE(WorkbookReader(QDir(workFolder()).filePath("신축공사 01-02내역서 (2).xlsx")).sheetNames().first(),
                 QStringLiteral("01-02내역서"));
    }
};

VEK_TEST(TestLineItemSheet)
#include "tst_LineItemSheet.moc"
