#pragma once

#include "core/ProgramState.h"
#include "platform/spreadsheet/ExcelApplication.h"

#include <functional>
#include <memory>

namespace vek {

class Dataset;

// Where every export gets its spreadsheet application and its answer to "is there a
// default printer": one place each, so that tests can put their own in. Each setter
// returns the one it replaces; an empty function puts the program's own back (a new
// recording workbook; HasDefaultPrinter).
using ExcelApplicationFactory = std::function<std::unique_ptr<ExcelApplication>()>;
ExcelApplicationFactory SetExcelApplicationFactory(ExcelApplicationFactory factory);
using PrinterQuestion = std::function<bool()>;
PrinterQuestion SetPrinterQuestion(PrinterQuestion question);

// One run of an export, the same for every export. Execute():
//  1. returns at once when the list the export starts from is empty;
//  2. starts the application, makes a workbook and runs start, if given (it may name sheet 1),
//     and checks that the work folder takes a file; when any of it fails it shows
//     "Excel 프로그램을 실행할 수 없습니다." and returns, having touched nothing else;
//  3. asks once whether there is a default printer;
//  4. shows the wait message;
//  5. bookmarks the list, disables its controls and goes to its first record;
// then runs body, which writes the sheets, and at the end, whatever happened in body:
// makes sheet 1 active again after a run of several sheets, returns the list to its
// bookmark, enables its controls, saves the workbook once it was made visible (under
// "<document name> <sheet 1 name>.xlsx" in the work folder, never over another file, the
// document name without its folder and ".Vek"), closes the wait message and opens the
// file (under VEK_NO_OPEN=1 it neither opens nor announces it). A failure after the start
// is reported as "엑셀 전송 중 오류가 발생했습니다." with its own text; it is never taken for
// success. Returns the saved file's path, or an empty text
// when nothing was saved.
class ExcelRun {
public:
    using Start = std::function<void(ExcelApplication &)>;
    using Body = std::function<void(ExcelRun &)>;

    static QString Execute(Dataset &list, const Start &start, const Body &body,
                           const QString &documentName = CurrentFileName);

    ExcelApplication &app() const { return *app_; }
    bool hasPrinter() const { return printer_; }
    // With a default printer, sheet k gets paper A4, landscape, top margin 60 and bottom
    // margin 47 points, in that order; without one its page set-up is left alone.
    void SetUpPage(int k);
    // A sheet after the first: from k = 3 on a new sheet is added after the active one;
    // then sheet k gets its page set-up and name and becomes the active sheet. Names of
    // different groups can come out alike (order numbers run together: 11 and 203, 112 and
    // 3): a name that another sheet holds gets " (2)", " (3)", ..., and every name is cut
    // to fit the 31 characters a sheet name may have.
    void OpenSheet(int k, const QString &name);

private:
    ExcelRun(std::unique_ptr<ExcelApplication> app, bool printer);

    std::unique_ptr<ExcelApplication> app_;
    bool printer_;
    bool severalSheets_ = false;
};

} // namespace vek
