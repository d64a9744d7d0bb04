#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

namespace vek {

class Dataset;
class ExcelApplication;

// What a list sheet's frame needs to know of its table.
struct SheetLayout {
    QList<double> widths;  // in characters, from column A (the margin) to the table's last column
    QStringList headers;   // row 2, from column B
    QString titleRange;    // the cells merged for the title, such as "B1:M1"

    int lastColumn() const { return int(widths.size()); }
};

// The standard frame of sheet k, the active sheet, for a list of recordCount rows, in
// this order: every border white; B1 bold; the title in B1 and the title range merged;
// every column in black 굴림 9, centred vertically, every row 17 points high; the
// column widths; then, with n the last row ExcelLastRow gives, a black hairline grid
// over B2 to the last column of row n, black hairlines under the title and under row n,
// and on every row from 2 to n black hairlines at the right of column A and of the last
// column. Returns n.
int WriteStandardFrame(ExcelApplication &app, int k, const SheetLayout &layout, const QString &title,
                       int recordCount);

// The header texts in row 2, then each of them centred, then the row shaded silver grey.
void WriteHeaderRow(ExcelApplication &app, const SheetLayout &layout);

// The data rows of a list sheet: the current record of list and the records after it, as
// many as list held when called (the count is taken once). writeRow puts record i into
// sheet row i + 2, given the record's values of fields in their order; then list moves on
// by one. A field the list does not have is refused (DatabaseError) before any row.
using RowValues = std::vector<QVariant>;
void WriteListRows(Dataset &list, const QStringList &fields,
                   const std::function<void(int row, const RowValues &values)> &writeRow);

} // namespace vek
