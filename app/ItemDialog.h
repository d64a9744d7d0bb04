#pragma once

#include "app/ItemRows.h"
#include "core/ScreenEntryPoints.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace vek {

class TBitCheckBox;
class TCurrencyEdit;
class TdxContainer;
class TdxToolButton;
class TRxSpeedButton;

// The item dialog: one small caption-less modal window with three pages, each opened by
// several screens, which set InputKind, the title, the place and the page's values before
// the modal run and free it after.
//   page 0: add a row to the open list of work items, middle groups or small groups
//           (InputKind 1) or change its current row (2);
//   page 1: the bulk adjustment of the open line-item list or breakdown (InputKind 1) or
//           of the whole estimate (2);
//   page 2: the sum menu, a subtotal row into the open list of any level.
// The level is OpenListLevel's; whether a line-item list is open is told by TSlst, a
// breakdown by Sudetaif. The dialog knows no screen: the open line-item screen and
// breakdown screen show it their rows and grid selection through SlstFmHook and Sudetaif.
// It reports through the database and DataChanged, and closes itself after every OK that
// changed rows; a failed OK is reported and leaves the dialog open with what was typed.
class TInPutf : public QDialog {
    Q_OBJECT
public:
    // What the name and remark boxes take, in CP949 bytes (the remark all that ETC holds).
    static constexpr int NameBytes = 43;
    static constexpr int RemarkBytes = 15;

    explicit TInPutf(int page, QWidget *parent = nullptr);
    ~TInPutf() override;

    int Page() const { return page_; }

    QLabel *TopTitle;
    TdxToolButton *mExit0;
    QStackedWidget *Pages;

    QGroupBox *dGbun;
    QButtonGroup *dGbunItems;
    TdxContainer *gJPnel;
    TBitCheckBox *gJChek;
    QLineEdit *EdtName;
    TCurrencyEdit *EdtNo;
    TCurrencyEdit *EdtPCST12;
    TCurrencyEdit *EdtLCST12;
    TCurrencyEdit *EdtSCST12;
    TCurrencyEdit *EdtCSTTAL;
    QLineEdit *EdtEtc;
    TRxSpeedButton *mOk0;
    TRxSpeedButton *mVode0;

    QGroupBox *BulGrup;
    QButtonGroup *BulGrupItems;
    TCurrencyEdit *EdtBiul;
    TRxSpeedButton *mOk1;

    QPushButton *BtnbSum1;
    QPushButton *BtnbSum2;
    QPushButton *BtnbSum3;

    // Page 0's boxes from fields: the kind (with dGbunClick), the sub-level panel (disabled
    // and grey when the row is locked), the name, the figures and the remark.
    void LoadFields(const ItemRowFields &fields);
    // What page 0's boxes hold.
    ItemRowFields Fields() const;

    void FormShow();
    void FormClose();
    void mExit0Click();
    void dGbunClick();
    void EdtPCST12Change();
    // Enter in one of page 0's seven boxes moves on: name, quantity, material, labour,
    // expense, total (only when enabled, else remark), remark, name. Sets key to 0 then.
    void EdtNameKeyPress(QWidget *box, QChar &key);
    // A number box's key: Esc closes the dialog; on page 0 Enter moves on.
    void FigureKeyPress(TCurrencyEdit *box, QChar &key);
    // Esc closes; F11 shows the special-character picker and pastes its pick at the caret.
    // True when the key was taken.
    bool EdtNameKeyDown(QLineEdit *box, int key);
    void mOk0Click();
    void mOk1Click();
    void BtnbSum1Click(QPushButton *button);

public slots:
    void done(int result) override;
    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MakeTitle();
    QWidget *MakeItemPage();
    QWidget *MakeBulkPage();
    QWidget *MakeSumPage();
    QPushButton *MakeSumButton(QWidget *page, const QString &caption, int number, int top);
    // Reports a failed OK; the dialog stays open.
    void ReportFailure(const std::exception &failure);

    int page_;
    bool shown_ = false;
    // The level's rows can have lower groups: the sub-level box shows for ordinary rows.
    bool subAllowed_ = true;
    // Page 0's fields as the boxes showed them when loaded: an OK that changed none of the
    // figures keeps the row's stored ones.
    ItemRowFields loaded_;
};

// The dialog while it lives.
extern TInPutf *InPutf;

// The dialog's entry point: the page of setup at its place, titled, InputKind as its opener
// set it; page 0 filled for a new row (InputKind 1) or from the current row of the open
// level's list (2), page 1's percentage from setup. Runs modally; the opener frees it.
void RunItemDialog(const ItemDialogSetup &setup);
// Connects RunItemDialog as the entry point EntryPoints().ItemDialog.
void ConnectItemDialog();

} // namespace vek
