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

RawCell RawCellOf(const RecordedSheet &sheet, const RecordedSheet::Cell &cell)
{
    RawCell raw;
    const CellFormat &format = sheet.formats().at(cell.format);
    if (const QString *text = std::get_if<QString>(&cell.value)) {
        raw.empty = false;
        raw.text = text->toUtf8();
    } else if (const double *number = std::get_if<double>(&cell.value)) {
        raw.empty = false;
        raw.isNumber = true;
        raw.number = *number;
    }
    if (format.numberFormat == QLatin1String("#,##0"))
        raw.style = RawStyle::Money;
    else if (format.horizontal == xlCenter)
        raw.style = RawStyle::Centred;
    else if (raw.isNumber)
        raw.style = RawStyle::Number;
    return raw;
}

// The sheets of a workbook as libxlsxwriter is given them.
RawSheet RawSheetOf(const RecordedSheet &sheet)
{
    RawSheet raw;
    raw.name = sheet.name().toUtf8();
    raw.title = std::get<QString>(sheet.cell(1, 2)->value).toUtf8();
    raw.titleLastColumn = sheet.merges().front().right - 1;
    int last = 2;
    while (sheet.cell(2, last + 1) && std::holds_alternative<QString>(sheet.cell(2, last + 1)->value))
        ++last;
    for (int column = 1; column <= last; ++column)
        raw.widths.push_back(sheet.columnWidth(column));
    for (int column = 2; column <= last; ++column)
        raw.headers.push_back(std::get<QString>(sheet.cell(2, column)->value).toUtf8());
    raw.lastRow = sheet.rowCount();
    const auto holdsValues = [&](int row) {
        for (int column = 2; column <= last; ++column)
            if (!std::holds_alternative<std::monostate>(sheet.cell(row, column)->value))
                return true;
        return false;
    };
    int lastData = sheet.rowCount();
    while (lastData >= 3 && !holdsValues(lastData))
        --lastData;
    for (int row = 3; row <= lastData; ++row) {
        std::vector<RawCell> cells;
        for (int column = 2; column <= last; ++column)
            cells.push_back(RawCellOf(sheet, *sheet.cell(row, column)));
        raw.rows.push_back(std::move(cells));
    }
    return raw;
}

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

// An application that keeps what the export wrote when it goes.
class KeptApplication : public ExcelApplication {
public:
    KeptApplication(std::vector<RawSheet> &sheets, int &emptySheets) : sheets_(sheets), emptySheets_(emptySheets) {}
    ~KeptApplication() override
    {
        const RecordedWorkbook &book = workbook(1);
        for (int index = 1; index <= book.sheetCount(); ++index) {
            if (book.sheet(index).rowCount() == 0)
                ++emptySheets_;
            else
                sheets_.push_back(RawSheetOf(book.sheet(index)));
        }
    }

private:
    std::vector<RawSheet> &sheets_;
    int &emptySheets_;
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
