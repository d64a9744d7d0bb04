#include "platform/spreadsheet/ExcelObjects.h"

#include "platform/spreadsheet/ExcelApplication.h"
#include "platform/spreadsheet/RecordedWorkbook.h"
#include "platform/spreadsheet/SpreadsheetError.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace vek {
namespace {

constexpr double MaxFontSize = 409;
constexpr double MaxColumnWidth = 255;
constexpr double MaxRowHeight = 409;
constexpr int MaxPaperSize = 255;

[[noreturn]] void Refuse(const char *member, const QString &value)
{
    throw SpreadsheetError(QStringLiteral("%1 cannot be set to %2").arg(QString::fromLatin1(member), value));
}

int CheckColour(const char *member, int colour)
{
    if (colour < 0 || colour > MaxColour)
        Refuse(member, QString::number(colour));
    return colour;
}

double CheckRange(const char *member, double value, double low, double high)
{
    if (!(value >= low && value <= high))
        Refuse(member, QString::number(value));
    return value;
}

// A side without a line gets a continuous thin one in the automatic colour before the
// property set on it applies.
BorderLine &Drawn(BorderLine &line)
{
    if (!line.drawn())
        line = BorderLine{xlContinuous, xlThin, NoColour};
    return line;
}

} // namespace

ExcelRangeObject::ExcelRangeObject(ExcelApplication &app, RecordedSheet &sheet, const CellRange &range)
    : app_(&app), sheet_(&sheet), range_(range)
{
}

void ExcelRangeObject::call(const char *member) const
{
    app_->invoke(member);
}

ExcelFont::ExcelFont(ExcelApplication &app, RecordedSheet &sheet, const CellRange &range)
    : ExcelRangeObject(app, sheet, range)
{
}

void ExcelFont::setName(const QString &name)
{
    call("Name");
    if (name.trimmed().isEmpty())
        Refuse("Name", QStringLiteral("an empty font name"));
    changeFormat([&](CellFormat &format) { format.fontName = name; });
}

void ExcelFont::setSize(double points)
{
    call("Size");
    CheckRange("Size", points, 1, MaxFontSize);
    changeFormat([&](CellFormat &format) { format.fontSize = points; });
}

void ExcelFont::setColor(int colour)
{
    call("Color");
    CheckColour("Color", colour);
    changeFormat([&](CellFormat &format) { format.fontColour = colour; });
}

void ExcelFont::setBold(bool bold)
{
    call("Bold");
    changeFormat([&](CellFormat &format) { format.bold = bold; });
}

void ExcelFont::setFontStyle(const QString &style)
{
    struct Style {
        const char16_t *korean;
        const char *english;
        bool bold;
        bool italic;
    };
    static const Style styles[] = {{u"보통", "Regular", false, false},
                                   {u"굵게", "Bold", true, false},
                                   {u"기울임꼴", "Italic", false, true},
                                   {u"굵은 기울임꼴", "Bold Italic", true, true}};
    call("FontStyle");
    const auto known = std::find_if(std::begin(styles), std::end(styles), [&](const Style &s) {
        return style == QStringView(s.korean) || style.compare(QLatin1String(s.english), Qt::CaseInsensitive) == 0;
    });
    if (known == std::end(styles))
        Refuse("FontStyle", style);
    changeFormat([&](CellFormat &format) {
        format.bold = known->bold;
        format.italic = known->italic;
    });
}

ExcelBorders::ExcelBorders(ExcelApplication &app, RecordedSheet &sheet, const CellRange &range, int item)
    : ExcelRangeObject(app, sheet, range), item_(item)
{
}

ExcelBorders ExcelBorders::Item(int item) const
{
    call("Item");
    static const int items[] = {xlBottom, xlRight, xlTop, xlLeft, xlInsideHorizontal, xlInsideVertical};
    if (item_ != 0 || std::find(std::begin(items), std::end(items), item) == std::end(items))
        throw SpreadsheetError(QStringLiteral("no border item %1").arg(item));
    return ExcelBorders(*app_, *sheet_, range_, item);
}

void ExcelBorders::changeLines(const RecordedSheet::LineChange &change) const
{
    sheet_->changeBorders(range_, item_, change);
}

void ExcelBorders::setLineStyle(int style)
{
    call("LineStyle");
    if (style == xlLineStyleNone)
        changeLines([](BorderLine &line) { line = BorderLine(); });
    else if (style == xlContinuous)
        changeLines([](BorderLine &line) { Drawn(line).lineStyle = xlContinuous; });
    else
        Refuse("LineStyle", QString::number(style));
}

void ExcelBorders::setWeight(int weight)
{
    call("Weight");
    if (weight != xlHairline && weight != xlThin && weight != xlMedium && weight != xlThick)
        Refuse("Weight", QString::number(weight));
    changeLines([&](BorderLine &line) { Drawn(line).weight = weight; });
}

void ExcelBorders::setColor(int colour)
{
    call("Color");
    CheckColour("Color", colour);
    changeLines([&](BorderLine &line) { Drawn(line).colour = colour; });
}

ExcelInterior::ExcelInterior(ExcelApplication &app, RecordedSheet &sheet, const CellRange &range)
    : ExcelRangeObject(app, sheet, range)
{
}

void ExcelInterior::setColor(int colour)
{
    call("Color");
    CheckColour("Color", colour);
    changeFormat([&](CellFormat &format) { format.fill = colour; });
}

ExcelRange::ExcelRange(ExcelApplication &app, RecordedSheet &sheet, const CellRange &range)
    : ExcelRangeObject(app, sheet, range)
{
}

ExcelRange ExcelRange::Cells() const
{
    call("Cells");
    return *this;
}

ExcelFont ExcelRange::Font() const
{
    call("Font");
    return ExcelFont(*app_, *sheet_, range_);
}

ExcelBorders ExcelRange::Borders() const
{
    call("Borders");
    return ExcelBorders(*app_, *sheet_, range_);
}

ExcelInterior ExcelRange::interior() const
{
    call("interior");
    return ExcelInterior(*app_, *sheet_, range_);
}

void ExcelRange::Merge()
{
    call("Merge");
    sheet_->merge(range_);
}

void ExcelRange::setValue(const QString &text)
{
    call("Value");
    sheet_->setValue(range_, text.isEmpty() ? CellValue() : CellValue(text));
}

void ExcelRange::setValue(double number)
{
    call("Value");
    if (!std::isfinite(number))
        Refuse("Value", QString::number(number));
    sheet_->setValue(range_, number);
}

void ExcelRange::setNumberFormat(const QString &format)
{
    call("NumberFormat");
    changeFormat([&](CellFormat &cell) { cell.numberFormat = format == QLatin1String("General") ? QString() : format; });
}

void ExcelRange::setHorizontalAlignment(int alignment)
{
    call("HorizontalAlignment");
    if (alignment != xlGeneral && alignment != xlLeft && alignment != xlCenter && alignment != xlRight)
        Refuse("HorizontalAlignment", QString::number(alignment));
    changeFormat([&](CellFormat &format) { format.horizontal = alignment == xlGeneral ? 0 : alignment; });
}

void ExcelRange::setVerticalAlignment(int alignment)
{
    call("VerticalAlignment");
    if (alignment != xlTop && alignment != xlCenter && alignment != xlBottom)
        Refuse("VerticalAlignment", QString::number(alignment));
    changeFormat([&](CellFormat &format) { format.vertical = alignment == xlBottom ? 0 : alignment; });
}

void ExcelRange::setColumnWidth(double characters)
{
    call("ColumnWidth");
    sheet_->setColumnWidth(range_, CheckRange("ColumnWidth", characters, 0, MaxColumnWidth));
}

void ExcelRange::setRowheight(double points)
{
    call("Rowheight");
    sheet_->setRowHeight(range_, CheckRange("Rowheight", points, 0, MaxRowHeight));
}

ExcelPageSetup::ExcelPageSetup(ExcelApplication &app, RecordedSheet &sheet) : app_(&app), sheet_(&sheet) {}

void ExcelPageSetup::setPaperSize(int paper)
{
    app_->invoke("PaperSize");
    if (paper < 1 || paper > MaxPaperSize)
        Refuse("PaperSize", QString::number(paper));
    sheet_->pageSetup().paperSize = paper;
}

void ExcelPageSetup::setOrientation(int orientation)
{
    app_->invoke("Orientation");
    if (orientation != xlPortrait && orientation != xlLandscape)
        Refuse("Orientation", QString::number(orientation));
    sheet_->pageSetup().orientation = orientation;
}

double ExcelPageSetup::margin(const char *member, double points)
{
    app_->invoke(member);
    // Up to 49 inches, as the page set-up dialog allows.
    return CheckRange(member, points, 0, 49 * 72);
}

void ExcelPageSetup::setTopMargin(double points)
{
    sheet_->pageSetup().topMargin = margin("TopMargin", points);
}

void ExcelPageSetup::setBottomMargin(double points)
{
    sheet_->pageSetup().bottomMargin = margin("BottomMargin", points);
}

void ExcelPageSetup::setLeftMargin(double points)
{
    sheet_->pageSetup().leftMargin = margin("LeftMargin", points);
}

ExcelWorksheet::ExcelWorksheet(ExcelApplication &app, RecordedWorkbook &book, RecordedSheet &sheet)
    : app_(&app), book_(&book), sheet_(&sheet)
{
}

void ExcelWorksheet::setName(const QString &name)
{
    app_->invoke("name");
    book_->rename(*sheet_, name);
}

void ExcelWorksheet::Select()
{
    app_->invoke("Select");
    book_->select(*sheet_);
}

ExcelPageSetup ExcelWorksheet::PageSetup() const
{
    app_->invoke("PageSetup");
    return ExcelPageSetup(*app_, *sheet_);
}

ExcelRange ExcelWorksheet::Range(const QString &address) const
{
    app_->invoke("Range");
    return ExcelRange(*app_, *sheet_, CellRange::parse(address));
}

ExcelRange ExcelWorksheet::Range(const QString &topLeft, const QString &bottomRight) const
{
    app_->invoke("Range");
    return ExcelRange(*app_, *sheet_, CellRange::spanning(CellRange::parse(topLeft), CellRange::parse(bottomRight)));
}

ExcelWorkbook::ExcelWorkbook(ExcelApplication &app, RecordedWorkbook &book) : app_(&app), book_(&book) {}

ExcelWorksheet ExcelWorkbook::WorkSheets(int index) const
{
    app_->invoke("WorkSheets");
    return ExcelWorksheet(*app_, *book_, book_->sheet(index));
}

ExcelWorksheet ExcelWorkbook::WorkSheets(const QString &name) const
{
    app_->invoke("WorkSheets");
    return ExcelWorksheet(*app_, *book_, book_->sheet(name));
}

ExcelWorkbooks::ExcelWorkbooks(ExcelApplication &app) : app_(&app) {}

void ExcelWorkbooks::add()
{
    app_->invoke("add");
    app_->addWorkbook();
}

ExcelSheets::ExcelSheets(ExcelApplication &app, RecordedWorkbook &book) : app_(&app), book_(&book) {}

ExcelWorksheet ExcelSheets::Add(const ExcelWorksheet &after)
{
    app_->invoke("Add");
    return ExcelWorksheet(*app_, *book_, book_->addSheetAfter(after.sheet()));
}

} // namespace vek
