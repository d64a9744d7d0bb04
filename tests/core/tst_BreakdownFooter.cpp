#include "core/BreakdownFooter.h"
#include "core/DataModule.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

using Rows = QList<QVariantHash>;
Q_DECLARE_METATYPE(Rows)

// The footer under a breakdown, from the rows as the breakdown dataset shows them.
class TestBreakdownFooter : public QObject {
    Q_OBJECT

private slots:
    void sums_data()
    {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QList<double>>("footer"); // material, labour, expense, total

        QTest::newRow("shown amounts, supplied material left out")
            << Rows{{{"INO", 4}, {"LCST11", 25000}},
                    {{"INO", 1.5}, {"PCST11", 3333.3}, {"SCST11", 7}},
                    {{"INO", 2}, {"RECV", 12000}, {"PCST11", 0}, {"LCST11", 800}}}
            << QList<double>{4999, 101600, 10, 106610};
        // Each amount shows one decimal; the footer cuts after 0.001, the total sums first.
        QTest::newRow("tenths add up to a whole unit")
            << Rows{{{"INO", 1}, {"LCST11", 0.5}, {"SCST11", 0.45}}, {{"INO", 1}, {"LCST11", 0.5}, {"PCST11", 0.66}}}
            << QList<double>{0, 1, 0, 2};
        QTest::newRow("negative amounts cut toward zero")
            << Rows{{{"INO", -1}, {"LCST11", 12.34}}, {{"INO", 1}, {"PCST11", -5.55}}}
            << QList<double>{-5, -12, 0, -17};
        QTest::newRow("a negative whole amount stays whole")
            << Rows{{{"INO", -1}, {"LCST11", 3000}}} << QList<double>{0, -3000, 0, -3000};
        QTest::newRow("no rows") << Rows{} << QList<double>{0, 0, 0, 0};
    }
    void sums()
    {
        QFETCH(Rows, rows);
        QFETCH(QList<double>, footer);
        TempDatabase db;
        for (int i = 0; i < rows.size(); ++i) {
            QVariantHash row = rows[i];
            row.insert("ABFS", "X");
            row.insert("TAG", "N");
            row.insert("ICD1", 1);
            row.insert("ODRF", i + 1);
            db.insertRow(row);
        }
        Dataset &details = db.module().Tdtail;
        details.setCommandText("select * from NDTAIL where ABFS='X' and ICD1=1 Order by ODRF");
        details.open();
        BreakdownFooter sums;
        for (details.first(); !details.eof(); details.next())
            sums.Add(details);
        const RollupSums values = sums.Values();
        QCOMPARE((QList<double>{values.material.toDouble(), values.labour.toDouble(), values.expense.toDouble(),
                                values.total.toDouble()}),
                 footer);
    }
};

VEK_TEST(TestBreakdownFooter)
#include "tst_BreakdownFooter.moc"
