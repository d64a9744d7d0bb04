#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace vek {

// Every entry of a folder, hidden ones too, with the bytes of each file ("<folder>" for a
// folder): two snapshots are equal when nothing in the folder changed.
using FolderSnapshot = QMap<QString, QByteArray>;
FolderSnapshot TakeSnapshot(const QString &folder);

} // namespace vek
