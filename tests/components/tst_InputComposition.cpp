#include "components/InputComposition.h"
#include "tests/support/TestRegistry.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <memory>

using namespace vek;

namespace {

void Preedit(QWidget *target, const QString &text)
{
    QInputMethodEvent event(text, {});
    QApplication::sendEvent(target, &event);
}

} // namespace

// The program-wide watch over compositions. No input method runs here, so what a
// composition shows is committed by the watch itself: the way an input method that drops
// its syllable is made good.
class TestInputComposition : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    QLineEdit *box = nullptr;
    QLineEdit *other = nullptr;
    QLabel *label = nullptr;
    QString seenByCommand;

private slots:
    void initTestCase() { InputComposition::Watch(); }

    void init()
    {
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        box = new QLineEdit(window.get());
        other = new QLineEdit(window.get());
        label = new QLabel(QStringLiteral("공사명"), window.get());
        for (QWidget *widget : {static_cast<QWidget *>(box), static_cast<QWidget *>(other), static_cast<QWidget *>(label)})
            layout->addWidget(widget);
        auto *save = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), window.get());
        connect(save, &QShortcut::activated, this, [this] { seenByCommand = box->text(); });
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        box->setText(QStringLiteral("한"));
        seenByCommand.clear();
    }

    void cleanup() { window.reset(); }

    void theSyllableIsCommittedBeforeAnythingActs_data()
    {
        QTest::addColumn<QString>("act");
        QTest::addColumn<QString>("text");
        QTest::newRow("a click where no focus goes") << "click" << "한국";
        QTest::newRow("a wheel turn") << "wheel" << "한국";
        QTest::newRow("a typed key comes after it") << "key" << "한국x";
        QTest::newRow("a shortcut's command sees it") << "shortcut" << "한국";
        QTest::newRow("the focus moves on") << "focus" << "한국";
        QTest::newRow("a modifier alone acts on nothing") << "shift" << "한";
    }
    void theSyllableIsCommittedBeforeAnythingActs()
    {
        QFETCH(QString, act);
        QFETCH(QString, text);
        Preedit(box, QStringLiteral("국"));
        QCOMPARE(InputComposition::Shown(), QStringLiteral("국"));
        QCOMPARE(InputComposition::Shown(window.get()), QStringLiteral("국"));
        QCOMPARE(InputComposition::Shown(other), QString());
        if (act == u"click") {
            QTest::mouseClick(label, Qt::LeftButton);
        } else if (act == u"wheel") {
            const QPointF at = label->rect().center();
            QWheelEvent wheel(at, label->mapToGlobal(at), {}, {0, -QWheelEvent::DefaultDeltasPerStep}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(label, &wheel);
        } else if (act == u"key") {
            QTest::keyClick(box, Qt::Key_X);
        } else if (act == u"shortcut") {
            QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(seenByCommand, QStringLiteral("한국"));
        } else if (act == u"focus") {
            other->setFocus();
            QTRY_VERIFY(other->hasFocus());
            QCOMPARE(other->text(), QString());
        } else {
            QTest::keyPress(box, Qt::Key_Shift);
        }
        QCOMPARE(box->text(), text);
        QCOMPARE(InputComposition::Shown().isEmpty(), text != u"한");
    }

    void aCommandCommitsOnlyWhereItLooks()
    {
        Preedit(box, QStringLiteral("국"));
        InputComposition::Commit(other);
        QCOMPARE(box->text(), QStringLiteral("한"));
        InputComposition::Commit(window.get());
        QCOMPARE(box->text(), QStringLiteral("한국"));
        QCOMPARE(InputComposition::Shown(), QString());
        InputComposition::Commit();
        QCOMPARE(box->text(), QStringLiteral("한국"));
    }

    void aCompositionTheInputMethodEndedIsNotCommittedAgain()
    {
        Preedit(box, QStringLiteral("국"));
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("국"));
        QApplication::sendEvent(box, &commit);
        Preedit(box, QStringLiteral("ㅎ"));
        Preedit(box, QString()); // taken back
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
        QCOMPARE(box->text(), QStringLiteral("한국"));
    }
};

VEK_TEST(TestInputComposition)
#include "tst_InputComposition.moc"
