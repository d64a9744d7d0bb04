#pragma once

#include <QString>

namespace vek {

class RecordedWorkbook;

// Writes book as an .xlsx file at path, replacing what is there; throws SpreadsheetError
// when the file cannot be written.
void WriteXlsx(const RecordedWorkbook &book, const QString &path);

// Writes book under a temporary name in folder and then gives it the name
// baseName + ".xlsx", or baseName + " (2).xlsx", " (3).xlsx" and so on: the first that no
// file has, so that no file is ever overwritten. Returns the path; throws SpreadsheetError.
QString SaveNewXlsx(const RecordedWorkbook &book, const QString &folder, const QString &baseName);

} // namespace vek
