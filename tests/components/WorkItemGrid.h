#pragma once

#include "components/DatasetModel.h"
#include "tests/support/TempDatabase.h"

#include <QStringList>

namespace vek {

// A column of a grid over a dataset.
DatasetColumn Column(const QString &field, const QString &title = QString(), int width = 64);

// Inserts one work item (ABFS 'A') per name, numbered from 1 in ACODE and ODRF, and
// opens the work-item list TAlst over them in ODRF order.
Dataset &OpenWorkItems(TempDatabase &db, const QStringList &names);

} // namespace vek
