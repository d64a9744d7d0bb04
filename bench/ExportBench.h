#pragma once

#include "EstimateGenerator.h"

#include <QApplication>
#include <QByteArray>
#include <QString>

#include <vector>

namespace vek {

// What the export benchmarks share.

// The application and the generated estimate of an export benchmark. The exports run as
// in the tests: without a screen (unless one is asked for), message boxes answered, the
// workbooks saved in workFolder() and left unopened, a default printer.
class ExportBench {
public:
    ExportBench(int &argc, char **argv);
    ~ExportBench();

    TdMf &module() { return estimate_.module; }
    QString workFolder() const { return estimate_.filePath(QStringLiteral("Work")); }
    // Removes the workbooks the exports saved.
    void removeSavedWorkbooks() const;

private:
    bool quiet_;
    QApplication app_;
    GeneratedEstimate estimate_;
};

// A list sheet as libxlsxwriter alone writes it, the raw work that the exports are
// measured against: the same cells with the same formats, written straight away.

// The formats of a data cell.
enum class RawStyle { Text, Centred, Number, Money };

struct RawCell {
    RawStyle style = RawStyle::Text;
    bool empty = true; // a grid cell without a value
    bool isNumber = false;
    double number = 0;
    QByteArray text;
};

struct RawSheet {
    QByteArray name;
    QByteArray title;
    std::vector<double> widths;       // from column A
    std::vector<QByteArray> headers;  // row 2, from column B
    int titleLastColumn = 0;          // the title merged over B1 to this column (A = 0)
    int lastRow = 28;                 // the grid's last row (from 1)
    std::vector<std::vector<RawCell>> rows; // from row 3, from column B
};

// The sheets in one workbook at path, each with the page set-up of a printer (A4,
// landscape, margins 60 and 47 points), then emptySheets sheets that nothing was written
// on (the new workbook's own that the export left).
void WriteRawWorkbook(const std::vector<RawSheet> &sheets, int emptySheets, const QString &path);

} // namespace vek
