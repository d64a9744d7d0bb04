#pragma once

#include <QString>

#include <stdexcept>

namespace vek {

// A call the spreadsheet refuses (a missing sheet, a bad address or name, a value it
// cannot hold), or a workbook file that cannot be written. what() is the whole message.
class SpreadsheetError : public std::runtime_error {
public:
    explicit SpreadsheetError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

} // namespace vek
