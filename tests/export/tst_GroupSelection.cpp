#include "export/GroupSelection.h"
#include "core/DatabaseError.h"
#include "core/WorkConnection.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

#include <memory>

using namespace vek;

Q_DECLARE_METATYPE(vek::GroupSelection)

namespace {

const QString ExportSelect = QStringLiteral("select * from NDTAIL Order by ODRF");

// The name of each row of set, in order: NAME of line items, NOADD of groups.
QStringList Names(Dataset &set, QChar level)
{
    QStringList names;
    for (set.first(); !set.eof(); set.next())
        names.append(set.asString(level == u'S' ? "NAME" : "NOADD").trimmed());
    return names;
}

} // namespace

class TestGroupSelection : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;

    TdMf &m() { return db->module(); }

    void add(const QString &name, const QString &abfs, int a, int b, int s, int order, const QVariant &tag)
    {
        db->insertRow({{"NAME", name}, {"NOADD", name}, {"ABFS", abfs}, {"ACODE", a}, {"BCODE", b}, {"SCODE", s}, {"ODRF", order},
                       {"TAG", tag}});
    }

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        // Rows of several levels under work items 1 and 2, out of ODRF order.
        add("b2", "B", 1, 2, 0, 2, "B");
        add("b1", "B", 1, 1, 0, 1, "B");
        add("b other", "B", 2, 1, 0, 1, "B");
        add("f1", "F", 1, 1, 1, 1, "F");
        add("f rate", "F", 1, 1, 2, 2, "R");
        add("f other", "F", 1, 2, 1, 1, "F");
        add("s3", "S", 1, 1, 1, 3, "N");
        add("s1", "S", 1, 1, 1, 1, "D");
        add("labour", "S", 1, 1, 1, 2, "M");
        add("no kind", "S", 1, 1, 1, 4, QVariant());
        add("s other small group", "S", 1, 1, 2, 1, "T");
        add("s of middle group", "S", 1, 2, 0, 1, "N");
        add("s of work item 2", "S", 2, 0, 0, 1, "N");
        add("breakdown", "X", 1, 1, 1, 1, "N");
    }
    void cleanup() { db.reset(); }

    // The select reads the rows of the group, in ODRF order; labour rows and rows without
    // a kind are no line items of a sheet.
    void selectsTheGroupsRows_data()
    {
        QTest::addColumn<GroupSelection>("selection");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("middle groups of a work item") << GroupSelection{u'B', 1, {}, {}} << QStringList{"b1", "b2"};
        QTest::newRow("small groups of a middle group")
            << GroupSelection{u'F', 1, 1, {}} << QStringList{"f1", "f rate"};
        QTest::newRow("line items of a small group")
            << GroupSelection{u'S', 1, 1, 1} << QStringList{"s1", "s3"};
        QTest::newRow("line items of a middle group")
            << GroupSelection{u'S', 1, 2, {}} << QStringList{"s of middle group"};
        QTest::newRow("line items of a work item, every group")
            << GroupSelection{u'S', 1, {}, {}}
            << QStringList{"s1", "s other small group", "s of middle group", "s3"};
        QTest::newRow("nothing") << GroupSelection{u'F', 3, 1, {}} << QStringList{};
    }
    void selectsTheGroupsRows()
    {
        QFETCH(GroupSelection, selection);
        QFETCH(QStringList, names);
        Dataset &set = m().TpSlst;
        const SelectedRows rows(set, selection);
        QVERIFY(set.isActive());
        const QStringList selected = Names(set, selection.level);
        if (selection.bcode || selection.level != u'S')
            QCOMPARE(selected, names);
        else // rows of one ODRF in several groups come in either order
            QCOMPARE(QSet<QString>(selected.begin(), selected.end()), QSet<QString>(names.begin(), names.end()));
    }

    // Afterwards the set is closed and has its own select back, also when the set could not
    // be opened.
    void givesTheSetBack()
    {
        Dataset &set = m().TpSlst;
        set.setCommandText(ExportSelect + " ", {7});
        {
            const SelectedRows rows(set, {u'S', 1, 1, 1});
            QCOMPARE(set.params(), (QVariantList{1, 1, 1}));
        }
        QVERIFY(!set.isActive());
        QCOMPARE(set.commandText(), ExportSelect + " ");
        QCOMPARE(set.params(), QVariantList{7});

        m().SQLConect.close();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, SelectedRows(set, {u'B', 1, {}, {}}));
        QVERIFY(!set.isActive());
        QCOMPARE(set.commandText(), ExportSelect + " ");
        QCOMPARE(set.params(), QVariantList{7});
    }

    // Reads in a transaction of their own, gone afterwards; a transaction already open is
    // theirs and stays open, its work untouched.
    void readingTransaction_data()
    {
        QTest::addColumn<bool>("openBefore");
        QTest::newRow("none open") << false;
        QTest::newRow("one open") << true;
    }
    void readingTransaction()
    {
        QFETCH(bool, openBefore);
        WorkConnection &connection = m().SQLConect;
        if (openBefore)
            connection.execute("update NDTAIL set NAME='바뀐 이름' where NAME='s3'");
        {
            const ReadingTransaction reading(&connection);
            QVERIFY(connection.inTransaction());
            const SelectedRows rows(m().TpSlst, {u'S', 1, 1, 1});
            QCOMPARE(Names(m().TpSlst, u'S').last(), QString::fromUtf8(openBefore ? "바뀐 이름" : "s3"));
        }
        QCOMPARE(connection.inTransaction(), openBefore);
        QCOMPARE(db->scalar("select count(*) from NDTAIL where NAME='바뀐 이름'").toInt(), openBefore ? 1 : 0);
        QVERIFY(connection.commit());
    }
};

VEK_TEST(TestGroupSelection)
#include "tst_GroupSelection.moc"
