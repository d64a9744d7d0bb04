#pragma once

#include "platform/spreadsheet/CellFormat.h"
#include "platform/spreadsheet/RecordedSheet.h"

#include <memory>
#include <vector>

namespace vek {

// The longest name a sheet may have, in characters.
constexpr int MaxSheetNameLength = 31;

// A new workbook as the calls leave it: its sheets in order ("Sheet1" to "Sheet3" at
// first), the active sheet, and the formats its cells share.
class RecordedWorkbook {
public:
    RecordedWorkbook();
    RecordedWorkbook(const RecordedWorkbook &) = delete;
    RecordedWorkbook &operator=(const RecordedWorkbook &) = delete;

    int sheetCount() const { return int(sheets_.size()); }
    // The sheet at place index (from 1); throws SpreadsheetError when there is none.
    RecordedSheet &sheet(int index) const;
    // The sheet of that name in any case; throws SpreadsheetError when there is none.
    RecordedSheet &sheet(const QString &name) const;
    int indexOf(const RecordedSheet &sheet) const;
    // A new sheet "Sheet<next number>" right after `after`, which becomes the active sheet.
    RecordedSheet &addSheetAfter(const RecordedSheet &after);
    // At most 31 characters, none of []:*?/\, not starting or ending with an apostrophe,
    // and no other sheet's name in any case; throws SpreadsheetError otherwise.
    void rename(RecordedSheet &sheet, const QString &name);
    // Whether a sheet other than except (none when null) has name, in any case.
    bool nameTaken(const QString &name, const RecordedSheet *except) const;
    RecordedSheet &activeSheet() const { return *active_; }
    void select(RecordedSheet &sheet) { active_ = &sheet; }

    FormatTable &formats() { return formats_; }
    const FormatTable &formats() const { return formats_; }

private:
    FormatTable formats_;
    std::vector<std::unique_ptr<RecordedSheet>> sheets_;
    RecordedSheet *active_ = nullptr;
    int sheetsMade_ = 0;
};

} // namespace vek
