#include "app/MainWindow.h"
#include "app/ItemRows.h"
#include "app/ScreenOpening.h"
#include "app/StatusBar.h"
#include "app/TotalBar.h"
#include "app/WorkItemList.h"
#include "components/CurrencyEdit.h"
#include "components/DataGrid.h"
#include "components/EffectLabel.h"
#include "components/SpeedButton.h"
#include "core/DataModule.h"
#include "core/Environment.h"
#include "core/ProgramState.h"
#include "core/ScreenEntryPoints.h"
#include "core/SqlRoutines.h"
#include "tests/app/ScreenStandIns.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QLineEdit>
#include <QSqlQuery>
#include <QTest>

using namespace vek;

namespace {

const QString AddTitle = QString(25, u' ') + QStringLiteral("내  역  서  공  종  명  등  록");
const QString EditTitle = QString(25, u' ') + QStringLiteral("내  역  서  공  종  명  수  정");
const QString DeleteQuestion = QStringLiteral(" 자료를 정말 삭제하겠습니까?");
const QString QuitQuestion = QStringLiteral(" 작업을 종료하겠습니까 ??");
const QString NoProjectName = QStringLiteral("공사명이 입력되지 않았습니다.");

// A working database with the main window over it (not shown: no start-up runs), its
// project named, the document unchanged and in append mode, and stand-ins on the screens.
class Estimate {
public:
    Estimate()
    {
        window.setGeometry(85, 20, 1110, 957);
        window.dGongSa->setText(QStringLiteral("강남 오피스텔 신축공사"));
        DataChanged = false;
        InsertMode = false;
        InputKind = 0;
    }

    TWorkItemList &list() { return *window.WorkItems; }
    Dataset &items() { return db.module().TAlst; }

    // A work item with ACODE = code, amounts 100, 10, 1 and 111 times the code.
    void add(const QString &name, int code, int odrf, const QVariantHash &more = {})
    {
        QVariantHash row{{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", code}, {"ODRF", odrf}, {"NOADD", name},
                         {"UNIT", QStringLiteral("식")}, {"INO", 1}, {"PCST12", 100 * code}, {"LCST12", 10 * code},
                         {"SCST12", code}, {"CSTTAL", 111 * code}};
        for (auto it = more.begin(); it != more.end(); ++it)
            row[it.key()] = it.value();
        db.insertRow(row);
    }
    // Work items r1.. with the ODRFs given.
    void addNumbered(const QList<int> &odrfs)
    {
        for (int i = 0; i < odrfs.size(); ++i)
            add(QStringLiteral("r%1").arg(i + 1), i + 1, odrfs.at(i));
    }
    void open()
    {
        list().OpenList();
        list().RefreshTotals();
        DataChanged = false;
    }
    void goTo(const QString &name)
    {
        for (items().first(); !items().eof(); items().next())
            if (items().asString("NOADD").trimmed() == name)
                return;
        QFAIL(qPrintable("no work item " + name));
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(list().GrdAlst, key, modifiers);
    }
    // The rows as the list shows them: "name:No", the No column as shown.
    QStringList shown()
    {
        QStringList rows;
        Dataset &ds = items();
        for (int i = 0; i < ds.recordCount(); ++i)
            rows.append(ds.valueOf(i, ds.fieldIndex("NOADD")).toString().trimmed() + u':'
                        + ds.valueOf(i, ds.fieldIndex("RTG")).toString());
        return rows;
    }
    QString current() { return items().asString("NOADD").trimmed(); }
    // Runs a changing statement on the working database and commits it.
    void execute(const QString &sql, const QVariantList &params)
    {
        db.module().SQLConect.execute(sql, params);
        QVERIFY(db.module().SQLConect.commit());
    }
    int count(const QString &where) { return db.scalar("select count(*) from NDTAIL where " + where).toInt(); }
    double material() { return list().TotalBar->LPCST11->Value(); }

    TempDatabase db;
    MessageAnswerer answers{false};
    Tmainf window;
    ScreenStandIns screens{window, [this] { return window.QuitBtn; }};
};

} // namespace

class TestWorkItemList : public QObject {
    Q_OBJECT

private slots:
    void theGridsKeys_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<bool>("moving");
        QTest::addColumn<QString>("project");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("rowsAfter");
        const QString name = QStringLiteral("강남 오피스텔");
        const QStringList rows{"r1:1", "r2:2", "sub:4", "left:5", "rate:7"};
        const QStringList none;
        const int plain = Qt::NoModifier;
        QTest::newRow("F2 without a project name") << "r1" << false << "" << int(Qt::Key_F2) << plain
                                                   << QStringList{NoProjectName} << none << rows;
        QTest::newRow("F2 with only blanks as project name") << "r1" << false << "   " << int(Qt::Key_F2) << plain
                                                             << QStringList{NoProjectName} << none << rows;
        QTest::newRow("F2") << "r1" << false << name << int(Qt::Key_F2) << plain << none << QStringList{"ItemDialog"}
                            << rows;
        QTest::newRow("F3") << "r1" << false << name << int(Qt::Key_F3) << plain << none << QStringList{"ItemDialog"}
                            << rows;
        QTest::newRow("F3 on a subtotal row") << "sub" << false << name << int(Qt::Key_F3) << plain << none << none
                                              << rows;
        QTest::newRow("Enter: line items") << "r1" << false << name << int(Qt::Key_Return) << plain << none
                                           << QStringList{"LineItemScreen"} << rows;
        QTest::newRow("Enter: middle groups") << "r2" << false << name << int(Qt::Key_Enter) << plain << none
                                              << QStringList{"MiddleGroupScreen"} << rows;
        QTest::newRow("Enter on a subtotal row") << "sub" << false << name << int(Qt::Key_Return) << plain << none
                                                 << none << rows;
        QTest::newRow("Enter on a left-out row") << "left" << false << name << int(Qt::Key_Return) << plain << none
                                                 << none << rows;
        QTest::newRow("Enter on a rate row") << "rate" << false << name << int(Qt::Key_Return) << plain << none << none
                                             << rows;
        QTest::newRow("Esc asks to quit") << "r1" << false << name << int(Qt::Key_Escape) << plain
                                          << QStringList{QuitQuestion} << none << rows;
        QTest::newRow("Del, answered no") << "r1" << false << name << int(Qt::Key_Delete) << plain
                                          << QStringList{DeleteQuestion} << none << rows;
        QTest::newRow("F10") << "r1" << false << name << int(Qt::Key_F10) << plain << none << QStringList{"ItemDialog"}
                             << rows;
        QTest::newRow("Ins in the grid inserts nothing")
            << "r1" << false << name << int(Qt::Key_Insert) << plain << none << none << rows;
        const QStringList renumbered{"r1:1", "r2:2", "sub:3", "left:4", "rate:5"};
        QTest::newRow("Alt+R") << "left" << false << name << int(Qt::Key_R) << int(Qt::AltModifier) << none << none
                               << renumbered;
        QTest::newRow("Alt+Shift+R") << "left" << false << name << int(Qt::Key_R)
                                     << int(Qt::AltModifier | Qt::ShiftModifier) << none << none << renumbered;
        const QStringList marked{"r1:☞", "r2:2", "sub:4", "left:5", "rate:7"};
        QTest::newRow("Esc in move mode") << "r1" << true << name << int(Qt::Key_Escape) << plain << none << none
                                          << marked;
        QTest::newRow("Del in move mode") << "r1" << true << name << int(Qt::Key_Delete) << plain << none << none
                                          << marked;
        QTest::newRow("F2 in move mode") << "r1" << true << name << int(Qt::Key_F2) << plain << none << none << marked;
        QTest::newRow("F3 in move mode") << "r1" << true << name << int(Qt::Key_F3) << plain << none << none << marked;
        QTest::newRow("F10 in move mode") << "r1" << true << name << int(Qt::Key_F10) << plain << none
                                          << QStringList{"ItemDialog"} << marked;
    }
    void theGridsKeys()
    {
        QFETCH(QString, row);
        QFETCH(bool, moving);
        QFETCH(QString, project);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, rowsAfter);
        Estimate e;
        e.add("r1", 1, 1);
        e.add("r2", 2, 2, {{"SUB", 1}});
        e.add("sub", 3, 4, {{"TAG", "T"}, {"ICD1", 3}});
        e.add("left", 4, 5, {{"TAG", "E"}});
        e.add("rate", 5, 7, {{"TAG", "R"}});
        e.open();
        e.window.dGongSa->setText(project);
        e.goTo(row);
        if (moving)
            e.key(Qt::Key_F9);

        e.key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QCOMPARE(e.answers.texts(), messages);
        QCOMPARE(e.screens.names(), opened);
        QCOMPARE(e.shown(), rowsAfter);
        QCOMPARE(e.list().MoveMode(), moving);
        QVERIFY(e.window.DatabaseReady());
        QCOMPARE(e.current(), row);
    }

    void aMoveIsOneRowBeforeItsTarget_data()
    {
        QTest::addColumn<QStringList>("steps"); // a row name goes to that row; else a key
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("changed");
        QTest::newRow("row 5 onto row 2") << QStringList{"r5", "F9", "r2", "Enter"}
                                          << QStringList{"r1:1", "r5:2", "r2:3", "r3:4", "r4:5", "r6:7", "r7:8"} << "r5"
                                          << true;
        QTest::newRow("row 2 onto row 5: it moves down, before row 5")
            << QStringList{"r2", "F9", "r5", "Enter"}
            << QStringList{"r1:1", "r3:3", "r4:4", "r2:5", "r5:6", "r6:7", "r7:8"} << "r2" << true;
        QTest::newRow("F9 twice: marks cleared, order kept")
            << QStringList{"r3", "F9", "r6", "F9"}
            << QStringList{"r1:1", "r2:2", "r3:3", "r4:4", "r5:5", "r6:6", "r7:7"} << "r6" << false;
        QTest::newRow("a move, then Alt+R: 1..n, the same row current")
            << QStringList{"r5", "F9", "r2", "Enter", "r6", "Alt+R"}
            << QStringList{"r1:1", "r5:2", "r2:3", "r3:4", "r4:5", "r6:6", "r7:7"} << "r6" << true;
    }
    void aMoveIsOneRowBeforeItsTarget()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, rows);
        QFETCH(QString, current);
        QFETCH(bool, changed);
        Estimate e;
        e.addNumbered({1, 2, 3, 4, 5, 6, 7});
        e.open();
        for (const QString &step : steps) {
            if (step == "F9")
                e.key(Qt::Key_F9);
            else if (step == "Enter")
                e.key(Qt::Key_Return);
            else if (step == "Alt+R")
                e.key(Qt::Key_R, Qt::AltModifier);
            else
                e.goTo(step);
        }
        QCOMPARE(e.shown(), rows);
        QCOMPARE(e.current(), current);
        QCOMPARE(DataChanged, changed);
        QVERIFY(!e.list().MoveMode());
        QCOMPARE(e.count("ABFS='A' and MVE='T'"), 0);
        QVERIFY(e.screens.openings.isEmpty());
    }

    // While a row is marked the tool band is off and "자료이동" shows; the drop ends both.
    void moveModeDisablesTheToolBand()
    {
        Estimate e;
        e.addNumbered({1, 2, 3});
        e.open();
        e.goTo("r3");
        e.key(Qt::Key_F9);
        QVERIFY(e.list().MoveMode());
        QVERIFY(e.list().TagLabel->isVisibleTo(&e.window));
        QCOMPARE(e.list().TagLabel->Caption(), QStringLiteral("자료이동"));
        for (TRxSpeedButton *button : e.window.ToolBandButtons())
            QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
        QCOMPARE(e.count("ABFS='A' and MVE='T' and NOADD='r3'"), 1);

        e.goTo("r1");
        e.key(Qt::Key_Return);
        QVERIFY(!e.list().MoveMode());
        QVERIFY(!e.list().TagLabel->isVisibleTo(&e.window));
        for (TRxSpeedButton *button : e.window.ToolBandButtons())
            QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
        QCOMPARE(e.shown(), (QStringList{"r3:1", "r1:2", "r2:3"}));
    }

    void F9OnAnEmptyListDoesNothing()
    {
        Estimate e;
        e.open();
        e.key(Qt::Key_F9);
        QVERIFY(!e.list().MoveMode());
        QVERIFY(!e.list().TagLabel->isVisibleTo(&e.window));
        QVERIFY(e.list().AppBtn0->isEnabled());
        e.key(Qt::Key_Return);
        e.key(Qt::Key_Delete);
        e.key(Qt::Key_F3);
        e.key(Qt::Key_F10);
        QVERIFY(e.answers.texts().isEmpty());
        QVERIFY(e.screens.openings.isEmpty());
    }

    void deletes_data()
    {
        QTest::addColumn<QList<int>>("odrfs");
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("current");
        QTest::addColumn<double>("material");
        QTest::addColumn<bool>("cascade");
        const QList<int> five{1, 2, 3, 4, 5};
        const QStringList withoutThird{"r1:1", "r2:2", "r4:3", "r5:4"};
        QTest::newRow("row 3 of 5 with its groups, line items and breakdowns")
            << five << "r3" << "A" << true << withoutThird << "r4" << 1200.0 << true;
        QTest::newRow("a subtotal row alone") << five << "r3" << "T" << true << withoutThird << "r4" << 1200.0 << false;
        QTest::newRow("a rate row alone") << five << "r3" << "R" << true << withoutThird << "r4" << 1200.0 << false;
        QTest::newRow("a left-out row alone") << five << "r3" << "E" << true << withoutThird << "r4" << 1200.0 << false;
        QTest::newRow("the last row: the new last is current")
            << five << "r5" << "A" << true << QStringList{"r1:1", "r2:2", "r3:3", "r4:4"} << "r4" << 1000.0 << true;
        QTest::newRow("a row after a gap is no last row")
            << QList<int>{1, 2, 4, 7, 8} << "r4" << "A" << true << QStringList{"r1:1", "r2:2", "r3:3", "r5:4"} << "r5"
            << 1100.0 << true;
        QTest::newRow("answered no") << five << "r3" << "A" << false
                                     << QStringList{"r1:1", "r2:2", "r3:3", "r4:4", "r5:5"} << "r3" << 1500.0 << false;
    }
    void deletes()
    {
        QFETCH(QList<int>, odrfs);
        QFETCH(QString, deleted);
        QFETCH(QString, tag);
        QFETCH(bool, answer);
        QFETCH(QStringList, rows);
        QFETCH(QString, current);
        QFETCH(double, material);
        QFETCH(bool, cascade);
        Estimate e;
        e.addNumbered(odrfs);
        const int code = deleted.mid(1).toInt();
        e.execute("update NDTAIL set TAG=? where ACODE=? and ABFS='A'", {tag, code});
        // Below the row: a middle group with a small group, line items at each level, two
        // unit-price items, one of whose keys a line item of work item 9 uses too.
        const QVariantHash k1{{"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}};
        const QVariantHash k2{{"ICD1", 2}, {"ICD2", 2}, {"ICD3", 2}};
        const auto row = [](int a, int b, int s, const char *abfs, const char *tag, QVariantHash more = {}) {
            more.insert({{"ACODE", a}, {"BCODE", b}, {"SCODE", s}, {"ABFS", abfs}, {"TAG", tag}, {"ODRF", 1}});
            return more;
        };
        e.db.insertRow(row(code, 1, 0, "B", "B", {{"SUB", 1}}));
        e.db.insertRow(row(code, 1, 1, "F", "F"));
        e.db.insertRow(row(code, 0, 0, "S", "D", k1));
        e.db.insertRow(row(code, 1, 1, "S", "D", k2));
        e.db.insertRow(row(code, 1, 1, "S", "M"));
        e.db.insertRow(row(9, 0, 0, "S", "D", k2));
        e.db.insertRow(row(0, 0, 0, "X", "N", k1));
        e.db.insertRow(row(0, 0, 0, "X", "N", k2));
        e.db.insertRow(row(0, 0, 0, "W", "E"));
        e.open();
        e.goTo(deleted);
        e.answers.queueAnswer(answer);

        e.key(Qt::Key_Delete);

        QCOMPARE(e.answers.texts(), QStringList{DeleteQuestion});
        QCOMPARE(e.shown(), rows);
        QCOMPARE(e.current(), current);
        QCOMPARE(e.material(), material);
        QCOMPARE(DataChanged, answer);
        QCOMPARE(e.count(QStringLiteral("ABFS<>'A' and ACODE=%1").arg(code)), cascade ? 0 : 5);
        QCOMPARE(e.count("ABFS='X' and ICD1=1"), cascade ? 0 : 1);
        QCOMPARE(e.count("ABFS='X' and ICD1=2"), 1);
        QCOMPARE(e.count("ABFS='W'"), 1);
        QCOMPARE(e.count("ACODE=9"), 1);
    }

    void addingOpensTheItemDialogForANewWorkItem()
    {
        Estimate e;
        e.open();
        e.window.MsgbarClick();
        QVERIFY(InsertMode);
        // The dialog adds the row and marks the document changed.
        e.screens.work = [&e] {
            e.add("새 공종", 1, 1);
            DataChanged = true;
        };

        e.list().AppBtn0->DoClick();

        QCOMPARE(e.screens.names(), QStringList{"ItemDialog"});
        const Opening &opening = e.screens.openings.first();
        QCOMPARE(opening.inputKind, 1);
        QCOMPARE(opening.modePanel, QStringLiteral("[추가]"));
        QVERIFY(!InsertMode);
        const ItemDialogSetup &setup = e.screens.dialogs.first();
        QCOMPARE(setup.page, 0);
        QCOMPARE(setup.title, AddTitle);
        QCOMPARE(setup.geometry, ItemRowDialogPlacement(ScreenSize(), QRect(85, 20, 1110, 957)));
        QCOMPARE(setup.geometry.size(), QSize(390, 270));
        QCOMPARE(setup.geometry.top(), (957 - 270) / 2);
        QCOMPARE(setup.owner, &e.window);
        // After the dialog: the new row listed, its amounts in the total bar.
        QCOMPARE(e.shown(), QStringList{"새 공종:1"});
        QCOMPARE(e.material(), 100.0);
        QCOMPARE(e.list().TotalBar->LCSTTAL->Value(), 111.0);
    }

    // With rows, adding leaves the insert mode as it is: the new row goes before the
    // current one.
    void addingToAListKeepsTheInsertMode()
    {
        Estimate e;
        e.addNumbered({1});
        e.open();
        e.window.MsgbarClick();
        e.key(Qt::Key_F2);
        QCOMPARE(e.screens.openings.first().modePanel, QStringLiteral("[삽입]"));
        QVERIFY(InsertMode);
    }

    // The dialog fills its boxes from the list's current row: the row edited.
    void editingFillsTheDialogFromTheRow_data()
    {
        QTest::addColumn<QVariantHash>("row");
        QTest::addColumn<bool>("lowerRows");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QList<double>>("boxes"); // quantity, material, labour, expense, total
        const QVariantHash priced{{"INO", 2}, {"PCST11", 1000}, {"LCST11", 500}, {"SCST11", 0.5}, {"CSTTAL", 3001}};
        QTest::newRow("work item without lower rows")
            << priced << false << 0 << true << false << QList<double>{2, 1000, 500, 0.5, 1500.5};
        QVariantHash withGroups = priced;
        withGroups.insert("SUB", 1);
        QTest::newRow("work item with middle groups: sub-level box locked")
            << withGroups << true << 0 << false << true << QList<double>{2, 1000, 500, 0.5, 1500.5};
        QTest::newRow("lump row: the total per unit, which the dialog multiplies again")
            << QVariantHash{{"INO", 2}, {"CSTTAL", 10000}} << false << 0 << true << false
            << QList<double>{2, 0, 0, 0, 5000};
        QTest::newRow("lump row of quantity 3") << QVariantHash{{"INO", 3}, {"CSTTAL", 10000}} << false << 0 << true
                                                << false << QList<double>{3, 0, 0, 0, 3333.3333};
        QTest::newRow("lump row without quantity") << QVariantHash{{"INO", 0}, {"CSTTAL", 7000}} << false << 0 << true
                                                   << false << QList<double>{0, 0, 0, 0, 7000};
        QVariantHash leftOut = priced;
        leftOut.insert("TAG", "E");
        QTest::newRow("left-out row") << leftOut << false << 2 << true << false
                                      << QList<double>{2, 1000, 500, 0.5, 1500.5};
        QVariantHash rate = priced;
        rate.insert("TAG", "R");
        QTest::newRow("rate row") << rate << false << 1 << true << false << QList<double>{2, 1000, 500, 0.5, 1500.5};
    }
    void editingFillsTheDialogFromTheRow()
    {
        QFETCH(QVariantHash, row);
        QFETCH(bool, lowerRows);
        QFETCH(int, kind);
        QFETCH(bool, enabled);
        QFETCH(bool, ticked);
        QFETCH(QList<double>, boxes);
        Estimate e;
        e.addNumbered({1});
        row.insert("ETC", QStringLiteral("비고 칸"));
        e.add(QStringLiteral(" 2. 토공사"), 2, 2, row);
        if (lowerRows)
            e.db.insertRow({{"ACODE", 2}, {"BCODE", 1}, {"ABFS", "B"}, {"TAG", "B"}, {"ODRF", 1}});
        e.open();
        e.goTo("2. 토공사");
        ItemRowFields loaded;
        e.screens.work = [&loaded] { loaded = LoadItemRow(OpenListLevel()); };

        e.key(Qt::Key_F3);

        QCOMPARE(e.screens.names(), QStringList{"ItemDialog"});
        QCOMPARE(e.screens.openings.first().inputKind, 2);
        const ItemDialogSetup &setup = e.screens.dialogs.first();
        QCOMPARE(setup.page, 0);
        QCOMPARE(setup.title, EditTitle);
        QCOMPARE(setup.geometry, ItemRowDialogPlacement(ScreenSize(), QRect(85, 20, 1110, 957)));
        QCOMPARE(int(loaded.kind), kind);
        QCOMPARE(!loaded.locked, enabled);
        QCOMPARE(loaded.sub, ticked);
        QCOMPARE(loaded.name, QStringLiteral(" 2. 토공사"));
        QCOMPARE(loaded.remark, QStringLiteral("비고 칸"));
        QCOMPARE((QList<double>{loaded.quantity, loaded.material, loaded.labour, loaded.expense, loaded.total}), boxes);
        // Unchanged: no recalculation, the row as it was.
        QVERIFY(!DataChanged);
        QCOMPARE(e.shown(), (QStringList{"r1:1", "2. 토공사:2"}));
    }

    void theSumMenuRefreshesOnlyWhenItAddedARow_data()
    {
        QTest::addColumn<bool>("adds");
        QTest::newRow("a 합계 row added") << true;
        QTest::newRow("closed without a row") << false;
    }
    void theSumMenuRefreshesOnlyWhenItAddedARow()
    {
        QFETCH(bool, adds);
        Estimate e;
        e.addNumbered({1, 2});
        e.open();
        QVERIFY(WriteIniInteger("VekFree.ini", "FormTopLft", "합계Top", 300));
        QVERIFY(WriteIniInteger("VekFree.ini", "FormTopLft", "합계Lft", 500));
        // A stale amount the refresh would put right.
        e.execute("update NDTAIL set PCST12=5000 where ACODE=1", {});
        e.screens.work = [&e, adds] {
            if (!adds)
                return;
            e.add(QStringLiteral("합계"), 3, 3, {{"TAG", "T"}, {"ICD1", 3}});
            e.items().refresh();
        };

        e.key(Qt::Key_F10);

        QCOMPARE(e.screens.openings.first().inputKind, 1);
        const ItemDialogSetup &setup = e.screens.dialogs.first();
        QCOMPARE(setup.page, 2);
        QCOMPARE(setup.geometry, QRect(500, 300, 118, 140));
        QCOMPARE(setup.title, QString(8, u' ') + QStringLiteral("집계메뉴"));
        QCOMPARE(e.material(), adds ? 5200.0 : 300.0);
        if (adds)
            QCOMPARE(e.shown().last(), QStringLiteral("합계:3"));
    }

    // The bulk adjustment of the whole estimate is followed by the recalculation cascade
    // when it changed anything.
    void theBulkAdjustmentIsFollowedByTheCascade_data()
    {
        QTest::addColumn<bool>("changes");
        QTest::newRow("adjusted") << true;
        QTest::newRow("closed unchanged") << false;
    }
    void theBulkAdjustmentIsFollowedByTheCascade()
    {
        QFETCH(bool, changes);
        Estimate e;
        e.add("w1", 1, 1, {{"INO", 2}});
        e.db.insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", 1}, {"INO", 1}, {"PCST11", 700},
                        {"PCST12", 700}, {"CSTTAL", 700}});
        e.open();
        e.screens.work = [&e, changes] {
            if (!changes)
                return;
            e.execute("update NDTAIL set PCST11=770, PCST12=770, CSTTAL=770 where ABFS='S'", {});
            DataChanged = true;
        };

        e.list().rSCost->DoClick();

        QCOMPARE(e.screens.openings.first().inputKind, 2);
        const ItemDialogSetup &setup = e.screens.dialogs.first();
        QCOMPARE(setup.page, 1);
        QCOMPARE(setup.geometry, QRect(780, 220, 195, 180));
        QCOMPARE(setup.title, QString(11, u' ') + QStringLiteral("금 액 일 괄 조 정"));
        QCOMPARE(setup.percentage, 0.0);
        QCOMPARE(e.material(), changes ? 1540.0 : 100.0);
        QCOMPARE(e.db.scalar("select PCST11 from NDTAIL where ABFS='A'").toDouble(), changes ? 770.0 : 0.0);
    }

    void drillDownOpensTheWorkItemsScreen_data()
    {
        QTest::addColumn<int>("sub");
        QTest::addColumn<QString>("screen");
        QTest::newRow("middle groups") << 1 << "MiddleGroupScreen";
        QTest::newRow("line items") << 0 << "LineItemScreen";
    }
    void drillDownOpensTheWorkItemsScreen()
    {
        QFETCH(int, sub);
        QFETCH(QString, screen);
        Estimate e;
        e.addNumbered({1, 2});
        e.add(QStringLiteral("철근콘크리트공사"), 3, 3, {{"SUB", sub}});
        e.open();
        e.window.MsgbarClick();
        e.goTo(QStringLiteral("철근콘크리트공사"));
        e.screens.work = [&e] {
            e.execute("update NDTAIL set PCST12=9000 where ACODE=3 and ABFS='A'", {});
            DataChanged = true;
        };

        e.list().GrdAlst->doubleClicked(e.list().GrdAlst->currentIndex());

        QCOMPARE(e.screens.names(), QStringList{screen});
        const Opening &opening = e.screens.openings.first();
        QVERIFY(opening.closeFlat);
        QCOMPARE(opening.modePanel, QStringLiteral("[추가]"));
        const ListScreenSetup &setup = e.screens.lists.first();
        QCOMPARE(setup.geometry, QRect(88, 145, 1105, 830));
        QCOMPARE(setup.LsNo, QStringLiteral("03"));
        QCOMPARE(setup.LjName, QStringLiteral(" 철근콘크리트공사"));
        QVERIFY(!e.window.QuitBtn->Flat());
        QCOMPARE(e.material(), 9300.0);
    }

    void theCostStatementAndTheOverviewOpenWhereTheyMay_data()
    {
        QTest::addColumn<bool>("rows");
        QTest::addColumn<bool>("unitPriceItem");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("messages");
        const QString noItems = QStringLiteral("표를 작성할 대가내용이 없습니다.");
        QTest::newRow("empty estimate") << false << false << QStringList() << QStringList{noItems};
        QTest::newRow("work items without unit-price items")
            << true << false << QStringList{"CostStatement"} << QStringList{noItems};
        QTest::newRow("with a unit-price item")
            << true << true << QStringList{"CostStatement", "BreakdownOverview"} << QStringList();
    }
    void theCostStatementAndTheOverviewOpenWhereTheyMay()
    {
        QFETCH(bool, rows);
        QFETCH(bool, unitPriceItem);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, messages);
        Estimate e;
        if (rows)
            e.addNumbered({1});
        if (unitPriceItem)
            e.db.insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "D"}, {"ODRF", 1}});
        e.open();

        e.list().CostBtn0->DoClick();
        e.list().TreBtn0->DoClick();

        QCOMPARE(e.screens.names(), opened);
        QCOMPARE(e.answers.texts(), messages);
        for (const Opening &opening : e.screens.openings)
            QVERIFY(opening.closeFlat);
        QVERIFY(!e.window.QuitBtn->Flat());
        const QRect main(85, 20, 1110, 957);
        for (int i = 0; i < opened.size(); ++i) {
            const TitledScreenSetup &setup = e.screens.titled.at(i);
            if (opened.at(i) == "CostStatement") {
                QCOMPARE(setup.title, QStringLiteral("공사원가계산서"));
                QCOMPARE(setup.geometry, CostStatementPlacement(ScreenSize(), main));
            } else {
                QCOMPARE(setup.title, QStringLiteral("일위대가일람표"));
                QCOMPARE(setup.geometry, QRect(233, 145, 960, 830));
            }
        }
    }

    void theExportGetsTheProjectName()
    {
        Estimate e;
        e.open();
        e.list().ExcelBtn0->DoClick();
        QCOMPARE(e.screens.names(), QStringList{"WholeEstimateExport"});
        QCOMPARE(e.screens.exports.first().projectName, QStringLiteral("강남 오피스텔 신축공사"));
    }

    // The hidden button recalculates the whole estimate and shows its totals.
    void theRecalculationButtonRunsTheCascade()
    {
        Estimate e;
        e.add("w1", 1, 1, {{"INO", 3}});
        e.db.insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", 1}, {"INO", 1}, {"LCST11", 250},
                        {"LCST12", 250}, {"CSTTAL", 250}});
        e.open();
        QVERIFY(!e.list().CalcBtn0->isVisibleTo(&e.window));
        QCOMPARE(e.list().CalcBtn0->toolTip(), QStringLiteral("금액정렬"));
        e.list().CalcBtn0->DoClick();
        QCOMPARE(e.list().TotalBar->LLCST11->Value(), 750.0);
        QCOMPARE(e.list().TotalBar->LCSTTAL->Value(), 750.0);
        QCOMPARE(e.shown(), QStringList{"w1:1"});
    }
};

VEK_TEST(TestWorkItemList)
#include "tst_WorkItemList.moc"
