#include "app/BulkAdjustment.h"
#include "app/ItemDialog.h"
#include "components/BitCheckBox.h"
#include "components/Container.h"
#include "components/CurrencyEdit.h"
#include "core/Cp949Text.h"
#include "core/DataModule.h"
#include "core/Environment.h"
#include "core/ProgramState.h"
#include "core/SqlRoutines.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/StandInScreen.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace vek;

namespace {

// Types text key by key, as a keyboard that sends each letter, Korean ones too.
void TypeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void ShowActive(QWidget &window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

// Runs check against the dialog once its modal run has started, then closes it.
void WhileShown(const std::function<void(TInPutf &)> &check)
{
    QTimer::singleShot(0, [check] {
        QVERIFY(InPutf);
        check(*InPutf);
        InPutf->mExit0Click();
    });
}

} // namespace

class TestItemDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;

    TdMf &m() { return db->module(); }

    void openWorkItems()
    {
        m().TAlst.setCommandText("select * from NDTAIL where ABFS='A' Order by ODRF");
        m().TAlst.open();
    }

    QVariant workItem(const QString &column, const QString &title)
    {
        return db->scalar(QStringLiteral("select %1 from NDTAIL where ABFS='A' and NOADD=?").arg(column), {title});
    }

    QLineEdit *textBox(TInPutf &dialog, const QString &name)
    {
        return name == "name" ? dialog.EdtName : dialog.EdtEtc;
    }

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        InsertMode = false;
        DataChanged = false;
        InputKind = 1;
        qunsetenv("VEK_TEST_GLYPH");
    }
    void cleanup()
    {
        Sudetaif = nullptr;
        SlstFmHook = nullptr;
        db.reset();
    }

    void theTotalBoxFollowsThePrices_data()
    {
        QTest::addColumn<QString>("material");
        QTest::addColumn<QString>("labour");
        QTest::addColumn<double>("total");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("no prices: a lump total can be typed") << "" << "" << 0.0 << true;
        QTest::newRow("1,000 and 500") << "1000" << "500" << 1500.0 << false;
        QTest::newRow("labour alone") << "" << "0.5" << 0.5 << false;
    }
    void theTotalBoxFollowsThePrices()
    {
        QFETCH(QString, material);
        QFETCH(QString, labour);
        QFETCH(double, total);
        QFETCH(bool, enabled);
        TInPutf dialog(0);
        dialog.LoadFields(NewItemRowFields(0));
        QVERIFY(dialog.EdtCSTTAL->isEnabled());
        QTest::keyClicks(dialog.EdtPCST12, material);
        QTest::keyClicks(dialog.EdtLCST12, labour);
        QCOMPARE(dialog.EdtCSTTAL->Value(), total);
        QCOMPARE(dialog.EdtCSTTAL->isEnabled(), enabled);
    }

    void enterMovesThroughTheBoxes_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("lump");
        QTest::addColumn<QString>("to");
        QTest::newRow("name") << "EdtName" << true << "EdtNo";
        QTest::newRow("quantity") << "EdtNo" << true << "EdtPCST12";
        QTest::newRow("material") << "EdtPCST12" << true << "EdtLCST12";
        QTest::newRow("labour") << "EdtLCST12" << true << "EdtSCST12";
        QTest::newRow("expense, total enabled") << "EdtSCST12" << true << "EdtCSTTAL";
        QTest::newRow("expense, total disabled") << "EdtSCST12" << false << "EdtEtc";
        QTest::newRow("total") << "EdtCSTTAL" << true << "EdtEtc";
        QTest::newRow("remark") << "EdtEtc" << true << "EdtName";
    }
    void enterMovesThroughTheBoxes()
    {
        QFETCH(QString, from);
        QFETCH(bool, lump);
        QFETCH(QString, to);
        TInPutf dialog(0);
        ItemRowFields fields = NewItemRowFields(0);
        fields.expense = lump ? 0 : 10;
        dialog.LoadFields(fields);
        ShowActive(dialog);
        const QMap<QString, QWidget *> boxes = {
            {"EdtName", dialog.EdtName}, {"EdtNo", dialog.EdtNo}, {"EdtPCST12", dialog.EdtPCST12},
            {"EdtLCST12", dialog.EdtLCST12}, {"EdtSCST12", dialog.EdtSCST12}, {"EdtCSTTAL", dialog.EdtCSTTAL},
            {"EdtEtc", dialog.EdtEtc}};
        boxes.value(from)->setFocus();
        QTest::keyClick(boxes.value(from), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), boxes.value(to));
        QVERIFY(dialog.isVisible());
    }

    void escClosesWithoutWriting_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("box");
        QTest::newRow("name") << 0 << "name";
        QTest::newRow("remark") << 0 << "remark";
        QTest::newRow("quantity") << 0 << "quantity";
        QTest::newRow("percentage") << 1 << "percentage";
        QTest::newRow("sum menu") << 2 << "button";
    }
    void escClosesWithoutWriting()
    {
        QFETCH(int, page);
        QFETCH(QString, box);
        openWorkItems();
        TInPutf dialog(page);
        dialog.LoadFields(NewItemRowFields(0));
        ShowActive(dialog);
        QWidget *target = box == "name" ? static_cast<QWidget *>(dialog.EdtName)
                          : box == "remark" ? static_cast<QWidget *>(dialog.EdtEtc)
                          : box == "quantity" ? static_cast<QWidget *>(dialog.EdtNo)
                          : box == "percentage" ? static_cast<QWidget *>(dialog.EdtBiul)
                                                : static_cast<QWidget *>(dialog.BtnbSum1);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(db->scalar("select count(*) from NDTAIL").toInt(), 0);
        QVERIFY(!DataChanged);
    }

    void textBoxesHoldTheirBytes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("after");

        const QString name42 = QString(21, u'가');
        const QString remark14 = QString(7, u'가');
        QTest::newRow("name, keys: a letter past 43 bytes") << "name" << QString() << "keys" << name42 + "나a"
                                                            << name42 + "a";
        QTest::newRow("remark, keys: 15 bytes, not 20") << "remark" << QString() << "keys"
                                                        << remark14 + "나다라" << remark14;
        QTest::newRow("remark, keys: the 15th byte") << "remark" << QString() << "keys" << remark14 + "xy"
                                                     << remark14 + "x";
        QTest::newRow("name, composition fits") << "name" << QString(20, u'가') << "ime" << "나"
                                                << QString(20, u'가') + "나";
        QTest::newRow("name, composition past the limit") << "name" << name42 << "ime" << "나" << name42;
        QTest::newRow("remark, composition past the limit") << "remark" << remark14 << "ime" << "나" << remark14;
        QTest::newRow("name, a pick that fits") << "name" << QString(20, u'가') << "pick" << "★"
                                                << QString(20, u'가') + "★";
        QTest::newRow("name, a pick past the limit") << "name" << name42 << "pick" << "★" << name42;
        QTest::newRow("remark, a pick past the limit") << "remark" << remark14 << "pick" << "★" << remark14;
        QTest::newRow("remark, a cancelled pick") << "remark" << "ab" << "pick" << "Non" << "ab";
    }
    void textBoxesHoldTheirBytes()
    {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(QString, path);
        QFETCH(QString, entry);
        QFETCH(QString, after);
        TInPutf dialog(0);
        ShowActive(dialog);
        QLineEdit *edit = textBox(dialog, box);
        edit->setFocus();
        edit->setText(before);
        if (path == "keys") {
            TypeText(edit, entry);
        } else if (path == "ime") {
            QInputMethodEvent preedit(entry, {});
            QApplication::sendEvent(edit, &preedit);
            QInputMethodEvent commit;
            commit.setCommitString(entry);
            QApplication::sendEvent(edit, &commit);
        } else {
            qputenv("VEK_TEST_GLYPH", entry.toUtf8());
            QTest::keyClick(edit, Qt::Key_F11);
        }
        QCOMPARE(edit->text(), after);
        QVERIFY(Cp949Width(edit->text()) <= (box == "name" ? TInPutf::NameBytes : TInPutf::RemarkBytes));
        QVERIFY(dialog.isVisible());
    }

    void aPickGoesInAtTheCaret()
    {
        TInPutf dialog(0);
        ShowActive(dialog);
        dialog.EdtName->setFocus();
        dialog.EdtName->setText("가나");
        dialog.EdtName->setCursorPosition(1);
        qputenv("VEK_TEST_GLYPH", "★");
        QTest::keyClick(dialog.EdtName, Qt::Key_F11);
        QCOMPARE(dialog.EdtName->text(), QStringLiteral("가★나"));
    }

    void theKindDecidesTheSubLevelBox_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("shown");
        QTest::newRow("work item, ordinary") << 0 << 0 << true;
        QTest::newRow("work item, rate row") << 0 << 1 << false;
        QTest::newRow("middle group, left out") << 1 << 2 << false;
        QTest::newRow("middle group, ordinary") << 1 << 0 << true;
        QTest::newRow("small group, ordinary") << 2 << 0 << false;
    }
    void theKindDecidesTheSubLevelBox()
    {
        QFETCH(int, level);
        QFETCH(int, kind);
        QFETCH(bool, shown);
        TInPutf dialog(0);
        dialog.LoadFields(NewItemRowFields(level));
        ShowActive(dialog);
        dialog.gJChek->SetChecked(true);
        dialog.dGbunItems->button(kind)->click();
        QCOMPARE(dialog.gJChek->isVisible(), shown);
        QCOMPARE(dialog.gJPnel->Caption(), shown ? QStringLiteral("    하위공종") : QString());
        QCOMPARE(dialog.Fields().sub, shown);
        QCOMPARE(int(dialog.Fields().kind), kind);
    }

    void aRowWithLowerRowsKeepsItsKind()
    {
        TInPutf dialog(0);
        ItemRowFields fields = NewItemRowFields(0);
        fields.locked = true;
        fields.sub = true;
        dialog.LoadFields(fields);
        QVERIFY(!dialog.gJPnel->isEnabled());
        QVERIFY(!dialog.dGbun->isEnabled());
        QVERIFY(dialog.gJChek->Checked());
        QCOMPARE(dialog.gJPnel->palette().color(QPalette::Active, QPalette::WindowText), QColor(0x80, 0x80, 0x80));
    }

    void addsTheTypedRow()
    {
        openWorkItems();
        TInPutf dialog(0);
        dialog.LoadFields(NewItemRowFields(0));
        ShowActive(dialog);
        dialog.EdtName->setFocus();
        TypeText(dialog.EdtName, "터파기");
        QTest::keyClick(dialog.EdtName, Qt::Key_Return);
        for (const char *typed : {"2", "1000", "500"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), typed);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(dialog.EdtCSTTAL->Value(), 1500.0);
        QVERIFY(!dialog.EdtCSTTAL->isEnabled());
        dialog.mOk0Click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const QList<double> stored = {2, 1000, 2000, 500, 1000, 3000};
        const char *const columns[] = {"INO", "PCST11", "PCST12", "LCST11", "LCST12", "CSTTAL"};
        for (int i = 0; i < stored.size(); ++i)
            QCOMPARE(workItem(columns[i], "터파기").toDouble(), stored.at(i));
        QVERIFY(DataChanged);
    }

    void anUnchangedEditKeepsTheLumpAmount_data()
    {
        QTest::addColumn<double>("quantity");
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("shownTotal");
        QTest::addColumn<double>("newQuantity"); // 0: left as it is
        QTest::addColumn<double>("stored");
        QTest::newRow("2 x 5,000 unchanged") << 2.0 << 10000.0 << 5000.0 << 0.0 << 10000.0;
        QTest::newRow("2 x 5,000 becomes 3") << 2.0 << 10000.0 << 5000.0 << 3.0 << 15000.0;
        QTest::newRow("3 x 3,333.3333 unchanged") << 3.0 << 10000.0 << 3333.3333 << 0.0 << 10000.0;
        QTest::newRow("no quantity, unchanged") << 0.0 << 700.0 << 700.0 << 0.0 << 700.0;
    }
    void anUnchangedEditKeepsTheLumpAmount()
    {
        QFETCH(double, quantity);
        QFETCH(double, amount);
        QFETCH(double, shownTotal);
        QFETCH(double, newQuantity);
        QFETCH(double, stored);
        db->insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 1}, {"ODRF", 1}, {"NOADD", "lump"}, {"INO", quantity},
                       {"CSTTAL", amount}});
        openWorkItems();
        InputKind = 2;
        TInPutf dialog(0);
        dialog.LoadFields(LoadItemRow(0));
        QCOMPARE(dialog.EdtCSTTAL->Value(), shownTotal);
        QVERIFY(dialog.EdtCSTTAL->isEnabled());
        if (newQuantity != 0)
            dialog.EdtNo->SetValue(newQuantity);
        dialog.EdtEtc->setText("고침");
        dialog.mOk0Click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(workItem("CSTTAL", "lump").toDouble(), stored);
        QCOMPARE(workItem("ETC", "lump").toString().trimmed(), QStringLiteral("고침"));
    }

    void aFailedOkKeepsTheDialogOpen()
    {
        db->insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 1}, {"ODRF", 1}, {"NOADD", "big"}});
        openWorkItems();
        TInPutf dialog(0);
        dialog.LoadFields(NewItemRowFields(0));
        ShowActive(dialog);
        dialog.EdtName->setText("too big");
        dialog.EdtNo->SetValue(900000000000);
        dialog.EdtPCST12->SetValue(900000000000);
        MessageAnswerer answerer;
        dialog.mOk0Click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(answerer.requests().size(), 1);
        QVERIFY(answerer.texts().at(0).startsWith("처리실패!!"));
        QCOMPARE(db->scalar("select count(*) from NDTAIL").toInt(), 1);
        QCOMPARE(dialog.EdtName->text(), QStringLiteral("too big"));
        QVERIFY(!DataChanged);
    }

    void theSumMenuInsertsItsButtonsRow_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("label");
        QTest::newRow("소    계") << 1 << QStringLiteral("   소           계");
        QTest::newRow("계") << 2 << QStringLiteral("           계");
        QTest::newRow("합    계") << 3 << QStringLiteral("   합           계");
    }
    void theSumMenuInsertsItsButtonsRow()
    {
        QFETCH(int, button);
        QFETCH(QString, label);
        db->insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 1}, {"ODRF", 1}, {"NOADD", "A1"}});
        openWorkItems();
        TInPutf dialog(2);
        ShowActive(dialog);
        QPushButton *buttons[] = {dialog.BtnbSum1, dialog.BtnbSum2, dialog.BtnbSum3};
        buttons[button - 1]->setFocus();
        QTest::keyClick(buttons[button - 1], Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(db->scalar("select ICD1 from NDTAIL where TAG='T'").toInt(), button);
        QCOMPARE(db->scalar("select NOADD from NDTAIL where TAG='T'").toString().trimmed(), label.trimmed());
        QCOMPARE(db->scalar("select NOADD from NDTAIL where TAG='T'").toString().left(label.size()), label);
        QCOMPARE(db->scalar("select ODRF from NDTAIL where TAG='T'").toInt(), 2);
        QVERIFY(DataChanged);
    }

    void theBulkPageWorksOnWhatTheScreensShow_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("selected");
        // Labour unit prices of the line items L, N, E, the labour row M of L, and the
        // breakdown rows X-N and X-R afterwards.
        QTest::addColumn<QList<double>>("labour");
        QTest::newRow("line-item screen, whole list")
            << "items" << QStringList() << QList<double>{1100, 220, 100, 330, 1000, 1000};
        QTest::newRow("line-item screen, two selected")
            << "items" << QStringList{"L", "E"} << QList<double>{1100, 200, 110, 330, 1000, 1000};
        QTest::newRow("breakdown screen, whole breakdown")
            << "breakdown" << QStringList() << QList<double>{1000, 200, 100, 300, 1100, 1000};
        QTest::newRow("breakdown screen, two selected")
            << "breakdown" << QStringList{"X-R", "X-N"} << QList<double>{1000, 200, 100, 300, 1100, 1100};
    }
    void theBulkPageWorksOnWhatTheScreensShow()
    {
        QFETCH(QString, screen);
        QFETCH(QStringList, selected);
        QFETCH(QList<double>, labour);
        db->insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 1}, {"ODRF", 1}});
        const QStringList names = {"L", "N", "E", "M", "X-N", "X-R"};
        const QList<QVariantHash> rows = {
            {{"ABFS", "S"}, {"TAG", "L"}, {"ICD3", 4}, {"LCST11", 1000}},
            {{"ABFS", "S"}, {"TAG", "N"}, {"LCST11", 200}},
            {{"ABFS", "S"}, {"TAG", "E"}, {"LCST11", 100}},
            {{"ABFS", "S"}, {"TAG", "M"}, {"NORT", 4}, {"LCST11", 300}},
            {{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 1}, {"LCST11", 1000}},
            {{"ABFS", "X"}, {"TAG", "R"}, {"ICD1", 1}, {"LCST11", 1000}}};
        for (int i = 0; i < rows.size(); ++i) {
            QVariantHash row = rows.at(i);
            row.insert("NAME", names.at(i));
            row.insert("ACODE", row.value("ABFS") == "S" ? 1 : 0);
            row.insert("ODRF", i + 1);
            db->insertRow(row);
        }
        openWorkItems();
        m().TSlst.setCommandText("select * from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=1 and BCODE=0 and "
                                 "SCODE=0 Order by ODRF");
        m().TSlst.open();
        m().Tdtail.setCommandText("select * from NDTAIL where ABFS='X' and ICD1=1 Order by ODRF");
        m().Tdtail.open();
        Dataset &shown = screen == "items" ? m().TSlst : m().Tdtail;
        QList<Bookmark> bookmarks;
        for (const QString &name : selected)
            for (int recNo = 0; recNo < shown.recordCount(); ++recNo)
                if (shown.valueOf(recNo, shown.fieldIndex("NAME")).toString() == name)
                    bookmarks.append(shown.bookmarkOf(recNo));
        StandInScreen standIn(shown, bookmarks);
        (screen == "items" ? SlstFmHook : Sudetaif) = &standIn;

        InputKind = 1;
        TInPutf dialog(1);
        ShowActive(dialog);
        dialog.BulGrupItems->button(int(BulkTarget::Labour))->click();
        dialog.EdtBiul->SetValue(10);
        dialog.mOk1Click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(db->scalar("select LCST11 from NDTAIL where NAME=?", {names.at(i)}).toDouble(), labour.at(i));
        QVERIFY(DataChanged);
    }

    void aZeroPercentageClosesWithoutChange()
    {
        db->insertRow({{"ABFS", "S"}, {"TAG", "N"}, {"ACODE", 1}, {"LCST11", 1000}});
        openWorkItems();
        TInPutf dialog(1);
        ShowActive(dialog);
        dialog.EdtBiul->SetValue(0.00001);
        dialog.mOk1Click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!DataChanged);
    }

    void showsEachPageWithItsFocus_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QSize>("size");
        QTest::newRow("item row") << 0 << QSize(390, 251);
        QTest::newRow("bulk adjustment") << 1 << QSize(195, 161);
        QTest::newRow("sum menu") << 2 << QSize(118, 121);
    }
    void showsEachPageWithItsFocus()
    {
        QFETCH(int, page);
        QFETCH(QSize, size);
        db->insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 1}, {"ODRF", 1}, {"NOADD", "토공사"}});
        openWorkItems();
        bool checked = false;
        WhileShown([&](TInPutf &dialog) {
            checked = true;
            QCOMPARE(dialog.size(), size);
            QWidget *focus = dialog.focusWidget();
            if (page == 2) {
                QCOMPARE(focus, dialog.BtnbSum1);
                return;
            }
            auto *box = page == 0 ? dialog.EdtName : static_cast<QLineEdit *>(dialog.EdtBiul);
            QCOMPARE(focus, box);
            QVERIFY(!box->hasSelectedText());
            QCOMPARE(box->cursorPosition(), int(box->text().size()));
            if (page == 0)
                QCOMPARE(box->text(), QStringLiteral("토공사"));
        });
        InputKind = 2;
        RunItemDialog(page == 0   ? ItemRowDialogSetup(nullptr, 2, {100, 100, 390, 270})
                      : page == 1 ? BulkAdjustmentDialogSetup(nullptr)
                                  : SumMenuDialogSetup(nullptr));
        QVERIFY(checked);
        QVERIFY(!InPutf);
    }

    void pagesOneAndTwoRememberTheirPlace_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::newRow("bulk adjustment") << 1 << "조정Top" << "조정Lft";
        QTest::newRow("sum menu") << 2 << "합계Top" << "합계Lft";
    }
    void pagesOneAndTwoRememberTheirPlace()
    {
        QFETCH(int, page);
        QFETCH(QString, top);
        QFETCH(QString, left);
        const auto open = [page] { RunItemDialog(page == 1 ? BulkAdjustmentDialogSetup(nullptr) : SumMenuDialogSetup(nullptr)); };
        QPoint shown;
        WhileShown([&](TInPutf &dialog) {
            shown = dialog.pos();
            dialog.move(300, 200);
        });
        open();
        QCOMPARE(shown, QPoint(780, 220));
        QCOMPARE(ReadIniInteger("VekFree.ini", "FormTopLft", top, -1), 200);
        QCOMPARE(ReadIniInteger("VekFree.ini", "FormTopLft", left, -1), 300);
        WhileShown([&](TInPutf &dialog) { shown = dialog.pos(); });
        open();
        QCOMPARE(shown, QPoint(300, 200));
    }

    void theItemPageWritesNoPlace()
    {
        openWorkItems();
        WhileShown([](TInPutf &dialog) { dialog.move(300, 200); });
        RunItemDialog(ItemRowDialogSetup(nullptr, 1, {10, 20, 390, 270}));
        for (const char *key : {"조정Top", "조정Lft", "합계Top", "합계Lft"})
            QCOMPARE(ReadIniInteger("VekFree.ini", "FormTopLft", key, -1), -1);
    }

    void theEntryPointRunsTheDialog()
    {
        db->insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 1}, {"ODRF", 1}});
        openWorkItems();
        ConnectItemDialog();
        QStringList shown;
        const auto record = [&shown](TInPutf &dialog) {
            shown.append(QStringLiteral("%1 %2 %3").arg(dialog.Page()).arg(InputKind).arg(dialog.TopTitle->text().trimmed()));
        };
        WhileShown(record);
        InputKind = 2;
        OpenScreen(EntryPoints().ItemDialog, BulkAdjustmentDialogSetup(nullptr));
        WhileShown(record);
        InputKind = 1;
        OpenScreen(EntryPoints().ItemDialog, SumMenuDialogSetup(nullptr));
        EntryPoints() = ScreenEntryPoints();
        QCOMPARE(shown, (QStringList{"1 2 금 액 일 괄 조 정", "2 1 집계메뉴"}));
    }

    void pageZeroShowsTheRowItWorksOn_data()
    {
        QTest::addColumn<int>("inputKind");
        QTest::addColumn<QVariantHash>("row");
        QTest::addColumn<bool>("lowerRows");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<double>>("boxes"); // quantity, material, labour, expense, total
        QTest::addColumn<bool>("totalEnabled");
        QTest::addColumn<bool>("panelEnabled");
        QTest::addColumn<bool>("ticked");

        const QVariantHash priced{{"NOADD", " 2. 토공사"}, {"INO", 2},     {"PCST11", 1000},
                                  {"LCST11", 500},          {"SCST11", 0.5}, {"CSTTAL", 3001}};
        QVariantHash withGroups = priced;
        withGroups.insert("SUB", 1);
        QVariantHash rate = priced;
        rate.insert("TAG", "R");
        QTest::newRow("a new row") << 1 << priced << false << 0 << QString() << QList<double>{1, 0, 0, 0, 0} << true
                                   << true << false;
        QTest::newRow("priced row") << 2 << priced << false << 0 << " 2. 토공사" << QList<double>{2, 1000, 500, 0.5, 1500.5}
                                    << false << true << false;
        QTest::newRow("row with middle groups: locked") << 2 << withGroups << true << 0 << " 2. 토공사"
                                                        << QList<double>{2, 1000, 500, 0.5, 1500.5} << false << false
                                                        << true;
        QTest::newRow("lump row of two: the unit total")
            << 2 << QVariantHash{{"NOADD", "lump"}, {"INO", 2}, {"CSTTAL", 10000}} << false << 0 << "lump"
            << QList<double>{2, 0, 0, 0, 5000} << true << true << false;
        QTest::newRow("rate row") << 2 << rate << false << 1 << " 2. 토공사" << QList<double>{2, 1000, 500, 0.5, 1500.5}
                                  << false << true << false;
    }
    void pageZeroShowsTheRowItWorksOn()
    {
        QFETCH(int, inputKind);
        QFETCH(QVariantHash, row);
        QFETCH(bool, lowerRows);
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QList<double>, boxes);
        QFETCH(bool, totalEnabled);
        QFETCH(bool, panelEnabled);
        QFETCH(bool, ticked);
        db->insertRow({{"ABFS", "A"}, {"TAG", "A"}, {"ACODE", 1}, {"ODRF", 1}, {"NOADD", "first"}});
        row.insert("ABFS", "A");
        row.insert("ACODE", 2);
        row.insert("ODRF", 2);
        if (!row.contains("TAG"))
            row.insert("TAG", "A");
        db->insertRow(row);
        if (lowerRows)
            db->insertRow({{"ACODE", 2}, {"BCODE", 1}, {"ABFS", "B"}, {"TAG", "B"}, {"ODRF", 1}});
        openWorkItems();
        m().TAlst.last();

        QList<double> shown;
        WhileShown([&](TInPutf &dialog) {
            QCOMPARE(int(dialog.Fields().kind), kind);
            QCOMPARE(dialog.EdtName->text(), name);
            for (TCurrencyEdit *box :
                 {dialog.EdtNo, dialog.EdtPCST12, dialog.EdtLCST12, dialog.EdtSCST12, dialog.EdtCSTTAL})
                shown.append(box->Value());
            QCOMPARE(dialog.EdtCSTTAL->isEnabled(), totalEnabled);
            QCOMPARE(dialog.gJPnel->isEnabled(), panelEnabled);
            QCOMPARE(dialog.dGbun->isEnabled(), panelEnabled);
            QCOMPARE(dialog.gJChek->Checked(), ticked);
        });
        InputKind = inputKind;
        RunItemDialog(ItemRowDialogSetup(nullptr, inputKind, {100, 100, 390, 270}));
        QCOMPARE(shown, boxes);
        QVERIFY(!DataChanged);
    }
};

VEK_TEST(TestItemDialog)
#include "tst_ItemDialog.moc"
