#pragma once

#include <QString>

#include <array>

namespace vek {

// The cost statement's grid: 6 columns by 30 rows, row 0 the headers and column 0 the row
// numbers; statement row n (1-29) is grid row n.
struct CostSheet {
    static constexpr int Rows = 29;
    static constexpr int NumberCol = 0;
    static constexpr int NameCol = 1;    // NAME
    static constexpr int AmountCol = 2;  // CSTTAL as shown
    static constexpr int BasisCol = 3;   // one blank + STAN
    static constexpr int RemarkCol = 4;  // one blank + ETC
    static constexpr int FormulaCol = 5; // NOADD
    static constexpr int ColCount = 6;
};

// The cells the statement is worked on, and the current row: the page's grid, or a plain
// table where no screen is (CostSheetTable).
class CostSheetCells {
public:
    virtual ~CostSheetCells() = default;
    virtual QString Cells(int col, int row) const = 0;
    virtual void SetCells(int col, int row, const QString &text) = 0;
    virtual int Row() const = 0;
    virtual void SetRow(int row) = 0;
};

// The statement's cells held in memory.
class CostSheetTable : public CostSheetCells {
public:
    QString Cells(int col, int row) const override { return cells_.at(row).at(col); }
    void SetCells(int col, int row, const QString &text) override { cells_.at(row).at(col) = text; }
    int Row() const override { return row_; }
    void SetRow(int row) override { row_ = row; }

private:
    std::array<std::array<QString, CostSheet::ColCount>, CostSheet::Rows + 1> cells_;
    int row_ = 1;
};

} // namespace vek
