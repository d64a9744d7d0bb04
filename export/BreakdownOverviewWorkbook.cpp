#include "export/BreakdownOverviewWorkbook.h"

#include "core/BreakdownFooter.h"
#include "core/DataModule.h"
#include "core/Recalc.h"
#include "core/SqlRoutines.h"
#include "core/TextUtils.h"
#include "core/WorkConnection.h"
#include "core/WorkDatabase.h"
#include "export/CellRules.h"
#include "export/ExcelRun.h"
#include "export/LineItemSheet.h"
#include "platform/spreadsheet/ExcelApplication.h"

namespace vek {
namespace {

const QString ItemSheetName = QStringLiteral(" 일위대가일람표");
const QString BlockSheetName = QStringLiteral("단위일위대가표");
constexpr int SilverGrey = 12632256;
constexpr double FontSize = 9;
constexpr double RowHeight = 17;
// The total row sorts after the rows of its breakdown.
constexpr int TotalRowOdrf = 150;
const QString TotalRowName = QStringLiteral("  금액합계 ▷▶");

// The columns copied into SDTAIL, in the order of the total row's insert.
const QStringList ScratchColumns = {"NAME",  "STAN",  "UNIT", "ETC",  "INO",  "PCST11", "PCST12", "LCST11",
                                    "LCST12", "SCST11", "SCST12", "CSTTAL", "PRT1", "LRT1",   "SRT1",   "PRT2",
                                    "LRT2",  "SRT2",  "PRT3", "LRT3", "SRT3", "PRT4",   "LRT4",   "SRT4",
                                    "NORT",  "ICD1",  "ICD2", "ICD3", "TAG",  "RECV",   "ODRF"};

const QString TotalRowInsert = QStringLiteral(
    "insert into SDTAIL (NAME,STAN,UNIT,ETC, INO,PCST11,PCST12,LCST11,LCST12,SCST11,SCST12,CSTTAL,PRT1,LRT1,SRT1, "
    "PRT2,LRT2,SRT2,PRT3,LRT3, SRT3,PRT4,LRT4,SRT4,NORT,ICD1,ICD2,ICD3, TAG,RECV,ODRF) Values (:NAME,:STAN,:UNIT,"
    ":ETC,:INO,:PCST11,:PCST12, :LCST11,:LCST12,:SCST11,:SCST12,:CSTTAL,:PRT1,:LRT1,:SRT1,:PRT2,:LRT2,:SRT2, "
    ":PRT3,:LRT3,:SRT3,:PRT4,:LRT4,:SRT4,:NORT,:ICD1,:ICD2,:ICD3,:TAG,:RECV,:ODRF)");

// The rows a rate row of the overview covers: the other rows of its breakdown in SDTAIL.
const QString ScratchMembers = QStringLiteral(" and TAG<>'R' and ICD1=? and ICD2=? and ICD3=?");

const SheetLayout &ItemLayout()
{
    static const SheetLayout layout{
        {1, 27, 20, 4, 10, 10, 10, 10, 15},
        {QStringLiteral("명          칭"), QStringLiteral("규       격 "), QStringLiteral("단위"),
         QStringLiteral("자 재 비"), QStringLiteral("노 무 비"), QStringLiteral("경    비"), QStringLiteral("   계"),
         QStringLiteral("비    고")},
        QStringLiteral("B1:I1")};
    return layout;
}

const QStringList BlockHeaders = {
    QStringLiteral("        명           칭"), QStringLiteral("      규       격 "), QStringLiteral("단 위"),
    QStringLiteral(" 수  량"), QStringLiteral(" 자재단가"), QStringLiteral("  자재금액"), QStringLiteral(" 노무단가"),
    QStringLiteral("  노무금액"), QStringLiteral(" 경비단가"), QStringLiteral("  경비금액"), QStringLiteral("      계   "),
    QStringLiteral("    비     고")};

const QStringList ItemFields = {"NAME", "STAN", "UNIT", "PCST11", "LCST11", "SCST11", "mToTAL", "ETC"};

} // namespace

BreakdownOverviewWorkbook::BreakdownOverviewWorkbook(ExcelApplication &app, Dataset &qDList, Dataset &Tdtail)
    : app_(app), qDList_(qDList), Tdtail_(Tdtail), cachedUpdates_(Tdtail.cachedUpdates())
{
    // The repriced rate rows are written together, not one commit each.
    Tdtail_.setCachedUpdates(true);
}

BreakdownOverviewWorkbook::~BreakdownOverviewWorkbook()
{
    Tdtail_.close();
    Tdtail_.setFiltered(false);
    Tdtail_.setCachedUpdates(cachedUpdates_);
    if (attached_)
        Tdtail_.connection()->close();
}

BreakdownOverviewWorkbook::Key BreakdownOverviewWorkbook::CurrentKey() const
{
    return {qDList_.asInteger("ICD1"), qDList_.asInteger("ICD2"), qDList_.asInteger("ICD3")};
}

void BreakdownOverviewWorkbook::WriteItemSheet(ExcelRun &run, const QString &projectName)
{
    run.SetUpPage(1);
    WriteStandardFrame(app_, 1, ItemLayout(), QStringLiteral("공사명 : ") + projectName, qDList_.recordCount());
    WriteHeaderRow(app_, ItemLayout());
    app_.setVisible(true);
    WriteListRows(qDList_, ItemFields, [this](int row, const RowValues &item) {
        const auto cell = [&](int column) { return app_.Cells(row, column); };
        PutText(cell(2), item[0].toString());
        PutStandard(cell(3), item[1].toString());
        PutText(cell(4), item[2].toString());
        for (int i = 3; i <= 6; ++i)
            PutAmount(cell(i + 2), item[i].toDouble());
        PutText(cell(9), u' ' + WithoutPadding(item[7].toString()));
    });
}

void BreakdownOverviewWorkbook::RebuildScratch()
{
    // The copy is one statement: the rows never travel to the program and back.
    const QString columns = ScratchColumns.join(u',');
    WorkTransaction command(dMf->SQLConect);
    RunTempSql(true, QStringLiteral("DELETE from SDTAIL"));
    RunTempSql(true, QStringLiteral("insert into SDTAIL (%1) select %1 from NDTAIL where ABFS='X'").arg(columns));
    command.commit();
}

void BreakdownOverviewWorkbook::ShowBreakdown(const Key &key)
{
    Tdtail_.setFilter([this, key](const Dataset &, int row) { return rowKeys_[size_t(row)] == key; });
    Tdtail_.setFiltered(true);
    Tdtail_.first();
}

void BreakdownOverviewWorkbook::AddTotalRows()
{
    WorkConnection &connection = *Tdtail_.connection();
    if (!connection.isOpen()) {
        connection.open(WorkDatabasePath());
        attached_ = true;
    }
    Tdtail_.open();
    ReadRowKeys();
    totalOdrf_.clear();
    // The total rows in one command: a run is not a commit per breakdown.
    {
        WorkTransaction command(dMf->SQLConect);
        for (qDList_.first(); !qDList_.eof(); qDList_.next()) {
            const Key key = CurrentKey();
            // Items that share a breakdown share its one total row.
            if (totalOdrf_.contains(key))
                continue;
            ShowBreakdown(key);
            BreakdownFooter footer;
            int lastOdrf = 0;
            for (; !Tdtail_.eof(); Tdtail_.next()) {
                if (Tdtail_.asString("TAG") == QLatin1String("R"))
                    RecalcRateRow(Tdtail_.asInteger("NORT"));
                footer.Add(Tdtail_);
                lastOdrf = std::max(lastOdrf, Tdtail_.asInteger("ODRF"));
            }
            // A breakdown of 150 rows or more gets its total row after its last.
            const int odrf = lastOdrf < TotalRowOdrf ? TotalRowOdrf : lastOdrf + 1;
            InsertTotalRow(key, footer.Values(), odrf);
            totalOdrf_[key] = odrf;
        }
        command.commit();
    }
    Tdtail_.setFiltered(false);
    Tdtail_.applyUpdates();
    Tdtail_.refresh();
    ReadRowKeys();
}

void BreakdownOverviewWorkbook::ReadRowKeys()
{
    rowKeys_.clear();
    for (int row = 0; row < Tdtail_.totalRowCount(); ++row)
        rowKeys_.emplace_back(Tdtail_.valueAt(row, "ICD1").toInt(), Tdtail_.valueAt(row, "ICD2").toInt(),
                              Tdtail_.valueAt(row, "ICD3").toInt());
}

void BreakdownOverviewWorkbook::RecalcRateRow(int n)
{
    if (n < 1 || n > 4)
        return;
    const auto [i1, i2, i3] = CurrentKey();
    RepriceRateRow(Tdtail_, QStringLiteral("SDTAIL"), ScratchMembers, {i1, i2, i3});
}

void BreakdownOverviewWorkbook::InsertTotalRow(const Key &key, const RollupSums &sums, int odrf)
{
    QVariantList values{TotalRowName, QString(), QString(), QString(), 0.0, 0.0, sums.material.toDouble(), 0.0,
                        sums.labour.toDouble(), 0.0, sums.expense.toDouble(), sums.total.toDouble()};
    for (int rate = 0; rate < 12; ++rate)
        values.append(0.0);
    values << 0 << std::get<0>(key) << std::get<1>(key) << std::get<2>(key) << QStringLiteral("T") << 0.0 << odrf;
    RunTempSql(true, TotalRowInsert, values);
}

void BreakdownOverviewWorkbook::WriteBlockSheet()
{
    app_.WorkBooks(1).WorkSheets(2).setName(BlockSheetName);
    app_.WorkBooks(1).WorkSheets(2).Select();
    app_.Columns().Font().setName(QStringLiteral("굴림"));
    app_.Columns().Font().setSize(FontSize);
    app_.Columns(1).setRowheight(RowHeight);
    const QList<double> &widths = LineItemLayout().widths;
    for (int column = 1; column <= widths.size(); ++column)
        app_.Columns(column).setColumnWidth(widths.at(column - 1));
    int k = 0;
    for (qDList_.first(); !qDList_.eof(); qDList_.next()) {
        ShowBreakdown(CurrentKey());
        const BreakdownItem item = BreakdownItemOf(qDList_);
        k = WriteBreakdownBlock(k, item.remark, item.name, item.unit, item.standard);
        ++k;
    }
    app_.WorkBooks(1).WorkSheets(1).Select();
}

int BreakdownOverviewWorkbook::WriteBreakdownBlock(int k, const QString &remark, const QString &name,
                                                   const QString &unit, const QString &standard)
{
    const int rowCount = Tdtail_.recordCount();
    if (rowCount == 0)
        return k;
    PutText(app_.Cells(k + 1, 2), u'[' + remark + QStringLiteral("]  ") + QStringLiteral("  명칭: ")
                                      + PadRightChar(u' ', name, 24) + QStringLiteral("규격: ")
                                      + PadRightChar(u' ', standard, 17) + QStringLiteral(" (") + unit + u')');
    const QString header = QString::number(k + 2);
    app_.Range(u'B' + header, u'M' + header).interior().setColor(SilverGrey);
    for (int column = 2; column <= 13; ++column)
        PutText(app_.Cells(k + 2, column), BlockHeaders.at(column - 2));
    // Only the inserted total row takes the total row's formats.
    const int totalOdrf = totalOdrf_.at(CurrentKey());
    const int odrf = int(ListRow::Fields().size());
    WriteListRows(Tdtail_, ListRow::Fields() + QStringList{"ODRF", "TAG"}, [&](int row, const RowValues &values) {
        const bool total = values[odrf].toInt() == totalOdrf && values[odrf + 1].toString() == QLatin1String("T");
        WriteBreakdownRow(app_, k + row, values, total ? BreakdownRowStyle::BlockTotal : BreakdownRowStyle::Block);
    });
    app_.Range(u'B' + header, u'M' + QString::number(k + rowCount + 3)).Cells().Borders().setLineStyle(xlContinuous);
    return k + rowCount + 3;
}

QString ExportBreakdownOverview(Dataset &qDList, Dataset &Tdtail, const QString &projectName,
                                const QString &documentName)
{
    return ExcelRun::Execute(
        qDList, [](ExcelApplication &app) { app.WorkBooks(1).WorkSheets(1).setName(ItemSheetName); },
        [&](ExcelRun &run) {
            BreakdownOverviewWorkbook workbook(run.app(), qDList, Tdtail);
            workbook.WriteItemSheet(run, projectName);
            workbook.RebuildScratch();
            workbook.AddTotalRows();
            workbook.WriteBlockSheet();
        },
        documentName);
}

} // namespace vek
