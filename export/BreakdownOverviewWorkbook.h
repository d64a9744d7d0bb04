#pragma once

#include "core/Dataset.h"
#include "core/ProgramState.h"
#include "export/BreakdownSheet.h"

#include <QString>

#include <map>
#include <tuple>
#include <vector>

namespace vek {

class ExcelApplication;
class ExcelRun;

// The breakdown overview's export (TTreVewf.slExl0Click): a workbook of two sheets from
// the overview list qDList (open, as the screen shows it), with the overview's own set
// Tdtail over SDTAIL (as SetUpOverviewRows makes it, on a connection of its own to the
// working database: attached for the run when it is not, and released after). Sheet 1 " 일위대가일람표" lists
// every unit-price item under the title "공사명 : " + projectName. Then every breakdown
// row of the estimate is copied into the scratch table SDTAIL, its rate rows are repriced
// there and one total row is added per breakdown; sheet 2 "단위일위대가표" shows one block
// per item of the list: a title row, a header row, the breakdown's rows with its total row,
// and an empty row. The estimate itself (NDTAIL) is not changed. Returns the saved
// workbook's path, or an empty text (an empty list writes nothing).
QString ExportBreakdownOverview(Dataset &qDList, Dataset &Tdtail, const QString &projectName,
                                const QString &documentName = CurrentFileName);

// The work of one run of that export, on the run's application.
class BreakdownOverviewWorkbook {
public:
    BreakdownOverviewWorkbook(ExcelApplication &app, Dataset &qDList, Dataset &Tdtail);
    // Tdtail closed, without filter, as it caches its changes again, and its connection
    // released when this attached it.
    ~BreakdownOverviewWorkbook();
    BreakdownOverviewWorkbook(const BreakdownOverviewWorkbook &) = delete;
    BreakdownOverviewWorkbook &operator=(const BreakdownOverviewWorkbook &) = delete;

    // Sheet 1: the frame (with page set-up through run) and one row per item of qDList.
    void WriteItemSheet(ExcelRun &run, const QString &projectName);
    // SDTAIL emptied and filled with the breakdown rows of NDTAIL (31 columns), as one command.
    void RebuildScratch();
    // Opens Tdtail over SDTAIL; prices each breakdown's rate rows and inserts its total row.
    void AddTotalRows();
    // The current rate row of Tdtail, of slot n, priced from the rows of its breakdown
    // (the current item's key) that carry its rates: quantity 1 and the three unit prices.
    void RecalcRateRow(int n);
    // Sheet 2: named, selected and formatted, then one block per item of qDList.
    void WriteBlockSheet();
    // The block of the breakdown Tdtail is filtered to, under row k: its title in row
    // k + 1, its header in k + 2, its R rows (total row included) from k + 3 and a grid
    // down to the empty row k + R + 3. Returns k + R + 3 (k when the breakdown has no rows).
    int WriteBreakdownBlock(int k, const QString &remark, const QString &name, const QString &unit,
                            const QString &standard);

private:
    using Key = std::tuple<int, int, int>;
    Key CurrentKey() const;
    // The breakdown key of every row Tdtail read, for its filter.
    void ReadRowKeys();
    // Filters Tdtail to the breakdown of key and goes to its first row.
    void ShowBreakdown(const Key &key);
    void InsertTotalRow(const Key &key, const RollupSums &sums, int odrf);

    ExcelApplication &app_;
    Dataset &qDList_;
    // Read over its own attachment, which sees whatever the data module's connection
    // committed before each read.
    Dataset &Tdtail_;
    bool attached_ = false;
    bool cachedUpdates_;
    std::vector<Key> rowKeys_;
    // The ODRF of each breakdown's total row, by key.
    std::map<Key, int> totalOdrf_;
};

} // namespace vek
