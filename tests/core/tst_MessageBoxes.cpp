#include "core/MessageBoxes.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestRegistry.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

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

    void answererTakesQueuedChoicesThenItsDefault()
    {
        MessageAnswerer answerer(false);
        answerer.queueChoice(MessageChoice::Cancel);
        answerer.queueAnswer(true);
        const MessageRequest question{MessageKind::YesNoCancel, "Confirm", "덮어쓸까요?"};
        QCOMPARE(ChooseMessage(question), MessageChoice::Cancel);
        QVERIFY(!PresentMessage(question)); // the default No: a Yes/No/Cancel question takes no plain answer
        QVERIFY(PresentMessage({MessageKind::OkCancel, "VekWFree", "Insert the disk"}));
        QVERIFY(!PresentMessage({MessageKind::OkCancel, "VekWFree", "Insert the disk"}));
        QCOMPARE(answerer.requests().size(), 4);
        QCOMPARE(answerer.requests()[1].kind, MessageKind::YesNoCancel);
    }

    // The boxes themselves, answered by clicking their buttons once they are up.
    void qtBoxesShowTheirButtons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("icon");
        QTest::newRow("Yes/No question") << int(MessageKind::Confirmation) << int(QMessageBox::Yes | QMessageBox::No)
                                         << int(QMessageBox::Yes) << int(QMessageBox::Question);
        QTest::newRow("information") << int(MessageKind::Information) << int(QMessageBox::Ok)
                                     << int(QMessageBox::NoButton) << int(QMessageBox::Information);
        QTest::newRow("Yes/No/Cancel") << int(MessageKind::YesNoCancel)
                                       << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
                                       << int(QMessageBox::No) << int(QMessageBox::Warning);
        QTest::newRow("OK/Cancel") << int(MessageKind::OkCancel) << int(QMessageBox::Ok | QMessageBox::Cancel)
                                   << int(QMessageBox::Ok) << int(QMessageBox::NoIcon);
        QTest::newRow("plain") << int(MessageKind::Plain) << int(QMessageBox::Ok) << int(QMessageBox::NoButton)
                               << int(QMessageBox::NoIcon);
    }
    void qtBoxesShowTheirButtons()
    {
        QFETCH(int, kind);
        QFETCH(int, buttons);
        QFETCH(int, defaultButton);
        QFETCH(int, icon);
        MessagePresenter *previous = SetMessagePresenter(nullptr);
        const MessageRequest request{MessageKind(kind), "Confirm", "Overwrite previous file /tmp/Ba001.Zip"};
        for (QMessageBox::StandardButton click : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Yes,
                                                  QMessageBox::Ok}) {
            if (!(buttons & click))
                continue;
            // What the box showed, read just before it is answered.
            int seenButtons = -1;
            int seenDefault = -1;
            int seenIcon = -1;
            QString seenTitle;
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (!box)
                    return;
                seenButtons = int(box->standardButtons());
                seenDefault = int(box->standardButton(box->defaultButton()));
                seenIcon = int(box->icon());
                seenTitle = box->windowTitle();
                box->button(click)->click();
            });
            const MessageChoice choice = MessageKind(kind) == MessageKind::YesNoCancel ? ChooseMessage(request)
                                         : PresentMessage(request)                  ? MessageChoice::Yes
                                                                                    : MessageChoice::No;
            QCOMPARE(seenButtons, buttons);
            QCOMPARE(seenDefault, defaultButton);
            QCOMPARE(seenIcon, icon);
            QCOMPARE(seenTitle, QString("Confirm"));
            const MessageChoice expected = click == QMessageBox::Yes || click == QMessageBox::Ok ? MessageChoice::Yes
                                           : click == QMessageBox::No                           ? MessageChoice::No
                                           : MessageKind(kind) == MessageKind::YesNoCancel      ? MessageChoice::Cancel
                                                                                                : MessageChoice::No;
            QCOMPARE(choice, expected);
        }
        SetMessagePresenter(previous);
    }
};

VEK_TEST(TestMessageBoxes)
#include "tst_MessageBoxes.moc"
