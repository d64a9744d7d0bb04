#pragma once

#include "core/DocumentError.h"

#include <QList>
#include <QString>
#include <QVariantList>

namespace vek {

// The move file through which the line-item and breakdown screens cut and paste rows:
// "TmPeople.Tmp" in the home folder, one estimate record per row and no header. It stays
// after a paste and is replaced by the next cut.
QString MoveFilePath();

// Replaces the move file by one record per row, each row its 44 values in table order
// (EstimateRowsOf gives them from a dataset). Throws DocumentError; the old file then stays.
void WriteMoveFile(const QList<QVariantList> &rows);
// The rows of the move file in file order, 44 values each with MVE 'F'; an empty file is
// an empty move. Throws DocumentError when it cannot be read or holds anything but rows.
QList<QVariantList> ReadMoveFile();

} // namespace vek
