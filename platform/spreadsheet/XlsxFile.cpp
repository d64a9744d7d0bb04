#include "platform/spreadsheet/XlsxFile.h"

#include "platform/spreadsheet/RecordedWorkbook.h"
#include "platform/spreadsheet/SpreadsheetError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <vector>

namespace vek {
namespace {

constexpr double PointsPerInch = 72;
constexpr int MaxNameTries = 10000;

void Check(lxw_error error, const char *what)
{
    if (error != LXW_NO_ERROR)
        throw SpreadsheetError(QStringLiteral("%1: %2").arg(QString::fromLatin1(what), QString::fromUtf8(lxw_strerror(error))));
}

// The interface's colour (red in the low byte) as the file's RRGGBB. Black is 0 to the
// interface but "no colour" to the library, which names it apart.
lxw_color_t FileColour(int colour)
{
    const lxw_color_t rgb = lxw_color_t((colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF));
    return rgb == 0 ? lxw_color_t(LXW_COLOR_BLACK) : rgb;
}

uint8_t FileBorder(const BorderLine &line)
{
    if (!line.drawn())
        return LXW_BORDER_NONE;
    switch (line.weight) {
    case xlHairline:
        return LXW_BORDER_HAIR;
    case xlMedium:
        return LXW_BORDER_MEDIUM;
    case xlThick:
        return LXW_BORDER_THICK;
    default:
        return LXW_BORDER_THIN;
    }
}

uint8_t FileAlignment(int alignment)
{
    switch (alignment) {
    case xlLeft:
        return LXW_ALIGN_LEFT;
    case xlRight:
        return LXW_ALIGN_RIGHT;
    default:
        return LXW_ALIGN_CENTER;
    }
}

uint8_t FileVerticalAlignment(int alignment)
{
    return alignment == xlTop ? LXW_ALIGN_VERTICAL_TOP : LXW_ALIGN_VERTICAL_CENTER;
}

void Describe(lxw_format *file, const CellFormat &format)
{
    if (!format.fontName.isEmpty())
        format_set_font_name(file, format.fontName.toUtf8().constData());
    if (format.fontSize > 0)
        format_set_font_size(file, format.fontSize);
    if (format.fontColour != NoColour)
        format_set_font_color(file, FileColour(format.fontColour));
    if (format.bold)
        format_set_bold(file);
    if (format.italic)
        format_set_italic(file);
    if (format.horizontal != 0)
        format_set_align(file, FileAlignment(format.horizontal));
    if (format.vertical != 0)
        format_set_align(file, FileVerticalAlignment(format.vertical));
    if (format.fill != NoColour) {
        format_set_pattern(file, LXW_PATTERN_SOLID);
        format_set_bg_color(file, FileColour(format.fill));
    }
    if (!format.numberFormat.isEmpty())
        format_set_num_format(file, format.numberFormat.toUtf8().constData());
    using SetStyle = void (*)(lxw_format *, uint8_t);
    using SetColour = void (*)(lxw_format *, lxw_color_t);
    static const SetStyle styles[] = {format_set_left, format_set_top, format_set_right, format_set_bottom};
    static const SetColour colours[] = {format_set_left_color, format_set_top_color, format_set_right_color,
                                        format_set_bottom_color};
    for (size_t side = 0; side < format.sides.size(); ++side) {
        const BorderLine &line = format.sides[side];
        if (!line.drawn())
            continue;
        styles[side](file, FileBorder(line));
        if (line.colour != NoColour)
            colours[side](file, FileColour(line.colour));
    }
}

// One library workbook being written; it is closed (and so written) in every case.
class FileWriter {
public:
    FileWriter(const RecordedWorkbook &book, const QString &path)
        : file_(workbook_new(QFile::encodeName(path).constData())), formats_(size_t(book.formats().size()), nullptr),
          book_(book)
    {
        if (!file_)
            throw SpreadsheetError(QStringLiteral("cannot create %1").arg(path));
    }
    ~FileWriter()
    {
        if (file_)
            workbook_close(file_);
    }

    void write()
    {
        for (int index = 1; index <= book_.sheetCount(); ++index)
            writeSheet(book_.sheet(index));
        lxw_workbook *file = file_;
        file_ = nullptr;
        Check(workbook_close(file), "writing the workbook");
    }

private:
    lxw_format *format(int id)
    {
        lxw_format *&file = formats_[size_t(id)];
        if (!file) {
            file = workbook_add_format(file_);
            Describe(file, book_.formats().at(id));
        }
        return file;
    }

    void writeColumns(lxw_worksheet *sheet, const RecordedSheet &source)
    {
        struct Run {
            int first;
            int last;
            double width;
            int format;
        };
        std::vector<Run> runs;
        const auto add = [&](int first, int last, double width, int format) {
            if (width < 0 && format == 0)
                return;
            if (!runs.empty() && runs.back().last == first - 1 && runs.back().width == width && runs.back().format == format)
                runs.back().last = last;
            else
                runs.push_back({first, last, width, format});
        };
        const int own = source.lastOwnColumn();
        for (int column = 1; column <= own; ++column)
            add(column, column, source.columnWidth(column), source.columnFormat(column));
        if (own < CellRange::MaxColumns)
            add(own + 1, CellRange::MaxColumns, source.defaultColumnWidth(), source.sheetFormat());
        for (const Run &run : runs)
            Check(worksheet_set_column(sheet, lxw_col_t(run.first - 1), lxw_col_t(run.last - 1),
                                       run.width < 0 ? LXW_DEF_COL_WIDTH : run.width, format(run.format)),
                  "column");
    }

    void writeRows(lxw_worksheet *sheet, const RecordedSheet &source)
    {
        if (source.defaultRowHeight() >= 0)
            worksheet_set_default_row(sheet, source.defaultRowHeight(), LXW_FALSE);
        for (const auto &[row, height] : source.rowHeights())
            Check(worksheet_set_row(sheet, lxw_row_t(row - 1), height, nullptr), "row height");
    }

    static bool Hidden(const RecordedSheet &source, int row, int column)
    {
        for (const CellRange &merged : source.merges())
            if (merged.overlaps(CellRange::cell(row, column)) && (row != merged.top || column != merged.left))
                return true;
        return false;
    }

    void writeCells(lxw_worksheet *sheet, const RecordedSheet &source)
    {
        for (const CellRange &merged : source.merges())
            Check(worksheet_merge_range(sheet, lxw_row_t(merged.top - 1), lxw_col_t(merged.left - 1),
                                        lxw_row_t(merged.bottom - 1), lxw_col_t(merged.right - 1), "", nullptr),
                  "merge");
        for (int row = 1; row <= source.rowCount(); ++row) {
            const auto &cells = source.cells(row);
            for (int column = 1; column <= int(cells.size()); ++column) {
                const RecordedSheet::Cell &cell = cells[size_t(column - 1)];
                // An empty cell that looks as its column does adds nothing to the file.
                if (!cell.exists() || (cell.value.index() == 0 && cell.format == source.columnFormat(column)))
                    continue;
                const lxw_row_t r = lxw_row_t(row - 1);
                const lxw_col_t c = lxw_col_t(column - 1);
                lxw_format *style = format(cell.format);
                lxw_error error;
                if (const QString *text = std::get_if<QString>(&cell.value); text && !Hidden(source, row, column))
                    error = worksheet_write_string(sheet, r, c, text->toUtf8().constData(), style);
                else if (const double *number = std::get_if<double>(&cell.value); number && !Hidden(source, row, column))
                    error = worksheet_write_number(sheet, r, c, *number, style);
                else
                    error = worksheet_write_blank(sheet, r, c, style);
                Check(error, "cell");
            }
        }
    }

    static void writePage(lxw_worksheet *sheet, const PageSetupValues &page)
    {
        if (page.paperSize > 0)
            worksheet_set_paper(sheet, uint8_t(page.paperSize));
        if (page.orientation == xlLandscape)
            worksheet_set_landscape(sheet);
        else if (page.orientation == xlPortrait)
            worksheet_set_portrait(sheet);
        const auto inches = [](double points) { return points < 0 ? -1.0 : points / PointsPerInch; };
        worksheet_set_margins(sheet, inches(page.leftMargin), -1, inches(page.topMargin), inches(page.bottomMargin));
    }

    void writeSheet(const RecordedSheet &source)
    {
        lxw_worksheet *sheet = workbook_add_worksheet(file_, source.name().toUtf8().constData());
        if (!sheet)
            throw SpreadsheetError(QStringLiteral("the sheet name \"%1\" cannot be written").arg(source.name()));
        writeColumns(sheet, source);
        writeRows(sheet, source);
        writeCells(sheet, source);
        writePage(sheet, source.pageSetup());
        if (&source == &book_.activeSheet())
            worksheet_activate(sheet);
    }

    lxw_workbook *file_;
    std::vector<lxw_format *> formats_;
    const RecordedWorkbook &book_;
};

} // namespace

void WriteXlsx(const RecordedWorkbook &book, const QString &path)
{
    FileWriter(book, path).write();
}

QString SaveNewXlsx(const RecordedWorkbook &book, const QString &folder, const QString &baseName)
{
    const QDir dir(folder);
    QTemporaryFile temporary(dir.filePath(QStringLiteral(".~XXXXXX.xlsx")));
    if (!temporary.open())
        throw SpreadsheetError(QStringLiteral("cannot write in %1: %2").arg(folder, temporary.errorString()));
    temporary.close();
    WriteXlsx(book, temporary.fileName());
    for (int n = 1; n <= MaxNameTries; ++n) {
        const QString target = dir.filePath(n == 1 ? baseName + QStringLiteral(".xlsx")
                                                   : QStringLiteral("%1 (%2).xlsx").arg(baseName).arg(n));
        if (QFile::rename(temporary.fileName(), target)) {
            temporary.setAutoRemove(false);
            return target;
        }
        if (!QFileInfo::exists(target))
            throw SpreadsheetError(QStringLiteral("cannot save the workbook as %1").arg(target));
    }
    throw SpreadsheetError(QStringLiteral("every name for %1 in %2 is taken").arg(baseName, folder));
}

} // namespace vek
