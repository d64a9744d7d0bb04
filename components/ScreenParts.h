#pragma once

#include <QColor>
#include <QString>

class QWidget;

namespace vek {

class TdxContainer;

// Small pieces that the list and breakdown screens build themselves from.

// The colour of a control's text (labels, buttons, panel captions, edit boxes).
void SetTextColour(QWidget *widget, const QColor &colour);

// A plain coloured panel of fixed height across a screen (title band, tool bar, footer).
TdxContainer *MakeBand(QWidget *parent, const QString &name, const QColor &colour, int height);

// The hourglass while a command works, the normal cursor however it ends.
class HourGlass {
public:
    HourGlass();
    ~HourGlass();
    HourGlass(const HourGlass &) = delete;
    HourGlass &operator=(const HourGlass &) = delete;
};

} // namespace vek
