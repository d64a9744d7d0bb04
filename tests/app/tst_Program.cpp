#include "app/Program.h"
#include "app/MainWindow.h"
#include "app/WorkItemList.h"
#include "components/SpeedButton.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "export/ExcelRun.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WorkbookReader.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>

using namespace vek;

class TestProgram : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        EntryPoints() = ScreenEntryPoints();
        SetPrinterQuestion({});
        CurrentFileName = UntitledFileName;
    }

    // The work-item list's Excel button writes the whole estimate: titled with the project
    // name, named after the open document, the list back on its row.
    void excelButtonExportsTheWholeEstimate()
    {
        TempDatabase db;
        db.insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 1}, {"ODRF", 1}, {"NOADD", "가설공사"}});
        db.insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 2}, {"ODRF", 2}, {"NOADD", "토공사"}});
        db.insertRow({{"ABFS", "S"}, {"TAG", "N"}, {"ACODE", 2}, {"ODRF", 1}, {"NAME", "터파기"}});
        SetPrinterQuestion([] { return false; });
        CurrentFileName = db.home().filePath("문서/강남 오피스텔.Vek");
        ConnectExports();
        Tmainf window;
        window.dGongSa->setText(QStringLiteral("강남 오피스텔 신축공사"));
        window.WorkItems->OpenList();
        db.module().TAlst.setRecNo(1);

        MessageAnswerer answers;
        window.WorkItems->ExcelBtn0->DoClick();
        const QString path = QDir(db.home().filePath("Work")).filePath("강남 오피스텔 【내역서집계】.xlsx");
        QVERIFY(answers.texts().isEmpty());
        const WorkbookReader book(path);
        QCOMPARE(book.sheetNames(), (QStringList{"【내역서집계】", "02내역서", "Sheet3"}));
        QCOMPARE(book.cell("【내역서집계】", "B1").value("value").toString(),
                 QStringLiteral("공사명:강남 오피스텔 신축공사"));
        QCOMPARE(book.cell("02내역서", "B3").value("value").toString(), QStringLiteral("터파기"));
        QCOMPARE(db.module().TAlst.recNo(), 1);
    }
};

VEK_TEST(TestProgram)
#include "tst_Program.moc"
