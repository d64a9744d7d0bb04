// Times the whole-estimate export (every level of the generated estimate read group by
// group from the database, its sheets recorded through the spreadsheet layer, the workbook
// written and saved) against libxlsxwriter writing the same sheets, cells and formats
// straight away, and against that writing after the same rows were read by prepared
// statements, one for each kind of list, in one transaction.

#include "BenchTiming.h"
#include "EstimateGenerator.h"
#include "ExportBench.h"
#include "RawStatements.h"

#include "core/ProgramState.h"
#include "export/ExcelRun.h"
#include "export/WholeEstimateExport.h"

#include <QDir>

#include <cstdio>
#include <tuple>
#include <variant>

using namespace vek;

namespace {

constexpr int Repeats = 5;

// The rows of every sheet, read level by level as the export reads them: the work items,
// the middle groups of a work item, the small groups of a middle group, the line items of
// each group.
class RawReader : RawStatements {
public:
    explicit RawReader(QSqlDatabase db) : RawStatements(db) {}

    int read()
    {
        Check(database().transaction(), "transaction");
        rows_ = 0;
        for (const auto &[tag, sub, a, b, s] : groups("'A' and ACODE<>?", {-1})) {
            if (tag != "A")
                continue;
            if (sub != 1) {
                items("", {a});
                continue;
            }
            for (const auto &[btag, bsub, a2, bcode, s2] : groups("'B' and ACODE=?", {a})) {
                if (btag != "B")
                    continue;
                if (bsub != 1) {
                    items(" and BCODE=?", {a, bcode});
                    continue;
                }
                for (const auto &[ftag, fsub, a3, b3, scode] : groups("'F' and ACODE=? and BCODE=?", {a, bcode}))
                    if (ftag == "F")
                        items(" and BCODE=? and SCODE=?", {a, bcode, scode});
            }
        }
        clear();
        database().rollback();
        return rows_;
    }

private:
    using Group = std::tuple<QString, int, int, int, int>; // TAG, SUB, ACODE, BCODE, SCODE

    std::vector<Group> groups(const QString &where, const QVariantList &keys)
    {
        const QString sql = QStringLiteral(
            "select RID, ACODE, BCODE, SCODE, ETC, NOADD, UNIT, INO, PCST12, LCST12, SCST12, CSTTAL, TAG, SUB, ODRF "
            "from NDTAIL where ABFS=%1 Order by ODRF");
        std::vector<Group> groups;
        for (const Row &row : select(sql.arg(where), keys))
            groups.emplace_back(row[12].toString().trimmed(), row[13].toInt(), row[1].toInt(), row[2].toInt(),
                                row[3].toInt());
        rows_ += int(groups.size());
        return groups;
    }

    void items(const QString &where, const QVariantList &keys)
    {
        const QString sql = QStringLiteral(
            "select RID, NAME, STAN, UNIT, ETC, INO, PCST11, PCST12, LCST11, LCST12, SCST11, SCST12, TAG, RECV, ODRF "
            "from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=?%1 Order by ODRF");
        rows_ += int(select(sql.arg(where), keys).size());
    }

    int rows_ = 0;
};

} // namespace

int main(int argc, char **argv)
{
    ExportBench bench(argc, argv);
    const QString project = QStringLiteral("벤치마크 신축 공사");

    std::vector<RawSheet> sheets;
    int emptySheets = 0;
    SetExcelApplicationFactory([&] { return std::make_unique<KeptApplication>(sheets, emptySheets); });
    Check(!ExportWholeEstimate(project, UntitledFileName).isEmpty(), "the whole-estimate export");
    SetExcelApplicationFactory({});
    bench.removeSavedWorkbooks();
    size_t rows = 0;
    for (const RawSheet &sheet : sheets)
        rows += sheet.rows.size();
    std::printf("%zu sheets, %zu rows\n", sheets.size(), rows);
    RawReader reader(bench.module().SQLConect.database());
    std::printf("%d rows read raw\n", reader.read());

    const QString rawPath = QDir(bench.workFolder()).filePath("raw.xlsx");
    const auto export_ = [&] {
        ExportWholeEstimate(project, UntitledFileName);
        bench.removeSavedWorkbooks();
    };
    ReportTimes("whole estimate, raw writing", "export",
                CompareTimes(Repeats, export_, [&] { WriteRawWorkbook(sheets, emptySheets, rawPath); }));
    ReportTimes("whole estimate, raw reading and writing", "export", CompareTimes(Repeats, export_, [&] {
                    reader.read();
                    WriteRawWorkbook(sheets, emptySheets, rawPath);
                }));
    return 0;
}
