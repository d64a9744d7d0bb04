#include "core/Environment.h"
#include "platform/ini/IniFile.h"
#include "tests/archiver/InfoZip.h"
#include "tests/archiver/RealEngine.h"
#include "tests/archiver/TestEngines.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLibrary>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

using namespace vek;

namespace {

using ZipDllFunction = void (*)();

// What the host saw of the library's windows while it drove them.
struct Drive {
    QString title;
    QString archiveLabel;
    QStringList messages; // texts of the message boxes, answered Yes or OK
};

// Calls kZipdll from this Qt program and drives the modal dialog by its object names, as
// a user would: Start, then Yes to every question.
Drive CallAndPressStart(ZipDllFunction kZipdll)
{
    Drive drive;
    bool started = false;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            drive.messages.append(box->text());
            QAbstractButton *yes = box->button(QMessageBox::Yes);
            (yes ? yes : box->button(QMessageBox::Ok))->click();
        } else if (modal->objectName() == QStringLiteral("mainf") && !started) {
            started = true;
            drive.title = modal->windowTitle();
            drive.archiveLabel = modal->findChild<QLabel *>(QStringLiteral("LZipFile"))->text();
            // Clicked after this returns: a timer's handler does not run again while it runs,
            // and the question box that Start opens must be answered by it.
            QWidget *start = modal->findChild<QWidget *>(QStringLiteral("StartBtn"));
            QTimer::singleShot(0, start, [start] { QTest::mouseClick(start, Qt::LeftButton); });
        }
    });
    driver.start(20);
    kZipdll();
    return drive;
}

void WriteJob(const TempHome &home, int job)
{
    RegistryStore registry = LocalMachineRegistry();
    QVERIFY(registry.writeString(QStringLiteral("\\SOFTWARE\\KavroSft\\ZipList"), QStringLiteral("fInifile"),
                                 QStringLiteral("VekFree.ini")));
    QVERIFY(registry.writeInteger(QStringLiteral("\\SOFTWARE\\KavroSft\\ZipList"), QStringLiteral("ZipEx"), job));
    IniFile ini(home.filePath(QStringLiteral("VekFree.ini")));
    ini.writeString(QStringLiteral("ZipList"), QStringLiteral("ZipFiles"), QStringLiteral("VEKTMP.GDB;견적.gdb"));
    QVERIFY(ini.save());
}

} // namespace

// The backup library as its callers see it: one export, callable from a Qt program and
// from a plain C program.
class TestKavroZip : public QObject {
    Q_OBJECT
private slots:
    // Nothing but kZipdll is seen from outside, so nothing inside takes the place of the
    // host's own code.
    void exportsOnlyKZipdll()
    {
        QProcess nm;
        nm.start(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"), VEK_KAVROZIP_LIBRARY});
        QVERIFY(nm.waitForFinished());
        QCOMPARE(nm.exitCode(), 0);
        QStringList symbols;
        for (const QString &line : QString::fromLatin1(nm.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
            symbols.append(line.section(u' ', -1));
        QCOMPARE(symbols, QStringList{"kZipdll"});
    }

    // A Qt host backs the work files up and restores them through the library's dialog.
    void aQtHostBacksUpAndRestores()
    {
        TempHome home;
        QDir().mkpath(home.filePath("Temp"));
        const QByteArray database = SampleBytes(150000), estimate = "견적 " + SampleBytes(2000, 5);
        QVERIFY(WriteTestFile(home.filePath("Temp/VEKTMP.GDB"), database));
        QVERIFY(WriteTestFile(home.filePath("Temp/견적.gdb"), estimate));
        QLibrary library(VEK_KAVROZIP_LIBRARY);
        const auto kZipdll = reinterpret_cast<ZipDllFunction>(library.resolve("kZipdll"));
        QVERIFY2(kZipdll, qPrintable(library.errorString()));

        WriteJob(home, 0);
        const Drive backup = CallAndPressStart(kZipdll);
        QCOMPARE(backup.title, QStringLiteral(" >> 작업내용을 백업합니다."));
        QCOMPARE(backup.archiveLabel, home.filePath("BakUp.Zip") + "   ");
        QCOMPARE(backup.messages, QStringList());
        QVERIFY(!QApplication::activeModalWidget());
        QString output;
        QVERIFY2(UnzipAccepts(home.filePath("BakUp.Zip"), &output), qPrintable(output));
        QVERIFY2(output.contains("VEKTMP.GDB"), qPrintable(output));

        QVERIFY(WriteTestFile(home.filePath("Temp/VEKTMP.GDB"), "changed since"));
        QVERIFY(QFile::remove(home.filePath("Temp/견적.gdb")));
        WriteJob(home, 1);
        const Drive restore = CallAndPressStart(kZipdll);
        QCOMPARE(restore.title, QStringLiteral(" >> 백업내용을 복구합니다."));
        QCOMPARE(restore.messages.size(), 1);
        QVERIFY(restore.messages.constFirst().contains("대체됩니다"));
        QCOMPARE(ReadTestFile(home.filePath("Temp/VEKTMP.GDB")), database);
        QCOMPARE(ReadTestFile(home.filePath("Temp/견적.gdb")), estimate);
        QCOMPARE(QDir(home.filePath("Temp")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);
        // Unloading leaves it in memory: the host's Qt keeps the dialog's resources and
        // type names, which must not point into freed memory.
        QVERIFY(library.unload());
        QVERIFY(IsInMemory(VEK_KAVROZIP_LIBRARY));
    }

    // A plain C host has no application object and here no display either: the call
    // returns, says why on stderr, and throws nothing into the host.
    void aPlainHostWithoutADisplay()
    {
        TempHome home;
        QProcess host;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        host.setProcessEnvironment(environment);
        host.start(VEK_PLAIN_HOST, {VEK_KAVROZIP_LIBRARY});
        QVERIFY(host.waitForFinished(60000));
        const QString errors = QString::fromLocal8Bit(host.readAllStandardError());
        QCOMPARE(host.exitStatus(), QProcess::NormalExit);
        QVERIFY2(host.exitCode() == 0, qPrintable(errors));
        QCOMPARE(host.readAllStandardOutput(), QByteArray("kZipdll returned\n"));
        QVERIFY2(errors.contains("no display"), qPrintable(errors));
    }
};

VEK_TEST(TestKavroZip)
#include "tst_KavroZip.moc"
