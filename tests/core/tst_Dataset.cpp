#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/EstimateColumns.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace vek;

class TestDataset : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;

    // Five work items, ODRF 1..5, named a..e.
    Dataset &workItems()
    {
        for (int i = 1; i <= 5; ++i)
            db->insertRow({{"ACODE", i}, {"ABFS", "A"}, {"TAG", "A"}, {"ODRF", i}, {"NAME", QString(QChar('a' + i - 1))}});
        Dataset &ds = db->module().TAlst;
        ds.setCommandText("select * from NDTAIL where ABFS='A' Order by ODRF");
        ds.open();
        return ds;
    }

    QStringList names(Dataset &ds)
    {
        QStringList result;
        for (ds.first(); !ds.eof(); ds.next())
            result.append(ds.asString("NAME"));
        return result;
    }

private slots:
    void init() { db = std::make_unique<TempDatabase>(); }
    void cleanup() { db.reset(); }

    void navigation()
    {
        Dataset &ds = workItems();
        QCOMPARE(ds.recordCount(), 5);
        QVERIFY(ds.bof());
        QCOMPARE(ds.asString("NAME"), QStringLiteral("a"));
        ds.prior();
        QVERIFY(ds.bof());
        QCOMPARE(ds.recNo(), 0);
        ds.last();
        QVERIFY(ds.eof());
        QCOMPARE(ds.asString("NAME"), QStringLiteral("e"));
        ds.next();
        QVERIFY(ds.eof());
        QCOMPARE(ds.recNo(), 4);
        ds.setRecNo(2);
        QCOMPARE(ds.asInteger("ODRF"), 3);
        QCOMPARE(names(ds), (QStringList{"a", "b", "c", "d", "e"}));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, ds.value("NOSUCHFIELD"));
    }

    // Inside a transaction a select opened again runs again, with its new parameters, and
    // sees what the transaction changed since.
    void reopeningInsideATransactionReadsAgain()
    {
        workItems();
        WorkTransaction command(db->module().SQLConect);
        Dataset &ds = db->module().sQTmp;
        const QString sql = "select NAME from NDTAIL where ABFS='A' and ODRF>=? order by ODRF";
        for (int pass = 0; pass < 2; ++pass) {
            ds.setCommandText(sql, {4});
            ds.open();
            QCOMPARE(names(ds), (QStringList{"d", "e"}));
            ds.setCommandText(sql, {2});
            ds.open();
            QCOMPARE(names(ds), (QStringList{"b", "c", "d", "e"}));
        }
        db->module().SQLConect.execute("update NDTAIL set NAME='z' where ODRF=5");
        ds.setCommandText(sql, {4});
        ds.open();
        QCOMPARE(names(ds), (QStringList{"d", "z"}));
        QVERIFY(command.commit());
    }

    void anEmptyDatasetHasNoRow()
    {
        Dataset &ds = db->module().TAlst;
        ds.open();
        QVERIFY(ds.isEmpty() && ds.bof() && ds.eof());
        QCOMPARE(ds.recNo(), -1);
        QVERIFY(ds.value("ACODE").isNull());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, ds.edit());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, ds.deleteRecord());
    }

    void bookmarksSurviveARefresh()
    {
        Dataset &ds = workItems();
        ds.setRecNo(3);
        const Bookmark mark = ds.bookmark();
        ds.first();
        QVERIFY(ds.gotoBookmark(mark));
        QCOMPARE(ds.asString("NAME"), QStringLiteral("d"));
        // Another row goes in before it: refresh and the bookmark still find it.
        db->insertRow({{"ACODE", 9}, {"ABFS", "A"}, {"TAG", "A"}, {"ODRF", 0}, {"NAME", "z"}});
        ds.refresh();
        QCOMPARE(ds.asString("NAME"), QStringLiteral("d"));
        QCOMPARE(ds.recNo(), 4);
        ds.first();
        QVERIFY(ds.gotoBookmark(mark));
        QCOMPARE(ds.asString("NAME"), QStringLiteral("d"));
    }

    void editPostsOnlyToItsRow()
    {
        Dataset &ds = workItems();
        ds.setRecNo(1);
        ds.edit();
        ds.setValue("NAME", "바뀐 이름");
        QCOMPARE(ds.state(), DatasetState::Edit);
        ds.post();
        QCOMPARE(ds.state(), DatasetState::Browse);
        QCOMPARE(db->scalar("select NAME from NDTAIL where ACODE=2").toString(), QStringLiteral("바뀐 이름"));
        QCOMPARE(db->scalar("select count(*) from NDTAIL where NAME='바뀐 이름'").toInt(), 1);
        ds.setRecNo(2);
        ds.edit();
        ds.setValue("NAME", "버림");
        ds.cancel();
        QCOMPARE(ds.asString("NAME"), QStringLiteral("c"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, ds.setValue("NAME", "x"));
    }

    void deleteRemovesTheCurrentRow()
    {
        Dataset &ds = workItems();
        ds.last();
        ds.deleteRecord();
        QCOMPARE(ds.recordCount(), 4);
        QCOMPARE(ds.asString("NAME"), QStringLiteral("d"));
        QCOMPARE(db->scalar("select count(*) from NDTAIL").toInt(), 4);
    }

    void insertGoesBeforeTheCurrentRowAppendAfterTheLast()
    {
        Dataset &ds = workItems();
        ds.setRecNo(1);
        ds.insert();
        ds.setValue("ACODE", 7);
        ds.setValue("BCODE", 0);
        ds.setValue("SCODE", 0);
        ds.setValue("NAME", "new");
        ds.post();
        QCOMPARE(ds.recNo(), 1);
        QVERIFY(ds.value("RID").toInt() > 0);
        ds.append();
        ds.setValue("ACODE", 8);
        ds.setValue("BCODE", 0);
        ds.setValue("SCODE", 0);
        ds.setValue("NAME", "end");
        ds.post();
        QCOMPARE(names(ds), (QStringList{"a", "new", "b", "c", "d", "e", "end"}));
        QCOMPARE(db->scalar("select count(*) from NDTAIL").toInt(), 7);
    }

    void aFailedPostLeavesTheRowInEditing()
    {
        Dataset &ds = workItems();
        ds.append();
        ds.setValue("NAME", "lost");
        db->module().SQLConect.close(); // the table is out of reach
        QVERIFY_THROWS_EXCEPTION(DatabaseError, ds.post());
        QCOMPARE(ds.state(), DatasetState::Insert);
        ds.cancel();
        QCOMPARE(ds.recordCount(), 5);
    }

    void filterHidesRows()
    {
        Dataset &ds = workItems();
        ds.setFilter([](const Dataset &d, int row) { return d.valueAt(row, "ODRF").toInt() % 2 == 1; });
        ds.setFiltered(true);
        QCOMPARE(names(ds), (QStringList{"a", "c", "e"}));
        ds.setFiltered(false);
        QCOMPARE(ds.recordCount(), 5);
    }

    void cachedUpdatesReachTheTableOnApply()
    {
        Dataset &ds = workItems();
        ds.setCachedUpdates(true);
        ds.first();
        ds.edit();
        ds.setValue("NAME", "cached");
        ds.post();
        ds.last();
        ds.deleteRecord();
        ds.append();
        for (const char *key : {"ACODE", "BCODE", "SCODE"})
            ds.setValue(key, 0);
        ds.post();
        QCOMPARE(ds.pendingUpdates(), 3);
        QCOMPARE(db->scalar("select NAME from NDTAIL where ACODE=1").toString(), QStringLiteral("a"));
        QCOMPARE(db->scalar("select count(*) from NDTAIL").toInt(), 5);
        ds.applyUpdates();
        QCOMPARE(ds.pendingUpdates(), 0);
        QCOMPARE(db->scalar("select NAME from NDTAIL where ACODE=1").toString(), QStringLiteral("cached"));
        QCOMPARE(db->scalar("select count(*) from NDTAIL where ACODE=5").toInt(), 0);
        QCOMPARE(db->scalar("select count(*) from NDTAIL where ACODE=0").toInt(), 1);
    }

    void aCachedUpdateWritesOnlyWhatChanged()
    {
        Dataset &ds = workItems();
        ds.setCachedUpdates(true);
        // Meanwhile another statement changes columns the dataset read before.
        db->module().SQLConect.execute("update NDTAIL set ETC='elsewhere', ODRF=ODRF+10 where ACODE in (1, 2)");
        QVERIFY(db->module().SQLConect.commit());
        ds.first();
        ds.edit();
        ds.setValue("NAME", "cached");
        ds.post();
        ds.edit();
        ds.setValue("INO", 3);
        ds.post();
        ds.next();
        ds.edit();
        ds.setValue("NAME", "x");
        ds.post();
        ds.edit();
        ds.setValue("NAME", "b"); // back as it was read
        ds.post();
        ds.applyUpdates();
        const QString row = "select NAME || '/' || cast(INO as integer) || '/' || trim(ETC) || '/' || ODRF from NDTAIL "
                            "where ACODE=?";
        QCOMPARE(db->scalar(row, {1}).toString(), QStringLiteral("cached/3/elsewhere/11"));
        QCOMPARE(db->scalar(row, {2}).toString(), QStringLiteral("b/0/elsewhere/12"));
        // Applied, the row's next change is measured from what was written.
        ds.first();
        ds.edit();
        ds.setValue("INO", 4);
        ds.post();
        ds.applyUpdates();
        QCOMPARE(db->scalar(row, {1}).toString(), QStringLiteral("cached/4/elsewhere/11"));
    }

    void disabledControlsHearNothingUntilEnabled()
    {
        Dataset &ds = workItems();
        QSignalSpy resets(&ds, &Dataset::rowsReset);
        QSignalSpy moves(&ds, &Dataset::currentChanged);
        ds.disableControls();
        ds.disableControls();
        for (ds.first(); !ds.eof(); ds.next()) {
        }
        ds.refresh();
        ds.enableControls();
        QCOMPARE(resets.count() + moves.count(), 0);
        ds.enableControls();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(moves.count(), 1);
        ds.first();
        QCOMPARE(moves.count(), 2);
    }

    // A key left empty is refused by the engine on every way into the table, never stored
    // as 0, which would make the row another node's.
    void aNullKeyIsRefused_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("way");
        for (const char *key : {"ACODE", "BCODE", "SCODE"})
            for (const char *way : {"posted new row", "posted change", "row insert statement", "update statement"})
                QTest::addRow("%s, %s", key, way) << QString(key) << QString(way);
    }
    void aNullKeyIsRefused()
    {
        QFETCH(QString, key);
        QFETCH(QString, way);
        Dataset &ds = workItems();
        QVariantHash keys{{"ACODE", 1}, {"BCODE", 0}, {"SCODE", 0}};
        QString refusal;
        try {
            if (way == "posted new row") {
                ds.append();
                for (auto k = keys.cbegin(); k != keys.cend(); ++k)
                    ds.setValue(k.key(), k.key() == key ? QVariant() : k.value());
                ds.post();
            } else if (way == "posted change") {
                ds.edit();
                ds.setValue(key, QVariant());
                ds.post();
            } else if (way == "row insert statement") {
                keys.insert(key, QVariant());
                InsertEstimateRow(db->module().SQLConect, EstimateRowValues(keys));
            } else {
                db->module().SQLConect.execute("update NDTAIL set " + key + "=? where ODRF=1", {QVariant()});
            }
        } catch (const DatabaseError &error) {
            refusal = error.message();
        }
        db->module().SQLConect.rollback();
        QVERIFY2(refusal.contains(QStringLiteral("validation error for column \"NDTAIL\".\"%1\"").arg(key)),
                 qPrintable(refusal));
        QCOMPARE(db->scalar("select count(*) from NDTAIL").toInt(), 5);
        QCOMPARE(db->scalar("select count(*) from NDTAIL where " + key + " is null or " + key + "=0").toInt(),
                 key == "ACODE" ? 0 : 5);
    }

    void aQueryWithoutRowKeyIsReadOnly()
    {
        workItems();
        Dataset &ds = db->module().qDgdel;
        ds.setCommandText("select ACODE, NAME from NDTAIL");
        ds.open();
        ds.edit();
        ds.setValue("NAME", "x");
        QVERIFY_THROWS_EXCEPTION(DatabaseError, ds.post());
    }
};

VEK_TEST(TestDataset)
#include "tst_Dataset.moc"
