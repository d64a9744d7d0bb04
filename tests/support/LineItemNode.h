#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantHash>
#include <QVariantList>

namespace vek {

class TempDatabase;

// The node of a line-item list for one test: work item 1, its middle group 2 and that
// group's small group 3 stored, each with quantity 2, and the data module's lists opened
// down to the node's level (0 the work item, 1 the middle group, 2 the small group) with
// those rows current. Line items are added to the node's own list.
class LineItemNode {
public:
    LineItemNode(TempDatabase &db, int level);

    int level() const { return level_; }
    // ACODE, BCODE, SCODE of the node's line items.
    QVariantList keys() const;

    // Stores a line item of the node: name, kind TAG, order ODRF and the columns in more.
    void add(const QString &name, const QString &tag, int odrf, const QVariantHash &more = {});
    // Stores count ordinary line items named "1", "2", ... with ODRF 1, 2, ...
    void addNumbered(int count);

    // The names of the node's list (labour rows aside) in ODRF order, and their ODRF.
    QStringList names() const;
    QList<int> orders() const;
    // A column of the node's line item named name, or of the group row (ABFS 'A', 'B',
    // 'F') of the node's level when name is empty.
    QVariant column(const QString &name, const QString &column) const;

private:
    TempDatabase &db_;
    int level_;
};

} // namespace vek
