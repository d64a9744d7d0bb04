#include "app/ListControls.h"

#include "components/ControlHint.h"
#include "components/DataGrid.h"
#include "components/EffectLabel.h"
#include "core/MessageBoxes.h"

#include <QApplication>

#include <exception>

namespace vek {

HourGlass::HourGlass()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

HourGlass::~HourGlass()
{
    QApplication::restoreOverrideCursor();
}

bool RunGuarded(const std::function<void()> &command)
{
    QString failure;
    {
        HourGlass busy;
        try {
            command();
            return true;
        } catch (const std::exception &error) {
            failure = QString::fromStdString(error.what());
        }
    }
    ShowErrorMsg(failure);
    return false;
}

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

TLabelE *MakeMoveLabel(QWidget *bar)
{
    auto *label = new TLabelE(bar);
    label->setObjectName(QStringLiteral("TagLabel"));
    label->SetCaption(QStringLiteral("자료이동"));
    QFont italic(QStringLiteral("굴림"), 10);
    italic.setItalic(true);
    label->setFont(italic);
    label->SetFontColor(Qt::red);
    label->SetTransparent(true);
    label->setFixedSize(70, 22);
    label->hide();
    return label;
}

} // namespace vek
