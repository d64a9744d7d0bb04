#include "unitprice/CostSheetPage.h"

#include "components/Container.h"
#include "components/ControlHint.h"
#include "components/ImeGridStringGrid.h"
#include "components/ShellGlyphs.h"
#include "components/SpeedButton.h"
#include "core/Cp949Text.h"
#include "core/EstimateColumns.h"
#include "core/ScreenEntryPoints.h"
#include "core/TextUtils.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

namespace vek {
namespace {

const QColor BarColour(0xEC, 0xE9, 0xD8);
const QColor FixedColour(0xD9, 0xD7, 0xCC);
const QColor Navy(0, 0, 0x80);
const QString ScreenFont = QStringLiteral("굴림");

constexpr int ToolHeight = 30;
constexpr int CloseOffset = 53;
constexpr int GridWidth = 665;
constexpr int RowHeight = 20;
// The grid's column widths: the formula column is a hairline until formulas are shown.
constexpr std::array<int, CostSheet::ColCount> ColumnWidths = {30, 150, 120, 210, 223, 1};
constexpr std::array<int, 3> RemarksShown = {210, 223, 1};
constexpr std::array<int, 3> FormulasShown = {190, 1, 240};

// What a text column's field holds, in CP949 bytes: the basis and the remark are kept
// without the blank they show behind.
int ColumnCapacity(int col)
{
    switch (col) {
    case CostSheet::NameCol: return TextCapacity(QStringLiteral("NAME"));
    case CostSheet::BasisCol: return TextCapacity(QStringLiteral("STAN"));
    case CostSheet::RemarkCol: return TextCapacity(QStringLiteral("ETC"));
    default: return TextCapacity(QStringLiteral("NOADD"));
    }
}

RollupSums MainWindowTotals()
{
    const MainWindowLink &link = MainWindowLinks();
    return link.Totals ? link.Totals() : RollupSums();
}

} // namespace

std::function<void(const CostSheetCells &cells)> &CostSheetExport()
{
    static std::function<void(const CostSheetCells &)> exporter;
    return exporter;
}

TCostSheetPage::TCostSheetPage(QWidget *parent, TCostStatement::MainTotals totals)
    : QWidget(parent), statement_(*this, totals ? std::move(totals) : TCostStatement::MainTotals(MainWindowTotals))
{
    setObjectName(QStringLiteral("Shet2"));
    setFont(QFont(ScreenFont, 9));
    MakeToolBar();
    MakeGrid();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolPnl);
    layout->addWidget(dGrid, 1);
}

void TCostSheetPage::MakeToolBar()
{
    ToolPnl = new TdxContainer(this);
    ToolPnl->setObjectName(QStringLiteral("ToolPnl2"));
    ToolPnl->SetColor(BarColour);
    ToolPnl->SetBoundLines(TdxContainer::blBottom);
    ToolPnl->setFixedHeight(ToolHeight);
    const auto button = [this](const QString &name, const QString &caption, const QImage &glyph, const QString &hint,
                               void (TCostSheetPage::*click)()) {
        auto *made = new TRxSpeedButton(ToolPnl);
        made->setObjectName(name);
        made->SetCaption(caption);
        made->SetGlyph(glyph);
        made->SetFlat(true);
        made->SetTransparent(true);
        QPalette colours = made->palette();
        colours.setColor(QPalette::ButtonText, Navy);
        colours.setColor(QPalette::WindowText, Navy);
        made->setPalette(colours);
        made->setFixedSize(caption.isEmpty() ? 30 : 24 + 5 * Cp949Width(caption), 26);
        SetControlHint(made, hint);
        connect(made, &TRxSpeedButton::Click, this, click);
        return made;
    };
    slExl2 = button(QStringLiteral("slExl2"), QString(), ShellGlyphImage(ShellGlyph::Excel),
                    QStringLiteral("엑셀전송|현재내역서 내용을 액셀프로그램으로 자료를 전송합니다."),
                    &TCostSheetPage::slExl2Click);
    WgaPak = button(QStringLiteral("WgaPak"), QStringLiteral("초기화"), QImage(),
                    QStringLiteral("초기화|원가계산서를 처음 양식과 현재 금액으로 다시 작성합니다."),
                    &TCostSheetPage::WgaPakClick);
    wlCalc = button(QStringLiteral("wlCalc"), QString(), ShellGlyphImage(ShellGlyph::Recalc),
                    QStringLiteral("재계산|원가계산서 금액을 재계산합니다."), &TCostSheetPage::wlCalcClick);
    WgCal = button(QStringLiteral("WgCal"), QStringLiteral("수식입력"), QImage(),
                   QStringLiteral("수식입력|원가계산서의 구성비에 해당하는 수식을 입력할 수 있습니다."),
                   &TCostSheetPage::WgCalClick);
    sClose2 = button(QStringLiteral("sClose2"), QString(), ShellGlyphImage(ShellGlyph::Quit),
                     QStringLiteral("닫기|원가계산서를 저장하고 화면을 닫습니다."), &TCostSheetPage::sClose2Click);

    auto *row = new QHBoxLayout(ToolPnl);
    row->setContentsMargins(6, 2, 0, 2);
    row->setSpacing(0);
    for (QWidget *control : {slExl2, WgaPak, wlCalc, WgCal})
        row->addWidget(control);
    row->addStretch(1);
}

void TCostSheetPage::MakeGrid()
{
    dGrid = new THStringGrid(CostSheet::ColCount, CostSheet::Rows + 1, this);
    dGrid->setObjectName(QStringLiteral("dGrid"));
    dGrid->SetFixed(1, 1);
    dGrid->SetFixedColor(FixedColour);
    dGrid->SetDefaultRowHeight(RowHeight);
    dGrid->setMinimumWidth(GridWidth);
    dGrid->SetDefaultDrawing(false);
    SetControlHint(dGrid, QStringLiteral("원가계산서 내용입력 그리드."));
    for (int row = 0; row <= CostSheet::Rows; ++row) {
        for (int col = 0; col < CostSheet::ColCount; ++col)
            dGrid->SetCells(col, row, QString());
        // A summary row's name and amount take no typing: no editor opens there.
        if (IsCostSheetSummaryRow(row)) {
            for (int col : {CostSheet::NameCol, CostSheet::AmountCol}) {
                QTableWidgetItem *cell = dGrid->item(row, col);
                cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
            }
        }
    }
    dGrid->setCurrentCell(1, CostSheet::NameCol);
    dGrid->OnDrawCell = [this](QPainter &canvas, int col, int row, const QRect &rect, bool selected, bool fixed) {
        dGridDrawCell(canvas, col, row, rect, selected, fixed);
    };
    dGrid->OnKeyPress = [this](QChar &key) { dGridKeyPress(key); };
}

void TCostSheetPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    sClose2->move(width() - CloseOffset, 2);
}

QString TCostSheetPage::Cells(int col, int row) const
{
    return dGrid->Cells(col, row);
}

void TCostSheetPage::SetCells(int col, int row, const QString &text)
{
    dGrid->SetCells(col, row, text);
}

int TCostSheetPage::Row() const
{
    return std::max(dGrid->currentRow(), 1);
}

void TCostSheetPage::SetRow(int row)
{
    dGrid->setCurrentCell(row, std::max(dGrid->currentColumn(), 1));
}

void TCostSheetPage::SetTextColumnWidths(const std::array<int, 3> &widths)
{
    for (int i = 0; i < 3; ++i)
        dGrid->setColumnWidth(CostSheet::BasisCol + i, widths[size_t(i)]);
}

void TCostSheetPage::LoadCostSheet()
{
    for (int col = 0; col < CostSheet::ColCount; ++col)
        dGrid->setColumnWidth(col, ColumnWidths[size_t(col)]);
    statement_.LoadCostSheet();
}

void TCostSheetPage::WgaPakClick()
{
    dGrid->PostEditor();
    statement_.ResetCostSheet();
}

void TCostSheetPage::wlCalcClick()
{
    dGrid->PostEditor();
    statement_.TakeMainTotals();
}

void TCostSheetPage::WgCalClick()
{
    dGrid->PostEditor();
    if (WgCal->Flat()) {
        WgCal->SetFlat(false);
        WgCal->SetCaption(QStringLiteral("수식감춤"));
        SetTextColumnWidths(FormulasShown);
    } else {
        WgCal->SetFlat(true);
        WgCal->SetCaption(QStringLiteral("수식입력"));
        SetTextColumnWidths(RemarksShown);
        statement_.RecalcCostSheet(Row());
    }
}

void TCostSheetPage::sClose2Click()
{
    dGrid->PostEditor();
    if (statement_.BuildCostSheet(1) && OnClose)
        OnClose();
}

void TCostSheetPage::slExl2Click()
{
    dGrid->PostEditor();
    if (CostSheetExport())
        CostSheetExport()(*this);
}

void TCostSheetPage::dGridDrawCell(QPainter &canvas, int col, int row, const QRect &rect, bool selected,
                                   bool fixed) const
{
    const QPalette &colours = dGrid->palette();
    const bool highlighted = selected && !fixed;
    canvas.fillRect(rect, fixed ? dGrid->FixedColor() : highlighted ? colours.highlight().color() : colours.base().color());
    canvas.setPen(highlighted ? colours.highlightedText().color() : colours.text().color());
    const Qt::Alignment alignment = col <= CostSheet::NameCol    ? Qt::AlignHCenter
                                    : col == CostSheet::AmountCol ? Qt::AlignRight
                                                                  : Qt::AlignLeft;
    canvas.drawText(rect.adjusted(2, 5, -2, 0), alignment | Qt::AlignTop | Qt::TextSingleLine, dGrid->Cells(col, row));
}

bool TCostSheetPage::FitsColumn(int col, QChar key) const
{
    const auto *editor = qobject_cast<const QLineEdit *>(dGrid->cellDelegate().editor());
    if (!editor || key < QLatin1Char(' '))
        return true;
    QString text = editor->text();
    if (editor->hasSelectedText())
        text.remove(editor->selectionStart(), editor->selectedText().size());
    text += key;
    const bool trimmed = col == CostSheet::BasisCol || col == CostSheet::RemarkCol;
    return Cp949Width(trimmed ? TrimLeftText(text) : text) <= ColumnCapacity(col);
}

void TCostSheetPage::dGridKeyPress(QChar &key)
{
    const int col = dGrid->currentColumn();
    const int row = dGrid->currentRow();
    if (key == QLatin1Char('\r')) {
        key = QChar();
        dGrid->PostEditor();
        const bool computed = (col != CostSheet::AmountCol && col != CostSheet::FormulaCol)
                              || statement_.RecalcCostSheet(row);
        // An error leaves its row current.
        if (computed && row < CostSheet::Rows)
            SetRow(row + 1);
        return;
    }
    if (col == CostSheet::AmountCol) {
        // Whole amounts typed without separators.
        const bool digit = key >= QLatin1Char('0') && key <= QLatin1Char('9');
        if (IsCostSheetSummaryRow(row) || !(digit || key == QLatin1Char('\b')))
            key = QChar();
        return;
    }
    if (!FitsColumn(col, key)) {
        QApplication::beep();
        key = QChar();
    }
}

} // namespace vek
