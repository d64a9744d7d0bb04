#include "core/MessageBoxes.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

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
};

VEK_TEST(TestMessageBoxes)
#include "tst_MessageBoxes.moc"
