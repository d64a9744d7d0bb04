#include "platform/spreadsheet/ExcelApplication.h"

#include "platform/spreadsheet/SpreadsheetError.h"

namespace vek {

ExcelApplication::ExcelApplication() = default;
ExcelApplication::~ExcelApplication() = default;

void ExcelApplication::invoke(const char *) {}

void ExcelApplication::addWorkbook()
{
    workbooks_.push_back(std::make_unique<RecordedWorkbook>());
    active_ = workbooks_.back().get();
}

RecordedWorkbook &ExcelApplication::activeWorkbook() const
{
    if (!active_)
        throw SpreadsheetError(QStringLiteral("no workbook is open"));
    return *active_;
}

const RecordedWorkbook &ExcelApplication::workbook(int index) const
{
    if (index < 1 || index > workbookCount())
        throw SpreadsheetError(QStringLiteral("there is no workbook %1").arg(index));
    return *workbooks_[size_t(index - 1)];
}

ExcelWorkbooks ExcelApplication::WorkBooks()
{
    invoke("WorkBooks");
    return ExcelWorkbooks(*this);
}

ExcelWorkbook ExcelApplication::WorkBooks(int index)
{
    invoke("WorkBooks");
    workbook(index); // throws when there is none
    return ExcelWorkbook(*this, *workbooks_[size_t(index - 1)]);
}

ExcelWorksheet ExcelApplication::WorkSheets(int index)
{
    invoke("WorkSheets");
    RecordedWorkbook &book = activeWorkbook();
    return ExcelWorksheet(*this, book, book.sheet(index));
}

ExcelWorksheet ExcelApplication::WorkSheets(const QString &name)
{
    invoke("WorkSheets");
    RecordedWorkbook &book = activeWorkbook();
    return ExcelWorksheet(*this, book, book.sheet(name));
}

ExcelSheets ExcelApplication::Sheets()
{
    invoke("Sheets");
    return ExcelSheets(*this, activeWorkbook());
}

ExcelWorksheet ExcelApplication::ActiveSheet()
{
    invoke("ActiveSheet");
    RecordedWorkbook &book = activeWorkbook();
    return ExcelWorksheet(*this, book, book.activeSheet());
}

ExcelRange ExcelApplication::onActiveSheet(const CellRange &range)
{
    return ExcelRange(*this, activeWorkbook().activeSheet(), range);
}

ExcelRange ExcelApplication::Columns()
{
    invoke("Columns");
    return onActiveSheet(CellRange::sheet());
}

ExcelRange ExcelApplication::Columns(int column)
{
    invoke("Columns");
    CheckCell(1, column);
    return onActiveSheet(CellRange::columns(column, column));
}

ExcelRange ExcelApplication::Cells(int row, int column)
{
    invoke("Cells");
    CheckCell(row, column);
    return onActiveSheet(CellRange::cell(row, column));
}

ExcelRange ExcelApplication::Range(const QString &address)
{
    invoke("Range");
    return onActiveSheet(CellRange::parse(address));
}

ExcelRange ExcelApplication::Range(const QString &topLeft, const QString &bottomRight)
{
    invoke("Range");
    return onActiveSheet(CellRange::spanning(CellRange::parse(topLeft), CellRange::parse(bottomRight)));
}

void ExcelApplication::setVisible(bool visible)
{
    invoke("Visible");
    visible_ = visible;
}

} // namespace vek
