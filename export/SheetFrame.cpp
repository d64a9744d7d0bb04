#include "export/SheetFrame.h"

#include "core/DatabaseError.h"
#include "core/Dataset.h"
#include "core/Environment.h"
#include "export/CellRules.h"
#include "platform/spreadsheet/ExcelApplication.h"

namespace vek {
namespace {

constexpr int White = 16777215;
constexpr int Black = 0;
constexpr int SilverGrey = 12632256;
constexpr double FontSize = 9;
constexpr double RowHeight = 17;
const QString FontName = QStringLiteral("굴림");

// Hairline, then black: the order the frame sets them in.
void BlackHairline(ExcelBorders border)
{
    border.setWeight(xlHairline);
    border.setColor(Black);
}

QString Address(int column, int row)
{
    return ColumnLetters(column) + QString::number(row);
}

} // namespace

int WriteStandardFrame(ExcelApplication &app, int k, const SheetLayout &layout, const QString &title, int recordCount)
{
    const int last = layout.lastColumn();
    app.Columns().Borders().setColor(White);
    app.Cells(1, 2).Font().setBold(true);
    PutText(app.Cells(1, 2), title);
    app.WorkSheets(k).Range(layout.titleRange).Merge();

    app.Columns().Font().setColor(Black);
    app.Columns().setVerticalAlignment(xlCenter);
    app.Columns().Font().setName(FontName);
    app.Columns().Font().setSize(FontSize);
    app.Columns(1).setRowheight(RowHeight);
    for (int column = 1; column <= last; ++column)
        app.Columns(column).setColumnWidth(layout.widths.at(column - 1));

    const int n = ExcelLastRow(recordCount);
    ExcelBorders grid = app.Range(QStringLiteral("B2"), Address(last, n)).Cells().Borders();
    grid.setLineStyle(xlContinuous);
    grid.setColor(Black);
    grid.setWeight(xlHairline);
    BlackHairline(app.Range(QStringLiteral("B1"), Address(last, 1)).Borders().Item(xlBottom));
    BlackHairline(app.Range(QStringLiteral("B1"), Address(last, n)).Borders().Item(xlBottom));
    for (int row = 2; row <= n; ++row) {
        BlackHairline(app.Cells(row, 1).Borders().Item(xlRight));
        BlackHairline(app.Cells(row, last).Borders().Item(xlRight));
    }
    return n;
}

void WriteHeaderRow(ExcelApplication &app, const SheetLayout &layout)
{
    const int last = layout.lastColumn();
    for (int column = 2; column <= last; ++column)
        PutText(app.Cells(2, column), layout.headers.at(column - 2));
    for (int column = 2; column <= last; ++column)
        app.Cells(2, column).setHorizontalAlignment(xlCenter);
    app.Range(QStringLiteral("B2"), Address(last, 2)).interior().setColor(SilverGrey);
}

void WriteListRows(Dataset &list, const QStringList &fields,
                   const std::function<void(int row, const RowValues &values)> &writeRow)
{
    std::vector<int> indexes;
    for (const QString &field : fields) {
        indexes.push_back(list.fieldIndex(field));
        if (indexes.back() < 0)
            throw DatabaseError(QStringLiteral("%1: 필드 %2 이(가) 없습니다").arg(list.name(), field));
    }
    RowValues values(indexes.size());
    const int count = list.recordCount();
    for (int i = 1; i <= count; ++i) {
        for (size_t f = 0; f < indexes.size(); ++f)
            values[f] = list.value(indexes[f]);
        writeRow(i + 2, values);
        list.next();
    }
}

} // namespace vek
