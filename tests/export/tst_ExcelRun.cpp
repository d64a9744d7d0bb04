#include "export/ExcelRun.h"
#include "core/ProgramState.h"
#include "core/WaitWindow.h"
#include "platform/spreadsheet/SpreadsheetError.h"
#include "tests/support/FailingApplication.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WorkbookReader.h"

#include <QDir>
#include <QScopeGuard>
#include <QLabel>
#include <QTest>

#include <memory>

using namespace vek;

Q_DECLARE_METATYPE(vek::ExcelApplicationFactory)

namespace {

const QString CannotStart = QStringLiteral("Excel 프로그램을 실행할 수 없습니다.");
const QString Failed = QStringLiteral("엑셀 전송 중 오류가 발생했습니다.");

// A body that writes a title, shows the workbook and writes one value per record.
void WriteRows(ExcelRun &run, Dataset &list)
{
    run.app().Cells(1, 2).setValue(QStringLiteral("title"));
    run.app().WorkSheets(1).Range("B1:C1").Merge();
    run.app().setVisible(true);
    for (int row = 3; !list.eof(); ++row, list.next())
        run.app().Cells(row, 2).setValue(list.asString("NAME"));
}

} // namespace

class TestExcelRun : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;

    Dataset &list() { return db->module().TSlst; }
    QString workFolder() const { return db->home().filePath("Work"); }
    QStringList savedFiles() const { return QDir(workFolder()).entryList({"*.xlsx"}, QDir::Files); }

    void start(ExcelApplication &app) { app.WorkBooks(1).WorkSheets(1).setName("01내역서"); }

private slots:
    void init()
    {
        CurrentFileName = UntitledFileName;
        db = std::make_unique<TempDatabase>();
        for (int i = 1; i <= 3; ++i)
            db->insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", i}, {"NAME", QStringLiteral("항목 %1").arg(i)}});
        list().setCommandText("select * from NDTAIL where ABFS='S' Order by ODRF");
        list().open();
        list().setRecNo(1);
        SetPrinterQuestion([] { return false; });
    }
    void cleanup()
    {
        SetExcelApplicationFactory({});
        SetPrinterQuestion({});
        db.reset();
    }

    void emptyListDoesNothing()
    {
        bool made = false;
        SetExcelApplicationFactory([&] {
            made = true;
            return std::make_unique<ExcelApplication>();
        });
        list().setCommandText("select * from NDTAIL where ABFS='Q'");
        list().open();
        MessageAnswerer answers;
        ExcelRun::Execute(list(), {}, [](ExcelRun &) { QFAIL("the body ran"); });
        QVERIFY(!made);
        QVERIFY(answers.texts().isEmpty());
    }

    void failedStart_data()
    {
        QTest::addColumn<ExcelApplicationFactory>("factory");
        QTest::newRow("the application cannot be made") << ExcelApplicationFactory([]() -> std::unique_ptr<ExcelApplication> {
            throw SpreadsheetError(QStringLiteral("not installed"));
        });
        QTest::newRow("no application") << ExcelApplicationFactory([] { return std::unique_ptr<ExcelApplication>(); });
        QTest::newRow("no workbook") << ExcelApplicationFactory([] { return std::make_unique<FailingApplication>("add", 1); });
        QTest::newRow("sheet 1 cannot be named") << ExcelApplicationFactory([] {
            return std::make_unique<FailingApplication>("name", 1);
        });
    }
    void failedStart()
    {
        QFETCH(ExcelApplicationFactory, factory);
        SetExcelApplicationFactory(factory);
        bool asked = false;
        SetPrinterQuestion([&] { return asked = true; });
        MessageAnswerer answers;
        ExcelRun::Execute(list(), [this](ExcelApplication &app) { start(app); }, [](ExcelRun &) { QFAIL("the body ran"); });
        QCOMPARE(answers.texts(), QStringList{CannotStart});
        QVERIFY(!asked);
        QCOMPARE(list().recNo(), 1);
        QVERIFY(!list().controlsDisabled());
        QVERIFY(SprSfm.isNull());
        QCOMPARE(savedFiles(), QStringList());
    }

    // The printer is asked before the wait message shows; while the body runs the wait
    // message is up, the list on its first record with its controls disabled; afterwards
    // all of that is undone and the saved file announced: the offscreen desktop opens no
    // file, and the run is not asked to stay quiet.
    void stepsInOrder()
    {
        const QByteArray quiet = qgetenv("VEK_NO_OPEN");
        qunsetenv("VEK_NO_OPEN");
        const auto restore = qScopeGuard([&quiet] { qputenv("VEK_NO_OPEN", quiet); });
        QStringList events;
        SetPrinterQuestion([&] {
            events.append(SprSfm.isNull() ? "printer asked" : "printer asked behind the wait window");
            return true;
        });
        MessageAnswerer answers;
        ExcelRun::Execute(list(), [this](ExcelApplication &app) { start(app); }, [&](ExcelRun &run) {
            events.append("body");
            QVERIFY(run.hasPrinter());
            QVERIFY(!SprSfm.isNull());
            QCOMPARE(SprSfm->MessageLabel->text(), QStringLiteral("자료를 엑셀파일로 전송 중입니다. 잠시만..."));
            QCOMPARE(SprSfm->MessageLabel->palette().color(QPalette::WindowText), QColor(0, 0, 128));
            QCOMPARE(list().recNo(), 0);
            QVERIFY(list().controlsDisabled());
            WriteRows(run, list());
        });
        QCOMPARE(events, (QStringList{"printer asked", "body"}));
        QVERIFY(SprSfm.isNull());
        QCOMPARE(list().recNo(), 1);
        QVERIFY(!list().controlsDisabled());
        const QString path = QDir(workFolder()).filePath("이름없음 01내역서.xlsx");
        QCOMPARE(answers.texts(), QStringList{"엑셀파일로 저장했습니다.\n" + path});
        QCOMPARE(WorkbookReader(path).cell("01내역서", "B5").value("value").toString(), QStringLiteral("항목 3"));
    }

    // A failure after the start still ends the run soundly and is reported, never as
    // success; a workbook already shown is kept.
    void laterFailure_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<int>("nth");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("before the workbook is shown") << "Merge" << 1 << false << QStringList();
        QTest::newRow("amid the rows") << "Value" << 3 << true << QStringList{"title", "항목 1"};
    }
    void laterFailure()
    {
        QFETCH(QString, member);
        QFETCH(int, nth);
        QFETCH(bool, saved);
        QFETCH(QStringList, rows);
        SetExcelApplicationFactory([&] { return std::make_unique<FailingApplication>(member, nth); });
        MessageAnswerer answers;
        ExcelRun::Execute(list(), [this](ExcelApplication &app) { start(app); },
                          [this](ExcelRun &run) { WriteRows(run, list()); });
        QVERIFY(SprSfm.isNull());
        QVERIFY(!list().controlsDisabled());
        QCOMPARE(list().recNo(), 1);
        const QString path = QDir(workFolder()).filePath("이름없음 01내역서.xlsx");
        QStringList message{Failed, "the spreadsheet stopped answering"};
        if (saved)
            message.append(path);
        QCOMPARE(answers.texts(), QStringList{message.join('\n')});
        QCOMPARE(savedFiles(), saved ? QStringList{"이름없음 01내역서.xlsx"} : QStringList());
        if (saved) {
            const WorkbookReader book(path);
            QCOMPARE(book.cell("01내역서", "B1").value("value").toString(), rows.at(0));
            QCOMPARE(book.cell("01내역서", "B3").value("value").toString(), rows.at(1));
            QVERIFY(book.cell("01내역서", "B4").isEmpty());
        }
    }

    // A database failure in the body is reported the same way.
    void failureOfTheBody()
    {
        MessageAnswerer answers;
        ExcelRun::Execute(list(), {}, [](ExcelRun &run) {
            run.app().setVisible(true);
            throw std::runtime_error("처리실패: the list cannot be read");
        });
        QCOMPARE(answers.texts().size(), 1);
        QVERIFY(answers.texts().first().startsWith(Failed + "\n처리실패: the list cannot be read\n"));
        QCOMPARE(savedFiles(), QStringList{"이름없음 Sheet1.xlsx"});
    }

    // A run that never shows its workbook saves nothing and says nothing.
    void unshownWorkbookIsNotSaved()
    {
        MessageAnswerer answers;
        ExcelRun::Execute(list(), {}, [](ExcelRun &run) { run.app().Cells(1, 1).setValue(QStringLiteral("x")); });
        QVERIFY(answers.texts().isEmpty());
        QCOMPARE(savedFiles(), QStringList());
    }

    // Sheets after the first: added after the active one from the third on, each set up,
    // named and selected; at the end sheet 1 is the active sheet again.
    void severalSheets_data()
    {
        QTest::addColumn<bool>("printer");
        QTest::newRow("printer") << true;
        QTest::newRow("no printer") << false;
    }
    void severalSheets()
    {
        QFETCH(bool, printer);
        SetPrinterQuestion([&] { return printer; });
        MessageAnswerer answers;
        ExcelRun::Execute(list(), {}, [](ExcelRun &run) {
            run.SetUpPage(1);
            run.app().WorkBooks(1).WorkSheets(1).setName("【내역서집계】");
            run.app().setVisible(true);
            run.OpenSheet(2, "01【중공종】");
            run.app().Cells(1, 2).setValue(QStringLiteral("on 2"));
            run.OpenSheet(3, "0101내역서");
            run.app().Cells(1, 2).setValue(QStringLiteral("on 3"));
            run.OpenSheet(4, "0102내역서");
        });
        const WorkbookReader book(QDir(workFolder()).filePath("이름없음 【내역서집계】.xlsx"));
        QCOMPARE(book.sheetNames(), (QStringList{"【내역서집계】", "01【중공종】", "0101내역서", "0102내역서", "Sheet3"}));
        QCOMPARE(book.activeSheet(), QStringLiteral("【내역서집계】"));
        QCOMPARE(book.cell("01【중공종】", "B1").value("value").toString(), QStringLiteral("on 2"));
        QCOMPARE(book.cell("0101내역서", "B1").value("value").toString(), QStringLiteral("on 3"));
        for (const QString &name : book.sheetNames()) {
            const QJsonObject page = book.sheet(name).value("page").toObject();
            const bool setUp = printer && name != "Sheet3";
            QCOMPARE(page.value("paper_size").toInt(), setUp ? 9 : 0);
            QCOMPARE(page.value("orientation").toString(), setUp ? QStringLiteral("landscape") : QString());
            QCOMPARE(book.sheet(name).value("selected").toBool(), name == "【내역서집계】");
        }
    }

    // Names that another sheet holds take the first free " (n)"; every name fits the 31
    // characters a sheet name may have; the run returns the file it saved.
    void sheetNamesAlwaysFit()
    {
        const QString long31 = QString(24, u'1') + "내역서" + "abcd";
        const QStringList names = {"11203내역서", "11203내역서", "11203내역서", "11203내역서 (2)", "【내역서집계】",
                                   long31, long31 + "yz"};
        MessageAnswerer answers;
        const QString path = ExcelRun::Execute(list(), {}, [&](ExcelRun &run) {
            run.app().WorkBooks(1).WorkSheets(1).setName("【내역서집계】");
            run.app().setVisible(true);
            for (int i = 0; i < names.size(); ++i)
                run.OpenSheet(i + 2, names[i]);
        });
        QCOMPARE(long31.size(), 31);
        QCOMPARE(path, QDir(workFolder()).filePath("이름없음 【내역서집계】.xlsx"));
        QCOMPARE(WorkbookReader(path).sheetNames(),
                 (QStringList{"【내역서집계】", "11203내역서", "11203내역서 (2)", "11203내역서 (3)", "11203내역서 (2) (2)",
                              "【내역서집계】 (2)", long31, QString(24, u'1') + "내역서" + " (2)", "Sheet3"}));
    }
};

VEK_TEST(TestExcelRun)
#include "tst_ExcelRun.moc"
