// Times the breakdown overview export (the overview list's sheet, SDTAIL rebuilt from every
// breakdown row of the generated estimate with one total row per breakdown, the block
// sheet, the workbook written and saved) against libxlsxwriter writing the same cells
// straight away, and against that writing after the same database work done by prepared
// statements: SDTAIL emptied and filled by one statement, each breakdown read and its total
// row inserted, SDTAIL read back.

#include "BenchTiming.h"
#include "EstimateGenerator.h"
#include "ExportBench.h"
#include "RawStatements.h"

#include "core/DataModule.h"
#include "core/ProgramState.h"
#include "core/WorkConnection.h"
#include "export/BreakdownOverviewWorkbook.h"
#include "export/ExcelRun.h"

#include <QDir>

#include <cstdio>

using namespace vek;

namespace {

constexpr int Repeats = 5;

const QString Columns = QStringLiteral("NAME,STAN,UNIT,ETC,INO,PCST11,PCST12,LCST11,LCST12,SCST11,SCST12,CSTTAL,"
                                       "PRT1,LRT1,SRT1,PRT2,LRT2,SRT2,PRT3,LRT3,SRT3,PRT4,LRT4,SRT4,NORT,ICD1,ICD2,"
                                       "ICD3,TAG,RECV,ODRF");

// The export's database work by plain statements, in one transaction.
class RawScratch : RawStatements {
public:
    explicit RawScratch(QSqlDatabase db) : RawStatements(db) {}

    int run(const std::vector<RawStatements::Row> &keys)
    {
        Check(database().transaction(), "transaction");
        exec(QStringLiteral("DELETE from SDTAIL"), {});
        exec(QStringLiteral("insert into SDTAIL (%1) select %1 from NDTAIL where ABFS='X'").arg(Columns), {});
        const QString insert = QStringLiteral("insert into SDTAIL (%1) values (%2)")
                                   .arg(Columns, QStringList(31, QStringLiteral("?")).join(u','));
        for (const Row &key : keys) {
            double material = 0, labour = 0, expense = 0;
            for (const Row &row : select(QStringLiteral("select INO, PCST11, LCST11, SCST11 from SDTAIL where ICD1=? "
                                                        "and ICD2=? and ICD3=? Order by ODRF"),
                                         {key[0], key[1], key[2]})) {
                material += row[0].toDouble() * row[1].toDouble();
                labour += row[0].toDouble() * row[2].toDouble();
                expense += row[0].toDouble() * row[3].toDouble();
            }
            QVariantList total{"  금액합계 ▷▶", "", "", "", 0, 0, material, 0, labour, 0, expense,
                               material + labour + expense};
            for (int i = 0; i < 13; ++i)
                total.append(0);
            total << key[0] << key[1] << key[2] << "T" << 0 << 150;
            exec(insert, total);
        }
        const int rows = int(select(QStringLiteral("select * from SDTAIL Order by ODRF"), {}).size());
        clear();
        Check(database().commit(), "commit");
        return rows;
    }
};

} // namespace

int main(int argc, char **argv)
{
    ExportBench bench(argc, argv);
    const QString project = QStringLiteral("벤치마크 신축 공사");
    Dataset &list = bench.module().qDList;
    list.setCommandText("Select NAME,STAN,UNIT,ETC, PCST11,LCST11, SCST11,ICD1,ICD2,ICD3 from NDTAIL where  TAG='D' "
                        "and ABFS='S' Group by NAME,STAN,UNIT,ETC, PCST11,LCST11,SCST11,ICD1,ICD2,ICD3 "
                        "Order by ICD1,ICD2,ICD3");
    list.open();
    // The overview's own set over SDTAIL, on its own connection, as the screen holds it.
    WorkConnection connection(QStringLiteral("TreVewTdtail"));
    Dataset rows(QStringLiteral("Tdtail"), &connection);
    SetUpOverviewRows(rows);

    std::vector<RawSheet> sheets;
    int emptySheets = 0;
    SetExcelApplicationFactory([&] { return std::make_unique<KeptApplication>(sheets, emptySheets); });
    Check(!ExportBreakdownOverview(list, rows, project, UntitledFileName).isEmpty(), "the overview export");
    SetExcelApplicationFactory({});
    bench.removeSavedWorkbooks();
    for (const RawSheet &sheet : sheets)
        std::printf("sheet %s: %zu rows\n", sheet.name.constData(), sheet.rows.size());

    std::vector<RawStatements::Row> keys;
    for (list.first(); !list.eof(); list.next())
        keys.push_back({list.value("ICD1"), list.value("ICD2"), list.value("ICD3")});
    RawScratch scratch(bench.module().SQLConect.database());
    std::printf("%zu overview lines, %d scratch rows\n", keys.size(), scratch.run(keys));

    const QString rawPath = QDir(bench.workFolder()).filePath("raw.xlsx");
    const auto export_ = [&] {
        ExportBreakdownOverview(list, rows, project, UntitledFileName);
        bench.removeSavedWorkbooks();
    };
    ReportTimes("breakdown overview, raw writing", "export",
                CompareTimes(Repeats, export_, [&] { WriteRawWorkbook(sheets, emptySheets, rawPath); }));
    ReportTimes("breakdown overview, raw database work and writing", "export", CompareTimes(Repeats, export_, [&] {
                    scratch.run(keys);
                    WriteRawWorkbook(sheets, emptySheets, rawPath);
                }));
    return 0;
}
