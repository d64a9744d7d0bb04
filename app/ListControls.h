#pragma once

#include "components/DatasetModel.h"

#include <QString>

#include <functional>

class QWidget;

namespace vek {

class TLabelE;

// What the list screens share beside their own layout.

// The hourglass while a command works, the normal cursor however it ends.
class HourGlass {
public:
    HourGlass();
    ~HourGlass();
    HourGlass(const HourGlass &) = delete;
    HourGlass &operator=(const HourGlass &) = delete;
};

// Runs command under the hourglass; a failure it throws (the database's, a number out of
// range) is shown in an error box and the screen goes on. True when it ran through.
bool RunGuarded(const std::function<void()> &command);

// A read-only column of a list grid.
DatasetColumn ListColumn(const QString &field, const QString &title, int width, Qt::Alignment alignment = {});

// The move label "자료이동" of a list's tool bar: red italic 굴림, hidden until move mode.
TLabelE *MakeMoveLabel(QWidget *bar);

} // namespace vek
