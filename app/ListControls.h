#pragma once

#include "components/DatasetModel.h"
#include "components/ScreenParts.h"

#include <QString>

#include <functional>

class QWidget;

namespace vek {

class TRxDBGrid;

// What the list screens of the application share beside their own layout (the screen
// parts of every screen are in components/ScreenParts.h).

// A read-only column of a list grid.
DatasetColumn ListColumn(const QString &field, const QString &title, int width, Qt::Alignment alignment = {});

// The grid of a list of group rows: whole-row selection always shown, no editing in place,
// the list's hint, the columns given.
TRxDBGrid *MakeGroupListGrid(QWidget *parent, const QString &name, const QList<DatasetColumn> &columns);

// What the keys of a list of group rows do (the work items, the middle groups, the small
// groups). Enter drills down or, in move mode, drops the marked row; Esc, Delete, F2 and F3
// do nothing in move mode; F9 switches move mode; F10 and Alt+R (either case) work in both.
struct GroupListKeys {
    bool moving = false;
    std::function<void()> drillDown;  // Enter
    std::function<void()> drop;       // Enter in move mode
    std::function<void()> close;      // Esc
    std::function<void()> remove;     // Delete
    std::function<void()> add;        // F2
    std::function<void()> edit;       // F3
    std::function<void()> toggleMove; // F9
    std::function<void()> sumMenu;    // F10
    std::function<void()> renumber;   // Alt+R
};
// Runs what key stands for; a key the list takes, Insert included (the popup menu's item
// switches the insert mode), is set to 0.
void GroupListKeyDown(int &key, Qt::KeyboardModifiers shift, const GroupListKeys &keys);

} // namespace vek
