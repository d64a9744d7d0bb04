#include "app/FileDialogs.h"
#include "tests/support/TestRegistry.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vek;

class TestFileDialogs : public QObject {
    Q_OBJECT
private slots:
    void setsTheDialogUpAsAsked_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("acceptMode");
        QTest::addColumn<int>("fileMode");
        QTest::newRow("open") << int(FileDialogRequest::Kind::Open) << QString() << int(QFileDialog::AcceptOpen)
                              << int(QFileDialog::ExistingFile);
        QTest::newRow("save") << int(FileDialogRequest::Kind::Save) << QStringLiteral("이름없음.Vek")
                              << int(QFileDialog::AcceptSave) << int(QFileDialog::AnyFile);
    }
    void setsTheDialogUpAsAsked()
    {
        QFETCH(int, kind);
        QFETCH(QString, fileName);
        QFETCH(int, acceptMode);
        QFETCH(int, fileMode);
        QTemporaryDir folder;
        const FileDialogRequest request{FileDialogRequest::Kind(kind), QStringLiteral("제목"), folder.path(), fileName,
                                        QStringLiteral("내역서파일 (*.Vek *.vek *.VEK)"), QStringLiteral("Vek")};
        QFileDialog dialog;
        ConfigureFileDialog(dialog, request);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("제목"));
        QCOMPARE(int(dialog.acceptMode()), acceptMode);
        QCOMPARE(int(dialog.fileMode()), fileMode);
        QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("내역서파일 (*.Vek *.vek *.VEK)")});
        QCOMPARE(dialog.defaultSuffix(), QStringLiteral("Vek"));
        QCOMPARE(QDir(dialog.directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
        if (!fileName.isEmpty())
            QCOMPARE(QFileInfo(dialog.selectedFiles().value(0)).fileName(), fileName);
    }

    // The dialog the user sees: its choice, or cancel, comes back from PresentFileDialog.
    void theQtDialogGivesTheChosenPath_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("a name typed and saved") << true;
        QTest::newRow("cancelled") << false;
    }
    void theQtDialogGivesTheChosenPath()
    {
        QFETCH(bool, accept);
        QTemporaryDir folder;
        const FileDialogRequest request{FileDialogRequest::Kind::Save, QStringLiteral("다른 이름으로 저장"), folder.path(),
                                        QStringLiteral("이름없음.Vek"), QStringLiteral("내역서파일 (*.Vek *.vek *.VEK)"),
                                        QStringLiteral("Vek")};
        QString title;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            if (accept) {
                dialog->selectFile(QStringLiteral("공사1"));
                QMetaObject::invokeMethod(dialog, "accept");
            } else {
                dialog->reject();
            }
        });
        const QString chosen = PresentFileDialog(request);
        QCOMPARE(title, request.title);
        QCOMPARE(chosen, accept ? QDir(folder.path()).filePath(QStringLiteral("공사1.Vek")) : QString());
    }
};

VEK_TEST(TestFileDialogs)
#include "tst_FileDialogs.moc"
