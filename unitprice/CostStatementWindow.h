#pragma once

#include <QDialog>

class QLabel;

namespace vek {

class TCostSheetPage;
class TdxToolButton;

// The window of the cost-statement page: caption-less, with the breakdown screen's title
// strip (a small icon, the title TopLabel and the close button mExit0, which closes without
// saving the grid; dragging the strip moves the window), the page below it, and F1 for
// the page's help. It is what the main
// window's "원가서" opens until the breakdown screen takes the page over as its page 2.
class TCostStatementWindow : public QDialog {
    Q_OBJECT
public:
    explicit TCostStatementWindow(QWidget *parent = nullptr);

    QWidget *TopPnl;
    QLabel *TopLabel;
    TdxToolButton *mExit0;
    TCostSheetPage *Shet2;

    void mExit0Click();
    void Help1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool shown_ = false;
};

// Connects the main window's cost-statement entry point to this window.
void ConnectCostStatementScreen();

} // namespace vek
