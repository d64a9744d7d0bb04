#include "export/ExcelRun.h"

#include "core/Dataset.h"
#include "core/Environment.h"
#include "core/MessageBoxes.h"
#include "core/ProgramState.h"
#include "core/WaitWindow.h"
#include "platform/spreadsheet/SpreadsheetError.h"
#include "platform/spreadsheet/XlsxFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QUrl>

namespace vek {
namespace {

const QString CannotStartMessage = QStringLiteral("Excel 프로그램을 실행할 수 없습니다.");
const QString SendingMessage = QStringLiteral("자료를 엑셀파일로 전송 중입니다. 잠시만...");
const QString FailedMessage = QStringLiteral("엑셀 전송 중 오류가 발생했습니다.");
const QString SavedMessage = QStringLiteral("엑셀파일로 저장했습니다.");
const QColor Navy(0, 0, 128);
constexpr double TopMarginPoints = 60;
constexpr double BottomMarginPoints = 47;

ExcelApplicationFactory &Factory()
{
    static ExcelApplicationFactory factory;
    return factory;
}

PrinterQuestion &Question()
{
    static PrinterQuestion question;
    return question;
}

std::unique_ptr<ExcelApplication> NewApplication()
{
    std::unique_ptr<ExcelApplication> app = Factory() ? Factory()() : std::make_unique<ExcelApplication>();
    if (!app)
        throw SpreadsheetError(QStringLiteral("no spreadsheet application"));
    return app;
}

bool AskPrinter()
{
    return Question() ? Question()() : HasDefaultPrinter();
}

// The work folder, where the workbook will be saved: made when missing, and tried with
// a file, so that a run never fills a workbook it cannot keep.
QString WritableWorkFolder()
{
    const QString folder = GetWorkFolder(QStringLiteral("VekFree.ini"));
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".~probe-XXXXXX")));
    if (!QDir().mkpath(folder) || !probe.open())
        throw FolderError(QStringLiteral("cannot write in the work folder %1").arg(folder).toStdString());
    return folder;
}

// The document's name without its folder and its ".Vek".
QString BareDocumentName(const QString &documentName)
{
    QString name = QFileInfo(documentName).fileName();
    if (name.endsWith(QStringLiteral(".Vek"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

QStringList SaveWorkbooks(const ExcelApplication &app, const QString &folder, const QString &documentName)
{
    QStringList saved;
    for (int index = 1; index <= app.workbookCount(); ++index) {
        const RecordedWorkbook &book = app.workbook(index);
        saved.append(SaveNewXlsx(book, folder, BareDocumentName(documentName) + u' ' + book.sheet(1).name()));
    }
    return saved;
}

// The first of name, "name (2)", "name (3)", ... that no sheet of book but sheet holds,
// each cut to the longest name a sheet may have.
QString FreeSheetName(const RecordedWorkbook &book, const RecordedSheet &sheet, const QString &name)
{
    for (int copy = 1;; ++copy) {
        const QString suffix = copy == 1 ? QString() : QStringLiteral(" (%1)").arg(copy);
        QString candidate = name.left(MaxSheetNameLength - suffix.size());
        if (!candidate.isEmpty() && candidate.back().isHighSurrogate())
            candidate.chop(1);
        candidate += suffix;
        if (!book.nameTaken(candidate, &sheet))
            return candidate;
    }
}

// VEK_NO_OPEN=1 (tests and callers without a user) keeps the end of a successful run
// quiet: the saved file is neither opened nor announced, so nothing waits for an answer.
// A failure is still reported, with the files kept.
bool QuietRun()
{
    return qEnvironmentVariable("VEK_NO_OPEN") == QLatin1String("1");
}

// Opens the file with the desktop's spreadsheet program; false when nothing opened it.
bool OpenWorkbook(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace

ExcelApplicationFactory SetExcelApplicationFactory(ExcelApplicationFactory factory)
{
    return std::exchange(Factory(), std::move(factory));
}

PrinterQuestion SetPrinterQuestion(PrinterQuestion question)
{
    return std::exchange(Question(), std::move(question));
}

ExcelRun::ExcelRun(std::unique_ptr<ExcelApplication> app, bool printer) : app_(std::move(app)), printer_(printer) {}

QString ExcelRun::Execute(Dataset &list, const Start &start, const Body &body, const QString &documentName)
{
    if (list.isEmpty())
        return QString();
    std::unique_ptr<ExcelApplication> app;
    QString folder;
    try {
        app = NewApplication();
        app->WorkBooks().add();
        if (start)
            start(*app);
        folder = WritableWorkFolder();
    } catch (const std::exception &) {
        ShowInfoMsg(CannotStartMessage);
        return QString();
    }

    ExcelRun run(std::move(app), AskPrinter());
    ShowWaitMessage(Navy, SendingMessage);
    const Bookmark place = list.bookmark();
    list.disableControls();
    QStringList failures;
    try {
        list.first();
        body(run);
        if (run.severalSheets_)
            run.app().WorkBooks(1).WorkSheets(1).Select();
    } catch (const std::exception &error) {
        failures.append(QString::fromUtf8(error.what()));
    }

    list.gotoBookmark(place);
    list.enableControls();
    QStringList saved;
    if (run.app().isVisible()) {
        try {
            saved = SaveWorkbooks(run.app(), folder, documentName);
        } catch (const std::exception &error) {
            failures.append(QString::fromUtf8(error.what()));
        }
    }
    HideWaitWindow();
    QStringList unopened;
    for (const QString &path : saved)
        if (QuietRun() || !OpenWorkbook(path))
            unopened.append(QDir::toNativeSeparators(path));
    if (!failures.isEmpty())
        ShowInfoMsg((QStringList{FailedMessage} + failures + unopened).join(u'\n'));
    else if (!unopened.isEmpty() && !QuietRun())
        ShowInfoMsg((QStringList{SavedMessage} + unopened).join(u'\n'));
    return saved.value(0);
}

void ExcelRun::SetUpPage(int k)
{
    if (!printer_)
        return;
    app_->WorkBooks(1).WorkSheets(k).PageSetup().setPaperSize(xlPaperA4);
    app_->WorkBooks(1).WorkSheets(k).PageSetup().setOrientation(xlLandscape);
    app_->WorkBooks(1).WorkSheets(k).PageSetup().setTopMargin(TopMarginPoints);
    app_->WorkBooks(1).WorkSheets(k).PageSetup().setBottomMargin(BottomMarginPoints);
}

void ExcelRun::OpenSheet(int k, const QString &name)
{
    severalSheets_ = true;
    if (k >= 3)
        app_->Sheets().Add(app_->ActiveSheet());
    SetUpPage(k);
    const RecordedWorkbook &book = app_->workbook(1);
    app_->WorkBooks(1).WorkSheets(k).setName(FreeSheetName(book, book.sheet(k), name));
    app_->WorkBooks(1).WorkSheets(k).Select();
}

} // namespace vek
