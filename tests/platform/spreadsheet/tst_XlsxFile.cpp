#include "platform/spreadsheet/XlsxFile.h"
#include "platform/spreadsheet/ExcelApplication.h"
#include "platform/spreadsheet/SpreadsheetError.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"
#include "tests/support/WorkbookReader.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vek;

class TestXlsxFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    static QStringList Files(const QString &folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

private slots:
    // Two runs with the same names give two files; what was there stays as it was.
    void neverOverwrites()
    {
        const QString folder = dir_.filePath("never");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(WriteTestFile(folder + "/이름없음 01내역서.xlsx", "the user's own file"));

        QStringList saved;
        for (const char *text : {"first", "second"}) {
            ExcelApplication app;
            app.WorkBooks().add();
            app.Cells(1, 1).setValue(QString::fromLatin1(text));
            saved.append(SaveNewXlsx(app.workbook(1), folder, "이름없음 01내역서"));
        }

        QCOMPARE(saved, (QStringList{folder + "/이름없음 01내역서 (2).xlsx", folder + "/이름없음 01내역서 (3).xlsx"}));
        QCOMPARE(ReadTestFile(folder + "/이름없음 01내역서.xlsx"), QByteArray("the user's own file"));
        QCOMPARE(WorkbookReader(saved[0]).cell("Sheet1", "A1").value("value").toString(), QStringLiteral("first"));
        QCOMPARE(WorkbookReader(saved[1]).cell("Sheet1", "A1").value("value").toString(), QStringLiteral("second"));
        // No temporary file is left behind.
        QCOMPARE(Files(folder).size(), 3);
    }

    void folderThatIsAFile()
    {
        const QString notAFolder = dir_.filePath("plain");
        QVERIFY(WriteTestFile(notAFolder, "x"));
        ExcelApplication app;
        app.WorkBooks().add();
        QVERIFY_THROWS_EXCEPTION(SpreadsheetError, SaveNewXlsx(app.workbook(1), notAFolder, "book"));
        QCOMPARE(ReadTestFile(notAFolder), QByteArray("x"));
    }

    // A name the file system refuses is reported, and the temporary file goes.
    void nameTheFolderRefuses()
    {
        const QString folder = dir_.filePath("long");
        QVERIFY(QDir().mkpath(folder));
        ExcelApplication app;
        app.WorkBooks().add();
        QVERIFY_THROWS_EXCEPTION(SpreadsheetError, SaveNewXlsx(app.workbook(1), folder, QString(300, u'x')));
        QCOMPARE(Files(folder), QStringList());
    }
};

VEK_TEST(TestXlsxFile)
#include "tst_XlsxFile.moc"
