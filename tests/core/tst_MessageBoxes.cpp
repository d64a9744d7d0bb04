#include "core/MessageBoxes.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestRegistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace vek;

class TestMessageBoxes : public QObject {
    Q_OBJECT
private slots:
    void boxesReachTheInstalledPresenter()
    {
        MessageAnswerer answerer;
        answerer.queueAnswer(false);
        ShowInfoMsg("처리실패!!");
        QVERIFY(!ConfirmYesNo("저장하시겠습니까?")); // the queued answer
        QVERIFY(ConfirmYesNo("종료하시겠습니까?"));  // then the default
        QCOMPARE(answerer.texts(), QStringList({"처리실패!!", "저장하시겠습니까?", "종료하시겠습니까?"}));
        QCOMPARE(answerer.requests()[0].kind, MessageKind::Information);
        QCOMPARE(answerer.requests()[1].kind, MessageKind::Confirmation);
    }

    // The Qt presenter, with no answerer in place: the box that shows, its icon and
    // buttons, and the answer of the button pressed.
    void theQtPresenterShowsRealBoxes_data()
    {
        QTest::addColumn<bool>("question");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<bool>("answer");
        const int yesNo = QMessageBox::Yes | QMessageBox::No;
        QTest::newRow("question, Yes") << true << int(QMessageBox::Yes) << int(QMessageBox::Question) << yesNo << true;
        QTest::newRow("question, No") << true << int(QMessageBox::No) << int(QMessageBox::Question) << yesNo << false;
        QTest::newRow("information") << false << int(QMessageBox::Ok) << int(QMessageBox::Information)
                                     << int(QMessageBox::Ok) << true;
    }
    void theQtPresenterShowsRealBoxes()
    {
        QFETCH(bool, question);
        QFETCH(int, press);
        QFETCH(int, icon);
        QFETCH(int, buttons);
        QFETCH(bool, answer);
        // What the box showed, read while it is up.
        bool shown = false;
        QString text;
        int shownIcon = -1;
        int shownButtons = 0;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            shown = true;
            text = box->text();
            shownIcon = box->icon();
            shownButtons = box->standardButtons();
            box->button(QMessageBox::StandardButton(press))->click();
        });
        bool answered = true;
        if (question)
            answered = ConfirmYesNo(QStringLiteral(" 작업을 종료하겠습니까 ??"));
        else
            ShowInfoMsg(QStringLiteral("처리실패!!"));
        QVERIFY(shown);
        QCOMPARE(text, question ? QStringLiteral(" 작업을 종료하겠습니까 ??") : QStringLiteral("처리실패!!"));
        QCOMPARE(shownIcon, icon);
        QCOMPARE(shownButtons, buttons);
        QCOMPARE(answered, answer);
    }

    void answererPutsThePreviousPresenterBack()
    {
        MessageAnswerer outer(false);
        {
            MessageAnswerer inner(true);
            QVERIFY(ConfirmYesNo("inner"));
        }
        QVERIFY(!ConfirmYesNo("outer"));
        QCOMPARE(outer.texts(), QStringList({"outer"}));
    }
};

VEK_TEST(TestMessageBoxes)
#include "tst_MessageBoxes.moc"
