// Times the line-item export (the list walked, its cells recorded through the spreadsheet
// layer, the workbook written and saved) against libxlsxwriter writing the same cells with
// the same formats straight away, on the generated estimate: the 5,000-row list of one
// small group, and every line item of the estimate as one list.

#include "BenchTiming.h"
#include "EstimateGenerator.h"
#include "ExportBench.h"

#include "core/Environment.h"
#include "core/MoneyFormat.h"
#include "core/TextUtils.h"
#include "export/LineItemSheet.h"

#include <QDir>

#include <optional>

using namespace vek;

namespace {

constexpr int Repeats = 7;

RawCell Text(const QString &text)
{
    RawCell cell;
    cell.empty = text.isEmpty();
    cell.text = text.toUtf8();
    return cell;
}

RawCell Number(std::optional<double> value, RawStyle style)
{
    RawCell cell;
    cell.style = style;
    cell.empty = !value;
    cell.isNumber = true;
    cell.number = value.value_or(0);
    return cell;
}

// The sheet the export writes of list, as libxlsxwriter is given it.
RawSheet LineItemSheetOf(Dataset &list)
{
    RawSheet sheet{"01내역서", "01. 가설공사", {1, 20, 13, 3, 5, 7, 8, 7, 8, 7, 8, 8, 9}, {}, 12,
                   ExcelLastRow(list.recordCount()), {}};
    for (int c = 0; c < 12; ++c)
        sheet.headers.push_back("header");
    const auto amount = [](double v) -> std::optional<double> {
        if (v == 0)
            return std::nullopt;
        return ParseAmount(FormatCurrNumberPad(1, 16, Currency::fromDouble(v))).toDouble();
    };
    for (list.first(); !list.eof(); list.next()) {
        std::vector<RawCell> row{Text(list.asString("NAME")), Text(list.asString("STAN")), Text(list.asString("UNIT")),
                                 Number(list.asDouble("INO") != 0 ? std::optional(list.asDouble("INO")) : std::nullopt,
                                        RawStyle::Number),
                                 Number(amount(list.asDouble("PCST11")), RawStyle::Money)};
        const QString material = list.asString("PCST22");
        if (RemoveBlanks(material) == QStringLiteral("지급")) {
            row.push_back(Text(material));
            row.back().style = RawStyle::Centred;
        } else {
            row.push_back(Number(RemoveBlanks(material) != QLatin1String("0")
                                     ? std::optional(ParseAmount(material).toDouble())
                                     : std::nullopt,
                                 RawStyle::Money));
        }
        for (const char *field : {"LCST11", "LCST22", "SCST11", "SCST22", "TCST32"})
            row.push_back(Number(amount(list.asDouble(field)), RawStyle::Money));
        row.push_back(Text(StripChar(u'-', list.asString("ETC"))));
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

void Compare(const char *what, Dataset &list, const ExportBench &bench)
{
    const std::vector<RawSheet> sheets{LineItemSheetOf(list)};
    const QString rawPath = QDir(bench.workFolder()).filePath("raw.xlsx");
    const BenchTimes times = CompareTimes(
        Repeats,
        [&] {
            ExportLineItemList(list, "01", " 가설공사");
            bench.removeSavedWorkbooks();
        },
        [&] { WriteRawWorkbook(sheets, 2, rawPath); });
    ReportTimes(QStringLiteral("%1, %2 rows").arg(QString::fromUtf8(what)).arg(sheets[0].rows.size()).toUtf8().constData(),
                "export", times);
}

} // namespace

int main(int argc, char **argv)
{
    ExportBench bench(argc, argv);
    Dataset &list = bench.module().TSlst;
    list.setCommandText("select * from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=? and BCODE=? and SCODE=? "
                        "Order by ODRF",
                        {1, 1, 1});
    list.open();
    Compare("line items of one small group", list, bench);
    list.setCommandText("select * from NDTAIL where ABFS='S' and TAG<>'M' Order by ACODE, BCODE, SCODE, ODRF");
    list.open();
    Compare("every line item of the estimate", list, bench);
    return 0;
}
