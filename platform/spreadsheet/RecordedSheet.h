#pragma once

#include "platform/spreadsheet/CellFormat.h"
#include "platform/spreadsheet/CellRange.h"

#include <QString>

#include <functional>
#include <map>
#include <variant>
#include <vector>

namespace vek {

// A cell's value: nothing, a text exactly as given, or a number.
using CellValue = std::variant<std::monostate, QString, double>;

// The page set-up of a sheet; zero and negative values keep the defaults.
struct PageSetupValues {
    int paperSize = 0;
    int orientation = 0;     // xlPortrait or xlLandscape
    double topMargin = -1;   // points
    double bottomMargin = -1;
    double leftMargin = -1;
};

// One sheet of a recorded workbook: what the calls made of its cells, columns and rows.
// A property set on a range reaches every cell it covers: whole columns and the whole
// sheet keep it in their column formats, so that cells written later start from it, and
// every cell already there takes it as well. A border belongs to both cells it separates:
// the right side of A3 is the left side of B3.
class RecordedSheet {
public:
    struct Cell {
        int format = -1; // -1: no cell here (the column's format applies)
        CellValue value;
        bool exists() const { return format >= 0; }
    };
    using FormatChange = std::function<void(CellFormat &)>;
    using LineChange = std::function<void(BorderLine &)>;

    RecordedSheet(FormatTable &formats, const QString &name);

    const QString &name() const { return name_; }
    void setName(const QString &name) { name_ = name; }

    void changeFormat(const CellRange &range, const FormatChange &change);
    // edge 0: every side of every cell of range; xlTop, xlBottom, xlLeft, xlRight: that
    // outer edge of range; xlInsideHorizontal, xlInsideVertical: the lines between its cells.
    void changeBorders(const CellRange &range, int edge, const LineChange &change);
    void setValue(const CellRange &range, const CellValue &value);
    // The cells of range become one, showing the top-left cell's value; the others lose
    // theirs. A range overlapping an earlier merge is refused.
    void merge(const CellRange &range);
    // Whole columns and the sheet: their columns; any other range: the columns it spans.
    void setColumnWidth(const CellRange &range, double width);
    // Whole columns and the sheet: every row; any other range: the rows it spans.
    void setRowHeight(const CellRange &range, double height);
    PageSetupValues &pageSetup() { return pageSetup_; }

    const PageSetupValues &pageSetup() const { return pageSetup_; }
    const FormatTable &formats() const { return *formats_; }
    int sheetFormat() const { return sheetFormat_; }
    // The format of a column without a cell of its own there.
    int columnFormat(int column) const;
    // Negative: the sheet's default width.
    double columnWidth(int column) const;
    double defaultColumnWidth() const { return defaultColumnWidth_; }
    // The columns up to this one may have formats or widths of their own.
    int lastOwnColumn() const;
    // Negative: the default height.
    double defaultRowHeight() const { return defaultRowHeight_; }
    const std::map<int, double> &rowHeights() const { return rowHeights_; }
    int rowCount() const { return int(rows_.size()); }
    // The cells of row (from 1) as far as any was made.
    const std::vector<Cell> &cells(int row) const { return rows_[size_t(row - 1)]; }
    const Cell *cell(int row, int column) const;
    const std::vector<CellRange> &merges() const { return merges_; }

private:
    // The change applied to the facing side of the cells next to range on its side.
    void changeOutside(const CellRange &range, int side, const LineChange &change);
    void changeSides(const CellRange &range, std::initializer_list<int> sides, const LineChange &change);
    Cell &cellAt(int row, int column);

    FormatTable *formats_;
    QString name_;
    int sheetFormat_ = 0;
    std::vector<int> columnFormats_; // index column - 1; -1: the sheet's format
    std::map<int, double> columnWidths_;
    double defaultColumnWidth_ = -1;
    std::map<int, double> rowHeights_;
    double defaultRowHeight_ = -1;
    std::vector<std::vector<Cell>> rows_; // index row - 1
    std::vector<CellRange> merges_;
    PageSetupValues pageSetup_;
};

} // namespace vek
