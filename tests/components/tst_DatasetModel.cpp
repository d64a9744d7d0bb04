#include "components/DatasetModel.h"
#include "core/DatabaseError.h"
#include "tests/components/WorkItemGrid.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace vek;

// The adapter over the work-item list of a fresh working database.
class TestDatasetModel : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;
    Dataset *list = nullptr;

    static QList<DatasetColumn> columns()
    {
        return {Column("rTg", "No", 30), Column("NAME", "공    종    명", 175), Column("CSTTAL", "합계금액", 110)};
    }

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        db->insertRow({{"ABFS", "A"}, {"TAG", "N"}, {"ACODE", 1}, {"ODRF", 1}, {"NAME", "가설공사"}, {"CSTTAL", 1234567.0}});
        db->insertRow({{"ABFS", "A"}, {"TAG", "N"}, {"ACODE", 2}, {"ODRF", 2}, {"NAME", "토공사"}, {"CSTTAL", 0.0}});
        db->insertRow({{"ABFS", "A"}, {"TAG", "N"}, {"ACODE", 3}, {"ODRF", 3}, {"NAME", "철근콘크리트공사"}, {"MVE", "T"}});
        list = &db->module().TAlst;
        list->setCommandText("select * from NDTAIL where ABFS='A' order by ODRF");
        list->open();
    }

    void cleanup()
    {
        list = nullptr;
        db.reset();
    }

    void showsColumnsWithTitlesWidthsFormatsAndCalculatedFields()
    {
        DatasetModel model;
        model.setDataset(list);
        model.setColumns(columns());
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("공    종    명"));
        QCOMPARE(model.column(2).width, 110);
        QCOMPARE(model.data(model.index(0, 2), Qt::DisplayRole).toString(), QString("1,234,567"));
        QCOMPARE(model.data(model.index(1, 2), Qt::DisplayRole).toString(), QString()); // zero shows no digit
        QCOMPARE(model.data(model.index(1, 0), Qt::DisplayRole).toString(), QString("2"));
        QCOMPARE(model.data(model.index(2, 0), Qt::DisplayRole).toString(), QString("☞"));
        QCOMPARE(model.data(model.index(2, 1), Qt::DisplayRole).toString(), QString("철근콘크리트공사"));
        const auto alignment = model.data(model.index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>();
        QVERIFY(alignment & Qt::AlignRight);
        QVERIFY(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable)); // calculated
    }

    // A column with a colour of its own paints its cells in it; the others leave the
    // grid's background.
    void aColumnCanHaveItsOwnBackground()
    {
        QList<DatasetColumn> coloured = columns();
        coloured[1].color = Qt::white;
        DatasetModel model;
        model.setDataset(list);
        model.setColumns(coloured);
        QCOMPARE(model.data(model.index(2, 1), Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
        QVERIFY(!model.data(model.index(2, 2), Qt::BackgroundRole).isValid());
    }

    void withoutColumnsShowsEveryField()
    {
        DatasetModel model;
        model.setDataset(list);
        QCOMPARE(model.columnCount(), list->fieldCount());
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), list->fieldName(0));
    }

    void writingACellPostsTheRowToTheTable()
    {
        DatasetModel model;
        model.setDataset(list);
        model.setColumns(columns());
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(model.index(1, 1), "터파기공사", Qt::EditRole));
        QCOMPARE(list->recNo(), 1);
        QCOMPARE(list->state(), DatasetState::Browse);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(model.data(model.index(1, 1), Qt::DisplayRole).toString(), QString("터파기공사"));
        QCOMPARE(db->scalar("select NAME from NDTAIL where ABFS='A' and ACODE=2").toString(), QString("터파기공사"));
        QVERIFY(!model.setData(model.index(1, 0), "9", Qt::EditRole)); // calculated fields take nothing
    }

    void currentRowFollowsBothWays()
    {
        DatasetModel model;
        model.setDataset(list);
        QSignalSpy moved(&model, &DatasetModel::currentRowChanged);
        list->next();
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.last().at(0).toInt(), 1);
        QVERIFY(model.setCurrentRow(2));
        QCOMPARE(list->recNo(), 2);
        QCOMPARE(model.currentRow(), 2);
        QVERIFY(!model.setCurrentRow(3));
    }

    void movingAwayPostsAnEditInProgress()
    {
        DatasetModel model;
        model.setDataset(list);
        list->edit();
        list->setValue("NAME", "변경");
        QVERIFY(model.setCurrentRow(1));
        QCOMPARE(list->state(), DatasetState::Browse);
        QCOMPARE(db->scalar("select NAME from NDTAIL where ABFS='A' and ACODE=1").toString(), QString("변경"));
    }

    void rowCountChangesOnlyWhenControlsComeBack()
    {
        DatasetModel model;
        model.setDataset(list);
        model.setColumns(columns());
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        list->disableControls();
        list->first();
        list->deleteRecord();
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.data(model.index(2, 1), Qt::DisplayRole), QVariant()); // the gone row reads empty
        QCOMPARE(resets.count(), 0);
        list->enableControls();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QString("토공사"));
    }

    void staysConsistentThroughTheDatasetsChanges()
    {
        DatasetModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setDataset(list);
        model.setColumns(columns());
        list->setFilter([](const Dataset &ds, int row) { return ds.valueAt(row, "MVE").toString() != "T"; });
        list->setFiltered(true);
        QCOMPARE(model.rowCount(), 2);
        list->setFiltered(false);
        list->last();
        list->edit();
        list->setValue("CSTTAL", 5000.0);
        list->post();
        QCOMPARE(model.data(model.index(2, 2), Qt::DisplayRole).toString(), QString("5,000"));
        list->refresh();
        list->first();
        list->deleteRecord();
        QCOMPARE(model.rowCount(), 2);
        list->close();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole), QVariant());
    }

    void aFailingPostIsReportedAndCancelled()
    {
        DatasetModel model;
        model.setDataset(list);
        model.setColumns(columns());
        MessageAnswerer answerer;
        list->beforePost = [](Dataset &) { throw DatabaseError("처리실패!!"); };
        QVERIFY(!model.setData(model.index(0, 1), "바뀜", Qt::EditRole));
        list->beforePost = nullptr;
        QCOMPARE(list->state(), DatasetState::Browse);
        QCOMPARE(answerer.texts(), QStringList({"처리실패!!"}));
        QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QString("가설공사"));
    }

    void aNumberIsEditedWithFifteenDigits_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QVariant>("edited");
        QTest::newRow("sum of tenths") << QVariant(0.1 + 0.2) << QVariant(QString("0.3"));
        QTest::newRow("product") << QVariant(1.1 * 3) << QVariant(QString("3.3"));
        QTest::newRow("whole") << QVariant(1234567.0) << QVariant(QString("1234567"));
        QTest::newRow("fraction") << QVariant(-2500.125) << QVariant(QString("-2500.125"));
        QTest::newRow("none") << QVariant() << QVariant();
    }

    void aNumberIsEditedWithFifteenDigits()
    {
        QFETCH(QVariant, value);
        QFETCH(QVariant, edited);
        list->edit();
        list->setValue("CSTTAL", value);
        list->post();
        DatasetModel model;
        model.setDataset(list);
        model.setColumns(columns());
        QCOMPARE(model.data(model.index(0, 2), Qt::EditRole), edited);
    }

    void aNumberCellTakesOnlyANumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("number") << "2500.5" << QVariant(2500.5) << QStringList();
        QTest::newRow("letters") << "abc" << QVariant(1234567.0)
                                 << QStringList{"'abc' is not a valid floating point value"};
        QTest::newRow("grouped") << "1,234" << QVariant(1234567.0)
                                 << QStringList{"'1,234' is not a valid floating point value"};
    }

    void aNumberCellTakesOnlyANumber()
    {
        QFETCH(QString, typed);
        QFETCH(QVariant, stored);
        QFETCH(QStringList, messages);
        DatasetModel model;
        model.setDataset(list);
        model.setColumns(columns());
        MessageAnswerer answerer;
        QCOMPARE(model.setData(model.index(0, 2), typed, Qt::EditRole), messages.isEmpty());
        QCOMPARE(list->state(), DatasetState::Browse);
        QCOMPARE(answerer.texts(), messages);
        QCOMPARE(db->scalar("select CSTTAL from NDTAIL where ACODE=1"), stored);
    }

    // Quantity 1,000,000 at material price 1,000,000,000 makes an amount no fixed-point
    // value holds: the entry is refused with a message and the row stays as it was.
    void anEntryWhoseAmountLeavesTheRangeIsRefused()
    {
        db->insertRow({{"ABFS", "S"}, {"TAG", "N"}, {"ACODE", 1}, {"ODRF", 1}, {"NAME", "레미콘"}, {"INO", 3}});
        Dataset &items = db->module().TSlst;
        items.setCommandText("select * from NDTAIL where ABFS='S' order by ODRF");
        items.open();
        DatasetModel model;
        model.setDataset(&items);
        model.setColumns({Column("INO"), Column("PCST11"), Column("PCST22")});
        MessageAnswerer answerer;
        QVERIFY(model.setData(model.index(0, 1), "1000000000", Qt::EditRole));
        QCOMPARE(db->scalar("select PCST12 from NDTAIL where ABFS='S'").toDouble(), 3e9);

        QVERIFY(!model.setData(model.index(0, 0), "1000000", Qt::EditRole));
        QCOMPARE(answerer.texts().size(), 1);
        QVERIFY2(answerer.texts().at(0).contains("1,000,000,000,000,000"), qPrintable(answerer.texts().at(0)));
        QCOMPARE(answerer.requests().at(0).kind, MessageKind::Error);
        QCOMPARE(items.state(), DatasetState::Browse);
        QCOMPARE(items.asDouble("INO"), 3.0);
        QCOMPARE(model.data(model.index(0, 2), Qt::DisplayRole).toString(), QStringLiteral("3,000,000,000"));
        QCOMPARE(db->scalar("select INO from NDTAIL where ABFS='S'").toDouble(), 3.0);
        QCOMPARE(db->scalar("select PCST12 from NDTAIL where ABFS='S'").toDouble(), 3e9);

        // A number beyond the range is refused as typed, before any amount is made of it.
        QVERIFY(!model.setData(model.index(0, 1), "1e300", Qt::EditRole));
        QCOMPARE(answerer.texts().size(), 2);
        QCOMPARE(db->scalar("select PCST11 from NDTAIL where ABFS='S'").toDouble(), 1e9);

        // The work goes on.
        QVERIFY(model.setData(model.index(0, 0), "2", Qt::EditRole));
        QCOMPARE(db->scalar("select PCST12 from NDTAIL where ABFS='S'").toDouble(), 2e9);
    }

    void aNumberCellTakesOnlyTheCharactersOfANumber_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("characters");
        QTest::addColumn<QString>("taken"); // '+' taken, '-' refused, one per character
        QTest::newRow("float") << "CSTTAL" << "0189+-.eE" << "+++++++++";
        QTest::newRow("float: letters, Korean, grouping, blank")
            << "CSTTAL" << QString("ax가ㅎ, \uFF11") << "-------";
        QTest::newRow("integer: no point, no exponent") << "ODRF" << "09+-.eE" << "++++---";
        QTest::newRow("text takes anything") << "NAME" << "a가ㅎ1.,-" << "+++++++";
        QTest::newRow("calculated text") << "rTg" << "1가" << "++";
    }
    void aNumberCellTakesOnlyTheCharactersOfANumber()
    {
        QFETCH(QString, field);
        QFETCH(QString, characters);
        QFETCH(QString, taken);
        DatasetModel model;
        model.setDataset(list);
        model.setColumns({Column(field)});
        QString answers;
        for (QChar character : characters)
            answers += model.takesCharacter(model.index(0, 0), character) ? u'+' : u'-';
        QCOMPARE(answers, taken);
        QVERIFY(!model.takesCharacter(model.index(5, 0), u'1')); // no such row
    }

    void lookupColumnShowsAndWritesThroughTheKey()
    {
        Dataset &names = db->module().TBlst;
        db->insertRow({{"ABFS", "B"}, {"TAG", "N"}, {"BCODE", 7}, {"NAME", "흙막이"}});
        db->insertRow({{"ABFS", "B"}, {"TAG", "N"}, {"BCODE", 8}, {"NAME", "배수"}});
        names.setCommandText("select * from NDTAIL where ABFS='B' order by BCODE");
        names.open();
        DatasetColumn lookup;
        lookup.field = "ACODE";
        lookup.keyField = "ACODE";
        lookup.lookupDataset = &names;
        lookup.lookupKeyField = "BCODE";
        lookup.lookupResultField = "NAME";
        DatasetModel model;
        model.setDataset(list);
        model.setColumns({lookup});
        QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QString()); // key 1 has no name
        QVERIFY(model.setData(model.index(0, 0), "배수", Qt::EditRole));
        QCOMPARE(list->asInteger("ACODE"), 8);
        QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QString("배수"));
        QVERIFY(!model.setData(model.index(0, 0), "없는이름", Qt::EditRole));
    }
};

VEK_TEST(TestDatasetModel)
#include "tst_DatasetModel.moc"
