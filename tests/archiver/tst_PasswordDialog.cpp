#include "archiver/PasswordDialog.h"
#include "archiver/ZipMaster.h"
#include "tests/archiver/PasswordAnswerer.h"
#include "tests/archiver/ZipProbe.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TestRegistry.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace vek;

class TestPasswordDialog : public QObject {
    Q_OBJECT
private slots:
    void layout()
    {
        TPasswordDlg dialog;
        QCOMPARE(dialog.size(), QSize(344, 137));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.font().family(), QString("Arial"));
        QCOMPARE(dialog.font().pointSize(), 9);
        QVERIFY(dialog.font().bold());
        QCOMPARE(dialog.windowTitle(), QString("ZipMsgXX.res is probably not linked to the executable\nMissing String ID is: "));
        QCOMPARE(dialog.frameGeometry().center(), QGuiApplication::primaryScreen()->geometry().center());
        QCOMPARE(dialog.Prompt->geometry(), QRect(20, 8, 297, 18));
        QVERIFY(dialog.Prompt->text().isEmpty());
        QCOMPARE(dialog.Edit->pos(), QPoint(20, 40));
        QCOMPARE(dialog.Edit->width(), 297);
        QCOMPARE(dialog.Edit->echoMode(), QLineEdit::Password);
        QCOMPARE(dialog.Edit->maxLength(), 80);
        QCOMPARE(dialog.OkButton->geometry(), QRect(44, 72, 90, 28));
        QCOMPARE(dialog.CancelButton->geometry(), QRect(205, 72, 90, 28));
        QVERIFY(dialog.OkButton->text().isEmpty() && dialog.CancelButton->text().isEmpty());
        QVERIFY(!dialog.OkButton->icon().isNull() && !dialog.CancelButton->icon().isNull());
        QVERIFY(dialog.OkButton->isDefault());
    }

    // The edit shows one '*' for each character typed.
    void echoesStars()
    {
        TPasswordDlg dialog;
        dialog.Edit->insert("비밀 pw");
        QCOMPARE(dialog.Edit->displayText(), QString("*****"));
        QCOMPARE(dialog.Edit->text(), QString("비밀 pw"));
    }

    void questions_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QList<std::optional<QString>>>("typed");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QList<int>>("messages");
        QTest::newRow("adding: the same twice") << true << QList<std::optional<QString>>{"Pw", "Pw"} << 2 << "Pw" << QList<int>();
        QTest::newRow("adding: answers differ") << true << QList<std::optional<QString>>{"Pw", "pw"} << 2 << "" << QList<int>{10104};
        QTest::newRow("adding: cancelled") << true << QList<std::optional<QString>>{std::nullopt} << 1 << "" << QList<int>();
        QTest::newRow("extracting: once") << false << QList<std::optional<QString>>{"Pw"} << 1 << "Pw" << QList<int>();
        QTest::newRow("extracting: cancelled") << false << QList<std::optional<QString>>{std::nullopt} << 1 << "" << QList<int>();
    }
    void questions()
    {
        QFETCH(bool, adding);
        QFETCH(QList<std::optional<QString>>, typed);
        QFETCH(int, dialogs);
        QFETCH(QString, answer);
        QFETCH(QList<int>, messages);
        MessageAnswerer answers;
        TZipMaster zip;
        ZipProbe probe(zip);
        zip.SetPassword("before");
        PasswordAnswerer typist(typed);
        QCOMPARE(adding ? zip.GetAddPassword() : zip.GetExtrPassword(), answer);
        QCOMPARE(typist.Shown(), dialogs);
        QCOMPARE(probe.MessageIds(), messages);
        QCOMPARE(zip.Password(), answer.isEmpty() ? QString("before") : answer);
    }

    void unattendedNobodyIsAsked()
    {
        MessageAnswerer answers;
        TZipMaster zip;
        ZipProbe probe(zip);
        zip.SetUnattended(true);
        PasswordAnswerer typist({QString("x"), QString("x")});
        QVERIFY(zip.GetAddPassword().isEmpty());
        QVERIFY(zip.GetExtrPassword().isEmpty());
        QCOMPARE(typist.Shown(), 0);
        QCOMPARE(probe.MessageIds(), QList<int>({10150, 10151}));
        QVERIFY(answers.texts().isEmpty());
    }
};

VEK_TEST(TestPasswordDialog)
#include "tst_PasswordDialog.moc"
