#include "components/CurrencyEdit.h"
#include "components/DataGrid.h"
#include "components/SpeedButton.h"
#include "components/ToolButton.h"
#include "core/Cp949Text.h"
#include "core/Currency.h"
#include "core/DataModule.h"
#include "core/ProgramState.h"
#include "core/Recalc.h"
#include "core/ScreenEntryPoints.h"
#include "tests/support/GridClicks.h"
#include "tests/support/LineItemNode.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/PlaceRows.h"
#include "tests/support/StandInScreen.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WhileModalShown.h"
#include "unitprice/RateDialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace vek;

namespace {

// The places the tests build: line items of a work item, a middle group and a small group,
// and the breakdown rows of a unit-price item.
enum class Where { WorkItem, MiddleGroup, SmallGroup, Breakdown };

// The three rows every place starts with, in ODRF order.
const QStringList RowNames{QStringLiteral("철근가공"), QStringLiteral("거푸집"), QStringLiteral("레미콘")};

// Types text key by key, as a keyboard that sends each letter, Korean ones too.
void TypeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Double-clicks the grid row of the dialog, as the user marks a row.
void DoubleClickRow(TInBsDtf &dialog, int row)
{
    DoubleClickCell(dialog.detaileR, dialog.detaileR->model()->index(row, 1));
}

void WhileShown(const std::function<void(TInBsDtf &)> &act)
{
    WhileModalShown(InBsDtf, act);
}

} // namespace

class TestRateDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;
    std::unique_ptr<LineItemNode> node;
    std::unique_ptr<StandInScreen> breakdownScreen;
    std::unique_ptr<QWidget> opener;

    TdMf &m() { return db->module(); }

    int count(const QString &where)
    {
        return db->scalar("select count(*) from NDTAIL where " + where).toInt();
    }

    // The columns of the one row that where picks, texts without the padding of their
    // fixed-width columns.
    QVariantHash rowWhere(const QString &where)
    {
        QSqlQuery query = m().SQLConect.select("select * from NDTAIL where " + where);
        QVariantHash row;
        if (query.next())
            for (int i = 0; i < query.record().count(); ++i) {
                const QVariant value = query.value(i);
                row.insert(query.record().fieldName(i).toUpper(),
                           value.typeId() == QMetaType::QString ? QVariant(value.toString().trimmed()) : value);
            }
        return row;
    }

    QVariantHash rowNamed(const QString &name) { return rowWhere("NAME='" + name + "'"); }

    // Builds a place with the three rows of RowNames (material 1,000 × 1, labour 500 × 1,
    // expense 100 × 2), opens the lists a screen of it would have open and returns it.
    RatePlace buildPlace(Where where)
    {
        const int level = where == Where::MiddleGroup ? 1 : where == Where::SmallGroup ? 2 : 0;
        node = std::make_unique<LineItemNode>(*db, level);
        const QVariantList keys = node->keys();
        RatePlace place = RatePlace::Node(keys.at(0).toInt(), keys.at(1).toInt(), keys.at(2).toInt());
        if (where == Where::Breakdown) {
            node->add("일위대가", "D", 1, {{"INO", 1}, {"ICD1", 7}, {"ICD2", 8}, {"ICD3", 9}});
            place = RatePlace::Breakdown(7, 8, 9);
        }
        const QList<QVariantHash> prices{{{"INO", 1}, {"PCST11", 1000}, {"PCST12", 1000}},
                                         {{"INO", 1}, {"LCST11", 500}, {"LCST12", 500}},
                                         {{"INO", 2}, {"SCST11", 100}, {"SCST12", 200}}};
        for (int i = 0; i < RowNames.size(); ++i)
            addRow(place, i + 1, RowNames.at(i), prices.at(i));
        // Rows of another node and another breakdown, which the dialog never touches.
        addRow(RatePlace::Node(1, 5, 0), 1, "다른 중공종", {});
        addRow(RatePlace::Breakdown(7, 8, 1), 1, "다른 일위대가", {});

        m().TSlst.setCommandText("select * from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=? and BCODE=? and SCODE=? Order by ODRF",
                                 keys);
        m().TSlst.open();
        if (where == Where::Breakdown) {
            m().Tdtail.setCommandText("select * from NDTAIL where ABFS='X' and ICD1=? and ICD2=? and ICD3=? Order by ODRF",
                                      place.Keys());
            m().Tdtail.open();
            breakdownScreen = std::make_unique<StandInScreen>(m().Tdtail);
            Sudetaif = breakdownScreen.get();
        }
        return place;
    }

    void addRow(const RatePlace &place, int order, const QString &name, QVariantHash values)
    {
        values.insert("NAME", name);
        values.insert("ODRF", order);
        AddPlaceRow(*db, place, values);
    }

    // A new rate row on place through the opening routine: the rows at marks double-clicked,
    // the texts typed, the group and percentage chosen, then Apply.
    bool addRateRow(const RatePlace &place, const QList<int> &marks, int group, const QString &percentage)
    {
        WhileShown([&](TInBsDtf &dialog) {
            for (int row : marks)
                DoubleClickRow(dialog, row);
            TypeText(dialog.EtRname, QStringLiteral("공  구  손  료"));
            dialog.EtRstan->setCurrentIndex(0);
            dialog.GrupRteItems->button(group)->click();
            QTest::keyClicks(dialog.EtRate, percentage);
            dialog.mOk0Click();
        });
        return ShowRateDialog(opener.get(), place, 1);
    }

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        opener = std::make_unique<QWidget>();
        opener->setGeometry(100, 100, 800, 600);
        InsertMode = false;
        DataChanged = false;
        InputKind = 0;
    }
    void cleanup()
    {
        Sudetaif = nullptr;
        breakdownScreen.reset();
        MainWindowLinks() = MainWindowLink();
        opener.reset();
        node.reset();
        db.reset();
    }

    void applyRefusesWhatIsMissing_data()
    {
        QTest::addColumn<bool>("marked");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("percentage");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing marked, nothing typed") << false << "" << "" << "합항목 자료가 선택되지 않았습니다.";
        QTest::newRow("nothing marked, all typed") << false << "공구손료" << "3" << "합항목 자료가 선택되지 않았습니다.";
        QTest::newRow("marked, empty name and 0 %") << true << "" << "" << "비율산 비율내용이 입력되지 않았습니다";
        QTest::newRow("marked, empty name and 3 %") << true << "" << "3" << "비율산 명칭이 입력되지 않았습니다";
        QTest::newRow("marked, a name and 0 %") << true << "공구손료" << "0" << "비율산 비율내용이 입력되지 않았습니다";
    }
    void applyRefusesWhatIsMissing()
    {
        QFETCH(bool, marked);
        QFETCH(QString, name);
        QFETCH(QString, percentage);
        QFETCH(QString, message);
        const RatePlace place = buildPlace(Where::WorkItem);
        InputKind = 1;
        MessageAnswerer answers;
        TInBsDtf dialog(place);
        dialog.show();
        if (marked)
            DoubleClickRow(dialog, 0);
        TypeText(dialog.EtRname, name);
        QTest::keyClicks(dialog.EtRate, percentage);
        dialog.mOk0Click();

        QCOMPARE(answers.texts(), QStringList{message});
        QVERIFY(dialog.isVisible());
        QCOMPARE(count("TAG='R'"), 0);
        QCOMPARE(count("PRT1<>0 or LRT1<>0 or SRT1<>0"), 0);
        QCOMPARE(count("MVE='T'"), marked ? 1 : 0);
        QVERIFY(!DataChanged);
        dialog.mVode0Click();
        QCOMPARE(count("MVE='T'"), 0);
    }

    void aFifthRateRowIsRefused()
    {
        const RatePlace place = buildPlace(Where::MiddleGroup);
        for (int n = 1; n <= 4; ++n)
            addRow(place, 3 + n, QStringLiteral("비율산%1").arg(n), {{"TAG", "R"}, {"NORT", n}, {RateColumnsOf(n).at(0), 0.01 * n}});
        m().TSlst.refresh();
        MessageAnswerer answers;
        bool opened = false;
        WhileShown([&](TInBsDtf &) { opened = true; });
        QVERIFY(!ShowRateDialog(opener.get(), place, 1));
        QCoreApplication::processEvents();
        QVERIFY(!opened);
        QCOMPARE(answers.texts(), QStringList{"비율산은 4항목 이상 등록할 수 없습니다."});
        QCOMPARE(count("TAG='R'"), 4);
    }

    void aNewRateRowCoversTheMarkedRows_data()
    {
        QTest::addColumn<int>("where");
        QTest::addColumn<bool>("insertMode");
        const QList<std::pair<const char *, Where>> places{{"work item", Where::WorkItem},
                                                           {"middle group", Where::MiddleGroup},
                                                           {"small group", Where::SmallGroup},
                                                           {"breakdown", Where::Breakdown}};
        for (const auto &[name, where] : places) {
            QTest::newRow(QByteArray(name) + ", append") << int(where) << false;
            QTest::newRow(QByteArray(name) + ", insert") << int(where) << true;
        }
    }
    void aNewRateRowCoversTheMarkedRows()
    {
        QFETCH(int, where);
        QFETCH(bool, insertMode);
        const RatePlace place = buildPlace(Where(where));
        const bool breakdown = Where(where) == Where::Breakdown;
        Dataset &rows = place.Rows();
        InsertMode = insertMode;
        rows.setRecNo(1); // the cursor on the second row
        MessageAnswerer answers;
        QRect placed;
        QString title;
        WhileShown([&](TInBsDtf &dialog) {
            placed = dialog.geometry();
            title = dialog.TopTitle->text();
        });
        QVERIFY(!ShowRateDialog(opener.get(), place, 1));
        QCOMPARE(title, QStringLiteral("     비율산 등록"));
        QCOMPARE(placed, QRect(100 + 800 - 405, 105, 400, 600 - 3 - 19));

        QVERIFY(addRateRow(place, {0, 2}, TInBsDtf::Labour, "3"));
        QCOMPARE(answers.texts(), QStringList());
        QVERIFY(DataChanged);

        const QVariantHash rate = rowWhere("TAG='R'");
        QCOMPARE(count("TAG='R'"), 1);
        QCOMPARE(rate["NAME"].toString(), QStringLiteral("공  구  손  료"));
        QCOMPARE(rate["STAN"].toString(), QStringLiteral("인건비의 %"));
        QCOMPARE(rate["UNIT"].toString(), QStringLiteral("식"));
        QCOMPARE(rate["ABFS"].toString(), breakdown ? QStringLiteral("X") : QStringLiteral("S"));
        QCOMPARE(rate["INO"].toDouble(), 1.0);
        for (const char *zero : {"PCST11", "LCST11", "SCST11", "PCST12", "LCST12", "SCST12", "CSTTAL", "PCSTA", "PCSTB", "PCSTC"})
            QCOMPARE(rate[zero].toDouble(), 0.0);
        QCOMPARE(rate["PAGEA"].toString(), QString());
        QCOMPARE(rate["NORT"].toInt(), 1);
        for (int n = 1; n <= 4; ++n)
            for (int group = 0; group < 3; ++group)
                QCOMPARE(rate[RateColumnsOf(n).at(group)].toDouble(), n == 1 && group == TInBsDtf::Labour ? 0.03 : 0.0);
        const QVariantList keys{rate["ACODE"], rate["BCODE"], rate["SCODE"]};
        const QVariantList icd{rate["ICD1"], rate["ICD2"], rate["ICD3"]};
        QCOMPARE(keys, breakdown ? (QVariantList{0, 0, 0}) : place.Keys());
        QCOMPARE(icd, breakdown ? place.Keys() : (QVariantList{0, 0, 0}));
        QCOMPARE(rate["MVE"].toString(), QStringLiteral("F"));

        // In insert mode the rate row takes the cursor's place and the rows from there on
        // move down; in append mode it follows the last row.
        const QList<int> orders = insertMode ? QList<int>{1, 3, 4} : QList<int>{1, 2, 3};
        QCOMPARE(rate["ODRF"].toInt(), insertMode ? 2 : 4);
        for (int i = 0; i < RowNames.size(); ++i) {
            const QVariantHash row = rowNamed(RowNames.at(i));
            QCOMPARE(row["ODRF"].toInt(), orders.at(i));
            const bool covered = i != 1;
            QCOMPARE(row["LRT1"].toDouble(), covered ? 0.03 : 0.0);
            QCOMPARE(row["PRT1"].toDouble(), 0.0);
            QCOMPARE(row["SRT1"].toDouble(), 0.0);
        }
        QCOMPARE(rowNamed("다른 중공종")["ODRF"].toInt(), 1);
        QCOMPARE(rowNamed("다른 일위대가")["ODRF"].toInt(), 1);
        QCOMPARE(count("MVE='T'"), 0);
        QCOMPARE(count("LRT1<>0"), 3);
        // The screen's list shows the new row.
        QCOMPARE(rows.recordCount(), 4);
    }

    void theRecalculationPricesABreakdownRateRow()
    {
        const RatePlace place = buildPlace(Where::Breakdown);
        MessageAnswerer answers;
        QVERIFY(addRateRow(place, {0, 1}, TInBsDtf::Material, "10"));
        RecalcUnitPrices(1, 0);
        const QVariantHash rate = rowWhere("TAG='R'");
        QCOMPARE(rate["PCST11"].toDouble(), 150.0);
        QCOMPARE(rate["PCST12"].toDouble(), 150.0);
        const QVariantHash item = rowWhere("TAG='D'");
        QCOMPARE(item["PCST11"].toDouble(), 1150.0);
        QCOMPARE(item["LCST11"].toDouble(), 500.0);
        QCOMPARE(item["SCST11"].toDouble(), 200.0);
    }

    void theRateIsStoredWithFourDecimals_data()
    {
        QTest::addColumn<QString>("percentage");
        QTest::addColumn<QString>("fraction");
        QTest::newRow("12.5") << "12.5" << "0.125";
        QTest::newRow("5.5") << "5.5" << "0.055";
        QTest::newRow("1.1") << "1.1" << "0.011";
        QTest::newRow("0.7") << "0.7" << "0.007";
        QTest::newRow("-2.2, a deduction") << "-2.2" << "-0.022";
    }
    void theRateIsStoredWithFourDecimals()
    {
        QFETCH(QString, percentage);
        QFETCH(QString, fraction);
        const RatePlace place = buildPlace(Where::SmallGroup);
        MessageAnswerer answers;
        QVERIFY(addRateRow(place, {0}, TInBsDtf::Expense, percentage));
        QCOMPARE(answers.texts(), QStringList());
        // Exactly, not within QCOMPARE's tolerance: only the same double links the rows.
        const double stored = rowWhere("TAG='R'")["SRT1"].toDouble();
        // What a document or the move file gives back: the value with four decimals.
        QVERIFY(stored == Currency::fromDouble(stored).toDouble());
        QVERIFY(stored == fraction.toDouble());
        QVERIFY(rowNamed(RowNames.at(0))["SRT1"].toDouble() == stored);
    }

    void aChangeRewritesTheSlotFromTheMarksOfNow()
    {
        const RatePlace place = buildPlace(Where::MiddleGroup);
        node->add("잡  자  재  비", "R", 4, {{"STAN", "재료비의 %"}, {"UNIT", "식"}, {"INO", 1}, {"NORT", 2}, {"PRT2", 0.03}});
        db->module().SQLConect.execute("update NDTAIL set PRT2=? where NAME in (?, ?)", {0.03, RowNames.at(0), RowNames.at(1)});
        QVERIFY(db->module().SQLConect.commit());
        Dataset &rows = place.Rows();
        rows.refresh();
        rows.last();
        QCOMPARE(rows.asString("TAG"), QStringLiteral("R"));

        QString title, name, basis;
        int target = -1;
        double percentage = 0;
        QStringList shownMarks;
        WhileShown([&](TInBsDtf &dialog) {
            title = dialog.TopTitle->text();
            name = dialog.EtRname->currentText();
            basis = dialog.EtRstan->currentText();
            target = dialog.Target();
            percentage = dialog.EtRate->Value();
            for (int row = 0; row < dialog.iTRate.recordCount(); ++row)
                shownMarks << dialog.iTRate.displayTextOf(row, dialog.iTRate.fieldIndex("rOdr"));
            DoubleClickRow(dialog, 1);
            dialog.GrupRteItems->button(TInBsDtf::Labour)->click();
            dialog.mOk0Click();
        });
        MessageAnswerer answers;
        QVERIFY(ShowRateDialog(opener.get(), place, 2));
        QCOMPARE(answers.texts(), QStringList());
        QCOMPARE(title, QStringLiteral("     비율산 수정"));
        QCOMPARE(name, QStringLiteral("잡  자  재  비"));
        QCOMPARE(basis, QStringLiteral("재료비의 %"));
        QCOMPARE(target, int(TInBsDtf::Material));
        QCOMPARE(percentage, 3.0);
        QCOMPARE(shownMarks, (QStringList{"▶", "▶", "3"}));

        const QVariantHash rate = rowWhere("TAG='R'");
        QCOMPARE(count("TAG='R'"), 1);
        QCOMPARE(rate["NORT"].toInt(), 2);
        QCOMPARE(rate["PRT2"].toDouble(), 0.0);
        QCOMPARE(rate["LRT2"].toDouble(), 0.03);
        QCOMPARE(rate["ODRF"].toInt(), 4);
        QCOMPARE(rowNamed(RowNames.at(0))["LRT2"].toDouble(), 0.03);
        QCOMPARE(rowNamed(RowNames.at(0))["PRT2"].toDouble(), 0.0);
        QCOMPARE(rowNamed(RowNames.at(1))["PRT2"].toDouble(), 0.0);
        QCOMPARE(rowNamed(RowNames.at(1))["LRT2"].toDouble(), 0.0);
        QCOMPARE(count("MVE='T'"), 0);
    }

    void aMarkIsCommittedAtOnceOnTheDialogsConnection()
    {
        const RatePlace place = buildPlace(Where::Breakdown);
        InputKind = 1;
        TInBsDtf dialog(place);
        dialog.show();
        DoubleClickRow(dialog, 2);
        QVERIFY(!dialog.RateConnection.inTransaction());
        QVERIFY(!m().SQLConect.inTransaction());
        QCOMPARE(count("MVE='T' and NAME='" + RowNames.at(2) + "'"), 1);
        QCOMPARE(dialog.iTRate.displayTextOf(2, dialog.iTRate.fieldIndex("rOdr")), QStringLiteral("▶"));
        DoubleClickRow(dialog, 2);
        QCOMPARE(count("MVE='T'"), 0);
        QCOMPARE(dialog.iTRate.displayTextOf(2, dialog.iTRate.fieldIndex("rOdr")), QStringLiteral("3"));
    }

    void everyWayOutClearsEveryMark_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("취소") << "mVode0";
        QTest::newRow("close button") << "mExit0";
        QTest::newRow("Esc") << "Esc";
    }
    void everyWayOutClearsEveryMark()
    {
        QFETCH(QString, way);
        const RatePlace place = buildPlace(Where::WorkItem);
        // A mark left in another node.
        db->module().SQLConect.execute("update NDTAIL set MVE='T' where NAME=?", {"다른 중공종"});
        QVERIFY(db->module().SQLConect.commit());
        QList<std::pair<int, QString>> status;
        MainWindowLinks().SetStatusText = [&status](int panel, const QString &text) { status.append({panel, text}); };
        WhileShown([&](TInBsDtf &dialog) {
            DoubleClickRow(dialog, 0);
            QCOMPARE(count("MVE='T'"), 2);
            if (way == "mVode0")
                dialog.mVode0->DoClick();
            else if (way == "mExit0")
                QTest::mouseClick(dialog.mExit0, Qt::LeftButton);
            else
                QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QVERIFY(!ShowRateDialog(opener.get(), place, 1));
        QVERIFY(!InBsDtf);
        QCOMPARE(count("MVE='T'"), 0);
        QCOMPARE(count("TAG='R'"), 0);
        QCOMPARE(status, (QList<std::pair<int, QString>>{{1, QStringLiteral("카브로소프트")}}));
    }

    void enterMovesFromTheNameToTheGrid()
    {
        const RatePlace place = buildPlace(Where::WorkItem);
        InputKind = 1;
        TInBsDtf dialog(place);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QVERIFY(dialog.EtRname->hasFocus());
        for (QWidget *next : std::initializer_list<QWidget *>{dialog.EtRstan, dialog.EtRate, dialog.detaileR}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(next->hasFocus());
        }
        QVERIFY(dialog.isVisible());
    }

    // The rate row's NAME holds 30 bytes and STAN 20: typing stops there rather than being
    // cut unseen when the row is written.
    void theNameBoxesStopAtTheColumnsCapacity()
    {
        const RatePlace place = buildPlace(Where::WorkItem);
        InputKind = 1;
        TInBsDtf dialog(place);
        dialog.EtRname->setEditText(QString());
        dialog.EtRstan->setEditText(QString());
        TypeText(dialog.EtRname->lineEdit(), QString(16, QChar(0xAC00)));
        TypeText(dialog.EtRstan->lineEdit(), QStringLiteral("인건비의 %") + QString(8, QChar(0xAC00)));
        QCOMPARE(dialog.EtRname->currentText(), QString(15, QChar(0xAC00)));
        QCOMPARE(Cp949Width(dialog.EtRstan->currentText()), 20);
    }
};

VEK_TEST(TestRateDialog)
#include "tst_RateDialog.moc"
