#pragma once

#include "core/Dataset.h"
#include "core/WorkConnection.h"

#include <QDialog>

#include <functional>

class QLabel;

namespace vek {

class TDBNavigator;
class TRxDBGrid;
class TRxSpeedButton;
class TdxContainer;
class TdxToolButton;

// The breakdown overview (일위대가일람표): one line per distinct unit-price item of the
// estimate in the data module's qDList, from which one breakdown opens read-only (the
// breakdown screen's page 1) or all go to a workbook. Caption-less and modal; its title
// band drags it. qDList is shown only while the screen lives.
class TTreVewf : public QDialog {
    Q_OBJECT
public:
    explicit TTreVewf(QWidget *parent = nullptr);
    ~TTreVewf() override;

    TdxContainer *TpLabel;
    QLabel *TopLabel;
    TdxToolButton *mExit0;
    TdxContainer *ToolPnl;
    TRxSpeedButton *dBtn;
    TRxSpeedButton *slExl0;
    TDBNavigator *DBNav0;
    TRxSpeedButton *sClose0;
    TRxDBGrid *GrdDeaA;

    // The rows of the overview workbook: SDTAIL, which the export fills and reads back
    // ordered by ODRF through Tdtail (SetUpOverviewRows, its calculated fields
    // OverviewDetailCalcFields), on a connection of its own to the working database (opened
    // by ConnectOwnDatasets, or by the export for its run).
    WorkConnection TdtailConnection;
    Dataset Tdtail;
    // Attaches Tdtail's connection to the working database of the home folder.
    void ConnectOwnDatasets();

    void LoadList();
    void mExit0Click();
    void dBtnClick();
    // The overview workbook: connected by the export that builds it.
    void slExl0Click();

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool shown_ = false;
};

// What slExl0 runs: the overview workbook, connected at program start by the export that
// builds it, given the screen (its own datasets); nothing until then.
std::function<void(TTreVewf &screen)> &BreakdownOverviewExport();

} // namespace vek
