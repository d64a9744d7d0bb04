#pragma once

#include "archiver/ZipMaster.h"

#include <QList>
#include <QStringList>

namespace vek {

// The names of zip's directory list.
QStringList ListedNames(const TZipMaster &zip);

// Listens to a zip component: the ids of its messages in order (read as ErrCode when
// OnMessage fires; 0 for reports such as "Copying: "), their texts, and how often the
// directory was updated. Attach it before the component acts.
struct ZipProbe {
    explicit ZipProbe(TZipMaster &zip);

    // The ids of real messages, reports left out.
    QList<int> MessageIds() const;
    QStringList Names() const { return ListedNames(zip); }

    TZipMaster &zip;
    QList<int> ids;
    QStringList texts;
    int dirUpdates = 0;
};

} // namespace vek
