#include "app/ListControls.h"

#include "components/ControlHint.h"
#include "components/DataGrid.h"
#include "core/MessageBoxes.h"

#include <QApplication>

#include <exception>

namespace vek {

DatasetColumn ListColumn(const QString &field, const QString &title, int width, Qt::Alignment alignment)
{
    DatasetColumn column;
    column.field = field;
    column.title = title;
    column.width = width;
    column.alignment = alignment;
    column.readOnly = true;
    return column;
}

TRxDBGrid *MakeGroupListGrid(QWidget *parent, const QString &name, const QList<DatasetColumn> &columns)
{
    auto *grid = new TRxDBGrid(parent);
    grid->setObjectName(name);
    grid->SetRowSelect(true);
    grid->SetAlwaysShowSelection(true);
    grid->SetReadOnly(true);
    grid->setColumns(columns);
    SetControlHint(grid, QStringLiteral("선택Enter /등록F2 /수정F3 /삭제Delete /이동F9 /집계F10 /정렬 Alt+R /Help F1"));
    return grid;
}

void GroupListKeyDown(int &key, Qt::KeyboardModifiers shift, const GroupListKeys &keys)
{
    const auto browsing = [&keys](const std::function<void()> &command) {
        if (!keys.moving)
            command();
    };
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        keys.moving ? keys.drop() : keys.drillDown();
        break;
    case Qt::Key_Escape: browsing(keys.close); break;
    case Qt::Key_Insert: break;
    case Qt::Key_Delete: browsing(keys.remove); break;
    case Qt::Key_F2: browsing(keys.add); break;
    case Qt::Key_F3: browsing(keys.edit); break;
    case Qt::Key_F9: keys.toggleMove(); break;
    case Qt::Key_F10: keys.sumMenu(); break;
    case Qt::Key_R:
        if (!(shift & Qt::AltModifier))
            return;
        keys.renumber();
        break;
    default:
        return;
    }
    key = 0;
}

} // namespace vek
