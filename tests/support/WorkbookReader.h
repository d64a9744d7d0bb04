#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace vek {

// An .xlsx file read back by a reader that shares nothing with the program: Debian's
// /usr/bin/python3 with openpyxl (tests/support/ReadWorkbook.py tells what it reports).
// Colours come back as RRGGBB texts, border sides as {"style", "color"} or null.
class WorkbookReader {
public:
    // Throws std::runtime_error with the reader's message when the file cannot be read.
    explicit WorkbookReader(const QString &path);

    QStringList sheetNames() const;
    // The active sheet's name.
    QString activeSheet() const;
    // Everything read of the named sheet; throws std::runtime_error when there is none.
    QJsonObject sheet(const QString &name) const;
    // The cell at address ("B1") of the named sheet; empty when the file holds no such cell.
    QJsonObject cell(const QString &sheetName, const QString &address) const;
    // The value of that cell; null where the file holds no value there.
    QJsonValue value(const QString &sheetName, const QString &address) const;
    // The cells of the named sheet by address.
    QJsonObject cells(const QString &sheetName) const;
    // The column entry (min, max, width, style) that covers column number, or empty.
    QJsonObject column(const QString &sheetName, int number) const;

private:
    QJsonObject json_;
};

} // namespace vek
