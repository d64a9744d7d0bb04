#include "export/CostStatementSheet.h"

#include "core/Currency.h"
#include "core/DataModule.h"
#include "core/MoneyFormat.h"
#include "core/SqlRoutines.h"
#include "core/TextUtils.h"
#include "export/CellRules.h"
#include "export/ExcelRun.h"
#include "platform/spreadsheet/ExcelApplication.h"

#include <utility>

namespace vek {
namespace {

const QString SheetName = QStringLiteral("원가계산서");
const QString FontName = QStringLiteral("굴림");
const QString Subtotal = QStringLiteral("소                        계");
constexpr int White = 16777215;
constexpr int Black = 0;
constexpr int FirstRow = 5; // statement row 1
constexpr int LastRow = 33; // statement row 29
constexpr double Widths[] = {1, 2, 2, 15, 3, 18, 33, 30};
enum Column { B = 2, C, D, E, F, G, H };

bool HasWorkItem()
{
    RunTempSql(false, QStringLiteral("select count(*) from NDTAIL where ABFS='A'"));
    const bool found = dMf->sQTmp.value(0).toInt() > 0;
    dMf->sQTmp.close();
    return found;
}

void BlackLine(ExcelBorders border)
{
    border.setWeight(xlHairline);
    border.setColor(Black);
}

// The amount as the grid shows it: the number of its text; a text that is no amount stays text.
void PutShownAmount(ExcelRange cell, const QString &text)
{
    if (text.trimmed().isEmpty())
        return;
    try {
        PutMoneyText(cell, text);
    } catch (const NumberError &) {
        PutText(cell, text);
    }
}

void WriteTitle(ExcelApplication &app, ExcelWorksheet sheet, const QString &projectName)
{
    sheet.Range(QStringLiteral("B1:H2")).Merge();
    PutText(app.Cells(1, B), QStringLiteral("공 사 원 가 계 산 서"));
    app.Cells(1, B).Font().setSize(14);
    app.Cells(1, B).Font().setFontStyle(QStringLiteral("굵게"));
    app.Cells(1, B).Font().setName(FontName);
    sheet.Range(QStringLiteral("B3:I3")).Merge();
    PutText(app.Cells(3, B), QStringLiteral("공사명: ") + projectName);
    app.Cells(3, B).setHorizontalAlignment(xlLeft);
}

void WriteGrid(ExcelApplication &app)
{
    ExcelBorders grid = app.Range(QStringLiteral("B3"), QStringLiteral("H33")).Cells().Borders();
    grid.setLineStyle(xlContinuous);
    grid.setWeight(xlHairline);
    grid.setColor(Black);
    for (int row = 4; row <= LastRow; ++row) {
        BlackLine(app.Cells(row, 1).Borders().Item(xlRight));
        app.Cells(row, D).Borders().Item(xlRight).setColor(White);
        app.Cells(row, E).Borders().Item(xlLeft).setColor(White);
        // The statement's row numbers; the header row has none.
        if (row >= FirstRow)
            PutText(app.Cells(row, E), QStringLiteral("(%1)").arg(row - 4));
    }
}

void WriteHeader(ExcelApplication &app)
{
    app.Range(QStringLiteral("B4:C4")).Merge();
    PutText(app.Cells(4, B), QStringLiteral("비 목"));
    app.Range(QStringLiteral("D4:E4")).Merge();
    PutText(app.Cells(4, D), QStringLiteral("구           분"));
    PutText(app.Cells(4, F), QStringLiteral("금         액"));
    PutText(app.Cells(4, G), QStringLiteral("구    성     비"));
    PutText(app.Cells(4, H), QStringLiteral("비          고"));
}

void WriteGroupLabels(ExcelApplication &app)
{
    const ExcelBorders inner = app.Range(QStringLiteral("B5:C24")).Borders();
    inner.Item(xlInsideHorizontal).setColor(White);
    inner.Item(xlInsideVertical).setColor(White);
    const std::pair<const char *, const char *> labels[] = {
        {"B7", "순"}, {"B10", "공"}, {"B13", "사"}, {"B16", "비"}, {"B19", "원"}, {"B22", "가"}, {"C5", "재"},
        {"C6", "료"}, {"C7", "비"},  {"C9", "노"},  {"C10", "무"}, {"C11", "비"}, {"C14", "경"}, {"C22", "비"}};
    for (const auto &[address, label] : labels)
        PutText(app.Range(QString::fromLatin1(address)), QString::fromUtf8(label));
    for (int row = FirstRow; row <= 24; ++row) {
        BlackLine(app.Cells(row, B).Borders().Item(xlRight));
        BlackLine(app.Cells(row, C).Borders().Item(xlLeft));
    }
    BlackLine(app.Range(QStringLiteral("C8")).Borders().Item(xlBottom));
    BlackLine(app.Range(QStringLiteral("C11")).Borders().Item(xlBottom));
}

// Column D names statement rows 1-20 (the subtotals 4, 7 and 20 by the fixed text);
// rows 21-29 are merged across B:D and named in B, four of them by fixed texts.
void WriteItemNames(ExcelApplication &app, const CostStatementRows &rows)
{
    for (int k = 1; k <= 20; ++k) {
        const bool subtotal = k == 4 || k == 7 || k == 20;
        PutText(app.Cells(k + 4, D), subtotal ? Subtotal : rows[k - 1].name);
    }
    const QHash<int, QString> fixed = {{23, QStringLiteral("누                          계")},
                                       {27, QStringLiteral("합                          계")},
                                       {29, QStringLiteral("총           합            계")}};
    for (int k = 21; k <= 29; ++k) {
        const int row = k + 4;
        app.Range(QStringLiteral("B%1").arg(row), QStringLiteral("D%1").arg(row)).Merge();
        PutText(app.Cells(row, B), fixed.value(k, rows[k - 1].name));
    }
    BlackLine(app.Range(QStringLiteral("B33"), QStringLiteral("D33")).Borders().Item(xlBottom));
}

void WriteAmounts(ExcelApplication &app, const CostStatementRows &rows)
{
    for (int k = 1; k <= 29; ++k) {
        const int row = k + 4;
        const CostStatementRow &line = rows[k - 1];
        app.Cells(row, F).setHorizontalAlignment(xlRight);
        app.Cells(row, G).setHorizontalAlignment(xlLeft);
        app.Cells(row, H).setHorizontalAlignment(xlLeft);
        PutShownAmount(app.Cells(row, F), line.amount);
        PutText(app.Cells(row, G), QStringLiteral("  ") + TrimLeftText(line.basis));
        PutText(app.Cells(row, H), QStringLiteral("  ") + line.remark);
    }
}

} // namespace

QString ExportCostStatementSheet(const CostStatementRows &rows, const QString &projectName,
                                 const QString &documentName)
{
    if (!HasWorkItem())
        return QString();
    return ExcelRun::Execute(
        [](ExcelApplication &app) { app.WorkBooks(1).WorkSheets(1).setName(SheetName); },
        [&](ExcelRun &run) {
            ExcelApplication &app = run.app();
            const ExcelWorksheet sheet = app.WorkBooks(1).WorkSheets(SheetName);
            if (run.hasPrinter()) {
                sheet.PageSetup().setPaperSize(xlPaperA4);
                sheet.PageSetup().setOrientation(xlLandscape);
                sheet.PageSetup().setTopMargin(35);
                sheet.PageSetup().setLeftMargin(65);
                sheet.PageSetup().setBottomMargin(20);
            }
            app.Columns().Borders().setColor(White);
            app.Columns().Font().setName(FontName);
            app.Columns().Font().setSize(9);
            app.Columns().Font().setColor(Black);
            app.Columns().setVerticalAlignment(xlCenter);
            app.Columns().setHorizontalAlignment(xlCenter);
            app.Columns(1).setRowheight(15);
            for (int column = 1; column <= H; ++column)
                app.Columns(column).setColumnWidth(Widths[column - 1]);
            app.setVisible(true);
            WriteTitle(app, sheet, projectName);
            WriteGrid(app);
            WriteHeader(app);
            WriteGroupLabels(app);
            WriteItemNames(app, rows);
            WriteAmounts(app, rows);
        },
        documentName);
}

} // namespace vek
