#pragma once

#include <QDialog>

namespace vek {

// What the modal list screens (the line items, the middle groups, the small groups) share
// beside their own layout: caption-less over the main window, their show steps on the
// first show, and their close steps once, however they close: by the close button, Esc
// outside move mode, or the main window closing, which closes the screen first while the
// database is still there. Enter never closes the screen.
class ModalListScreen : public QDialog {
    Q_OBJECT
public:
    explicit ModalListScreen(QWidget *parent);
    ~ModalListScreen() override;

    // The close by the user (the close button and Esc).
    virtual void sCloseClick() = 0;

public slots:
    void done(int result) override;

protected:
    // The list opened and shown.
    virtual void FormShow() = 0;
    // The close steps: the list finished and rolled up into its parent row.
    virtual void FormClose() = 0;
    // Whether Esc closes the screen now: not in move mode.
    virtual bool EscCloses() const = 0;
    // Whether the close steps have run.
    bool Closed() const { return closed_; }

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool shown_ = false;
    bool closed_ = false;
};

} // namespace vek
