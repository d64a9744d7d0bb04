#pragma once

#include "platform/spreadsheet/CellRange.h"
#include "platform/spreadsheet/RecordedSheet.h"

#include <QString>

namespace vek {

class ExcelApplication;
class RecordedWorkbook;

// The objects that the automation calls reach from the application, each a short-lived
// handle on the recorded workbook. Every member call passes the application's invoke()
// by name first; a call the spreadsheet refuses then throws SpreadsheetError.

// What the objects on a range share: the application that every call passes, and the
// cells the calls change.
class ExcelRangeObject {
protected:
    ExcelRangeObject(ExcelApplication &app, RecordedSheet &sheet, const CellRange &range);
    // Passes the member call to the application's invoke().
    void call(const char *member) const;
    void changeFormat(const RecordedSheet::FormatChange &change) const { sheet_->changeFormat(range_, change); }

    ExcelApplication *app_;
    RecordedSheet *sheet_;
    CellRange range_;
};

class ExcelFont : public ExcelRangeObject {
public:
    ExcelFont(ExcelApplication &app, RecordedSheet &sheet, const CellRange &range);
    void setName(const QString &name);
    void setSize(double points);
    void setColor(int colour);
    void setBold(bool bold);
    // "굵게" (bold), "기울임꼴" (italic), "굵은 기울임꼴" (both), "보통" (neither), or the
    // English names "Bold", "Italic", "Bold Italic", "Regular".
    void setFontStyle(const QString &style);
};

// All borders of a range (every side of every cell), or one item of them.
class ExcelBorders : public ExcelRangeObject {
public:
    ExcelBorders(ExcelApplication &app, RecordedSheet &sheet, const CellRange &range, int item = 0);
    // xlBottom, xlRight, xlTop, xlLeft: the range's outer edge; xlInsideHorizontal,
    // xlInsideVertical: the lines between its cells.
    ExcelBorders Item(int item) const;
    // Setting any of the three on a side without a line draws a continuous one.
    void setLineStyle(int style); // xlContinuous, or xlLineStyleNone to remove the line
    void setWeight(int weight);   // xlHairline, xlThin, xlMedium, xlThick
    void setColor(int colour);

private:
    void changeLines(const RecordedSheet::LineChange &change) const;

    int item_;
};

class ExcelInterior : public ExcelRangeObject {
public:
    ExcelInterior(ExcelApplication &app, RecordedSheet &sheet, const CellRange &range);
    // A solid fill.
    void setColor(int colour);
};

// Cells, whole columns or the whole sheet.
class ExcelRange : public ExcelRangeObject {
public:
    ExcelRange(ExcelApplication &app, RecordedSheet &sheet, const CellRange &range);
    const CellRange &range() const { return range_; }

    // Every cell of the range.
    ExcelRange Cells() const;
    ExcelFont Font() const;
    ExcelBorders Borders() const;
    ExcelInterior interior() const;
    void Merge();
    // A text cell holding exactly text; an empty text leaves the cells empty.
    void setValue(const QString &text);
    void setValue(double number);
    void setNumberFormat(const QString &format);
    void setHorizontalAlignment(int alignment); // xlGeneral, xlLeft, xlCenter, xlRight
    void setVerticalAlignment(int alignment);   // xlTop, xlCenter, xlBottom
    void setColumnWidth(double characters);
    void setRowheight(double points);
};

class ExcelPageSetup {
public:
    ExcelPageSetup(ExcelApplication &app, RecordedSheet &sheet);
    void setPaperSize(int paper);
    void setOrientation(int orientation); // xlPortrait, xlLandscape
    // Margins in points.
    void setTopMargin(double points);
    void setBottomMargin(double points);
    void setLeftMargin(double points);

private:
    double margin(const char *member, double points);

    ExcelApplication *app_;
    RecordedSheet *sheet_;
};

class ExcelWorksheet {
public:
    ExcelWorksheet(ExcelApplication &app, RecordedWorkbook &book, RecordedSheet &sheet);
    RecordedSheet &sheet() const { return *sheet_; }

    void setName(const QString &name);
    // Makes this the active sheet, the one the application's Cells, Columns and Range reach.
    void Select();
    ExcelPageSetup PageSetup() const;
    ExcelRange Range(const QString &address) const;
    ExcelRange Range(const QString &topLeft, const QString &bottomRight) const;

private:
    ExcelApplication *app_;
    RecordedWorkbook *book_;
    RecordedSheet *sheet_;
};

class ExcelWorkbook {
public:
    ExcelWorkbook(ExcelApplication &app, RecordedWorkbook &book);
    ExcelWorksheet WorkSheets(int index) const;
    ExcelWorksheet WorkSheets(const QString &name) const;

private:
    ExcelApplication *app_;
    RecordedWorkbook *book_;
};

class ExcelWorkbooks {
public:
    explicit ExcelWorkbooks(ExcelApplication &app);
    // A new workbook with the default sheets; it becomes the active workbook.
    void add();

private:
    ExcelApplication *app_;
};

class ExcelSheets {
public:
    ExcelSheets(ExcelApplication &app, RecordedWorkbook &book);
    // A new sheet right after `after`; it becomes the active sheet.
    ExcelWorksheet Add(const ExcelWorksheet &after);

private:
    ExcelApplication *app_;
    RecordedWorkbook *book_;
};

} // namespace vek
