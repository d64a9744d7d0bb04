#pragma once

#include "core/DataModule.h"

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

namespace vek {

class WorkConnection;

// The shape of a generated estimate.
struct EstimateShape {
    int workItems = 10;
    int middleGroups = 5;  // per work item
    int smallGroups = 4;   // per middle group
    int bigList = 5000;    // line items of small group (1, 1, 1)
    int otherItems = 34700; // line items spread over the other small groups
    int unitPriceItems = 500;
    int breakdownRows = 20; // per unit-price item
};

// Fills NDTAIL with a realistic estimate of about 50,000 rows in one transaction: work
// items, middle and small groups, line items with quantity formulas, subtotal, rate and
// labour rows, unit-price items with their breakdown rows. Returns the number of rows.
int GenerateEstimate(WorkConnection &connection, const EstimateShape &shape = {});

// A temporary home folder with a fresh working database that holds the generated estimate
// (its size and the time taken printed), and the data module connected to it.
class GeneratedEstimate {
public:
    GeneratedEstimate();

    QSqlDatabase database() const { return module.SQLConect.database(); }
    // The line-item list of small group (1, 1, 1), the big list, open in TSlst as the
    // line-item screen has it: TAlst, TBlst and TFlst opened on its path. Prints its size.
    Dataset &OpenBigList();
    QString filePath(const QString &name) const { return home_.filePath(name); }

private:
    QTemporaryDir home_;

public:
    TdMf module;
};

} // namespace vek
