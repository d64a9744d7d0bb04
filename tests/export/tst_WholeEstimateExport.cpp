#include "export/WholeEstimateExport.h"
#include "core/ProgramState.h"
#include "core/WaitWindow.h"
#include "export/ExcelRun.h"
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

const QString Summary = QStringLiteral("【내역서집계】");
const QString Project = QStringLiteral("신축 공사");
const QString ExportSelect = QStringLiteral("select * from NDTAIL Order by ODRF");

} // namespace

class TestWholeEstimateExport : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;
    bool printer_ = false;

    TdMf &m() { return db->module(); }
    QString workFolder() const { return db->home().filePath("Work"); }

    // Rows given as "ABFS ACODE BCODE SCODE ODRF TAG SUB [NOADD or NAME]"; line items are
    // named by the last word, groups titled by it.
    void addRows(const QStringList &rows)
    {
        for (const QString &line : rows) {
            const QStringList f = line.split(u' ');
            QVariantHash row{{"ABFS", f[0]}, {"ACODE", f[1].toInt()}, {"BCODE", f[2].toInt()},
                             {"SCODE", f[3].toInt()}, {"ODRF", f[4].toInt()}, {"TAG", f[5]},
                             {"SUB", f[6].toInt()}};
            if (f.size() > 7)
                row.insert(f[0] == "S" ? "NAME" : "NOADD", f.mid(7).join(u' '));
            db->insertRow(row);
        }
    }

    // The estimate of the issue: work item 1 with middle groups 1 (small groups 1, 2
    // without line items, 3) and 2 (no small groups), a subtotal row, work item 2 without
    // middle groups; a labour row under small group 1.
    void addEstimate()
    {
        db->insertRow({{"ABFS", "A"}, {"ACODE", 1}, {"ODRF", 1}, {"TAG", "A"}, {"SUB", 1}, {"NOADD", "가설공사"},
                       {"INO", 1}, {"UNIT", "식"}, {"PCST12", 12345678901.0}, {"LCST12", 1000.4},
                       {"CSTTAL", 12345679901.4}, {"ETC", "A-1-2"}});
        db->insertRow({{"ABFS", "A"}, {"ACODE", 3}, {"ODRF", 2}, {"TAG", "T"}, {"ICD1", 1}, {"NOADD", "소     계"},
                       {"PCST12", 12345678901.0}, {"CSTTAL", 12345678901.0}});
        addRows({"A 2 0 0 3 A 0 토공사",
                 "B 1 1 0 1 B 1 철근콘크리트", "B 1 2 0 2 B 0 조적",
                 "F 1 1 1 1 F 0 기초", "F 1 1 2 2 F 0 옹벽", "F 1 1 3 3 F 0 슬래브",
                 "S 1 1 1 2 M 0 노임",
                 "S 1 1 3 1 N 0 철근", "S 1 2 0 1 N 0 벽돌쌓기", "S 2 0 0 1 N 0 터파기"});
        db->insertRow({{"ABFS", "S"}, {"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"ODRF", 1}, {"TAG", "N"},
                       {"NAME", "레미콘"}, {"STAN", "25-240-15"}, {"UNIT", "m3"}, {"INO", 2}, {"PCST11", 1234.56},
                       {"PCST12", 2470}, {"LCST11", 1000.5}, {"SCST11", 10}, {"ETC", "A-1"}});
        db->insertRow({{"ABFS", "S"}, {"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"ODRF", 3}, {"TAG", "N"},
                       {"NAME", "거푸집"}, {"INO", 1}, {"PCST11", 5000}, {"RECV", 5000}});
    }

    // The work-item list as the main window opens it, on the row at recNo.
    Dataset &openWorkItems(int recNo)
    {
        Dataset &list = m().TAlst;
        list.setCommandText("select * from NDTAIL where ABFS='A' Order by ODRF");
        list.open();
        list.setRecNo(recNo);
        return list;
    }

    // Runs the export (quietly: no notice waits for an answer) and reads the workbook back.
    WorkbookReader exported()
    {
        MessageAnswerer answers;
        const QString path = ExportWholeEstimate(Project, db->home().filePath("문서/신축.Vek"));
        if (path != QDir(workFolder()).filePath("신축 【내역서집계】.xlsx")
            || !answers.texts().isEmpty())
            throw std::runtime_error(("unexpected run: " + path + " | " + answers.texts().join(" | ")).toStdString());
        return WorkbookReader(path);
    }

    int attachments()
    {
        return db->scalar("select count(*) from MON$ATTACHMENTS where MON$SYSTEM_FLAG = 0").toInt();
    }

    void exportSetsAreClosed()
    {
        for (Dataset *set : {&m().TpBfst, &m().TpSlst}) {
            QVERIFY2(!set->isActive(), qPrintable(set->name()));
            QCOMPARE(set->commandText(), ExportSelect);
            QVERIFY(!set->controlsDisabled());
        }
    }

private slots:
    void init()
    {
        CurrentFileName = UntitledFileName;
        db = std::make_unique<TempDatabase>();
        printer_ = false;
        SetPrinterQuestion([this] { return printer_; });
    }
    void cleanup()
    {
        SetExcelApplicationFactory({});
        SetPrinterQuestion({});
        db.reset();
    }

    // Every level, sheet by sheet: names in order with the workbook's own third sheet
    // last, the titles, the rows of each summary, the line items, no labour row.
    void writesEveryLevel()
    {
        addEstimate();
        const int attached = attachments();
        const WorkbookReader book = exported();
        QCOMPARE(attachments(), attached);

        const QStringList names = {Summary, "01【중공종】", "0101【소공종】", "010101내역서", "010103내역서",
                                   "0102내역서", "03내역서"};
        QCOMPARE(book.sheetNames(), names + QStringList{"Sheet3"});
        QCOMPARE(book.activeSheet(), Summary);
        const QStringList titles = {"공사명:신축 공사", "01 가설공사", "0101 철근콘크리트", "010101 기초",
                                    "010103 슬래브", "0102 조적", "03 토공사"};
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(book.value(names[i], "B1").toString(), titles[i]);
            QCOMPARE(book.sheet(names[i]).value("selected").toBool(), i == 0);
        }

        // The summary of the work items, the subtotal row among them.
        const QJsonArray first = {1, " 가설공사", 1, " 식", 12345678901.0, 1000, QJsonValue::Null, 12345679901.0,
                                  "A-1-2"};
        const QStringList columns = {"B", "C", "D", "E", "F", "G", "H", "I", "J"};
        for (int c = 0; c < columns.size(); ++c)
            QCOMPARE(book.value(Summary, columns[c] + "3"), first[c]);
        QCOMPARE(book.cell(Summary, "F3").value("number_format").toString(), QStringLiteral("#,##0"));
        QCOMPARE(book.cell(Summary, "C3").value("type").toString(), QStringLiteral("s"));
        QCOMPARE(book.value(Summary, "C4"), QJsonValue(" 소     계"));
        QCOMPARE(book.value(Summary, "F4"), QJsonValue(12345678901.0));
        QCOMPARE(book.value(Summary, "E4"), QJsonValue(" "));
        QCOMPARE(book.value(Summary, "C5"), QJsonValue(" 토공사"));
        QCOMPARE(book.value(Summary, "B6"), QJsonValue(QJsonValue::Null));

        QCOMPARE(book.value("01【중공종】", "C3"), QJsonValue(" 철근콘크리트"));
        QCOMPARE(book.value("01【중공종】", "C4"), QJsonValue(" 조적"));
        QCOMPARE(book.value("0101【소공종】", "C5"), QJsonValue(" 슬래브"));
        QCOMPARE(book.value("0101【소공종】", "B5"), QJsonValue(3));
        // Every cell of a line item, the display amounts worked out as the list shows them.
        const QJsonArray item = {"레미콘", "25-240-15", "m3", 2, 1234, 2470, 1000, 2001, 10, 20, 4491, "A1"};
        for (int c = 0; c < item.size(); ++c)
            QCOMPARE(book.value("010101내역서", QString(QChar(u'B' + c)) + "3"), item[c]);
        QCOMPARE(book.value("010101내역서", "B4"), QJsonValue("거푸집"));
        QCOMPARE(book.value("010101내역서", "G4"), QJsonValue("지   급     "));
        QCOMPARE(book.cell("010101내역서", "G4").value("horizontal").toString(), QStringLiteral("center"));
        QCOMPARE(book.value("010101내역서", "B5"), QJsonValue(QJsonValue::Null));
        QCOMPARE(book.value("0102내역서", "B3"), QJsonValue("벽돌쌓기"));
        QCOMPARE(book.value("03내역서", "B3"), QJsonValue("터파기"));
        for (const QString &name : book.sheetNames()) {
            const QJsonObject cells = book.cells(name);
            for (auto cell = cells.begin(); cell != cells.end(); ++cell)
                QVERIFY2(cell.value().toObject().value("value") != QJsonValue("노임"), qPrintable(name + cell.key()));
        }

        // The work-item list was closed: it is opened for the run and closed again.
        QVERIFY(!m().TAlst.isActive());
        exportSetsAreClosed();
    }

    // The summary layout: widths A to J, headers, the title over B1:I1, grid and side
    // rules to J.
    void summaryLayout()
    {
        addEstimate();
        const WorkbookReader book = exported();
        for (const QString &name : {Summary, QStringLiteral("01【중공종】"), QStringLiteral("0101【소공종】")}) {
            const double widths[] = {1, 3, 30, 4, 4, 12, 12, 12, 13, 15};
            for (int c = 0; c < 10; ++c)
                QCOMPARE(book.column(name, c + 1).value("width").toDouble(), widths[c] + 0.7109375);
            const QStringList headers = {" No", "공        종        명", "수  량", "단 위", "자   재    비",
                                         "노   무    비", "경         비", "계", "비       고"};
            for (int c = 0; c < headers.size(); ++c) {
                const QJsonObject header = book.cell(name, QString(QChar(u'B' + c)) + "2");
                QCOMPARE(header.value("value").toString(), headers[c]);
                QCOMPARE(header.value("fill").toString(), QStringLiteral("C0C0C0"));
            }
            QCOMPARE(book.sheet(name).value("merged").toArray(), QJsonArray{"B1:I1"});
            const QJsonObject hair{{"style", "hair"}, {"color", "000000"}};
            const QJsonObject corner = book.cell(name, "J28").value("border").toObject();
            QCOMPARE(corner.value("right").toObject(), hair);
            QCOMPARE(corner.value("bottom").toObject(), hair);
            QVERIFY(book.cell(name, "K28").value("border").toObject().value("bottom").toObject() != hair);
            QCOMPARE(book.cell(name, "A28").value("border").toObject().value("right").toObject(), hair);
        }
    }

    // The sheets that come out of estimates of several shapes, name for name.
    void sheetSequence_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("sheets");
        QTest::newRow("worked sequence")
            << QStringList{"A 1 0 0 1 A 1", "B 1 1 0 1 B 1", "F 1 1 1 1 F 0", "F 1 1 2 2 F 0", "S 1 1 1 1 N 0",
                           "S 1 1 2 1 N 0", "B 1 2 0 2 B 0", "S 1 2 0 1 N 0", "A 2 0 0 2 A 0", "S 2 0 0 1 N 0"}
            << QStringList{Summary, "01【중공종】", "0101【소공종】", "010101내역서", "010102내역서", "0102내역서",
                           "02내역서", "Sheet3"};
        QTest::newRow("only work item, no rows below")
            << QStringList{"A 1 0 0 1 A 0"} << QStringList{Summary, "Sheet2", "Sheet3"};
        QTest::newRow("only labour rows") << QStringList{"A 1 0 0 1 A 0", "S 1 0 0 1 M 0"}
                                          << QStringList{Summary, "Sheet2", "Sheet3"};
        QTest::newRow("groups without line items leave no gap")
            << QStringList{"A 1 0 0 1 A 1", "B 1 1 0 1 B 0", "B 1 2 0 2 B 1", "F 1 2 1 1 F 0", "F 1 2 2 2 F 0",
                           "S 1 2 2 1 N 0", "B 1 3 0 3 B 0", "S 1 3 0 1 N 0", "A 2 0 0 2 A 0", "A 3 0 0 3 A 0",
                           "S 3 0 0 1 N 0"}
            << QStringList{Summary, "01【중공종】", "0102【소공종】", "010202내역서", "0103내역서", "03내역서", "Sheet3"};
        QTest::newRow("middle groups without line items")
            << QStringList{"A 1 0 0 1 A 1", "B 1 1 0 1 B 0"} << QStringList{Summary, "01【중공종】", "Sheet3"};
        QTest::newRow("middle group with no small groups")
            << QStringList{"A 1 0 0 1 A 1", "B 1 1 0 1 B 1"}
            << QStringList{Summary, "01【중공종】", "0101【소공종】", "Sheet3"};
        QTest::newRow("rate, left-out and subtotal rows get no sheet")
            << QStringList{"A 1 0 0 1 A 1", "B 1 1 0 1 R 1", "F 1 1 1 1 F 0", "S 1 1 1 1 N 0", "B 1 2 0 2 E 0",
                           "S 1 2 0 1 N 0", "B 1 3 0 3 B 1", "F 1 3 1 1 T 0", "S 1 3 1 1 N 0", "A 2 0 0 2 R 0",
                           "S 2 0 0 1 N 0"}
            << QStringList{Summary, "01【중공종】", "0103【소공종】", "Sheet3"};
        QTest::newRow("order numbers from 10 on")
            << QStringList{"A 1 0 0 10 A 1", "B 1 1 0 123 B 1", "F 1 1 1 7 F 0", "S 1 1 1 1 N 0"}
            << QStringList{Summary, "10【중공종】", "10123【소공종】", "1012307내역서", "Sheet3"};
        // Order numbers run together: 11 and 203, 112 and 3 name the same sheet.
        QTest::newRow("names that come out alike")
            << QStringList{"A 1 0 0 11 A 1", "B 1 1 0 203 B 0", "S 1 1 0 1 N 0", "A 2 0 0 112 A 1",
                           "B 2 1 0 3 B 0", "S 2 1 0 1 N 0"}
            << QStringList{Summary, "11【중공종】", "11203내역서", "112【중공종】", "11203내역서 (2)", "Sheet3"};
    }
    void sheetSequence()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, sheets);
        addRows(rows);
        const WorkbookReader book = exported();
        QCOMPARE(book.sheetNames(), sheets);
        // Every sheet the export named was written: its title and headers are there.
        for (const QString &name : sheets.mid(0, sheets.size() - 1)) {
            if (name.startsWith("Sheet"))
                continue;
            QVERIFY2(!book.value(name, "B1").toString().isEmpty(), qPrintable(name));
            QVERIFY2(!book.value(name, "C2").toString().isEmpty(), qPrintable(name));
        }
    }

    // Titles keep the order numbers as they are, also where the name took " (2)".
    void namesThatComeOutAlikeKeepTheirTitles()
    {
        addRows({"A 1 0 0 11 A 1 가", "B 1 1 0 203 B 0 나", "S 1 1 0 1 N 0 x", "A 2 0 0 112 A 1 다",
                 "B 2 1 0 3 B 0 라", "S 2 1 0 1 N 0 y"});
        const WorkbookReader book = exported();
        QCOMPARE(book.value("11203내역서", "B1"), QJsonValue("11203 나"));
        QCOMPARE(book.value("11203내역서 (2)", "B1"), QJsonValue("11203 라"));
        QCOMPARE(book.value("11203내역서 (2)", "B3"), QJsonValue("y"));
    }

    void pageSetUp_data()
    {
        QTest::addColumn<bool>("printer");
        QTest::newRow("printer") << true;
        QTest::newRow("no printer") << false;
    }
    void pageSetUp()
    {
        QFETCH(bool, printer);
        printer_ = printer;
        addEstimate();
        const WorkbookReader book = exported();
        for (const QString &name : book.sheetNames()) {
            const QJsonObject page = book.sheet(name).value("page").toObject();
            const QJsonObject margins = page.value("margins").toObject();
            const bool setUp = printer && name != "Sheet3";
            QCOMPARE(page.value("paper_size").toInt(), setUp ? 9 : 0);
            QCOMPARE(page.value("orientation").toString(), setUp ? QStringLiteral("landscape") : QString());
            QCOMPARE(margins.value("top").toDouble(), setUp ? 60.0 / 72 : 0.75);
            QCOMPARE(margins.value("bottom").toDouble(), setUp ? 47.0 / 72 : 0.75);
            QCOMPARE(margins.value("left").toDouble(), 0.7);
        }
    }

    // The open work-item list is read as it stands and left on its record.
    void openListBackOnItsRecord()
    {
        addEstimate();
        Dataset &list = openWorkItems(2);
        const WorkbookReader book = exported();
        QCOMPARE(book.sheetNames().size(), 8);
        QVERIFY(list.isActive());
        QCOMPARE(list.recNo(), 2);
        QCOMPARE(list.asString("NOADD").trimmed(), QStringLiteral("토공사"));
        QVERIFY(!list.controlsDisabled());
    }

    void emptyEstimateDoesNothing()
    {
        MessageAnswerer answers;
        QCOMPARE(ExportWholeEstimate(Project, UntitledFileName), QString());
        QVERIFY(answers.texts().isEmpty());
        QVERIFY(!QDir(workFolder()).exists());
        QVERIFY(!m().TAlst.isActive());
    }

    // A spreadsheet that stops answering amid the run, with every export set open: the run
    // still ends soundly, item by item, and says so.
    void failureAmidTheRun_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<int>("nth");
        QTest::addColumn<QStringList>("written");
        // The fourth sheet name: TpAfst on the middle groups of work item 1, TpBfst on the
        // small groups of middle group 1, TpSlst on the line items of small group 1.
        QTest::newRow("naming a line-item sheet") << "name" << 4 << QStringList{Summary, "01【중공종】", "0101【소공종】"};
        // The title of the first line-item sheet, with TpSlst's controls disabled.
        QTest::newRow("amid a line-item sheet") << "Merge" << 4
                                                << QStringList{Summary, "01【중공종】", "0101【소공종】", "010101내역서"};
    }
    void failureAmidTheRun()
    {
        QFETCH(QString, member);
        QFETCH(int, nth);
        QFETCH(QStringList, written);
        addEstimate();
        Dataset &list = openWorkItems(1);
        const int before = attachments();
        bool setsOpenAtFailure = false;
        int attachmentsAtFailure = 0;
        SetExcelApplicationFactory([&] {
            return std::make_unique<FailingApplication>(member, nth, [&] {
                setsOpenAtFailure = m().TpBfst.isActive() && m().TpSlst.isActive();
                attachmentsAtFailure = attachments();
            });
        });
        MessageAnswerer answers;
        const QString path = ExportWholeEstimate(Project, UntitledFileName);

        QVERIFY(setsOpenAtFailure);
        QCOMPARE(attachmentsAtFailure, before + 1);
        // The list on its record, its controls enabled.
        QCOMPARE(list.recNo(), 1);
        QVERIFY(!list.controlsDisabled());
        // The export sets closed, unfiltered, their own select back; TpAfst's attachment gone.
        exportSetsAreClosed();
        QCOMPARE(attachments(), before);
        // No wait window; the failure said, with the workbook kept as far as it was written.
        QVERIFY(SprSfm.isNull());
        QCOMPARE(path, QDir(workFolder()).filePath("이름없음 【내역서집계】.xlsx"));
        const QStringList message = {"엑셀 전송 중 오류가 발생했습니다.", "the spreadsheet stopped answering", path};
        QCOMPARE(answers.texts(), QStringList{message.join('\n')});
        const WorkbookReader book(path);
        QCOMPARE(book.sheetNames().mid(0, written.size()), written);
    }
};

VEK_TEST(TestWholeEstimateExport)
#include "tst_WholeEstimateExport.moc"
