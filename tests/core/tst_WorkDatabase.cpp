#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/HomeFolder.h"
#include "core/WorkDatabase.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace vek;

class TestWorkDatabase : public QObject {
    Q_OBJECT

    static QString connectError(TdMf &module, const QString &path)
    {
        try {
            module.Connect(path);
        } catch (const DatabaseError &error) {
            return error.message();
        }
        return QString();
    }

private slots:
    void initTestCase() { PrepareFirebirdLock(); }

    void firstStartCopiesTheTemplate()
    {
        TempHome home;
        QCOMPARE(WorkDatabasePath(), home.path() + "/Temp/VEKTMP.GDB");
        QVERIFY(!QFile::exists(WorkDatabasePath()));
        PrepareWorkDatabase();
        QVERIFY(QFile::exists(WorkDatabasePath()));
        QCOMPARE(QFile(WorkDatabasePath()).size(), QFile(TemplateDatabasePath()).size());
        TdMf module;
        module.Connect(WorkDatabasePath());
        module.TAlst.open();
        QVERIFY(module.TAlst.isEmpty());
    }

    void anExistingWorkingDatabaseIsNeverOverwritten()
    {
        TempHome home;
        PrepareWorkDatabase();
        {
            TdMf module;
            module.Connect(WorkDatabasePath());
            module.SQLConect.execute("insert into DGADEL (ICD1,ICD2,ICD3) values (?,?,?)", {1, 2, 3});
            QVERIFY(module.SQLConect.commit());
        }
        PrepareWorkDatabase();
        TdMf module;
        module.Connect(WorkDatabasePath());
        module.qDgdel.open();
        QCOMPARE(module.qDgdel.recordCount(), 1);
    }

    void aCopyThatCannotBeMadeIsReportedAndLeavesNoFile()
    {
        TempHome home;
        // The copy's temporary name is taken by a folder: the copy fails as on a full disk.
        QVERIFY(QDir().mkpath(home.filePath("Temp/VEKTMP.GDB.part/x")));
        QString message;
        try {
            PrepareWorkDatabase();
        } catch (const DatabaseError &error) {
            message = error.message();
        }
        QVERIFY2(message.contains(WorkDatabasePath()), qPrintable(message));
        QVERIFY(!QFile::exists(WorkDatabasePath()));
    }

    void aDamagedOrMissingFileIsNamedInTheMessage()
    {
        TempHome home;
        const QString damaged = home.filePath("damaged.gdb");
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(64 * 1024, 'x'));
        file.close();
        TdMf module;
        QString message = connectError(module, damaged);
        QVERIFY2(message.contains(damaged), qPrintable(message));
        QVERIFY(!module.SQLConect.isOpen());

        const QString missing = home.filePath("missing.gdb");
        message = connectError(module, missing);
        QVERIFY2(message.contains(missing), qPrintable(message));
    }

    void aDatabaseHeldByAnotherProcessIsReported()
    {
        const QString isql = QStandardPaths::findExecutable("isql-fb");
        QVERIFY2(!isql.isEmpty(), "isql-fb is installed by scripts/setup");
        TempHome home;
        PrepareWorkDatabase();
        QProcess holder;
        holder.setProcessChannelMode(QProcess::MergedChannels);
        // Line-buffered, so that its answer shows when it has attached.
        holder.start("stdbuf", {"-oL", isql, "-user", "sysdba", "-password", "quillbark", WorkDatabasePath()});
        QVERIFY(holder.waitForStarted());
        holder.write("select count(*) from DGADEL;\n");
        QByteArray answer;
        QTRY_VERIFY_WITH_TIMEOUT((answer += holder.readAll()).contains("COUNT") || holder.state() != QProcess::Running,
                                 20000);
        QCOMPARE(holder.state(), QProcess::Running);

        TdMf module;
        const QString message = connectError(module, WorkDatabasePath());
        holder.write("quit;\n");
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(20000));
        QVERIFY2(message.contains("다른 프로그램") && message.contains(WorkDatabasePath()), qPrintable(message));

        // Once the other process lets go, the database opens.
        module.Connect(WorkDatabasePath());
        QVERIFY(module.SQLConect.isOpen());
    }
};

VEK_TEST(TestWorkDatabase)
#include "tst_WorkDatabase.moc"
