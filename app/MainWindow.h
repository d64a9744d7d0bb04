#pragma once

#include "components/ShellGlyphs.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

class QLabel;
class QLineEdit;
class QMenu;

namespace vek {

class TdxContainer;
class THintHandler;
class TLabelE;
class TRxSpeedButton;
class TStatusBar;
class TWorkItemList;

// A flat, transparent button of the tool band with its caption (none for a glyph button)
// and its "short|long" hint, as wide as its caption needs.
TRxSpeedButton *MakeToolBandButton(QWidget *band, const QString &name, const QString &caption, const QString &hint);

// Where the main window stands on a screen of the given size: on a screen wider than 1024
// pixels 1110 wide, centred, 20 from the top and 67 short of the bottom; else nearly the
// whole screen.
QRect MainWindowPlacement(QSize screen);

// The main window: caption-less, its title label and empty places drag it. When first shown
// it prepares and opens the working database; closing it shuts the connection down behind
// a progress window. Below the file band the tool band ToPnl0 holds the commands of the
// work-item list and of the document; between it and the status bar, ListPlace holds the
// work-item list.
class Tmainf : public QWidget {
    Q_OBJECT
public:
    explicit Tmainf(QWidget *parent = nullptr);
    ~Tmainf() override;

    // Status panel 0: the insert/append mode.
    static constexpr int ModePanel = 0;
    // Status panel 2: the hint of the control under the mouse.
    static constexpr int HintPanel = 2;
    // dGongSa takes at most this many CP949 bytes.
    static constexpr int ProjectNameBytes = 48;

    // What a save command did, for the commands that save first (New, Open, Quit).
    enum class SaveResult { Saved, NothingToSave, Cancelled, Failed };

    QLabel *TopTitle;
    TRxSpeedButton *MinButn;
    TRxSpeedButton *BtnExit;
    TdxContainer *TopBar;
    TLabelE *mLabel;
    TRxSpeedButton *HelpBtn;
    TRxSpeedButton *ExeUpDate;
    TRxSpeedButton *dDTZIP;
    TRxSpeedButton *KvrBtn;
    TRxSpeedButton *Hinfo;
    TRxSpeedButton *QuitBtn;
    TdxContainer *FileBand;
    QLabel *filName;
    QLineEdit *dGongSa;
    TdxContainer *ToPnl0;
    TRxSpeedButton *OpnBtn0;
    TRxSpeedButton *NewBtn0;
    TRxSpeedButton *SavBtn0;
    TRxSpeedButton *SavAs0;
    QWidget *ListPlace;
    TWorkItemList *WorkItems;
    TStatusBar *Msgbar;
    // The window's popup menu: 1 "작업내용저장" (Alt+S), 2 "VEK 계 산 기" (Alt+C), 3
    // "자료추가삽입" (Ins), 4 "도 움 말 보기" (F1); its shortcuts work wherever the focus is.
    QMenu *PopupMenu;

    // Start-up: the working database made from the template when missing, the placement,
    // then OpenWorkDatabase. Runs when the window is first shown.
    void FormShow();
    // Waits ms, shows the wait message, connects, empties NDTAIL and resets the document
    // state; on failure tells the user and leaves the window open without data.
    void OpenWorkDatabase(int ms);
    // True between a successful start-up and the shut-down.
    bool DatabaseReady() const;

    // InsertMode := (mode = "삽입"); status panel 0 := "[" + mode + "]". Every opener of a
    // list screen calls it with "추가".
    void SetInputMode(const QString &mode);
    // The insert/append toggle (a click on the status bar, the popup menu's Ins, the list
    // screens' insert buttons): panel 0 switches between "[삽입]" and "[추가]" and
    // InsertMode follows it.
    void MsgbarClick();
    // The command buttons of the tool band, in its order.
    QList<TRxSpeedButton *> ToolBandButtons() const;

    void MinButnClick();
    void BtnExitClick();
    // "종료", Esc in the list: asks; on yes saves a changed document (through Save As when
    // untitled) and closes only when it saved or had nothing to save.
    void QuitBtnClick();
    void HelpBtnClick();
    void HinfoClick();
    void KvrBtnClick();
    void dDTZIPClick();
    void ExeUpDateClick();
    // "신규": a changed document is saved first (a cancelled or failed save stops here),
    // then the estimate is emptied into an untitled document.
    void NewBtn0Click();
    // "열기": a changed document is saved first, then the document the user picks replaces
    // the estimate; a file that cannot be read or is refused changes nothing.
    void OpnBtn0Click();
    // "저장" (Alt+S; also the line-item screen and Quit): nothing on an empty work-item
    // list; an untitled document goes through Save As.
    SaveResult SavBtn0Click();
    // "따로저장": nothing on an empty work-item list; writes the document under the name the
    // user picks, which becomes the document's name only when it is written.
    SaveResult SavAs0Click();

    // Shrinks the window away behind a wait message and closes it.
    void ShrinkAndClose();
    // Another start asked for the window: restored when minimised, else brought to the front.
    void RestoreOrRaise();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void FormCreate();
    void FormResize();
    void FormClose();
    // A bar across the window in the bars' colour, with a line beneath.
    TdxContainer *MakeBar(const QString &name, int height);
    void MakeTitle();
    void MakeTopBar();
    void MakeFileBand();
    void MakeToolBand();
    void MakeStatusBar();
    void MakePopupMenu();
    void ShowFileName(const QString &path);
    // True when the document has no changes or they were saved (or there was nothing to save).
    bool SaveChangesFirst();
    SaveResult WriteDocument(const QString &path);
    TRxSpeedButton *MakeBarButton(const QString &name, ShellGlyph glyph, const QString &hint, void (Tmainf::*click)());
    // Puts control at width() - offset of this window, whatever its parent.
    void AnchorRight(QWidget *control, int offset);
    void BeginDrag(QMouseEvent *event);
    void DragTo(QMouseEvent *event);

    THintHandler *hints_;
    bool shown_ = false;
    bool closed_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
};

// The main window while it lives.
extern Tmainf *mainf;

} // namespace vek
