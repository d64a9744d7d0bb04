#include "platform/spreadsheet/RecordedWorkbook.h"

#include "platform/spreadsheet/SpreadsheetError.h"

#include <algorithm>

namespace vek {
namespace {

constexpr int DefaultSheets = 3;
const QString ForbiddenInNames = QStringLiteral("[]:*?/\\");

} // namespace

RecordedWorkbook::RecordedWorkbook()
{
    for (int i = 0; i < DefaultSheets; ++i)
        sheets_.push_back(std::make_unique<RecordedSheet>(formats_, QStringLiteral("Sheet%1").arg(++sheetsMade_)));
    active_ = sheets_.front().get();
}

RecordedSheet &RecordedWorkbook::sheet(int index) const
{
    if (index < 1 || index > sheetCount())
        throw SpreadsheetError(QStringLiteral("the workbook has no sheet %1").arg(index));
    return *sheets_[size_t(index - 1)];
}

RecordedSheet &RecordedWorkbook::sheet(const QString &name) const
{
    const auto found = std::find_if(sheets_.begin(), sheets_.end(), [&](const auto &s) {
        return s->name().compare(name, Qt::CaseInsensitive) == 0;
    });
    if (found == sheets_.end())
        throw SpreadsheetError(QStringLiteral("the workbook has no sheet \"%1\"").arg(name));
    return **found;
}

int RecordedWorkbook::indexOf(const RecordedSheet &sheet) const
{
    const auto found = std::find_if(sheets_.begin(), sheets_.end(), [&](const auto &s) { return s.get() == &sheet; });
    if (found == sheets_.end())
        throw SpreadsheetError(QStringLiteral("the sheet %1 is not in this workbook").arg(sheet.name()));
    return int(found - sheets_.begin()) + 1;
}

RecordedSheet &RecordedWorkbook::addSheetAfter(const RecordedSheet &after)
{
    const int place = indexOf(after);
    QString name;
    do
        name = QStringLiteral("Sheet%1").arg(++sheetsMade_);
    while (nameTaken(name, nullptr));
    const auto added = sheets_.insert(sheets_.begin() + place, std::make_unique<RecordedSheet>(formats_, name));
    active_ = added->get();
    return *active_;
}

bool RecordedWorkbook::nameTaken(const QString &name, const RecordedSheet *except) const
{
    return std::any_of(sheets_.begin(), sheets_.end(), [&](const auto &sheet) {
        return sheet.get() != except && sheet->name().compare(name, Qt::CaseInsensitive) == 0;
    });
}

void RecordedWorkbook::rename(RecordedSheet &sheet, const QString &name)
{
    const auto refuse = [&](const QString &why) {
        throw SpreadsheetError(QStringLiteral("the sheet name \"%1\" %2").arg(name, why));
    };
    if (name.isEmpty())
        refuse(QStringLiteral("is empty"));
    if (name.size() > MaxSheetNameLength)
        refuse(QStringLiteral("is longer than %1 characters").arg(MaxSheetNameLength));
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return ForbiddenInNames.contains(c); }))
        refuse(QStringLiteral("holds one of %1").arg(ForbiddenInNames));
    if (name.startsWith(u'\'') || name.endsWith(u'\''))
        refuse(QStringLiteral("starts or ends with an apostrophe"));
    if (nameTaken(name, &sheet))
        refuse(QStringLiteral("is taken by another sheet"));
    sheet.setName(name);
}

} // namespace vek
