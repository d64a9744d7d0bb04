#pragma once

#include "core/DocumentError.h"

#include <QString>

#include <functional>

namespace vek {

// Told the progress of a long read or write in percent, for the wait gauge.
using DocumentProgress = std::function<void(int percent)>;

// Replaces every row of the working database by the rows of the document at path and
// returns the project name of its header. The file is read and checked whole first: its
// size a positive multiple of the record, a header first and nowhere else, announcing the
// rows that follow (or 0), and rows of the six levels. The delete and the inserts are one
// command. Throws DocumentError when the file cannot be read or is refused, or the
// database refuses the rows; the working database is then as it was.
QString ReadEstimateDocument(const QString &path);
// The same, telling progress Round(n x 100 / c) after the n-th row, c being the header's
// row count or 100 when it announces none.
QString ReadEstimateDocument(const QString &path, const DocumentProgress &progress);

// Writes the header (projectName, the row count) and one record per row of TnDtail to the
// document at path. The file is replaced only when it is complete: on failure (a file that
// cannot be written, a number beyond the fixed-point range, a database error) it throws
// DocumentError and the old file is left as it was.
void WriteEstimateDocument(const QString &path, const QString &projectName);
// The same, telling progress Round(k x 100 / n) after the k-th of n rows.
void WriteEstimateDocument(const QString &path, const QString &projectName, const DocumentProgress &progress);

} // namespace vek
