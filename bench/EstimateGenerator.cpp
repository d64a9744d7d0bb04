#include "EstimateGenerator.h"

#include "core/EstimateColumns.h"
#include "core/WorkConnection.h"
#include "core/WorkDatabase.h"

#include <QElapsedTimer>
#include <QHash>
#include <QRandomGenerator>
#include <QVariantList>

#include <cstdio>
#include <stdexcept>

namespace vek {

namespace {

const QStringList Names = {"레미콘 타설", "거푸집 설치", "철근 가공조립", "터파기", "되메우기", "잡석 다짐",
                           "방수 몰탈", "타일 붙이기", "도장 2회", "창호 설치"};
const QStringList Units = {"㎥", "㎡", "ton", "m", "개소", "식"};

class RowWriter {
public:
    explicit RowWriter(WorkConnection &connection) : connection_(connection) {}

    void write(const QHash<QString, QVariant> &values)
    {
        InsertEstimateRow(connection_, EstimateRowValues(values));
        ++count_;
    }
    int count() const { return count_; }

private:
    WorkConnection &connection_;
    int count_ = 0;
};

// A line of quantity up to maxQuantity (in steps of 0.25).
QHash<QString, QVariant> LineItem(QRandomGenerator &random, int a, int b, int f, int odrf, int maxQuantity = 1250)
{
    const double quantity = random.bounded(1, 4 * maxQuantity) / 4.0;
    const double material = random.bounded(100, 900000) / 2.0;
    const double labour = random.bounded(100, 500000) / 2.0;
    const double expense = random.bounded(0, 20000);
    const int pick = random.bounded(Names.size());
    return {{"ACODE", a}, {"BCODE", b}, {"SCODE", f}, {"NAME", Names.at(pick)},
            {"STAN", QStringLiteral("규격 %1").arg(random.bounded(1, 99))}, {"UNIT", Units.at(pick % Units.size())},
            {"NOADD", QStringLiteral("%1*2+%2").arg(quantity / 2).arg(0)}, {"INO", quantity},
            {"PCST11", material}, {"PCST12", quantity * material}, {"LCST11", labour},
            {"LCST12", quantity * labour}, {"SCST11", expense}, {"SCST12", quantity * expense},
            {"CSTTAL", quantity * (material + labour + expense)}, {"TAG", "N"}, {"ABFS", "S"}, {"ODRF", odrf}};
}

} // namespace

int GenerateEstimate(WorkConnection &connection, const EstimateShape &shape)
{
    QRandomGenerator random(20240611);
    RowWriter writer(connection);
    const int smallGroupCount = shape.workItems * shape.middleGroups * shape.smallGroups;
    const int perOtherGroup = shape.otherItems / (smallGroupCount - 1);
    int unitPriceKey = 0;
    for (int a = 1; a <= shape.workItems; ++a) {
        writer.write({{"ACODE", a}, {"NAME", QStringLiteral("공종 %1").arg(a)}, {"UNIT", "식"}, {"INO", 1},
                      {"TAG", "A"}, {"ABFS", "A"}, {"SUB", 1}, {"ODRF", a}});
        for (int b = 1; b <= shape.middleGroups; ++b) {
            writer.write({{"ACODE", a}, {"BCODE", b}, {"NAME", QStringLiteral("중공종 %1-%2").arg(a).arg(b)},
                          {"UNIT", "식"}, {"INO", 1}, {"TAG", "B"}, {"ABFS", "B"}, {"SUB", 1}, {"ODRF", b}});
            for (int f = 1; f <= shape.smallGroups; ++f) {
                writer.write({{"ACODE", a}, {"BCODE", b}, {"SCODE", f}, {"UNIT", "식"}, {"INO", 1},
                              {"NAME", QStringLiteral("소공종 %1-%2-%3").arg(a).arg(b).arg(f)}, {"TAG", "F"},
                              {"ABFS", "F"}, {"ODRF", f}});
                const int items = (a == 1 && b == 1 && f == 1) ? shape.bigList : perOtherGroup;
                for (int i = 1; i <= items; ++i) {
                    QHash<QString, QVariant> row = LineItem(random, a, b, f, i);
                    if (i % 50 == 0) {
                        row.insert("TAG", "T");
                        row.insert("ICD1", 1);
                    } else if (i % 97 == 0) {
                        row.insert("TAG", "R");
                        row.insert("NORT", 1);
                        row.insert("PRT1", 0.03);
                    } else if (i % 31 == 0) {
                        writer.write({{"ACODE", a}, {"BCODE", b}, {"SCODE", f}, {"NAME", "노임"}, {"TAG", "M"},
                                      {"ABFS", "S"}, {"NORT", i}, {"ODRF", i}});
                    } else if (unitPriceKey < shape.unitPriceItems && i % 7 == 0) {
                        ++unitPriceKey;
                        row.insert("TAG", "D");
                        row.insert("ICD1", 1 + unitPriceKey / 100);
                        row.insert("ICD2", 1 + unitPriceKey / 10 % 10);
                        row.insert("ICD3", unitPriceKey);
                        for (int d = 1; d <= shape.breakdownRows; ++d) {
                            // Per unit of the item: small quantities, so that the
                            // estimate's sums stay well inside the fixed-point range.
                            QHash<QString, QVariant> detail = LineItem(random, 0, 0, 0, d, 2);
                            detail.insert("ABFS", "X");
                            detail.insert("ICD1", row.value("ICD1"));
                            detail.insert("ICD2", row.value("ICD2"));
                            detail.insert("ICD3", unitPriceKey);
                            writer.write(detail);
                        }
                    }
                    writer.write(row);
                }
            }
        }
    }
    if (!connection.commit())
        throw std::runtime_error("the generated estimate was not committed");
    return writer.count();
}

GeneratedEstimate::GeneratedEstimate()
{
    qputenv("VEK_HOME", home_.path().toUtf8());
    PrepareFirebirdLock();
    PrepareWorkDatabase();
    module.Connect(WorkDatabasePath());
    QElapsedTimer timer;
    timer.start();
    const int rows = GenerateEstimate(module.SQLConect);
    std::printf("generated %d rows in %.1f s\n", rows, double(timer.elapsed()) / 1000);
}

Dataset &GeneratedEstimate::OpenBigList()
{
    module.TAlst.setCommandText("select * from NDTAIL where ABFS='A' and ACODE=?", {1});
    module.TBlst.setCommandText("select * from NDTAIL where ABFS='B' and ACODE=? and BCODE=?", {1, 1});
    module.TFlst.setCommandText("select * from NDTAIL where ABFS='F' and ACODE=? and BCODE=? and SCODE=?", {1, 1, 1});
    for (Dataset *ds : {&module.TAlst, &module.TBlst, &module.TFlst})
        ds->open();
    Dataset &items = module.TSlst;
    items.setCommandText(
        "select * from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=? and BCODE=? and SCODE=? Order by ODRF", {1, 1, 1});
    items.open();
    std::printf("line-item list: %d rows\n", items.recordCount());
    return items;
}

} // namespace vek
