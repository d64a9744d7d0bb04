#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/SqlRoutines.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace vek;

class TestSqlRoutines : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;

    TdMf &m() { return db->module(); }

    int count(const QString &where)
    {
        return db->scalar("select count(*) from NDTAIL where " + where).toInt();
    }

    // Opens the lists down to level (0: work items, 1: + middle groups, 2: + small groups)
    // with the current rows on keys (1, 1, 1).
    void openLevel(int level)
    {
        m().TAlst.setCommandText("select * from NDTAIL where ABFS='A' and ACODE=?", {1});
        m().TAlst.open();
        if (level >= 1) {
            m().TBlst.setCommandText("select * from NDTAIL where ABFS='B' and ACODE=? and BCODE=?", {1, 1});
            m().TBlst.open();
        }
        if (level == 2) {
            m().TFlst.setCommandText("select * from NDTAIL where ABFS='F' and ACODE=? and BCODE=? and SCODE=?", {1, 1, 1});
            m().TFlst.open();
        }
    }

    void addGroups()
    {
        db->insertRow({{"ACODE", 1}, {"ABFS", "A"}, {"TAG", "A"}});
        db->insertRow({{"ACODE", 1}, {"BCODE", 1}, {"ABFS", "B"}, {"TAG", "B"}});
        db->insertRow({{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"ABFS", "F"}, {"TAG", "F"}});
    }

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        addGroups();
    }
    void cleanup() { db.reset(); }

    void openListLevel()
    {
        QCOMPARE(OpenListLevel(), 0);
        openLevel(1);
        QCOMPARE(OpenListLevel(), 1);
        m().TFlst.open();
        QCOMPARE(OpenListLevel(), 2);
        m().TBlst.close();
        QCOMPARE(OpenListLevel(), 0);
    }

    void itemShiftStaysInsideItsList_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("expected"); // ODRF after ShiftItemOrder(2), rows below in order
        // rows: (1,0,0) x2, (1,1,0) x2, (1,1,1) x2, labour row in (1,1,1), (2,1,1)
        QTest::newRow("work item") << 0 << QList<int>{1, 3, 1, 2, 1, 2, 2, 2};
        QTest::newRow("middle group") << 1 << QList<int>{1, 2, 1, 3, 1, 2, 2, 2};
        QTest::newRow("small group") << 2 << QList<int>{1, 2, 1, 2, 1, 3, 2, 2};
    }
    void itemShiftStaysInsideItsList()
    {
        QFETCH(int, level);
        QFETCH(QList<int>, expected);
        const QList<QList<int>> keys = {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}};
        for (const QList<int> &k : keys)
            for (int odrf = 1; odrf <= 2; ++odrf)
                db->insertRow({{"ACODE", k[0]}, {"BCODE", k[1]}, {"SCODE", k[2]}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", odrf}});
        db->insertRow({{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"ABFS", "S"}, {"TAG", "M"}, {"ODRF", 2}});
        db->insertRow({{"ACODE", 2}, {"BCODE", 1}, {"SCODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", 2}});
        openLevel(level);
        ShiftItemOrder(2);
        QList<int> got;
        QSqlQuery rows = m().SQLConect.select("select ODRF from NDTAIL where ABFS='S' order by RID");
        while (rows.next())
            got.append(rows.value(0).toInt());
        QCOMPARE(got, expected);
    }

    void purgeKeepsBreakdownsUsedOutsideTheNode()
    {
        // Middle groups 1 and 2 of work item 1; key (5,5,5) is used in both, (6,6,6) only in 1.
        db->insertRow({{"ACODE", 1}, {"BCODE", 2}, {"ABFS", "B"}, {"TAG", "B"}});
        db->insertRow({{"ACODE", 1}, {"BCODE", 1}, {"ABFS", "S"}, {"TAG", "D"}, {"ICD1", 5}, {"ICD2", 5}, {"ICD3", 5}});
        db->insertRow({{"ACODE", 1}, {"BCODE", 2}, {"ABFS", "S"}, {"TAG", "D"}, {"ICD1", 5}, {"ICD2", 5}, {"ICD3", 5}});
        db->insertRow({{"ACODE", 1}, {"BCODE", 1}, {"ABFS", "S"}, {"TAG", "D"}, {"ICD1", 6}, {"ICD2", 6}, {"ICD3", 6}});
        // A line item that is no unit-price item does not keep a breakdown alive.
        db->insertRow({{"ACODE", 1}, {"BCODE", 2}, {"ABFS", "S"}, {"TAG", "N"}, {"ICD1", 6}, {"ICD2", 6}, {"ICD3", 6}});
        for (int key : {5, 6})
            for (int row = 0; row < 2; ++row)
                db->insertRow({{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", key}, {"ICD2", key}, {"ICD3", key}});
        db->insertRow({{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 6}, {"ICD2", 6}, {"ICD3", 7}});
        openLevel(1);
        PurgeOrphanDetails();
        QCOMPARE(count("ABFS='X' and ICD3=5"), 2);
        QCOMPARE(count("ABFS='X' and ICD3=6"), 0);
        QCOMPARE(count("ABFS='X' and ICD3=7"), 1);
        QVERIFY(!m().qDgdel.isActive());
    }

    void purgeOfTheWholeWorkItem()
    {
        db->insertRow({{"ACODE", 1}, {"BCODE", 1}, {"ABFS", "S"}, {"TAG", "D"}, {"ICD1", 5}, {"ICD2", 5}, {"ICD3", 5}});
        db->insertRow({{"ACODE", 1}, {"BCODE", 2}, {"ABFS", "S"}, {"TAG", "D"}, {"ICD1", 5}, {"ICD2", 5}, {"ICD3", 5}});
        db->insertRow({{"ACODE", 2}, {"ABFS", "S"}, {"TAG", "D"}, {"ICD1", 6}, {"ICD2", 6}, {"ICD3", 6}});
        db->insertRow({{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 5}, {"ICD2", 5}, {"ICD3", 5}});
        db->insertRow({{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 6}, {"ICD2", 6}, {"ICD3", 6}});
        openLevel(0);
        PurgeOrphanDetails();
        QCOMPARE(count("ABFS='X' and ICD3=5"), 0);
        QCOMPARE(count("ABFS='X' and ICD3=6"), 1);
    }

    void purgeOfANodeWithoutUnitPriceItemsDeletesNothing()
    {
        db->insertRow({{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"ICD1", 5}, {"ICD2", 5}, {"ICD3", 5}});
        db->insertRow({{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 2}, {"ABFS", "S"}, {"TAG", "D"}, {"ICD1", 5}, {"ICD2", 5}, {"ICD3", 5}});
        db->insertRow({{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 5}, {"ICD2", 5}, {"ICD3", 5}});
        openLevel(2);
        PurgeOrphanDetails();
        QCOMPARE(count("ABFS='X'"), 1);
    }

    void deleteDetailRowsDeletesOneKey()
    {
        db->insertRow({{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 1}, {"ICD2", 2}, {"ICD3", 3}});
        db->insertRow({{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 1}, {"ICD2", 2}, {"ICD3", 4}});
        db->insertRow({{"ABFS", "S"}, {"TAG", "D"}, {"ICD1", 1}, {"ICD2", 2}, {"ICD3", 3}});
        DeleteDetailRows(1, 2, 3);
        QCOMPARE(count("ICD3=3"), 1);
        QCOMPARE(count("ICD3=4"), 1);
    }

    void newKeysAreOnePlusTheLargest()
    {
        QCOMPARE(NextWorkItemCode(), 2);
        QCOMPARE(NextMiddleGroupCode(1), 2);
        QCOMPARE(NextMiddleGroupCode(9), 1);
        QCOMPARE(NextSmallGroupCode(1, 1), 2);
        QCOMPARE(NextSmallGroupCode(1, 2), 1);
        db->insertRow({{"ACODE", 7}, {"ABFS", "A"}, {"TAG", "A"}});
        db->insertRow({{"ACODE", 9}, {"ABFS", "S"}, {"TAG", "N"}}); // not a work item
        QCOMPARE(NextWorkItemCode(), 8);
    }

    void runTempSqlReadsBackThroughSQTmp()
    {
        RunTempSql(false, "select count(*), max(ACODE), min(ABFS) from NDTAIL where ACODE=?", {1});
        QCOMPARE(m().sQTmp.value(0).toInt(), 3);
        QCOMPARE(m().sQTmp.value(1).toInt(), 1);
        QCOMPARE(m().sQTmp.value(2).toString(), QStringLiteral("A"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, RunTempSql(true, "update NOSUCHTABLE set X=1"));
    }

    void boundRatesMatchThemselvesExactly()
    {
        const double rate = 0.07 * 3; // 0.21000000000000002: no short text names it
        db->insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"PRT2", rate}, {"LRT2", 0.1 + 0.2}});
        RunTempSql(false, "select count(*) from NDTAIL where PRT2=? and LRT2=?", {rate, 0.1 + 0.2});
        QCOMPARE(m().sQTmp.value(0).toInt(), 1);
        RunTempSql(false, "select count(*) from NDTAIL where PRT2=? and LRT2=?", {0.21, 0.3});
        QCOMPARE(m().sQTmp.value(0).toInt(), 0);
    }

    void aRefusedCommitRollsBackAndReports()
    {
        // A commit the engine refuses: a database trigger that raises while a flag is set.
        WorkConnection &c = m().SQLConect;
        c.execute("create exception REFUSED 'commit refused'");
        QVERIFY(c.commit());
        c.execute("create trigger REFUSE_COMMIT on transaction commit as begin "
                  "if (rdb$get_context('USER_SESSION', 'REFUSE') = '1') then exception REFUSED; end");
        QVERIFY(c.commit());

        MessageAnswerer answerer;
        RunTempSql(false, "select rdb$set_context('USER_SESSION', 'REFUSE', '1') from rdb$database");
        RunTempSql(true, "UpDate NDTAIL Set NAME=? where ABFS='A'", {"lost"});
        RunTempSql(true, "insert into DGADEL (ICD1,ICD2,ICD3) Values (?, ?,?)", {1, 2, 3});
        CommitWork();
        QCOMPARE(answerer.texts(), QStringList{"처리실패!!"});
        QVERIFY(!c.inTransaction());

        RunTempSql(false, "select rdb$set_context('USER_SESSION', 'REFUSE', '0') from rdb$database");
        m().sQTmp.close();
        QCOMPARE(db->scalar("select count(*) from DGADEL").toInt(), 0);
        QCOMPARE(db->scalar("select NAME from NDTAIL where ABFS='A'").toString(), QString());
        // Nothing of the refused work lingers: the same row changes and commits.
        RunTempSql(true, "UpDate NDTAIL Set NAME=? where ABFS='A'", {"kept"});
        CommitWork();
        QCOMPARE(answerer.texts().size(), 1);
        QCOMPARE(db->scalar("select NAME from NDTAIL where ABFS='A'").toString(), QStringLiteral("kept"));
    }

    void aCommandIsOneTransaction()
    {
        db->insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", 1}});
        openLevel(0);
        try {
            WorkTransaction command(m().SQLConect);
            ShiftItemOrder(1); // commits at the command's end, not here
            RunTempSql(true, "insert into NDTAIL (ACODE) values (?)", {1}); // BCODE is required
            command.commit();
            QFAIL("the insert should fail");
        } catch (const DatabaseError &) {
        }
        QCOMPARE(db->scalar("select ODRF from NDTAIL where ABFS='S'").toInt(), 1);
    }
};

VEK_TEST(TestSqlRoutines)
#include "tst_SqlRoutines.moc"
