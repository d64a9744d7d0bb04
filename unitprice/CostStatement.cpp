#include "unitprice/CostStatement.h"

#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/EstimateColumns.h"
#include "core/Evaluator.h"
#include "core/MessageBoxes.h"
#include "core/MoneyFormat.h"
#include "core/ProgramState.h"
#include "core/SqlRoutines.h"
#include "core/TextUtils.h"

#include <array>

namespace vek {
namespace {

// Names, basis texts and formulas of the template's rows 1-29, blanks as they are.
struct TemplateRow {
    QString name;
    QString basis;
    QString formula;
};

const std::array<TemplateRow, CostSheet::Rows> &TemplateRows()
{
    static const std::array<TemplateRow, CostSheet::Rows> rows = {{
        {QStringLiteral("직    접    재    료    비"), QString(), QString()},
        {QStringLiteral("간    접    재    료    비"), QString(), QString()},
        {QStringLiteral("작 업 설  부  산  물(△)"), QString(), QString()},
        {QStringLiteral("■ 재     료     비      계"), QString(), QStringLiteral("[1+2-3]")},
        {QStringLiteral("직    접    노    무    비"), QString(), QString()},
        {QStringLiteral("간    접    노    무    비"), QStringLiteral("(5) x 11%"), QStringLiteral("[5]*0.11")},
        {QStringLiteral("■ 노     무     비      계"), QString(), QStringLiteral("[5+6]")},
        {QStringLiteral("전           력            비"), QString(), QString()},
        {QStringLiteral("기       계      경       비"), QString(), QString()},
        {QStringLiteral("가           설            비"), QString(), QString()},
        {QStringLiteral("건    강    보    험    료"), QStringLiteral("(5) x 1.25%"), QStringLiteral("[5]*0.0125")},
        {QStringLiteral("산    재    보    험    료"), QStringLiteral("(7) x 3.1%"), QStringLiteral("[7]*0.031")},
        {QStringLiteral("고    용    보    험    료"), QStringLiteral("(7) x 1.17%"), QStringLiteral("[7]*0.0117")},
        {QStringLiteral("연    금    보    험    료"), QStringLiteral("(5) x 2.4%"), QStringLiteral("[5]*0.024")},
        {QStringLiteral("퇴  직  공  제   부   금"), QStringLiteral("(5) x 1.55%"), QStringLiteral("[5]*0.0155")},
        {QStringLiteral("안    전    관    리    비"), QStringLiteral("((4)+(5)+(28))x2.48%"), QStringLiteral("[(4+5+28)]*0.0248")},
        {QStringLiteral("수    도    광    열    비"), QString(), QString()},
        {QStringLiteral("후    생    복    리    비"), QString(), QString()},
        {QStringLiteral("기      타      경       비"), QStringLiteral("((4) + (7)) x 5.1%"), QStringLiteral("[(4+7)]*0.051")},
        {QStringLiteral("■ 경         비          계"), QString(), QStringLiteral("[8+9+10+11+12+13+14+15+16+17+18+19]")},
        {QStringLiteral("환    경    보    전    비"), QStringLiteral("((4)+(5)+(20))x0.3%"), QStringLiteral("[(4+7+20)]*0.003")},
        {QStringLiteral("일    반    관    리    비 "), QStringLiteral("((4)+(7)+(20))x4.7%"), QStringLiteral("[(4+7+20)]*0.047")},
        {QStringLiteral("■ 누                      계"), QString(), QStringLiteral("[4+7+20+21+22]")},
        {QStringLiteral("이                          윤"), QStringLiteral("((7)+(20)+(21))x15%"), QStringLiteral("[(7+20+21)]*0.15")},
        {QStringLiteral("총           원           가"), QString(), QStringLiteral("[23+24]")},
        {QStringLiteral("부    가    가    치    세"), QStringLiteral("(25) x 10%"), QStringLiteral("[25]*0.1")},
        {QStringLiteral("■ 합                      계"), QString(), QStringLiteral("[25+26]")},
        {QStringLiteral("관    급    자    재    대"), QString(), QString()},
        {QStringLiteral("■ 총   공   사    금    액"), QString(), QStringLiteral("[27+28]")},
    }};
    return rows;
}

const QString DeleteStatementSql = QStringLiteral("Delete from NDTAIL where ABFS='W' and TAG='E'");

QString AmountText(Currency value)
{
    return FormatCurrNumberPad(1, 18, value);
}

bool IsOperatorChar(QChar c)
{
    return c == u'+' || c == u'-' || c == u'*' || c == u'/';
}

// Runs work as one command: true when committed. A refused commit has shown "처리실패!!";
// a database error takes back the whole command and shows it too.
bool RunCommand(const std::function<void()> &work)
{
    try {
        WorkTransaction command(dMf->SQLConect);
        work();
        return command.commit();
    } catch (const DatabaseError &) {
    }
    ShowInfoMsg(QStringLiteral("처리실패!!"));
    return false;
}

} // namespace

QList<CostSheetRow> CostSheetTemplate(Currency material, Currency labour, Currency expense)
{
    QList<CostSheetRow> rows;
    for (int row = 1; row <= CostSheet::Rows; ++row) {
        const TemplateRow &given = TemplateRows()[size_t(row - 1)];
        const Currency amount = row == 1 ? material : row == 5 ? labour : row == 9 ? expense : Currency();
        rows.append({row, given.name, amount, given.basis, given.formula, QString()});
    }
    return rows;
}

bool IsCostSheetSummaryRow(int row)
{
    return row == 4 || row == 7 || row == 20 || row == 23 || row == 27 || row == 29;
}

TCostStatement::TCostStatement(CostSheetCells &cells, MainTotals mainTotals)
    : cells_(cells), mainTotals_(std::move(mainTotals))
{
}

void TCostStatement::LoadCostSheet()
{
    SetUpCells();
    RunTempSql(false, QStringLiteral("Select count(*) from NDTAIL where ABFS='W' and TAG='E'"));
    const int stored = dMf->sQTmp.value(0).toInt();
    dMf->sQTmp.close();
    if (stored == 0)
        BuildCostSheet(0);
    ShowStoredRows();
    RecalcCostSheet(cells_.Row());
}

void TCostStatement::SetUpCells()
{
    const QStringList headers = {
        QStringLiteral("No"),
        QStringLiteral("구              분"),
        QStringLiteral("금         액") + RepeatChar(u' ', 7),
        RepeatChar(u' ', 15) + QStringLiteral("구     성      비"),
        RepeatChar(u' ', 17) + QStringLiteral("비             고"),
        RepeatChar(u' ', 17) + QStringLiteral("수     식     입     력"),
    };
    for (int col = 0; col < CostSheet::ColCount; ++col)
        cells_.SetCells(col, 0, headers.at(col));
    for (int row = 1; row <= CostSheet::Rows; ++row) {
        cells_.SetCells(CostSheet::NumberCol, row, PadLeftChar(u' ', QString::number(row), 2));
        for (int col = CostSheet::NameCol; col < CostSheet::ColCount; ++col)
            cells_.SetCells(col, row, col == CostSheet::AmountCol ? AmountText(Currency()) : QString());
    }
}

void TCostStatement::ShowStoredRows()
{
    Dataset &rows = dMf->mvDtail;
    rows.close();
    rows.setCommandText(QStringLiteral("Select * from NDTAIL where ABFS='W' and TAG='E' Order by ODRF"));
    rows.open();
    for (rows.first(); !rows.eof(); rows.next()) {
        const int odrf = rows.asInteger("ODRF");
        // A row of a foreign document outside the statement's rows has no place.
        if (odrf < 1 || odrf > CostSheet::Rows)
            continue;
        ShowRow({odrf, rows.asString("NAME"), Currency(), rows.asString("STAN"), TrimRightText(rows.asString("NOADD")),
                 TrimRightText(rows.asString("ETC"))});
        // An amount beyond what the statement computes with stays as it is, so that the
        // recalculation names its row.
        const double stored = rows.asDouble("CSTTAL");
        QString amount;
        try {
            amount = Currency::fromDouble(stored).toText();
        } catch (const NumberError &) {
            amount = QString::number(stored, 'g', 17);
        }
        cells_.SetCells(CostSheet::AmountCol, odrf, amount);
    }
    rows.close();
}

void TCostStatement::ShowRow(const CostSheetRow &row)
{
    cells_.SetCells(CostSheet::NameCol, row.row, row.name);
    cells_.SetCells(CostSheet::AmountCol, row.row, row.amount.toText());
    cells_.SetCells(CostSheet::BasisCol, row.row, u' ' + row.basis);
    cells_.SetCells(CostSheet::RemarkCol, row.row, u' ' + row.remark);
    cells_.SetCells(CostSheet::FormulaCol, row.row, row.formula);
}

void TCostStatement::InsertCostSheetRow(int odrf, const QString &name, const QString &basis, Currency amount,
                                        const QString &formula, const QString &remark)
{
    InsertEstimateRow(dMf->SQLConect,
                      EstimateRowValues({{"NAME", name},
                                         {"STAN", TrimLeftText(basis)},
                                         {"CSTTAL", amount.toDouble()},
                                         {"ETC", TrimLeftText(remark)},
                                         {"NOADD", formula},
                                         {"ICD1", 0},
                                         {"ICD2", 1},
                                         {"ICD3", 0},
                                         {"TAG", QStringLiteral("E")},
                                         {"ABFS", QStringLiteral("W")},
                                         {"ODRF", odrf}}));
}

void TCostStatement::InsertRows(const QList<CostSheetRow> &rows)
{
    for (const CostSheetRow &row : rows)
        InsertCostSheetRow(row.row, row.name, row.basis, row.amount, row.formula, row.remark);
}

void TCostStatement::InsertTemplate() const
{
    const RollupSums totals = mainTotals_ ? mainTotals_() : RollupSums();
    InsertRows(CostSheetTemplate(totals.material, totals.labour, totals.expense));
}

bool TCostStatement::BuildCostSheet(int mode)
{
    if (mode == 0)
        return RunCommand([this] { InsertTemplate(); });
    QList<CostSheetRow> rows;
    for (int row = 1; row <= CostSheet::Rows; ++row) {
        try {
            rows.append({row, cells_.Cells(CostSheet::NameCol, row), ReadAmount(row),
                         cells_.Cells(CostSheet::BasisCol, row), cells_.Cells(CostSheet::FormulaCol, row),
                         cells_.Cells(CostSheet::RemarkCol, row)});
        } catch (const CostSheetError &error) {
            cells_.SetRow(row);
            ShowErrorMsg(QStringLiteral("원가계산서를 저장하지 않았습니다.\n\n") + error.reason());
            return false;
        }
    }
    if (!RunCommand([&] {
            RunTempSql(true, DeleteStatementSql);
            InsertRows(rows);
        }))
        return false;
    DataChanged = true;
    return true;
}

Currency TCostStatement::ReadAmount(int row) const
{
    const QString text = TrimText(cells_.Cells(CostSheet::AmountCol, row));
    if (text.isEmpty())
        throw CostSheetError(QStringLiteral("%1번 항목의 금액이 비어 있습니다.").arg(row));
    try {
        return ParseAmount(text);
    } catch (const NumberError &) {
        throw CostSheetError(QStringLiteral("%1번 항목의 금액 \"%2\"은(는) 숫자가 아니거나 너무 큽니다.").arg(row).arg(text));
    }
}

QString TCostStatement::SubstituteRowRefs(const QString &formula) const
{
    const QString bare = RemoveBlanks(formula);
    const qsizetype close = bare.indexOf(u']');
    if (!bare.startsWith(u'[') || close < 0)
        throw CostSheetError(QStringLiteral("수식은 [ ]로 묶은 항목번호 계산식으로 시작합니다. 예: [5]*0.11, [(4+5+28)]*0.0248"));
    const QString inner = bare.mid(1, close - 1);
    const QString suffix = bare.mid(close + 1);
    if (inner.isEmpty())
        throw CostSheetError(QStringLiteral("[ ] 안에 항목번호가 없습니다."));
    if (IsInvalidExpression(inner + suffix) || (!suffix.isEmpty() && !IsOperatorChar(suffix.front())))
        throw CostSheetError(QStringLiteral("수식의 형식이 올바르지 않습니다."));

    QString expression;
    QString number;
    const auto substitute = [&] {
        if (number.isEmpty())
            return;
        bool whole = false;
        const int row = number.toInt(&whole);
        if (!whole || row < 1 || row > CostSheet::Rows)
            throw CostSheetError(QStringLiteral("%1은(는) 1에서 29까지의 항목번호가 아닙니다.").arg(number));
        ReadAmount(row);
        expression += TrimText(cells_.Cells(CostSheet::AmountCol, row));
        number.clear();
    };
    for (const QChar c : inner) {
        if ((c >= u'0' && c <= u'9') || c == u'.') {
            number += c;
        } else {
            substitute();
            expression += c;
        }
    }
    substitute();
    return expression + suffix;
}

void TCostStatement::ReportRecalcError(int row, const QString &formula, const QString &reason)
{
    cells_.SetRow(row);
    const QString where = formula.isEmpty() ? QString() : QStringLiteral("%1번 항목의 수식: %2\n").arg(row).arg(formula);
    const QString message = QStringLiteral("원가계산서를 %1번 항목에서 계산하지 못했습니다.\n\n").arg(row) + where + reason;
    if (errorReport_)
        errorReport_(message);
    else
        ShowErrorMsg(message);
}

bool TCostStatement::RecalcCostSheet(int row)
{
    for (int r = 1; r <= CostSheet::Rows; ++r) {
        const QString formula = TrimText(cells_.Cells(CostSheet::FormulaCol, r));
        try {
            Currency value;
            if (formula.isEmpty()) {
                value = ReadAmount(r);
            } else {
                const QString result = EvaluateWellFormed(StripChar(u',', SubstituteRowRefs(formula)));
                if (result == QStringLiteral("???"))
                    throw CostSheetError(QStringLiteral("나누는 값이 0이거나 계산한 금액이 너무 큽니다."));
                value = Currency::fromText(result);
            }
            cells_.SetCells(CostSheet::AmountCol, r, AmountText(value));
        } catch (const CostSheetError &error) {
            ReportRecalcError(r, formula, error.reason());
            return false;
        } catch (const NumberError &) {
            ReportRecalcError(r, formula, QStringLiteral("계산한 금액이 너무 큽니다."));
            return false;
        }
    }
    cells_.SetRow(row);
    return true;
}

void TCostStatement::UpdateCostSheetAmount(int row, Currency amount)
{
    RunTempSql(true, QStringLiteral("Update NDTAIL Set CSTTAL=? where ABFS='W' and TAG='E' and ODRF=?"),
               {amount.toDouble(), row});
    CommitWork();
    cells_.SetCells(CostSheet::AmountCol, row, amount.toText());
}

bool TCostStatement::ResetCostSheet()
{
    if (!RunCommand([this] {
            RunTempSql(true, DeleteStatementSql);
            InsertTemplate();
        }))
        return false;
    DataChanged = true;
    ShowStoredRows();
    RecalcCostSheet(cells_.Row());
    return true;
}

bool TCostStatement::TakeMainTotals()
{
    const RollupSums totals = mainTotals_ ? mainTotals_() : RollupSums();
    const std::array<std::pair<int, Currency>, 3> rows = {
        {{1, totals.material}, {5, totals.labour}, {9, totals.expense}}};
    QStringList shown;
    for (const auto &[row, amount] : rows)
        shown.append(cells_.Cells(CostSheet::AmountCol, row));
    if (!RunCommand([&] {
            for (const auto &[row, amount] : rows)
                UpdateCostSheetAmount(row, amount);
        })) {
        for (size_t i = 0; i < rows.size(); ++i)
            cells_.SetCells(CostSheet::AmountCol, rows[i].first, shown.at(qsizetype(i)));
        return false;
    }
    DataChanged = true;
    return RecalcCostSheet(cells_.Row());
}

QList<Currency> TCostStatement::Amounts() const
{
    QList<Currency> amounts;
    for (int row = 1; row <= CostSheet::Rows; ++row)
        amounts.append(ReadAmount(row));
    return amounts;
}

QList<Currency> CostStatementAmounts(Currency material, Currency labour, Currency expense)
{
    CostSheetTable table;
    TCostStatement statement(table, [=] { return RollupSums{material, labour, expense, Currency()}; });
    statement.SetErrorReport([](const QString &message) { throw CostSheetError(message); });
    statement.SetUpCells();
    for (const CostSheetRow &row : CostSheetTemplate(material, labour, expense))
        statement.ShowRow(row);
    statement.RecalcCostSheet(1);
    return statement.Amounts();
}

} // namespace vek
