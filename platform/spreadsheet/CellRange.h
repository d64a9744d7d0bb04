#pragma once

#include <QString>

namespace vek {

// A rectangle of a sheet, rows and columns counted from 1 (column A is 1). A range that
// spans every row stands for whole columns; one that also spans every column, for the sheet.
struct CellRange {
    static constexpr int MaxRows = 1048576;
    static constexpr int MaxColumns = 16384;

    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;

    static CellRange cell(int row, int column) { return {row, column, row, column}; }
    static CellRange columns(int first, int last) { return {1, first, MaxRows, last}; }
    static CellRange sheet() { return columns(1, MaxColumns); }
    // "B2", "$B$2", "B1:M1"; throws SpreadsheetError for anything else.
    static CellRange parse(const QString &address);
    // The smallest range holding both.
    static CellRange spanning(const CellRange &a, const CellRange &b);

    bool wholeColumns() const { return top == 1 && bottom == MaxRows; }
    bool wholeSheet() const { return wholeColumns() && left == 1 && right == MaxColumns; }
    bool singleCell() const { return top == bottom && left == right; }
    qint64 cellCount() const { return qint64(bottom - top + 1) * (right - left + 1); }
    bool overlaps(const CellRange &other) const;
    // "B1:M1", or "B2" for one cell.
    QString address() const;

    friend bool operator==(const CellRange &, const CellRange &) = default;
};

// The letters of a column number: 1 is "A", 27 is "AA".
QString ColumnLetters(int column);
// Throws SpreadsheetError unless 1 <= row <= MaxRows and 1 <= column <= MaxColumns.
void CheckCell(int row, int column);

} // namespace vek
