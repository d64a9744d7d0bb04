#pragma once

#include <QColor>
#include <QString>

#include <functional>

class QWidget;

namespace vek {

class TArrowButton;
class DataGridBase;
class RowList;
class TdxContainer;
class TLabelE;
class TRxSpeedButton;

// Small pieces that the list and breakdown screens build themselves from.

// The colour of a control's text (labels, buttons, panel captions, edit boxes).
void SetTextColour(QWidget *widget, const QColor &colour);

// A plain coloured panel of fixed height across a screen (title band, tool bar, footer).
TdxContainer *MakeBand(QWidget *parent, const QString &name, const QColor &colour, int height);

// A flat button of a screen's tool bar: navy caption (or only a picture, then narrower)
// and its hint; the caller connects its click.
TRxSpeedButton *MakeToolButton(QWidget *bar, const QString &name, const QString &caption, const QString &hint);

// The Enter-direction panel DrPnl of the list screens, width wide on a tool bar of colour,
// with its arrow button ArrowBtn and hint; a click on either is the caller's to connect.
TdxContainer *MakeDirectionPanel(QWidget *bar, const QColor &colour, int width, TArrowButton *&arrow);
// Shows direction (1 Right, 2 Down) on the panel: "    Right" or "    Down" and the arrow.
void ShowDirection(TdxContainer *panel, TArrowButton *arrow, int direction);

// The hourglass while a command works, the normal cursor however it ends; nothing in a
// program without a screen (a host of the backup library may have none).
class HourGlass {
public:
    HourGlass();
    ~HourGlass();
    HourGlass(const HourGlass &) = delete;
    HourGlass &operator=(const HourGlass &) = delete;

private:
    bool shown_;
};

// Runs command under the hourglass; a failure it throws (the database's, a number out of
// range, a refused file) is shown in an error box and the screen goes on. True when it ran
// through.
bool RunGuarded(const std::function<void()> &command);

// F11 in a text column of a list grid: the special-character picker, then its pick (the
// clipboard's text, unless "Non") appended to the field of the current row shown in column.
void AppendSpecialChar(DataGridBase *grid, RowList &list, int column);

// The move label "자료이동" of a list's tool bar: red italic 굴림, hidden until move mode.
TLabelE *MakeMoveLabel(QWidget *bar);

} // namespace vek
