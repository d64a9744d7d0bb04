#pragma once

#include "platform/spreadsheet/ExcelObjects.h"
#include "platform/spreadsheet/RecordedWorkbook.h"

#include <memory>
#include <vector>

namespace vek {

// The spreadsheet application that the exports drive, in place of the automation object
// "Excel.Application": it records what the calls make of its workbooks, and the program
// writes them to .xlsx files once the application has been made visible. It knows
// nothing of estimates.
class ExcelApplication {
public:
    ExcelApplication();
    virtual ~ExcelApplication();
    ExcelApplication(const ExcelApplication &) = delete;
    ExcelApplication &operator=(const ExcelApplication &) = delete;

    ExcelWorkbooks WorkBooks();
    ExcelWorkbook WorkBooks(int index);
    // The sheets of the active workbook, by place or by name.
    ExcelWorksheet WorkSheets(int index);
    ExcelWorksheet WorkSheets(const QString &name);
    ExcelSheets Sheets();
    ExcelWorksheet ActiveSheet();
    // On the active sheet: every column, one column, one cell, a range.
    ExcelRange Columns();
    ExcelRange Columns(int column);
    ExcelRange Cells(int row, int column);
    ExcelRange Range(const QString &address);
    ExcelRange Range(const QString &topLeft, const QString &bottomRight);
    void setVisible(bool visible);

    bool isVisible() const { return visible_; }
    int workbookCount() const { return int(workbooks_.size()); }
    // The workbook at place index (from 1), to be written.
    const RecordedWorkbook &workbook(int index) const;

    // Every member call passes here first, by name ("Columns", "Font", "Name", ...): an
    // application made for a test can fail at a chosen call.
    virtual void invoke(const char *member);

private:
    friend class ExcelWorkbooks;
    void addWorkbook();
    RecordedWorkbook &activeWorkbook() const;
    ExcelRange onActiveSheet(const CellRange &range);

    std::vector<std::unique_ptr<RecordedWorkbook>> workbooks_;
    RecordedWorkbook *active_ = nullptr;
    bool visible_ = false;
};

} // namespace vek
