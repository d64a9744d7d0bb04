#include "app/QtTranslations.h"
#include "tests/support/TestRegistry.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

using namespace vek;

class TestQtTranslations : public QObject {
    Q_OBJECT

private slots:
    // The program's questions come with Qt's standard buttons: their texts must be Korean.
    void standardButtonsSpeakKorean()
    {
        QVERIFY(InstallQtTranslations());
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        const QString yes = box.button(QMessageBox::Yes)->text();
        const QString no = box.button(QMessageBox::No)->text();
        const QString cancel = box.button(QMessageBox::Cancel)->text();
        QVERIFY2(yes.contains(QStringLiteral("예")), qPrintable(yes));
        QVERIFY2(no.contains(QStringLiteral("아니")), qPrintable(no));
        QVERIFY2(cancel.contains(QStringLiteral("취소")), qPrintable(cancel));
    }
};

VEK_TEST(TestQtTranslations)
#include "tst_QtTranslations.moc"
