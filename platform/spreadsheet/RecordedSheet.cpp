#include "platform/spreadsheet/RecordedSheet.h"

#include "platform/spreadsheet/SpreadsheetError.h"

#include <QVarLengthArray>

#include <algorithm>

namespace vek {
namespace {

// A range of single cells larger than this is refused rather than filled cell by cell.
constexpr qint64 MaxCellsPerCall = 4'000'000;

void RequireCells(const CellRange &range)
{
    if (range.wholeColumns() || range.cellCount() > MaxCellsPerCall)
        throw SpreadsheetError(QStringLiteral("the range %1 is too large for this call").arg(range.address()));
}

// One change applied to many cells: each distinct format is changed and interned once.
// The cells of one call share few formats, so a short list finds them fastest.
class FormatMapper {
public:
    FormatMapper(FormatTable &formats, const RecordedSheet::FormatChange &change) : formats_(formats), change_(change) {}

    int operator()(int id)
    {
        for (const auto &[from, to] : changed_)
            if (from == id)
                return to;
        CellFormat format = formats_.at(id);
        change_(format);
        const int to = formats_.intern(format);
        changed_.append({id, to});
        return to;
    }

private:
    FormatTable &formats_;
    const RecordedSheet::FormatChange &change_;
    QVarLengthArray<std::pair<int, int>, 8> changed_;
};

int OppositeSide(int side)
{
    return (side + 2) % 4;
}

} // namespace

RecordedSheet::RecordedSheet(FormatTable &formats, const QString &name) : formats_(&formats), name_(name) {}

int RecordedSheet::columnFormat(int column) const
{
    const size_t index = size_t(column - 1);
    return index < columnFormats_.size() && columnFormats_[index] >= 0 ? columnFormats_[index] : sheetFormat_;
}

double RecordedSheet::columnWidth(int column) const
{
    const auto found = columnWidths_.find(column);
    return found == columnWidths_.end() ? defaultColumnWidth_ : found->second;
}

int RecordedSheet::lastOwnColumn() const
{
    const int widths = columnWidths_.empty() ? 0 : columnWidths_.rbegin()->first;
    return std::max(int(columnFormats_.size()), widths);
}

const RecordedSheet::Cell *RecordedSheet::cell(int row, int column) const
{
    if (row < 1 || row > rowCount() || column < 1 || size_t(column) > cells(row).size())
        return nullptr;
    const Cell &found = cells(row)[size_t(column - 1)];
    return found.exists() ? &found : nullptr;
}

RecordedSheet::Cell &RecordedSheet::cellAt(int row, int column)
{
    if (rows_.size() < size_t(row))
        rows_.resize(size_t(row));
    std::vector<Cell> &cells = rows_[size_t(row - 1)];
    if (cells.size() < size_t(column))
        cells.resize(size_t(column));
    Cell &cell = cells[size_t(column - 1)];
    if (!cell.exists())
        cell.format = columnFormat(column);
    return cell;
}

void RecordedSheet::changeFormat(const CellRange &range, const FormatChange &change)
{
    FormatMapper changed(*formats_, change);
    if (range.wholeColumns()) {
        if (range.wholeSheet()) {
            sheetFormat_ = changed(sheetFormat_);
            for (int &format : columnFormats_)
                if (format >= 0)
                    format = changed(format);
        } else {
            if (columnFormats_.size() < size_t(range.right))
                columnFormats_.resize(size_t(range.right), -1);
            for (int column = range.left; column <= range.right; ++column)
                columnFormats_[size_t(column - 1)] = changed(columnFormat(column));
        }
        for (std::vector<Cell> &cells : rows_) {
            const int last = std::min(range.right, int(cells.size()));
            for (int column = range.left; column <= last; ++column) {
                Cell &cell = cells[size_t(column - 1)];
                if (cell.exists())
                    cell.format = changed(cell.format);
            }
        }
        return;
    }
    RequireCells(range);
    for (int row = range.top; row <= range.bottom; ++row)
        for (int column = range.left; column <= range.right; ++column) {
            Cell &cell = cellAt(row, column);
            cell.format = changed(cell.format);
        }
}

void RecordedSheet::changeSides(const CellRange &range, std::initializer_list<int> sides, const LineChange &change)
{
    if (range.top > range.bottom || range.left > range.right)
        return;
    changeFormat(range, [&](CellFormat &format) {
        for (int side : sides)
            change(format.sides[size_t(side)]);
    });
}

void RecordedSheet::changeOutside(const CellRange &range, int side, const LineChange &change)
{
    CellRange next = range;
    switch (side) {
    case TopSide:
        next.top = next.bottom = range.top - 1;
        break;
    case BottomSide:
        next.top = next.bottom = range.bottom + 1;
        break;
    case LeftSide:
        next.left = next.right = range.left - 1;
        break;
    case RightSide:
        next.left = next.right = range.right + 1;
        break;
    }
    if (next.top < 1 || next.bottom > CellRange::MaxRows || next.left < 1 || next.right > CellRange::MaxColumns)
        return;
    changeSides(next, {OppositeSide(side)}, change);
}

void RecordedSheet::changeBorders(const CellRange &range, int edge, const LineChange &change)
{
    const CellRange topRow{range.top, range.left, range.top, range.right};
    const CellRange bottomRow{range.bottom, range.left, range.bottom, range.right};
    const CellRange leftColumn{range.top, range.left, range.bottom, range.left};
    const CellRange rightColumn{range.top, range.right, range.bottom, range.right};
    const auto outerEdge = [&](const CellRange &strip, int side) {
        changeSides(strip, {side}, change);
        changeOutside(strip, side, change);
    };
    switch (edge) {
    case 0:
        changeSides(range, {LeftSide, TopSide, RightSide, BottomSide}, change);
        for (int side : {LeftSide, TopSide, RightSide, BottomSide})
            changeOutside(range, side, change);
        break;
    case xlTop:
        outerEdge(topRow, TopSide);
        break;
    case xlBottom:
        outerEdge(bottomRow, BottomSide);
        break;
    case xlLeft:
        outerEdge(leftColumn, LeftSide);
        break;
    case xlRight:
        outerEdge(rightColumn, RightSide);
        break;
    case xlInsideHorizontal:
        changeSides({range.top, range.left, range.bottom - 1, range.right}, {BottomSide}, change);
        changeSides({range.top + 1, range.left, range.bottom, range.right}, {TopSide}, change);
        break;
    case xlInsideVertical:
        changeSides({range.top, range.left, range.bottom, range.right - 1}, {RightSide}, change);
        changeSides({range.top, range.left + 1, range.bottom, range.right}, {LeftSide}, change);
        break;
    default:
        throw SpreadsheetError(QStringLiteral("no border item %1").arg(edge));
    }
}

void RecordedSheet::setValue(const CellRange &range, const CellValue &value)
{
    RequireCells(range);
    for (int row = range.top; row <= range.bottom; ++row)
        for (int column = range.left; column <= range.right; ++column)
            cellAt(row, column).value = value;
}

void RecordedSheet::merge(const CellRange &range)
{
    RequireCells(range);
    if (range.singleCell())
        return;
    for (const CellRange &earlier : merges_)
        if (earlier.overlaps(range))
            throw SpreadsheetError(QStringLiteral("%1 overlaps the merged cells %2").arg(range.address(), earlier.address()));
    merges_.push_back(range);
    for (int row = range.top; row <= std::min(range.bottom, rowCount()); ++row) {
        std::vector<Cell> &cells = rows_[size_t(row - 1)];
        for (int column = range.left; column <= std::min(range.right, int(cells.size())); ++column)
            if (row != range.top || column != range.left)
                cells[size_t(column - 1)].value = std::monostate();
    }
}

void RecordedSheet::setColumnWidth(const CellRange &range, double width)
{
    if (range.wholeSheet()) {
        defaultColumnWidth_ = width;
        columnWidths_.clear();
        return;
    }
    for (int column = range.left; column <= range.right; ++column)
        columnWidths_[column] = width;
}

void RecordedSheet::setRowHeight(const CellRange &range, double height)
{
    if (range.wholeColumns()) {
        defaultRowHeight_ = height;
        rowHeights_.clear();
        return;
    }
    for (int row = range.top; row <= range.bottom; ++row)
        rowHeights_[row] = height;
}

} // namespace vek
