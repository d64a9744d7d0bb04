#include "app/GroupListScreen.h"
#include "app/ItemDialog.h"
#include "app/LineItemScreen.h"
#include "app/MainWindow.h"
#include "app/ScreenOpening.h"
#include "app/StatusBar.h"
#include "app/TotalBar.h"
#include "app/WorkItemList.h"
#include "components/BitCheckBox.h"
#include "components/CurrencyEdit.h"
#include "components/DBNavigator.h"
#include "components/DataGrid.h"
#include "components/EffectLabel.h"
#include "components/ShadowLabel.h"
#include "components/SpeedButton.h"
#include "core/DataModule.h"
#include "core/Environment.h"
#include "core/ProgramState.h"
#include "core/Recalc.h"
#include "core/ScreenEntryPoints.h"
#include "core/WorkDatabase.h"
#include "export/ExcelRun.h"
#include "tests/app/ScreenStandIns.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WorkbookReader.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QJsonValue>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QResizeEvent>
#include <QLabel>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace vek;

Q_DECLARE_METATYPE(GroupLevel)

namespace {

const QString DeleteQuestion = QStringLiteral(" 자료를 정말 삭제하겠습니까?");
const QString HelpMissing = QStringLiteral("Newsleaf.dll 파일에 문제가 있거나 Dll 파일을 찾을 수 없습니다");
const QRect MainPlace(85, 20, 1110, 957);

// The screen being tested, while it lives.
TGroupListFm *Shown = nullptr;

// One row of the estimate: its title in NOADD and NAME, its keys, ODRF and more columns.
QVariantHash Row(const QString &name, const char *abfs, const char *tag, QList<int> keys, int odrf,
                 const QVariantHash &more = {})
{
    while (keys.size() < 3)
        keys.append(0);
    QVariantHash row{{"NOADD", name}, {"NAME", name}, {"ABFS", abfs}, {"TAG", tag}, {"ACODE", keys[0]},
                     {"BCODE", keys[1]}, {"SCODE", keys[2]}, {"ODRF", odrf}, {"UNIT", QStringLiteral("식")}};
    for (auto it = more.begin(); it != more.end(); ++it)
        row[it.key()] = it.value();
    return row;
}

// Quantity, unit prices and the amounts they give.
QVariantHash Priced(double quantity, double material, double labour, double expense)
{
    return {{"INO", quantity},           {"PCST11", material},          {"LCST11", labour},
            {"SCST11", expense},         {"PCST12", quantity * material}, {"LCST12", quantity * labour},
            {"SCST12", quantity * expense}, {"CSTTAL", quantity * (material + labour + expense)}};
}

QVariantHash Stale(double quantity, int sub = 0)
{
    return {{"INO", quantity}, {"SUB", sub}, {"PCST11", -1}, {"PCST12", -1}, {"LCST11", -1}, {"LCST12", -1},
            {"SCST11", -1},    {"SCST12", -1}, {"CSTTAL", -3}};
}

QVariantHash With(QVariantHash values, const QVariantHash &more)
{
    for (auto it = more.begin(); it != more.end(); ++it)
        values[it.key()] = it.value();
    return values;
}

// A working database under the main window (not shown: no start-up runs), with stand-ins
// on the screens the group screens open, the document unchanged, in append mode.
class Estimate {
public:
    Estimate()
    {
        window.setGeometry(MainPlace);
        DataChanged = false;
        InsertMode = false;
        InputKind = 0;
    }
    ~Estimate()
    {
        screen.reset();
        Shown = nullptr;
    }

    void insert(const QVariantHash &row) { db.insertRow(row); }
    void execute(const QString &sql, const QVariantList &params = {})
    {
        db.module().SQLConect.execute(sql, params);
        QVERIFY(db.module().SQLConect.commit());
    }
    // The main window closes, as at the shut-down, which closes the database; then the
    // database is opened again for the checks.
    void shutDown()
    {
        window.close();
        QVERIFY(!db.module().SQLConect.isOpen());
        db.module().Connect(WorkDatabasePath());
    }
    int count(const QString &where) { return db.scalar("select count(*) from NDTAIL where " + where).toInt(); }

    // The lists above the screen of level, opened on their rows named path.
    void openParents(GroupLevel level, const QStringList &path)
    {
        GroupList works(GroupLevel::WorkItems);
        works.OpenList();
        goTo(works.rows(), path.value(0));
        if (level == GroupLevel::SmallGroups) {
            GroupList middles(GroupLevel::MiddleGroups);
            middles.OpenList();
            goTo(middles.rows(), path.value(1));
        }
    }
    // The screen of level over the rows named path, shown and active.
    TGroupListFm &open(GroupLevel level, const QStringList &path)
    {
        openParents(level, path);
        if (level == GroupLevel::MiddleGroups)
            screen = std::make_unique<TBlstFm>(&window);
        else
            screen = std::make_unique<TFlstFm>(&window);
        Shown = screen.get();
        screen->show();
        screen->activateWindow();
        if (!QTest::qWaitForWindowActive(screen.get()))
            qWarning("the screen did not become active");
        DataChanged = false;
        return *screen;
    }
    Dataset &list() { return screen->List.rows(); }
    static void goTo(Dataset &rows, const QString &name)
    {
        for (rows.first(); !rows.eof(); rows.next())
            if (rows.asString("NOADD").trimmed() == name)
                return;
        QFAIL(qPrintable("no row " + name));
    }
    void goTo(const QString &name) { goTo(list(), name); }
    QString current() { return list().asString("NOADD").trimmed(); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(screen->Grid, key, modifiers);
    }
    // The rows as the screen's list shows them: "name:No".
    QStringList shown()
    {
        QStringList rows;
        Dataset &ds = list();
        for (int i = 0; i < ds.recordCount(); ++i)
            rows.append(ds.valueOf(i, ds.fieldIndex("NOADD")).toString().trimmed() + u':'
                        + ds.valueOf(i, ds.fieldIndex("RTG")).toString());
        return rows;
    }
    // The middle groups of work item 1 as the table holds them, in ODRF order, '*' after a
    // marked one.
    QStringList stored()
    {
        QStringList rows;
        QSqlQuery query = db.module().SQLConect.select(
            QStringLiteral("select NOADD, ODRF, MVE from NDTAIL where ABFS='B' and ACODE=1 order by ODRF"));
        while (query.next())
            rows.append(QStringLiteral("%1:%2%3")
                            .arg(query.value(0).toString().trimmed())
                            .arg(query.value(1).toInt())
                            .arg(query.value(2).toString().trimmed() == "T" ? "*" : ""));
        return rows;
    }
    // A row's unit prices and amounts: PCST11, PCST12, LCST11, LCST12, SCST11, SCST12, CSTTAL.
    QString figures(const QString &name)
    {
        QStringList values;
        for (const char *column : {"PCST11", "PCST12", "LCST11", "LCST12", "SCST11", "SCST12", "CSTTAL"})
            values.append(QString::number(
                db.scalar(QStringLiteral("select %1 from NDTAIL where NOADD=?").arg(QLatin1String(column)), {name})
                    .toDouble(),
                'f', 1));
        return name + u' ' + values.join(u' ');
    }
    static QString footer(const TGroupListFm &screen)
    {
        QStringList values;
        for (const TCurrencyEdit *box : {screen.FootPnl->LPCST11, screen.FootPnl->LLCST11, screen.FootPnl->LSCST11,
                                         screen.FootPnl->LCSTTAL})
            values.append(QString::number(box->Value(), 'f', 1));
        return screen.objectName() + QStringLiteral(" footer ") + values.join(u' ');
    }

    TempDatabase db;
    MessageAnswerer answers{false};
    Tmainf window;
    ScreenStandIns screens{window, [] { return Shown ? Shown->sClose : nullptr; }};
    std::unique_ptr<TGroupListFm> screen;
};

// The estimate of the roll-up: work item "W" (quantity 2) over
//   "b1" (quantity 1.5) over line items: an ordinary row, a unit-price item whose
//     breakdown says 100, 50, 10 where the item still says 1, 1, 1, a labour row and a
//     소계 row;
//   "b2" (quantity 2, small groups) over "f1" (quantity 0.5, material 2,401), the lump
//     rate row "f2" (total 500, no prices), the 소계 row "f3" and the left-out row "f4";
//   the 소계 row "b3", the lump rate row "b4" (total 300) and the left-out row "b5".
// Every group row and subtotal row is stale.
void InsertRollupEstimate(Estimate &e)
{
    e.insert(Row("W", "A", "A", {1}, 1, Stale(2, 1)));
    e.insert(Row("b1", "B", "B", {1, 1}, 1, Stale(1.5)));
    e.insert(Row("b1 흙파기", "S", "N", {1, 1}, 1, Priced(2, 300, 200, 0)));
    e.insert(Row("b1 일위대가", "S", "D", {1, 1}, 2, With(Priced(1, 1, 1, 1), {{"ICD1", 5}, {"ICD2", 5}, {"ICD3", 5}})));
    e.insert(Row("b1 노무", "S", "M", {1, 1}, 3, Priced(1, 0, 999, 0)));
    e.insert(Row("b1 소계", "S", "T", {1, 1}, 4, With(Stale(0), {{"ICD1", 1}})));
    e.insert(Row("상세", "X", "N", {}, 1, With(Priced(1, 100, 50, 10), {{"ICD1", 5}, {"ICD2", 5}, {"ICD3", 5}})));
    e.insert(Row("b2", "B", "B", {1, 2}, 2, Stale(2, 1)));
    e.insert(Row("f1", "F", "F", {1, 2, 1}, 1, Stale(0.5)));
    e.insert(Row("f1 철근", "S", "N", {1, 2, 1}, 1, Priced(1, 2401, 201, 3)));
    e.insert(Row("f2", "F", "R", {1, 2, 2}, 2, {{"INO", 1}, {"CSTTAL", 500}}));
    e.insert(Row("f3", "F", "T", {1, 2, 3}, 3, With(Stale(0), {{"ICD1", 1}})));
    e.insert(Row("f4", "F", "E", {1, 2, 4}, 4, Priced(1, 7, 7, 7)));
    e.insert(Row("b3", "B", "T", {1, 3}, 3, With(Stale(0), {{"ICD1", 1}})));
    e.insert(Row("b4", "B", "R", {1, 4}, 4, {{"INO", 1}, {"CSTTAL", 300}}));
    e.insert(Row("b5", "B", "E", {1, 5}, 5, Priced(1, 9, 9, 9)));
}

// Every group row and subtotal row of the roll-up estimate.
QStringList RollupFigures(Estimate &e)
{
    QStringList rows;
    for (const char *name : {"W", "b1", "b1 소계", "b2", "f1", "f2", "f3", "f4", "b3", "b4", "b5"})
        rows.append(e.figures(QString::fromUtf8(name)));
    return rows;
}

} // namespace

class TestGroupListScreen : public QObject {
    Q_OBJECT

private slots:
    void init() { DataChanged = false; }

    // The twins: names, sizes and caption colours; the grid's columns; the popup menu;
    // the right-hand controls at their distance from the right edge after a resize.
    void theTwinsLayout_data()
    {
        QTest::addColumn<GroupLevel>("level");
        QTest::addColumn<QStringList>("names"); // screen, grid, recalculation button
        QTest::addColumn<QColor>("captions");
        QTest::addColumn<int>("height");
        QTest::newRow("middle groups") << GroupLevel::MiddleGroups << QStringList{"BlstFm", "GrdBlst", "BlstCalc"}
                                       << QColor(0xF4, 0xFA, 0xB8) << 692;
        QTest::newRow("small groups") << GroupLevel::SmallGroups << QStringList{"FlstFm", "GrdFlst", "FlstCalc"}
                                      << QColor(0xE7, 0xF1, 0x69) << 619;
    }
    void theTwinsLayout()
    {
        QFETCH(GroupLevel, level);
        QFETCH(QStringList, names);
        QFETCH(QColor, captions);
        QFETCH(int, height);
        Tmainf window;
        std::unique_ptr<TGroupListFm> screen;
        if (level == GroupLevel::MiddleGroups)
            screen = std::make_unique<TBlstFm>();
        else
            screen = std::make_unique<TFlstFm>();
        QCOMPARE((QStringList{screen->objectName(), screen->Grid->objectName(), screen->CalcBtn->objectName()}), names);
        QCOMPARE(screen->size(), QSize(1027, height));
        QVERIFY(screen->windowFlags() & Qt::FramelessWindowHint);
        for (const QLabel *caption : {screen->LsNoTitle, screen->LjNameTitle})
            QCOMPARE(caption->palette().color(QPalette::WindowText), captions);
        QStringList columns;
        for (int i = 0; i < screen->Grid->datasetModel().columnCount(); ++i) {
            const DatasetColumn &column = screen->Grid->datasetModel().column(i);
            columns.append(QStringLiteral("%1 %2 %3 %4")
                               .arg(column.field, column.title.simplified())
                               .arg(column.width)
                               .arg(int(column.alignment & Qt::AlignHorizontal_Mask)));
        }
        QCOMPARE(columns, (QStringList{"rTg No 30 2", "NOADD 공 종 명 287 0", "INO 수량 50 0", "UNIT 단위 45 4",
                                       "PCST12 자 재 비 100 0", "LCST12 노 무 비 100 0", "SCST12 경 비 100 0",
                                       "CSTTAL 계 110 0", "ETC 비 고 140 0"}));
        QStringList items;
        for (const QAction *item : screen->PopupMenu->actions())
            items.append(QStringLiteral("%1 %2 %3").arg(item->text(), item->shortcut().toString()).arg(item->isVisible()));
        QCOMPARE(items, (QStringList{"도움말(Help) F1 0", "자료추가삽입 Ins 1"}));
        QVERIFY(screen->ExcelBtn->isEnabled());
        QVERIFY(!screen->TagLabel->isVisibleTo(screen.get()));

        for (int width : {1027, 1105, 800}) {
            screen->resize(width, height);
            QResizeEvent resized(QSize(width, height), QSize());
            QCoreApplication::sendEvent(screen.get(), &resized);
            const std::pair<QWidget *, int> anchored[] = {
                {screen->sClose, 53}, {screen->HelpBtn, 82}, {screen->DBNav0, 114}, {screen->FootPnl->EndMark, 54}};
            for (const auto &[control, offset] : anchored)
                QCOMPARE(control->mapTo(screen.get(), QPoint(0, 0)).x(), width - offset);
        }
    }

    // Recalculate and close, level by level: the small groups first (opened from the
    // middle group b2), then the middle groups; every figure to the unit.
    void recalculatingAndClosingRollsTheTotalsUp()
    {
        Estimate e;
        InsertRollupEstimate(e);
        TGroupListFm &middles = e.open(GroupLevel::MiddleGroups, {"W"});
        QStringList seen;
        e.screens.onModal = [&seen, &e](QDialog &dialog) {
            auto &smalls = static_cast<TGroupListFm &>(dialog);
            smalls.CalcBtn->DoClick();
            seen.append(Estimate::footer(smalls));
            seen.append(e.figures("f3"));
            QTest::keyClick(smalls.Grid, Qt::Key_Escape);
        };
        e.goTo("b2");
        e.key(Qt::Key_Return);
        QCOMPARE(e.screens.names(), QStringList{"FlstFm"});
        // The close wrote the small groups' footer into b2: 1,200 of material under
        // quantity 2 is 1,200 and 2,400; the total holds the lump 500 and the halves.
        seen.append(e.figures("b2"));
        middles.CalcBtn->DoClick();
        // A recalculation right after the close finds what the close wrote.
        seen.append(e.figures("b2"));
        seen.append(Estimate::footer(middles));
        e.key(Qt::Key_Escape);
        QVERIFY(!middles.isVisible());
        QVERIFY(!dMf->TBlst.isActive());
        QVERIFY(DataChanged);
        seen += RollupFigures(e);

        const QString b2 = "b2 1200.0 2400.0 100.0 200.0 1.0 2.0 3604.0";
        QCOMPARE(seen, (QStringList{
                           "FlstFm footer 1200.0 100.0 1.0 1802.0",
                           "f3 -1.0 1200.5 -1.0 100.5 -1.0 1.5 1802.5",
                           b2,
                           b2,
                           "BlstFm footer 3450.0 875.0 17.0 5644.0",
                           "W 3450.0 6900.0 875.0 1750.0 17.0 34.0 11288.0",
                           "b1 700.0 1050.0 450.0 675.0 10.0 15.0 1740.0",
                           "b1 소계 -1.0 700.0 -1.0 450.0 -1.0 10.0 1160.0",
                           b2,
                           "f1 2401.0 1200.5 201.0 100.5 3.0 1.5 1302.5",
                           "f2 0.0 0.0 0.0 0.0 0.0 0.0 500.0",
                           "f3 -1.0 1200.5 -1.0 100.5 -1.0 1.5 1802.5",
                           "f4 7.0 7.0 7.0 7.0 7.0 7.0 21.0",
                           "b3 -1.0 3450.0 -1.0 875.0 -1.0 17.0 5344.0",
                           "b4 0.0 0.0 0.0 0.0 0.0 0.0 300.0",
                           "b5 9.0 9.0 9.0 9.0 9.0 9.0 27.0",
                       }));

        // Nothing is left to change: neither the screens' recalculation and close nor the
        // main window's cascade finds a figure to write.
        const QStringList after = RollupFigures(e);
        DataChanged = false;
        e.screens.onModal = [](QDialog &smalls) { static_cast<TGroupListFm &>(smalls).CalcBtn->DoClick(); };
        TGroupListFm &again = e.open(GroupLevel::MiddleGroups, {"W"});
        e.goTo("b2");
        e.key(Qt::Key_Return);
        again.CalcBtn->DoClick();
        e.key(Qt::Key_Escape);
        QCOMPARE(RollupFigures(e), after);
        QVERIFY(!DataChanged);
        RecalcWholeEstimate();
        QCOMPARE(RollupFigures(e), after);
    }

    void theGridsKeys_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<bool>("moving");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("rowsAfter");
        QTest::addColumn<bool>("open"); // the screen still shows
        const QStringList rows{"b1:1", "b2:2", "sub:4", "left:5", "rate:7"};
        const QStringList marked{"b1:☞", "b2:2", "sub:4", "left:5", "rate:7"};
        const QStringList none;
        const int plain = Qt::NoModifier;
        const int alt = Qt::AltModifier;
        const auto add = [&](const char *name, const char *row, bool moving, int key, int modifiers,
                             const QStringList &messages, const QStringList &opened, const QStringList &after,
                             bool open = true) {
            QTest::newRow(name) << QString(row) << moving << key << modifiers << messages << opened << after << open;
        };
        add("F2", "b1", false, Qt::Key_F2, plain, none, {"ItemDialog"}, rows);
        add("F3", "b1", false, Qt::Key_F3, plain, none, {"ItemDialog"}, rows);
        add("F3 on a subtotal row", "sub", false, Qt::Key_F3, plain, none, none, rows);
        add("F3 on a left-out row", "left", false, Qt::Key_F3, plain, none, {"ItemDialog"}, rows);
        add("F3 on a rate row", "rate", false, Qt::Key_F3, plain, none, {"ItemDialog"}, rows);
        add("Enter: line items", "b1", false, Qt::Key_Return, plain, none, {"LineItemScreen"}, rows);
        add("Enter: small groups", "b2", false, Qt::Key_Enter, plain, none, {"FlstFm"}, rows);
        add("Enter on a subtotal row", "sub", false, Qt::Key_Return, plain, none, none, rows);
        add("Enter on a left-out row", "left", false, Qt::Key_Return, plain, none, none, rows);
        add("Enter on a rate row", "rate", false, Qt::Key_Return, plain, none, none, rows);
        add("Del, answered no", "b1", false, Qt::Key_Delete, plain, {DeleteQuestion}, none, rows);
        add("F10", "b1", false, Qt::Key_F10, plain, none, {"ItemDialog"}, rows);
        add("Ins switches the mode and inserts nothing", "b1", false, Qt::Key_Insert, plain, none, none, rows);
        add("F1", "b1", false, Qt::Key_F1, plain, {HelpMissing}, none, rows);
        add("Alt+R", "left", false, Qt::Key_R, alt, none, none, {"b1:1", "b2:2", "sub:3", "left:4", "rate:5"});
        add("Esc closes", "b1", false, Qt::Key_Escape, plain, none, none, rows, false);
        add("F9 marks the row", "b1", false, Qt::Key_F9, plain, none, none, marked);
        add("Esc in move mode", "b1", true, Qt::Key_Escape, plain, none, none, marked);
        add("Del in move mode", "b1", true, Qt::Key_Delete, plain, none, none, marked);
        add("F2 in move mode", "b1", true, Qt::Key_F2, plain, none, none, marked);
        add("F3 in move mode", "b1", true, Qt::Key_F3, plain, none, none, marked);
        add("F10 in move mode", "b1", true, Qt::Key_F10, plain, none, {"ItemDialog"}, marked);
        // Onto itself: every other row from its number on moves one number up.
        add("Enter in move mode pastes", "b1", true, Qt::Key_Return, plain, none, none,
            {"b1:1", "b2:3", "sub:5", "left:6", "rate:8"});
        add("F9 in move mode clears the mark", "b1", true, Qt::Key_F9, plain, none, none, rows);
        add("Alt+R in move mode", "b1", true, Qt::Key_R, alt, none, none,
            {"b1:1", "b2:2", "sub:3", "left:4", "rate:5"});
    }
    void theGridsKeys()
    {
        QFETCH(QString, row);
        QFETCH(bool, moving);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, rowsAfter);
        QFETCH(bool, open);
        Estimate e;
        e.insert(Row("W", "A", "A", {1}, 1, {{"INO", 1}, {"SUB", 1}}));
        e.insert(Row("b1", "B", "B", {1, 1}, 1, Priced(1, 100, 0, 0)));
        e.insert(Row("b2", "B", "B", {1, 2}, 2, With(Priced(1, 200, 0, 0), {{"SUB", 1}})));
        e.insert(Row("sub", "B", "T", {1, 3}, 4, {{"ICD1", 3}}));
        e.insert(Row("left", "B", "E", {1, 4}, 5));
        e.insert(Row("rate", "B", "R", {1, 5}, 7));
        TGroupListFm &screen = e.open(GroupLevel::MiddleGroups, {"W"});
        e.goTo(row);
        if (moving)
            e.key(Qt::Key_F9);
        const bool insertBefore = InsertMode;

        e.key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QCOMPARE(e.answers.texts(), messages);
        QCOMPARE(e.screens.names(), opened);
        QCOMPARE(screen.isVisible(), open);
        QCOMPARE(InsertMode, key == Qt::Key_Insert ? !insertBefore : insertBefore);
        if (!open) {
            QCOMPARE(e.figures("W"), QStringLiteral("W 300.0 300.0 0.0 0.0 0.0 0.0 300.0"));
            return;
        }
        QCOMPARE(e.shown(), rowsAfter);
        QCOMPARE(e.current(), row);
        const bool stillMoving = rowsAfter.first() == "b1:☞";
        QCOMPARE(screen.MoveMode(), stillMoving || (moving && key == Qt::Key_R));
        QCOMPARE(screen.TagLabel->isVisibleTo(&screen), screen.MoveMode());
        QCOMPARE(screen.AppBtn0->isEnabled(), !screen.MoveMode());
        QCOMPARE(screen.ExcelBtn->isEnabled(), !screen.MoveMode());
    }

    // Rows 1-7, row 5 onto row 2; then Alt+R; a marked row above its target lands just
    // before it; a close in move mode clears the mark.
    void moves_data()
    {
        QTest::addColumn<QStringList>("steps"); // a row name goes to that row; else a key
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("changed");
        QTest::newRow("row 5 onto row 2") << QStringList{"r5", "F9", "r2", "Enter"}
                                          << QStringList{"r1:1", "r5:2", "r2:3", "r3:4", "r4:5", "r6:7", "r7:8"} << "r5"
                                          << true;
        QTest::newRow("then Alt+R: 1..7, the same row current")
            << QStringList{"r5", "F9", "r2", "Enter", "Alt+R"}
            << QStringList{"r1:1", "r5:2", "r2:3", "r3:4", "r4:5", "r6:6", "r7:7"} << "r5" << true;
        QTest::newRow("row 2 onto row 5: just before row 5")
            << QStringList{"r2", "F9", "r5", "Enter"}
            << QStringList{"r1:1", "r3:3", "r4:4", "r2:5", "r5:6", "r6:7", "r7:8"} << "r2" << true;
        QTest::newRow("F9 twice: mark cleared, order kept")
            << QStringList{"r3", "F9", "r6", "F9"}
            << QStringList{"r1:1", "r2:2", "r3:3", "r4:4", "r5:5", "r6:6", "r7:7"} << "r6" << false;
        QTest::newRow("closed in move mode: mark cleared")
            << QStringList{"r3", "F9", "r6", "close"}
            << QStringList{"r1:1", "r2:2", "r3:3", "r4:4", "r5:5", "r6:6", "r7:7"} << "" << false;
        QTest::newRow("the main window closed in move mode: screen closed first, mark cleared")
            << QStringList{"r3", "F9", "r6", "shut-down"}
            << QStringList{"r1:1", "r2:2", "r3:3", "r4:4", "r5:5", "r6:6", "r7:7"} << "" << false;
    }
    void moves()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, rows);
        QFETCH(QString, current);
        QFETCH(bool, changed);
        Estimate e;
        e.insert(Row("W", "A", "A", {1}, 1, {{"INO", 1}, {"SUB", 1}}));
        for (int i = 1; i <= 7; ++i)
            e.insert(Row(QStringLiteral("r%1").arg(i), "B", "B", {1, i}, i));
        // Another work item's middle group, marked: no command of this list touches it.
        e.insert(Row("decoy", "B", "B", {2, 1}, 3, {{"MVE", "T"}}));
        TGroupListFm &screen = e.open(GroupLevel::MiddleGroups, {"W"});
        for (const QString &step : steps) {
            if (step == "F9")
                e.key(Qt::Key_F9);
            else if (step == "Enter")
                e.key(Qt::Key_Return);
            else if (step == "Alt+R")
                e.key(Qt::Key_R, Qt::AltModifier);
            else if (step == "close")
                screen.sCloseClick();
            else if (step == "shut-down")
                e.shutDown();
            else
                e.goTo(step);
        }
        QCOMPARE(e.stored(), rows);
        QCOMPARE(e.count("NOADD='decoy' and MVE='T' and ODRF=3"), 1);
        QVERIFY(!screen.MoveMode());
        if (!screen.isVisible())
            return;
        QCOMPARE(e.shown(), rows);
        QCOMPARE(e.current(), current);
        QCOMPARE(DataChanged, changed);
        QVERIFY(screen.AppBtn0->isEnabled());
    }

    void deletes_data()
    {
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("cascade");
        QTest::addColumn<double>("material"); // the footer afterwards
        const QStringList withoutThird{"r1:1", "r2:2", "r4:3", "r5:4"};
        QTest::newRow("a middle group with its small groups, line items and breakdowns")
            << "r3" << "B" << withoutThird << "r4" << true << 1200.0;
        QTest::newRow("a subtotal row alone") << "r3" << "T" << withoutThird << "r4" << false << 1200.0;
        QTest::newRow("a rate row alone") << "r3" << "R" << withoutThird << "r4" << false << 1200.0;
        QTest::newRow("a left-out row alone") << "r3" << "E" << withoutThird << "r4" << false << 1200.0;
        QTest::newRow("the last row: the new last is current")
            << "r5" << "B" << QStringList{"r1:1", "r2:2", "r3:3", "r4:4"} << "r4" << true << 1000.0;
        QTest::newRow("after a gap: the row that followed is current")
            << "r4" << "B" << QStringList{"r1:1", "r2:2", "r3:3", "r5:4"} << "r5" << true << 1100.0;
    }
    void deletes()
    {
        QFETCH(QString, deleted);
        QFETCH(QString, tag);
        QFETCH(QStringList, rows);
        QFETCH(QString, current);
        QFETCH(bool, cascade);
        QFETCH(double, material);
        Estimate e;
        e.insert(Row("W", "A", "A", {1}, 1, {{"INO", 1}, {"SUB", 1}}));
        // r4 stands after a gap: ODRFs 1, 2, 3, 7, 8.
        const int odrfs[] = {1, 2, 3, 7, 8};
        for (int i = 1; i <= 5; ++i)
            e.insert(Row(QStringLiteral("r%1").arg(i), "B", "B", {1, i}, odrfs[i - 1], Priced(1, 100 * i, 0, 0)));
        const int code = deleted.mid(1).toInt();
        e.execute("update NDTAIL set TAG=? where ABFS='B' and BCODE=?", {tag, code});
        // Below the row: a small group, line items at both levels, two unit-price items,
        // one of whose breakdown keys a line item of work item 9 uses too.
        const QVariantHash k1{{"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}};
        const QVariantHash k2{{"ICD1", 2}, {"ICD2", 2}, {"ICD3", 2}};
        e.insert(Row("f", "F", "F", {1, code, 1}, 1));
        e.insert(Row("line", "S", "D", {1, code}, 1, k1));
        e.insert(Row("small line", "S", "D", {1, code, 1}, 1, k2));
        e.insert(Row("labour", "S", "M", {1, code, 1}, 2));
        e.insert(Row("elsewhere", "S", "D", {9}, 1, k2));
        e.insert(Row("detail 1", "X", "N", {}, 1, k1));
        e.insert(Row("detail 2", "X", "N", {}, 1, k2));
        e.insert(Row("statement", "W", "E", {}, 1));
        e.open(GroupLevel::MiddleGroups, {"W"});
        e.goTo(deleted);
        e.answers.queueAnswer(true);

        e.key(Qt::Key_Delete);

        QCOMPARE(e.answers.texts(), QStringList{DeleteQuestion});
        QCOMPARE(e.shown(), rows);
        QCOMPARE(e.current(), current);
        QCOMPARE(e.screen->FootPnl->LPCST11->Value(), material);
        QVERIFY(DataChanged);
        QCOMPARE(e.count(QStringLiteral("ABFS not in ('A', 'B', 'X') and ACODE=1 and BCODE=%1").arg(code)),
                 cascade ? 0 : 4);
        QCOMPARE(e.count("ABFS='X' and ICD1=1"), cascade ? 0 : 1);
        QCOMPARE(e.count("ABFS='X' and ICD1=2"), 1);
        QCOMPARE(e.count("ABFS='W'"), 1);
        QCOMPARE(e.count("ACODE=9"), 1);
    }

    // The purge, the cascade, the row's delete and the renumbering are one command: when
    // the cascade fails, the breakdown rows the purge took are back, nothing else went,
    // and the failure is shown.
    void aFailedCascadeLeavesEverything()
    {
        Estimate e;
        e.insert(Row("W", "A", "A", {1}, 1, {{"INO", 1}, {"SUB", 1}}));
        e.insert(Row("r1", "B", "B", {1, 1}, 1));
        e.insert(Row("r2", "B", "B", {1, 2}, 3));
        e.insert(Row("line", "S", "D", {1, 2}, 1, {{"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}}));
        e.insert(Row("detail", "X", "N", {}, 1, {{"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}}));
        WorkConnection &connection = e.db.module().SQLConect;
        connection.execute("CREATE EXCEPTION LINE_KEPT 'line items stay'");
        QVERIFY(connection.commit());
        connection.execute("CREATE TRIGGER KEEP_LINES FOR NDTAIL BEFORE DELETE AS BEGIN "
                           "IF (OLD.ABFS = 'S') THEN EXCEPTION LINE_KEPT; END");
        QVERIFY(connection.commit());
        e.open(GroupLevel::MiddleGroups, {"W"});
        e.goTo("r2");
        e.answers.queueAnswer(true);

        e.key(Qt::Key_Delete);

        QCOMPARE(e.answers.texts().size(), 2);
        QVERIFY(e.answers.texts().last().contains("line items stay"));
        QCOMPARE(e.shown(), (QStringList{"r1:1", "r2:3"}));
        QCOMPARE(e.current(), QStringLiteral("r2"));
        QCOMPARE(e.count("ABFS='X'"), 1);
        QCOMPARE(e.count("ABFS='S'"), 1);
        QCOMPARE(e.count("ABFS='B'"), 2);
        QVERIFY(!DataChanged);
        QVERIFY(!connection.inTransaction());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // The item dialog over the list: adding forces append mode on an empty list; an edit
    // shows the current row; a group with rows below it keeps its kind, on both levels
    // (a small group turned into a rate row would leave its line items to the next small
    // group that takes its key).
    void theItemDialogOpensOverTheList_data()
    {
        QTest::addColumn<GroupLevel>("level");
        QTest::addColumn<QString>("row"); // empty: add
        QTest::addColumn<bool>("lowerRows");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("enabled");
        const auto both = [](const char *name, const QString &row, bool lower, int kind, bool ticked, bool enabled) {
            for (GroupLevel level : {GroupLevel::MiddleGroups, GroupLevel::SmallGroups}) {
                const bool middle = level == GroupLevel::MiddleGroups;
                QTest::newRow((QByteArray(name) + (middle ? " (B)" : " (F)")).constData())
                    << level << row << lower << kind << (ticked && middle) << enabled;
            }
        };
        both("add", QString(), false, 0, false, true);
        both("group without rows below", "g", false, 0, false, true);
        both("group with rows below: kind locked", "g", true, 0, true, false);
        both("rate row", "rate", false, 1, false, true);
        both("left-out row", "left", false, 2, false, true);
    }
    void theItemDialogOpensOverTheList()
    {
        QFETCH(GroupLevel, level);
        QFETCH(QString, row);
        QFETCH(bool, lowerRows);
        QFETCH(int, kind);
        QFETCH(bool, ticked);
        QFETCH(bool, enabled);
        Estimate e;
        ConnectItemDialog();
        e.insert(Row("W", "A", "A", {1}, 1, {{"SUB", 1}}));
        e.insert(Row("M", "B", "B", {1, 1}, 1, {{"SUB", 1}}));
        const bool middle = level == GroupLevel::MiddleGroups;
        const auto keys = [middle](int code) { return middle ? QList<int>{1, code} : QList<int>{1, 1, code}; };
        const char *letter = middle ? "B" : "F";
        // Another group of the same parent, with rows of its own, must not lock this one.
        e.insert(Row("other", letter, letter, keys(9), 9));
        e.insert(Row("other line", "S", "N", keys(9), 1));
        if (!row.isEmpty()) {
            const char *tag = row == "rate" ? "R" : row == "left" ? "E" : letter;
            e.insert(Row(row, letter, tag, keys(2), 1,
                         With(Priced(3, 100, 20, 5), {{"SUB", ticked ? 1 : 0}, {"ETC", QStringLiteral("비고")}})));
            if (lowerRows)
                e.insert(Row("line", "S", "N", keys(2), 1));
        } else {
            // Adding to an empty list.
            e.execute(QStringLiteral("delete from NDTAIL where ABFS in (?, 'S')"), {letter});
        }
        e.window.MsgbarClick();
        QVERIFY(InsertMode);
        struct {
            QWidget *owner = nullptr;
            QString title;
            int kind = -1;
            bool subShown = false;
            bool ticked = false;
            bool enabled = false;
            QString name;
            double total = 0;
        } seen;
        e.screens.onModal = [&seen](QDialog &dialog) {
            auto &input = static_cast<TInPutf &>(dialog);
            seen = {input.parentWidget(), input.TopTitle->text().trimmed(), input.dGbunItems->checkedId(),
                    input.gJChek->isVisibleTo(&input), input.gJChek->Checked(), input.dGbun->isEnabled()
                    && input.gJPnel->isEnabled(), input.EdtName->text(), input.EdtCSTTAL->Value()};
        };
        TGroupListFm &screen = e.open(level, {"W", "M"});
        if (!row.isEmpty())
            e.goTo(row);

        e.key(row.isEmpty() ? Qt::Key_F2 : Qt::Key_F3);

        QCOMPARE(e.screens.names(), QStringList{"InPutf"});
        const Opening &opening = e.screens.openings.first();
        QCOMPARE(opening.inputKind, row.isEmpty() ? 1 : 2);
        QCOMPARE(opening.modePanel, row.isEmpty() ? QStringLiteral("[추가]") : QStringLiteral("[삽입]"));
        QCOMPARE(opening.geometry.topLeft(), ItemRowDialogPlacement(ScreenSize(), MainPlace).topLeft());
        QCOMPARE(seen.owner, &screen);
        QCOMPARE(seen.title, row.isEmpty() ? QStringLiteral("내  역  서  공  종  명  등  록")
                                           : QStringLiteral("내  역  서  공  종  명  수  정"));
        QCOMPARE(seen.kind, kind);
        QCOMPARE(seen.subShown, middle && kind == 0);
        QCOMPARE(seen.ticked, ticked);
        QCOMPARE(seen.enabled, enabled);
        QCOMPARE(seen.name, row);
        QCOMPARE(seen.total, row.isEmpty() ? 0.0 : 125.0);
    }

    // After the item dialog and the sum menu the footer is shown again when the dialog
    // changed the document or the list's length.
    void theDialogsAfterStep_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("adds");
        QTest::addColumn<double>("material");
        QTest::newRow("F2, a row added") << int(Qt::Key_F2) << true << 1300.0;
        QTest::newRow("F2, cancelled") << int(Qt::Key_F2) << false << 100.0;
        QTest::newRow("F10, a 합계 row added") << int(Qt::Key_F10) << true << 1300.0;
        QTest::newRow("F10, cancelled") << int(Qt::Key_F10) << false << 100.0;
    }
    void theDialogsAfterStep()
    {
        QFETCH(int, key);
        QFETCH(bool, adds);
        QFETCH(double, material);
        Estimate e;
        e.insert(Row("W", "A", "A", {1}, 1, {{"SUB", 1}}));
        e.insert(Row("b1", "B", "B", {1, 1}, 1, Priced(1, 100, 0, 0)));
        QVERIFY(WriteIniInteger("VekFree.ini", "FormTopLft", "합계Top", 300));
        QVERIFY(WriteIniInteger("VekFree.ini", "FormTopLft", "합계Lft", 500));
        e.open(GroupLevel::MiddleGroups, {"W"});
        e.screens.work = [&e, adds, key] {
            if (!adds)
                return;
            e.insert(Row("new", "B", "B", {1, 2}, 2, Priced(1, 1200, 0, 0)));
            e.screen->List.rows().refresh();
            // The sum menu's after-step goes by the list's length alone.
            DataChanged = key == Qt::Key_F2;
        };

        e.key(Qt::Key(key));

        QCOMPARE(e.screen->FootPnl->LPCST11->Value(), material);
        if (key == Qt::Key_F10) {
            const ItemDialogSetup &setup = e.screens.dialogs.first();
            QCOMPARE(e.screens.openings.first().inputKind, 1);
            QCOMPARE(setup.page, 2);
            QCOMPARE(setup.geometry, QRect(500, 300, 118, 140));
            QCOMPARE(setup.title, QString(8, u' ') + QStringLiteral("집계메뉴"));
            QCOMPARE(setup.owner, e.screen.get());
        }
    }

    // The work-item list opens the middle groups of a work item with middle groups; their
    // close rolls the footer up into the work item, and the main window's totals follow.
    void theWorkItemListOpensTheMiddleGroups()
    {
        Estimate e;
        EntryPoints().MiddleGroupScreen = ShowMiddleGroupScreen;
        e.insert(Row("1. 가설공사", "A", "A", {1}, 1, Priced(1, 10, 0, 0)));
        e.insert(Row("2. 건축공사", "A", "A", {2}, 2, With(Stale(3, 1), {{"PCST12", 0}, {"CSTTAL", 0}})));
        e.insert(Row("토공사", "B", "B", {2, 1}, 1, Priced(2, 1000, 500, 0)));
        e.insert(Row("다른 공사의 중공종", "B", "B", {1, 1}, 1, Priced(1, 7, 7, 7)));
        TWorkItemList &list = *e.window.WorkItems;
        list.OpenList();
        list.RefreshTotals();
        Estimate::goTo(dMf->TAlst, "2. 건축공사");
        QStringList shown;
        e.screens.onModal = [&shown](QDialog &dialog) {
            auto &middles = static_cast<TGroupListFm &>(dialog);
            for (int i = 0; i < middles.List.rows().recordCount(); ++i)
                shown.append(middles.List.rows().valueOf(i, middles.List.rows().fieldIndex("NOADD")).toString().trimmed());
            QTest::keyClick(middles.Grid, Qt::Key_Escape);
        };

        QTest::keyClick(list.GrdAlst, Qt::Key_Return);

        QCOMPARE(e.screens.names(), QStringList{"BlstFm"});
        const Opening &opening = e.screens.openings.first();
        QCOMPARE(opening.geometry, ListScreenPlacement(MainPlace, 125));
        QCOMPARE(opening.LsNo, QStringLiteral("02"));
        QCOMPARE(opening.LjName, QStringLiteral(" 2. 건축공사"));
        QCOMPARE(shown, QStringList{"토공사"});
        QVERIFY(!dMf->TBlst.isActive());
        QCOMPARE(e.figures("2. 건축공사"), QStringLiteral("2. 건축공사 2000.0 6000.0 1000.0 3000.0 0.0 0.0 9000.0"));
        QCOMPARE(list.TotalBar->LPCST11->Value(), 6010.0);
        QCOMPARE(list.TotalBar->LCSTTAL->Value(), 9010.0);
    }

    // The Excel button writes the list with everything below it, named by the path.
    void theExcelButtonExportsTheList_data()
    {
        QTest::addColumn<GroupLevel>("level");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("sheets");
        QTest::newRow("middle groups") << GroupLevel::MiddleGroups << "01"
                                       << QStringList{"01【중공종】", "0101내역서", "0102【소공종】", "010201내역서"};
        QTest::newRow("small groups") << GroupLevel::SmallGroups << "01-02"
                                      << QStringList{"01-02【소공종】", "010201내역서"};
    }
    void theExcelButtonExportsTheList()
    {
        QFETCH(GroupLevel, level);
        QFETCH(QString, path);
        QFETCH(QStringList, sheets);
        Estimate e;
        CurrentFileName = UntitledFileName;
        const PrinterQuestion printer = SetPrinterQuestion([] { return true; });
        e.insert(Row("1. 건축공사", "A", "A", {1}, 1, {{"SUB", 1}}));
        e.insert(Row("가설공사", "B", "B", {1, 1}, 1, Priced(1, 100, 0, 0)));
        e.insert(Row("비계", "S", "N", {1, 1}, 1, Priced(2, 50, 0, 0)));
        e.insert(Row("철근콘크리트공사", "B", "B", {1, 2}, 2, With(Priced(1, 300, 0, 0), {{"SUB", 1}})));
        e.insert(Row("기초", "F", "F", {1, 2, 1}, 1, Priced(1, 300, 0, 0)));
        e.insert(Row("레미콘", "S", "N", {1, 2, 1}, 1, Priced(3, 100, 0, 0)));
        TGroupListFm &screen = e.open(level, {"1. 건축공사", "철근콘크리트공사"});
        screen.LsNo->setText(path);
        screen.LjName->setText(QStringLiteral(" 1. 건축공사"));

        screen.ExcelBtn->DoClick();
        SetPrinterQuestion(printer);

        QCOMPARE(e.answers.texts(), QStringList());
        const WorkbookReader book(QDir(e.db.home().filePath("Work")).filePath("이름없음 " + sheets.first() + ".xlsx"));
        QCOMPARE(book.sheetNames().mid(0, sheets.size()), sheets);
        QCOMPARE(book.value(sheets.first(), "B1"), QJsonValue(path + QStringLiteral(" 1. 건축공사")));
    }

    // The next level opens below the main window's top by the twin's offset, with the
    // path of ODRFs and the row's title; the close button is flat meanwhile.
    void drillingDownOpensTheNextLevel_data()
    {
        QTest::addColumn<GroupLevel>("level");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("child");
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("path");
        QTest::newRow("middle group without small groups") << GroupLevel::MiddleGroups << "토공사" << "LineItemScreen"
                                                           << 130 << "03-02";
        QTest::newRow("middle group with small groups") << GroupLevel::MiddleGroups << "철근콘크리트공사" << "FlstFm"
                                                        << 130 << "03-12";
        QTest::newRow("small group") << GroupLevel::SmallGroups << "기초공사" << "LineItemScreen" << 135 << "03-12-07";
    }
    void drillingDownOpensTheNextLevel()
    {
        QFETCH(GroupLevel, level);
        QFETCH(QString, row);
        QFETCH(QString, child);
        QFETCH(int, top);
        QFETCH(QString, path);
        Estimate e;
        e.insert(Row("W", "A", "A", {4}, 3, {{"SUB", 1}}));
        e.insert(Row("토공사", "B", "B", {4, 1}, 2));
        e.insert(Row("철근콘크리트공사", "B", "B", {4, 2}, 12, {{"SUB", 1}}));
        e.insert(Row("기초공사", "F", "F", {4, 2, 5}, 7));
        e.window.MsgbarClick();
        TGroupListFm &screen = e.open(level, {"W", "철근콘크리트공사"});
        e.goTo(row);
        e.screens.work = [&e] {
            e.execute("update NDTAIL set PCST12=4321 where ABFS in ('B', 'F') and ODRF=2");
            DataChanged = true;
        };

        emit screen.Grid->doubleClicked(screen.Grid->currentIndex());

        QCOMPARE(e.screens.names(), QStringList{child});
        const Opening &opening = e.screens.openings.first();
        QCOMPARE(opening.geometry, QRect(MainPlace.left() + 3, MainPlace.top() + top, MainPlace.width() - 5,
                                         MainPlace.height() - top - 2));
        QCOMPARE(opening.LsNo, path);
        QCOMPARE(opening.LjName, u' ' + row);
        QVERIFY(opening.closeFlat);
        QCOMPARE(opening.modePanel, QStringLiteral("[추가]"));
        QVERIFY(!screen.sClose->Flat());
        // The changed document's totals shown again.
        if (level == GroupLevel::MiddleGroups && child == "LineItemScreen")
            QCOMPARE(screen.FootPnl->LPCST11->Value(), 4321.0);
    }

    // The real line-item screen, through its entry point: it opens on the line items of the
    // group drilled into, and its close rolls them up into that group row, which the group
    // screen shows at once.
    void theLineItemScreenOpensAndRollsUp_data()
    {
        QTest::addColumn<GroupLevel>("level");
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("top");
        QTest::addColumn<QStringList>("seen");
        QTest::addColumn<QString>("figures");
        QTest::addColumn<double>("footer");
        QTest::newRow("middle group") << GroupLevel::MiddleGroups << "토공사" << 130
                                      << QStringList{"03-02", " 토공사", "흙파기"}
                                      << "토공사 600.0 1200.0 400.0 800.0 0.0 0.0 2000.0" << 1207.0;
        QTest::newRow("small group") << GroupLevel::SmallGroups << "기초공사" << 135
                                     << QStringList{"03-05-04", " 기초공사", "레미콘"}
                                     << "기초공사 2000.0 6000.0 200.0 600.0 20.0 60.0 6660.0" << 6000.0;
    }
    void theLineItemScreenOpensAndRollsUp()
    {
        QFETCH(GroupLevel, level);
        QFETCH(QString, row);
        QFETCH(int, top);
        QFETCH(QStringList, seen);
        QFETCH(QString, figures);
        QFETCH(double, footer);
        Estimate e;
        InstallLineItemScreen();
        e.insert(Row("W", "A", "A", {1}, 3, {{"SUB", 1}}));
        e.insert(Row("토공사", "B", "B", {1, 1}, 2, Stale(2)));
        e.insert(Row("흙파기", "S", "N", {1, 1}, 1, Priced(2, 300, 200, 0)));
        e.insert(Row("철근콘크리트공사", "B", "B", {1, 2}, 5, With(Priced(1, 7, 0, 0), {{"SUB", 1}})));
        e.insert(Row("기초공사", "F", "F", {1, 2, 1}, 4, Stale(3)));
        e.insert(Row("레미콘", "S", "N", {1, 2, 1}, 1, Priced(2, 1000, 100, 10)));
        TGroupListFm &screen = e.open(level, {"W", "철근콘크리트공사"});
        e.goTo(row);
        QStringList shown;
        e.screens.onModal = [&](QDialog &) {
            QVERIFY(SlstFm);
            shown = QStringList{SlstFm->LsNo->Caption(), SlstFm->LjName->Caption()};
            for (int i = 0; i < dMf->TSlst.recordCount(); ++i)
                shown.append(dMf->TSlst.valueOf(i, dMf->TSlst.fieldIndex("NOADD")).toString().trimmed());
            e.answers.queueAnswer(true);
            SlstFm->sClose->DoClick();
        };

        e.key(Qt::Key_Return);

        QCOMPARE(e.screens.names(), QStringList{"SlstFm"});
        QCOMPARE(e.screens.openings.first().geometry,
                 QRect(MainPlace.left() + 3, MainPlace.top() + top, MainPlace.width() - 5, MainPlace.height() - top - 2));
        QCOMPARE(shown, seen);
        QCOMPARE(SlstFm, nullptr);
        QVERIFY(!dMf->TSlst.isActive());
        QCOMPARE(e.figures(row), figures);
        QCOMPARE(screen.FootPnl->LPCST11->Value(), footer);
        QCOMPARE(e.current(), row);
        QVERIFY(screen.isVisible());
    }
};

VEK_TEST(TestGroupListScreen)
#include "tst_GroupListScreen.moc"
