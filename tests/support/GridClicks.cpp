#include "tests/support/GridClicks.h"

#include <QAbstractItemView>
#include <QTest>

namespace vek {

void DoubleClickCell(QAbstractItemView *view, const QModelIndex &index)
{
    QWidget *cells = view->viewport();
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(cells, Qt::LeftButton, {}, at);
    QTest::mouseDClick(cells, Qt::LeftButton, {}, at);
    QTest::mouseRelease(cells, Qt::LeftButton, {}, at);
}

} // namespace vek
