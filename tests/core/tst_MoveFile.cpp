#include "core/Cp949Text.h"
#include "core/Currency.h"
#include "core/DataModule.h"
#include "core/EstimateColumns.h"
#include "core/EstimateRecord.h"
#include "core/MoveFile.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace vek;

namespace {

const QString CutRows = QStringLiteral("select * from NDTAIL where MVE='T' and ABFS='X' and ICD1=? and ICD2=? and ICD3=?");

// Three breakdown rows of the key (1, 2, 3), two of them marked for a move, and one of
// another key.
void StoreBreakdown(TempDatabase &db)
{
    db.insertRow({{"NAME", "레미콘"}, {"STAN", "25-240-15"}, {"UNIT", "㎥"}, {"ETC", "현장"}, {"INO", 1.23456},
                  {"PCST11", 65000.5}, {"LCST11", 1000}, {"PRT2", 1.1 * 0.01}, {"ICD1", 1}, {"ICD2", 2}, {"ICD3", 3},
                  {"TAG", "N"}, {"ABFS", "X"}, {"MVE", "T"}, {"SUB", 1}, {"ODRF", 1}});
    db.insertRow({{"NAME", "보통인부"}, {"ICD1", 1}, {"ICD2", 2}, {"ICD3", 3}, {"RECV", 1234.5}, {"TAG", "M"},
                  {"ABFS", "X"}, {"ODRF", 2}, {"NORT", 3}});
    db.insertRow({{"NAME", "철근"}, {"NOADD", "2*3"}, {"ICD1", 1}, {"ICD2", 2}, {"ICD3", 3}, {"TAG", "N"},
                  {"ABFS", "X"}, {"MVE", "T"}, {"ODRF", 3}, {"CSTTAL", -5.00005}});
    db.insertRow({{"NAME", "다른 대가"}, {"ICD1", 9}, {"ICD2", 9}, {"ICD3", 9}, {"TAG", "N"}, {"ABFS", "X"},
                  {"MVE", "T"}, {"ODRF", 1}});
}

QList<QVariantList> MarkedRows(TempDatabase &db)
{
    Dataset &rows = db.module().mvDtail;
    rows.setCommandText(CutRows, {1, 2, 3});
    rows.open();
    QList<QVariantList> result = EstimateRowsOf(rows);
    rows.close();
    return result;
}

// rows as the move file gives them back: numbers with four decimals, texts within their
// field, MVE 'F'.
QList<QVariantList> AsReadBack(QList<QVariantList> rows)
{
    const QStringList &columns = EstimateColumns();
    for (QVariantList &row : rows) {
        for (int i = 0; i < row.size(); ++i) {
            QVariant &value = row[i];
            if (value.typeId() == QMetaType::Double)
                value = Currency::fromDouble(value.toDouble()).toDouble();
            else if (value.typeId() == QMetaType::QString)
                value = Cp949Left(value.toString(), TextCapacity(columns[i]));
        }
        row[columns.indexOf("MVE")] = QStringLiteral("F");
    }
    return rows;
}

QStringList HomeEntries(const TempDatabase &db)
{
    return QDir(db.home().path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

class TestMoveFile : public QObject {
    Q_OBJECT
private slots:
    void cutRowsComeBackFromTheHomeFolder()
    {
        TempDatabase db;
        StoreBreakdown(db);
        const QList<QVariantList> cut = MarkedRows(db);
        QCOMPARE(cut.size(), 2);
        QCOMPARE(cut.first().size(), 44);

        WriteMoveFile(cut);
        QCOMPARE(MoveFilePath(), db.home().filePath(QStringLiteral("TmPeople.Tmp")));
        QVERIFY(!QFileInfo::exists(QDir::current().filePath(QStringLiteral("TmPeople.Tmp"))));
        const QByteArray bytes = ReadTestFile(MoveFilePath());
        QCOMPARE(bytes.size(), 2 * 448);
        QCOMPARE(TEstimateRecord::Classify(bytes.constData()), TEstimateRecord::Kind::Row);
        QCOMPARE(bytes.mid(411, 2), QByteArray(2, '\0')); // the mark is not kept

        const QList<QVariantList> pasted = ReadMoveFile();
        QCOMPARE(pasted, AsReadBack(cut));
        // The file stays for the next paste.
        QCOMPARE(ReadMoveFile(), pasted);
    }

    void anEmptyCutIsAnEmptyMove()
    {
        TempDatabase db;
        WriteMoveFile(MarkedRows(db));
        QCOMPARE(ReadTestFile(MoveFilePath()), QByteArray());
        QCOMPARE(ReadMoveFile(), QList<QVariantList>());
    }

    void aDamagedMoveFileIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray row = TEstimateRecord::FromRow(EstimateRowValues({{"ABFS", "S"}}));
        QTest::newRow("447 bytes") << row.left(447);
        QTest::newRow("a row and a byte") << row + 'x';
        QTest::newRow("a header") << row + TEstimateRecord::Header(QStringLiteral("공사"), 1);
        QTest::newRow("zero bytes") << QByteArray(448, '\0');
    }
    void aDamagedMoveFileIsRefused()
    {
        QFETCH(QByteArray, bytes);
        TempDatabase db;
        QVERIFY(WriteTestFile(MoveFilePath(), bytes));
        try {
            ReadMoveFile();
            QFAIL("the damaged move file was read");
        } catch (const DocumentError &error) {
            QCOMPARE(error.message(), QStringLiteral(" 내역서파일이 아니거나 손상된 파일입니다.\n") + MoveFilePath());
        }
    }

    void aFailedCutLeavesTheLastMoveAsItWas()
    {
        TempDatabase db;
        StoreBreakdown(db);
        const QList<QVariantList> cut = MarkedRows(db);
        WriteMoveFile(cut);
        const QByteArray last = ReadTestFile(MoveFilePath());
        const QStringList entries = HomeEntries(db);

        QList<QVariantList> huge = cut;
        huge[1][EstimateColumns().indexOf("PCST12")] = 1e300;
        try {
            WriteMoveFile(huge);
            QFAIL("a number beyond the fixed-point range was written");
        } catch (const DocumentError &error) {
            QVERIFY2(error.message().startsWith(QStringLiteral(" 파일을 저장할 수 없습니다.\n") + MoveFilePath()),
                     error.what());
            QVERIFY2(error.message().contains(QStringLiteral("2번째 행")), error.what());
        }
        QCOMPARE(ReadTestFile(MoveFilePath()), last);
        QCOMPARE(HomeEntries(db), entries);
    }
};

VEK_TEST(TestMoveFile)
#include "tst_MoveFile.moc"
