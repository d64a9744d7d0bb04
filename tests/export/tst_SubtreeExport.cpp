#include "export/SubtreeExport.h"
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

const QJsonValue Null(QJsonValue::Null);

QStringList Column(const WorkbookReader &book, const QString &sheet, const QString &column, int rows)
{
    QStringList values;
    for (int row = 3; row < 3 + rows; ++row)
        values.append(book.value(sheet, column + QString::number(row)).toVariant().toString());
    return values;
}

} // namespace

class TestSubtreeExport : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;

    TdMf &m() { return db->module(); }
    QString workFolder() const { return db->home().filePath("Work"); }

    void add(const QString &abfs, int a, int b, int s, int order, const QString &tag, int sub, const QString &text)
    {
        db->insertRow({{"ABFS", abfs}, {"ACODE", a}, {"BCODE", b}, {"SCODE", s}, {"ODRF", order}, {"TAG", tag},
                       {"SUB", sub}, {abfs == "S" ? "NAME" : "NOADD", text}});
    }

    // Work item 2 (order 2) and its middle groups: 1 (order 1) with small groups 1, a rate
    // row with line items of its own, and 3; 2 marked as having small groups but without
    // any; 3 without small groups; a subtotal row. A labour row under small group 1.
    void addEstimate()
    {
        add("A", 1, 0, 0, 1, "A", 0, "가설공사");
        add("A", 2, 0, 0, 2, "A", 1, "토공사");
        add("B", 2, 1, 0, 1, "B", 1, "철근콘크리트");
        add("B", 2, 2, 0, 2, "B", 1, "조적");
        add("B", 2, 3, 0, 3, "B", 0, "미장");
        add("B", 2, 4, 0, 4, "T", 0, "소     계");
        add("F", 2, 1, 1, 1, "F", 0, "기초");
        add("F", 2, 1, 2, 2, "R", 0, "공구손료");
        add("F", 2, 1, 3, 3, "F", 0, "슬래브");
        add("S", 2, 1, 1, 1, "N", 0, "레미콘");
        add("S", 2, 1, 1, 2, "M", 0, "노임");
        add("S", 2, 1, 1, 3, "N", 0, "거푸집");
        add("S", 2, 1, 2, 1, "N", 0, "손료 항목");
        add("S", 2, 1, 3, 1, "N", 0, "철근");
        add("S", 2, 3, 0, 1, "N", 0, "시멘트 미장");
        add("S", 1, 0, 0, 1, "N", 0, "다른 공종");
    }

    // The lists as the screens leave them: work item 2 current, middle group 1 current
    // in the middle-group list, the small groups of middle group 1.
    void openLists()
    {
        m().TAlst.setCommandText("select * from NDTAIL where ABFS='A' Order by ODRF");
        m().TAlst.open();
        m().TAlst.setRecNo(1);
        m().TBlst.setCommandText("select * from NDTAIL where ABFS='B' and ACODE=? Order by ODRF", {2});
        m().TBlst.open();
        m().TFlst.setCommandText("select * from NDTAIL where ABFS='F' and ACODE=? and BCODE=? Order by ODRF", {2, 1});
        m().TFlst.open();
    }

    WorkbookReader read(const QString &sheetOne, const MessageAnswerer &answers)
    {
        const QString path = QDir(workFolder()).filePath("이름없음 " + sheetOne + ".xlsx");
        if (!answers.texts().isEmpty())
            throw std::runtime_error("unexpected messages: " + answers.texts().join(" | ").toStdString());
        return WorkbookReader(path);
    }

    void exportSetsAreClosed()
    {
        for (Dataset *set : {&m().TpBfst, &m().TpSlst}) {
            QVERIFY2(!set->isActive(), qPrintable(set->name()));
            QCOMPARE(set->commandText(), QStringLiteral("select * from NDTAIL Order by ODRF"));
        }
    }

private slots:
    void init()
    {
        CurrentFileName = UntitledFileName;
        db = std::make_unique<TempDatabase>();
        SetPrinterQuestion([] { return true; });
        addEstimate();
        openLists();
    }
    void cleanup()
    {
        SetExcelApplicationFactory({});
        SetPrinterQuestion({});
        db.reset();
    }

    // Two small groups with line items and a rate row: the summary of three rows, two
    // line-item sheets; the list back on its record.
    void smallGroupList()
    {
        Dataset &list = m().TFlst;
        list.setRecNo(2);
        MessageAnswerer answers;
        ExportSmallGroupList(list, m().TAlst, m().TBlst, "02-01", " 철근콘크리트");
        const WorkbookReader book = read("02-01【소공종】", answers);

        QCOMPARE(book.sheetNames(), (QStringList{"02-01【소공종】", "020101내역서", "020103내역서", "Sheet3"}));
        QCOMPARE(book.activeSheet(), QStringLiteral("02-01【소공종】"));
        QCOMPARE(book.value("02-01【소공종】", "B1"), QJsonValue("02-01 철근콘크리트"));
        QCOMPARE(Column(book, "02-01【소공종】", "C", 4), (QStringList{" 기초", " 공구손료", " 슬래브", ""}));
        QCOMPARE(Column(book, "02-01【소공종】", "B", 3), (QStringList{"1", "2", "3"}));
        QCOMPARE(book.sheet("02-01【소공종】").value("merged").toArray(), QJsonArray{"B1:I1"});
        QCOMPARE(book.value("020101내역서", "B1"), QJsonValue("020101 기초"));
        QCOMPARE(Column(book, "020101내역서", "B", 3), (QStringList{"레미콘", "거푸집", ""}));
        QCOMPARE(book.value("020103내역서", "B1"), QJsonValue("020103 슬래브"));
        QCOMPARE(Column(book, "020103내역서", "B", 2), (QStringList{"철근", ""}));
        for (const QString &name : book.sheetNames().mid(0, 3))
            QCOMPARE(book.sheet(name).value("page").toObject().value("paper_size").toInt(), 9);

        QCOMPARE(list.recNo(), 2);
        QVERIFY(!list.controlsDisabled());
        QCOMPARE(m().TAlst.recNo(), 1);
        exportSetsAreClosed();
    }

    // Each middle group by its kind: small groups with and without line items, a middle
    // group marked as having small groups but with none (its summary with an empty grid to
    // row 28), one without small groups, a subtotal row.
    void middleGroupList()
    {
        Dataset &list = m().TBlst;
        list.setRecNo(2);
        MessageAnswerer answers;
        ExportMiddleGroupList(list, m().TAlst, "02", " 토공사");
        const WorkbookReader book = read("02【중공종】", answers);

        QCOMPARE(book.sheetNames(), (QStringList{"02【중공종】", "0201【소공종】", "020101내역서", "020103내역서",
                                                 "0202【소공종】", "0203내역서", "Sheet3"}));
        QCOMPARE(book.activeSheet(), QStringLiteral("02【중공종】"));
        QCOMPARE(book.value("02【중공종】", "B1"), QJsonValue("02 토공사"));
        QCOMPARE(Column(book, "02【중공종】", "C", 5), (QStringList{" 철근콘크리트", " 조적", " 미장", " 소     계", ""}));
        QCOMPARE(book.value("0201【소공종】", "B1"), QJsonValue("0201 철근콘크리트"));
        QCOMPARE(Column(book, "0201【소공종】", "C", 3), (QStringList{" 기초", " 공구손료", " 슬래브"}));
        QCOMPARE(book.value("0202【소공종】", "B1"), QJsonValue("0202 조적"));
        QCOMPARE(book.value("0202【소공종】", "C2"), QJsonValue("공        종        명"));
        QCOMPARE(book.value("0202【소공종】", "B3"), Null);
        const QJsonObject hair{{"style", "hair"}, {"color", "000000"}};
        QCOMPARE(book.cell("0202【소공종】", "J28").value("border").toObject().value("bottom").toObject(), hair);
        QCOMPARE(book.value("0203내역서", "B1"), QJsonValue("0203 미장"));
        QCOMPARE(book.value("0203내역서", "B3"), QJsonValue("시멘트 미장"));

        QCOMPARE(list.recNo(), 2);
        QVERIFY(!list.controlsDisabled());
        exportSetsAreClosed();
    }

    void emptyListDoesNothing()
    {
        m().TFlst.setCommandText("select * from NDTAIL where ABFS='F' and ACODE=? and BCODE=? Order by ODRF", {2, 3});
        m().TFlst.open();
        MessageAnswerer answers;
        ExportSmallGroupList(m().TFlst, m().TAlst, m().TBlst, "02-03", " 미장");
        QVERIFY(answers.texts().isEmpty());
        QVERIFY(!QDir(workFolder()).exists());
    }

    // A spreadsheet that stops answering amid a small-group summary: the sets it borrowed
    // are given back, the list is on its record, the failure is said.
    void failureGivesTheSetsBack()
    {
        SetExcelApplicationFactory([] { return std::make_unique<FailingApplication>("Merge", 2); });
        Dataset &list = m().TBlst;
        list.setRecNo(1);
        MessageAnswerer answers;
        ExportMiddleGroupList(list, m().TAlst, "02", " 토공사");
        QCOMPARE(answers.texts().size(), 1);
        QVERIFY(answers.texts().first().startsWith("엑셀 전송 중 오류가 발생했습니다.\nthe spreadsheet stopped answering\n"));
        QCOMPARE(list.recNo(), 1);
        QVERIFY(!list.controlsDisabled());
        QVERIFY(SprSfm.isNull());
        exportSetsAreClosed();
    }
};

VEK_TEST(TestSubtreeExport)
#include "tst_SubtreeExport.moc"
