// Times the line-item export (the list walked, its cells recorded through the spreadsheet
// layer, the workbook written and saved) against libxlsxwriter writing the same cells with
// the same formats straight away, on the generated estimate: the 5,000-row list of one
// small group, and every line item of the estimate as one list.

#include "BenchTiming.h"
#include "EstimateGenerator.h"

#include "core/MessageBoxes.h"
#include "core/MoneyFormat.h"
#include "core/TextUtils.h"
#include "export/ExcelRun.h"
#include "export/LineItemSheet.h"

#include <QApplication>
#include <QDir>

#include <xlsxwriter.h>

#include <optional>
#include <vector>

using namespace vek;

namespace {

constexpr int Repeats = 7;

// Message boxes answered without a screen.
class Silent : public MessagePresenter {
public:
    bool present(const MessageRequest &) override { return true; }
};

// One sheet row as the export writes it: texts, and numbers where there are any.
struct RawRow {
    QByteArray texts[4]; // B, C, D, M
    std::optional<double> numbers[8]; // E to L
    bool suppliedMaterial = false;
};

std::vector<RawRow> RowsOf(Dataset &list)
{
    std::vector<RawRow> rows;
    const auto amount = [](double v) -> std::optional<double> {
        if (v == 0)
            return std::nullopt;
        return ParseAmount(FormatCurrNumberPad(1, 16, Currency::fromDouble(v))).toDouble();
    };
    for (list.first(); !list.eof(); list.next()) {
        RawRow row;
        row.texts[0] = list.asString("NAME").toUtf8();
        row.texts[1] = list.asString("STAN").toUtf8();
        row.texts[2] = list.asString("UNIT").toUtf8();
        row.texts[3] = StripChar(u'-', list.asString("ETC")).toUtf8();
        if (list.asDouble("INO") != 0)
            row.numbers[0] = list.asDouble("INO");
        row.numbers[1] = amount(list.asDouble("PCST11"));
        const QString material = list.asString("PCST22");
        row.suppliedMaterial = RemoveBlanks(material) == QStringLiteral("지급");
        if (!row.suppliedMaterial && RemoveBlanks(material) != QLatin1String("0"))
            row.numbers[2] = ParseAmount(material).toDouble();
        row.numbers[3] = amount(list.asDouble("LCST11"));
        row.numbers[4] = amount(list.asDouble("LCST22"));
        row.numbers[5] = amount(list.asDouble("SCST11"));
        row.numbers[6] = amount(list.asDouble("SCST22"));
        row.numbers[7] = amount(list.asDouble("TCST32"));
        rows.push_back(std::move(row));
    }
    return rows;
}

lxw_format *GridFormat(lxw_workbook *book, const char *numberFormat, bool centred)
{
    lxw_format *format = workbook_add_format(book);
    format_set_font_name(format, "굴림");
    format_set_font_size(format, 9);
    format_set_font_color(format, LXW_COLOR_BLACK);
    format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
    if (centred)
        format_set_align(format, LXW_ALIGN_CENTER);
    format_set_border(format, LXW_BORDER_HAIR);
    format_set_border_color(format, LXW_COLOR_BLACK);
    if (numberFormat)
        format_set_num_format(format, numberFormat);
    return format;
}

// The same sheet written by libxlsxwriter alone.
void RawWrite(const std::vector<RawRow> &rows, const QString &path)
{
    lxw_workbook *book = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet *sheet = workbook_add_worksheet(book, "01내역서");
    lxw_format *white = workbook_add_format(book);
    format_set_font_name(white, "굴림");
    format_set_font_size(white, 9);
    format_set_border(white, LXW_BORDER_THIN);
    format_set_border_color(white, 0xFFFFFF);
    lxw_format *margin = workbook_add_format(book);
    format_set_border(margin, LXW_BORDER_THIN);
    format_set_border_color(margin, 0xFFFFFF);
    format_set_right(margin, LXW_BORDER_HAIR);
    format_set_right_color(margin, LXW_COLOR_BLACK);
    lxw_format *text = GridFormat(book, nullptr, false);
    lxw_format *centred = GridFormat(book, nullptr, true);
    lxw_format *money = GridFormat(book, "#,##0", false);
    const double widths[] = {1, 20, 13, 3, 5, 7, 8, 7, 8, 7, 8, 8, 9};
    for (lxw_col_t c = 0; c < 13; ++c)
        worksheet_set_column(sheet, c, c, widths[c], white);
    worksheet_set_column(sheet, 13, 16383, LXW_DEF_COL_WIDTH, white);
    worksheet_set_default_row(sheet, 17, LXW_FALSE);
    worksheet_merge_range(sheet, 0, 1, 0, 12, "", nullptr);
    worksheet_write_string(sheet, 0, 1, "01. 가설공사", text);
    for (lxw_col_t c = 1; c < 13; ++c)
        worksheet_write_string(sheet, 1, c, "header", centred);
    const int n = int(rows.size()) <= 26 ? 28 : int(rows.size()) + 30 - (int(rows.size()) - 26) % 28;
    for (int r = 1; r < n; ++r)
        worksheet_write_blank(sheet, lxw_row_t(r), 0, margin);
    for (size_t i = 0; i < rows.size(); ++i) {
        const RawRow &row = rows[i];
        const lxw_row_t r = lxw_row_t(i + 2);
        worksheet_write_string(sheet, r, 1, row.texts[0].constData(), text);
        worksheet_write_string(sheet, r, 2, row.texts[1].constData(), text);
        worksheet_write_string(sheet, r, 3, row.texts[2].constData(), text);
        for (int k = 0; k < 8; ++k) {
            const lxw_col_t c = lxw_col_t(4 + k);
            if (k == 2 && row.suppliedMaterial)
                worksheet_write_string(sheet, r, c, "지   급     ", centred);
            else if (row.numbers[k])
                worksheet_write_number(sheet, r, c, *row.numbers[k], k == 0 ? text : money);
            else
                worksheet_write_blank(sheet, r, c, text);
        }
        worksheet_write_string(sheet, r, 12, row.texts[3].constData(), text);
    }
    for (int r = int(rows.size()) + 2; r < n; ++r)
        for (lxw_col_t c = 1; c < 13; ++c)
            worksheet_write_blank(sheet, lxw_row_t(r), c, text);
    Check(workbook_close(book) == LXW_NO_ERROR, "writing the raw workbook");
}


void Compare(const char *what, Dataset &list, const QString &workFolder)
{
    const std::vector<RawRow> rows = RowsOf(list);
    const QString rawPath = QDir(workFolder).filePath("raw.xlsx");
    const BenchTimes times = CompareTimes(
        Repeats,
        [&] {
            ExportLineItemList(list, "01", " 가설공사");
            for (const QString &file : QDir(workFolder).entryList({"이름없음*.xlsx"}, QDir::Files))
                QFile::remove(QDir(workFolder).filePath(file));
        },
        [&] { RawWrite(rows, rawPath); });
    ReportTimes(QStringLiteral("%1, %2 rows").arg(QString::fromUtf8(what)).arg(rows.size()).toUtf8().constData(),
                "export", times);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("VEK_NO_OPEN", "1");
    QApplication app(argc, argv);
    GeneratedEstimate estimate;
    Silent silent;
    SetMessagePresenter(&silent);
    SetPrinterQuestion([] { return true; });
    const QString workFolder = estimate.filePath("Work");
    QDir().mkpath(workFolder);

    Dataset &list = estimate.module.TSlst;
    list.setCommandText("select * from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=? and BCODE=? and SCODE=? "
                        "Order by ODRF",
                        {1, 1, 1});
    list.open();
    Compare("line items of one small group", list, workFolder);
    list.setCommandText("select * from NDTAIL where ABFS='S' and TAG<>'M' Order by ACODE, BCODE, SCODE, ODRF");
    list.open();
    Compare("every line item of the estimate", list, workFolder);
    SetMessagePresenter(nullptr);
    return 0;
}
