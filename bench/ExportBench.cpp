#include "ExportBench.h"

#include "BenchTiming.h"

#include "core/MessageBoxes.h"
#include "export/ExcelRun.h"

#include <QDir>
#include <QFile>

#include <xlsxwriter.h>

namespace vek {
namespace {

class Silent : public MessagePresenter {
public:
    bool present(const MessageRequest &) override { return true; }
};

Silent silent;

lxw_format *GridFormat(lxw_workbook *book, const char *numberFormat, bool centred, bool shaded)
{
    lxw_format *format = workbook_add_format(book);
    format_set_font_name(format, "굴림");
    format_set_font_size(format, 9);
    format_set_font_color(format, LXW_COLOR_BLACK);
    format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
    if (centred)
        format_set_align(format, LXW_ALIGN_CENTER);
    if (shaded) {
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, 0xC0C0C0);
    }
    format_set_border(format, LXW_BORDER_HAIR);
    format_set_border_color(format, LXW_COLOR_BLACK);
    if (numberFormat)
        format_set_num_format(format, numberFormat);
    return format;
}

struct Formats {
    explicit Formats(lxw_workbook *book)
    {
        white = workbook_add_format(book);
        format_set_font_name(white, "굴림");
        format_set_font_size(white, 9);
        format_set_align(white, LXW_ALIGN_VERTICAL_CENTER);
        format_set_border(white, LXW_BORDER_THIN);
        format_set_border_color(white, 0xFFFFFF);
        margin = workbook_add_format(book);
        format_set_border(margin, LXW_BORDER_THIN);
        format_set_border_color(margin, 0xFFFFFF);
        format_set_right(margin, LXW_BORDER_HAIR);
        format_set_right_color(margin, LXW_COLOR_BLACK);
        title = workbook_add_format(book);
        format_set_font_name(title, "굴림");
        format_set_font_size(title, 9);
        format_set_bold(title);
        format_set_bottom(title, LXW_BORDER_HAIR);
        text = GridFormat(book, nullptr, false, false);
        centred = GridFormat(book, nullptr, true, false);
        header = GridFormat(book, nullptr, true, true);
        money = GridFormat(book, "#,##0", false, false);
    }
    lxw_format *forStyle(RawStyle style) const
    {
        switch (style) {
        case RawStyle::Centred: return centred;
        case RawStyle::Money: return money;
        default: return text;
        }
    }

    lxw_format *white, *margin, *title, *text, *centred, *header, *money;
};

void WriteSheet(lxw_workbook *book, const Formats &formats, const RawSheet &raw)
{
    lxw_worksheet *sheet = workbook_add_worksheet(book, raw.name.constData());
    const lxw_col_t last = lxw_col_t(raw.widths.size() - 1);
    worksheet_set_landscape(sheet);
    worksheet_set_paper(sheet, 9);
    worksheet_set_margins(sheet, 0.7, 0.7, 60.0 / 72, 47.0 / 72);
    for (lxw_col_t c = 0; c <= last; ++c)
        worksheet_set_column(sheet, c, c, raw.widths[c], formats.white);
    worksheet_set_column(sheet, last + 1, 16383, LXW_DEF_COL_WIDTH, formats.white);
    worksheet_set_default_row(sheet, 17, LXW_FALSE);
    worksheet_merge_range(sheet, 0, 1, 0, lxw_col_t(raw.titleLastColumn), "", formats.title);
    worksheet_write_string(sheet, 0, 1, raw.title.constData(), formats.title);
    for (lxw_col_t c = 1; c <= last; ++c)
        worksheet_write_string(sheet, 1, c, raw.headers[c - 1].constData(), formats.header);
    for (int r = 1; r < raw.lastRow; ++r)
        worksheet_write_blank(sheet, lxw_row_t(r), 0, formats.margin);
    for (size_t i = 0; i < raw.rows.size(); ++i) {
        const lxw_row_t r = lxw_row_t(i + 2);
        const std::vector<RawCell> &row = raw.rows[i];
        for (size_t k = 0; k < row.size(); ++k) {
            const RawCell &cell = row[k];
            const lxw_col_t c = lxw_col_t(k + 1);
            lxw_format *format = formats.forStyle(cell.style);
            if (cell.empty)
                worksheet_write_blank(sheet, r, c, format);
            else if (cell.isNumber)
                worksheet_write_number(sheet, r, c, cell.number, format);
            else
                worksheet_write_string(sheet, r, c, cell.text.constData(), format);
        }
    }
    for (int r = int(raw.rows.size()) + 2; r < raw.lastRow; ++r)
        for (lxw_col_t c = 1; c <= last; ++c)
            worksheet_write_blank(sheet, lxw_row_t(r), c, formats.text);
}

// Before the application is made: no screen unless one is asked for, no file opened.
bool Quiet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("VEK_NO_OPEN", "1");
    return true;
}

} // namespace

ExportBench::ExportBench(int &argc, char **argv) : quiet_(Quiet()), app_(argc, argv)
{
    SetMessagePresenter(&silent);
    SetPrinterQuestion([] { return true; });
    QDir().mkpath(workFolder());
}

ExportBench::~ExportBench()
{
    SetPrinterQuestion({});
    SetMessagePresenter(nullptr);
}

void ExportBench::removeSavedWorkbooks() const
{
    const QDir folder(workFolder());
    for (const QString &file : folder.entryList({"*.xlsx"}, QDir::Files))
        QFile::remove(folder.filePath(file));
}

void WriteRawWorkbook(const std::vector<RawSheet> &sheets, int emptySheets, const QString &path)
{
    lxw_workbook *book = workbook_new(QFile::encodeName(path).constData());
    const Formats formats(book);
    for (const RawSheet &sheet : sheets)
        WriteSheet(book, formats, sheet);
    for (int extra = 0; extra < emptySheets; ++extra)
        workbook_add_worksheet(book, nullptr);
    Check(workbook_close(book) == LXW_NO_ERROR, "writing the raw workbook");
}

} // namespace vek
