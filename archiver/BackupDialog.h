#pragma once

#include "archiver/BackupSettings.h"
#include "archiver/ZipMaster.h"

#include <QDialog>

class QFrame;
class QLabel;

namespace vek {

class TRxLabel;
class TRxSpeedButton;

// Sounds the default beep and asks text (each "\r" a line break) with Yes and No; true
// for Yes.
bool AskConfirmation(const QString &text);

namespace detail {

// The backup library's dialog: it learns its job from the registry and the ini file,
// names the archive, and on Start backs the listed files up into the archive or restores
// them from it, then closes. The program's main window has the same class name; this one
// lives in detail so that the two never meet.
class Tmainf : public QDialog {
    Q_OBJECT
public:
    explicit Tmainf(QWidget *parent = nullptr);
    ~Tmainf() override;

    // The job the last LoadSettings read; kept for the library's lifetime, so that a
    // registry that cannot be read leaves the values read before.
    static const BackupSettings &Settings();

    // Centres the dialog (30 pixels above the middle) and loads the settings.
    void FormShow();
    // Reads the job and shows it: the archive's path, the Start caption and the title.
    void LoadSettings();
    // Runs the job, then closes in every case.
    void StartBtnClick();
    void ExitBtnClick();

    QFrame *Bevel1;
    QLabel *LZipFile;
    QFrame *BevelUnder;
    TRxSpeedButton *StartBtn;
    TRxSpeedButton *ExitBtn;
    TRxLabel *RxLabel1;
    TZipMaster ZipMaster;

    // The close box and Esc; the dialog stays while the engine works, whose callbacks
    // handle the user's events meanwhile.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Adds each item of the file list to the archive by its own call of the engine.
    void BackUp();
    // Restores the whole archive into ZipsDir, all or nothing, after asking.
    void Restore();

    bool working_ = false;
};

} // namespace detail

// What kZipdll does: shows the backup dialog modally in the host's application object, or
// in one made for the call when the host has none. Returns without a dialog when no
// window can be shown.
void RunBackupDialog();

} // namespace vek
