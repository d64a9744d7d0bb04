#pragma once

#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/WorkbookReader.h"

#include <QJsonObject>
#include <QString>

namespace vek {

// What an export test starts from, for as long as it lives: a fresh database in a temporary
// home folder, the untitled document, and a default printer when `printer` says so; when it
// goes the program's own spreadsheet application and printer question are back.
class ExportTestRun {
public:
    ExportTestRun();
    ~ExportTestRun();
    ExportTestRun(const ExportTestRun &) = delete;
    ExportTestRun &operator=(const ExportTestRun &) = delete;

    TdMf &module() { return db.module(); }
    // Where the exports save their workbooks.
    QString workFolder() const;

    TempDatabase db;
    bool printer = false;
};

// The workbook that an export saved at path, read back: throws when the export showed a
// message (answers) or saved nothing.
WorkbookReader SavedWorkbook(const QString &path, const MessageAnswerer &answers);

// The rows "printer" and "no printer" of a _data() table with the column bool printer.
void PrinterRows();

// The columns of a line-item or breakdown sheet as read back: widths from A, header texts
// in row 2 from B, centred, not bold, shaded silver grey, and nothing shaded after M.
void VerifyLineItemColumns(const WorkbookReader &book, const QString &sheet);

// The page set-up of a sheet as read back: with a printer A4, landscape and the margins
// given in points (left 0 keeps the default); without one the defaults.
void VerifyPageSetUp(const QJsonObject &sheet, bool printer, double top, double bottom, double left = 0);

} // namespace vek
