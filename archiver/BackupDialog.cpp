#include "archiver/BackupDialog.h"

#include "archiver/AtomicRestore.h"
#include "archiver/ShadowedLabel.h"
#include "archiver/ZipWaitWindow.h"
#include "components/FontSubstitutes.h"
#include "components/SpeedButton.h"
#include "core/Environment.h"
#include "core/MessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QShowEvent>

#include <cstdio>
#include <memory>

static void InitBackupResources()
{
    Q_INIT_RESOURCE(kavrozip);
}

namespace vek {
namespace {

const QColor DialogColour(217, 215, 204);

// The job, read anew at every show and kept while the library is loaded.
BackupSettings JobSettings;

// The wait window stands while the engine works, and goes also when the work throws.
class WaitMessage {
public:
    explicit WaitMessage(const QString &text) { detail::TSprSfm::MessageVisible(1, text); }
    ~WaitMessage() { detail::TSprSfm::MessageVisible(2, QString()); }
    WaitMessage(const WaitMessage &) = delete;
    WaitMessage &operator=(const WaitMessage &) = delete;
};

// A failure only the dialog knows of.
void Tell(const QString &text)
{
    PresentMessage({MessageKind::Warning, QStringLiteral(" 확인!!"), text});
}

const QString Unchanged = QStringLiteral("\n\n 현재의 작업자료는 그대로입니다.");

void TellRestoreResult(const RestoreResult &result)
{
    switch (result.outcome) {
    case RestoreOutcome::Restored: break;
    case RestoreOutcome::FolderUnusable:
        Tell(QStringLiteral(" 복구할 폴더를 만들거나 쓸 수 없습니다.\n\n ") + result.detail
             + QStringLiteral("\n\n 아무것도 복구하지 않았습니다."));
        break;
    case RestoreOutcome::FileHeld:
        Tell(QStringLiteral(" 다른 프로그램이 이 파일을 사용하고 있습니다.\n\n ") + result.detail
             + QStringLiteral("\n\n 그 프로그램을 먼저 종료한 후 다시 복구하시기 바랍니다."));
        break;
    case RestoreOutcome::NothingToRestore:
        Tell(QStringLiteral(" 백업파일을 읽을 수 없거나 복구할 자료가 없습니다.\n\n ") + result.detail + Unchanged);
        break;
    case RestoreOutcome::ExtractFailed:
        Tell(QStringLiteral(" 백업자료를 풀지 못해 복구하지 않았습니다.") + Unchanged);
        break;
    case RestoreOutcome::EntryMissing:
        Tell(QStringLiteral(" 백업자료의 ") + result.detail + QStringLiteral(" 파일을 풀지 못해 복구하지 않았습니다.")
             + Unchanged);
        break;
    case RestoreOutcome::SwapFailed:
        Tell(QStringLiteral(" 파일을 바꾸지 못해 복구하지 않았습니다.\n\n ") + result.detail + Unchanged);
        break;
    case RestoreOutcome::RollbackFailed:
        Tell(QStringLiteral(" 파일을 바꾸지 못했고, 원래의 작업자료를 모두 되돌리지 못했습니다.\n 원래의 작업자료는 다음 "
                            "폴더에 있습니다.\n\n ")
             + result.detail);
        break;
    }
}

QImage Glyph(const QString &name)
{
    InitBackupResources();
    return QImage(QStringLiteral(":/kavrozip/") + name);
}

TRxSpeedButton *MakeButton(QWidget *parent, const QString &name, const QRect &place, const QString &caption,
                           const QString &glyph)
{
    auto *button = new TRxSpeedButton(parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->SetGlyph(Glyph(glyph));
    button->SetLayout(TRxSpeedButton::blGlyphLeft);
    button->SetSpacing(3);
    button->SetStyle(TRxSpeedButton::bsWin31);
    button->SetCaption(caption);
    return button;
}

} // namespace

bool AskConfirmation(const QString &text)
{
    QApplication::beep();
    QString question = text;
    return ConfirmYesNo(question.replace(u'\r', u'\n'));
}

namespace detail {

Tmainf::Tmainf(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("mainf"));
    setFixedSize(321, 128);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, DialogColour);
    setPalette(colours);
    setAutoFillBackground(true);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel1->setGeometry(rect());

    LZipFile = new QLabel(this);
    LZipFile->setObjectName(QStringLiteral("LZipFile"));
    LZipFile->move(16, 54);
    QPalette blue = LZipFile->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    LZipFile->setPalette(blue);

    BevelUnder = new QFrame(this);
    BevelUnder->setObjectName(QStringLiteral("BevelUnder"));
    BevelUnder->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    BevelUnder->setGeometry(16, 73, 104, 2);

    StartBtn = MakeButton(this, QStringLiteral("StartBtn"), QRect(68, 86, 65, 25), QStringLiteral("시작"),
                          QStringLiteral("Start.png"));
    ExitBtn = MakeButton(this, QStringLiteral("ExitBtn"), QRect(196, 86, 65, 25), QStringLiteral("취소"),
                         QStringLiteral("Exit.png"));

    RxLabel1 = new TRxLabel(this);
    RxLabel1->setObjectName(QStringLiteral("RxLabel1"));
    RxLabel1->SetAutoSize(false);
    RxLabel1->setGeometry(16, 25, 248, 15);
    QFont bold(QStringLiteral("굴림"), 9);
    bold.setBold(true);
    RxLabel1->setFont(bold);
    RxLabel1->SetShadowColor(QColor(223, 249, 255));
    RxLabel1->SetCaption(QStringLiteral("작업내용을 확인하시기 바랍니다 !!"));

    ZipMaster.SetAddCompLevel(9);
    ZipMaster.SetAddOptions(AddOpts());
    ZipMaster.SetExtrOptions(ExtrOverWrite);
    ZipMaster.SetUnattended(false);
    ZipMaster.SetSFXPath(QStringLiteral("ZipSFX.bin"));
    ZipMaster.SetSFXOverWriteMode(OvrConfirm);
    ZipMaster.SetSFXCaption(QStringLiteral("Self-extracting Archive"));
    ZipMaster.SetKeepFreeOnDisk1(0);
    ZipMaster.SetAddStoreSuffixes(AddStoreExts(assGIF | assPNG | assZ | assZIP | assZOO | assARC | assLZH | assARJ
                                               | assTAZ | assTGZ | assLHA));

    connect(StartBtn, &TRxSpeedButton::Click, this, &Tmainf::StartBtnClick);
    connect(ExitBtn, &TRxSpeedButton::Click, this, &Tmainf::ExitBtnClick);
}

Tmainf::~Tmainf() = default;

const BackupSettings &Tmainf::Settings()
{
    return JobSettings;
}

void Tmainf::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void Tmainf::FormShow()
{
    const QSize screen = ScreenSize();
    const QSize outer = frameGeometry().size();
    move((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2 - 30);
    LoadSettings();
}

void Tmainf::LoadSettings()
{
    LoadBackupSettings(JobSettings);
    // The three blanks make the underline run a little past the path.
    LZipFile->setText(JobSettings.ArchivePath() + QStringLiteral("   "));
    const QFontMetrics metrics(LZipFile->font());
    LZipFile->resize(metrics.horizontalAdvance(LZipFile->text()), metrics.height());
    BevelUnder->setGeometry(LZipFile->x(), BevelUnder->y(), LZipFile->width(), BevelUnder->height());
    const bool backUp = JobSettings.Job == 0;
    StartBtn->SetCaption(backUp ? QStringLiteral("압축") : QStringLiteral("복구"));
    setWindowTitle(backUp ? QStringLiteral(" >> 작업내용을 백업합니다.") : QStringLiteral(" >> 백업내용을 복구합니다."));
}

void Tmainf::StartBtnClick()
{
    // A second click while the job runs is no second job.
    if (working_)
        return;
    working_ = true;
    try {
        if (JobSettings.Job == 0)
            BackUp();
        else if (JobSettings.Job == 1)
            Restore();
    } catch (const std::exception &error) {
        Tell(QStringLiteral(" 작업 중 오류가 생겼습니다.\n\n ") + QString::fromUtf8(error.what()));
    } catch (...) {
        Tell(QStringLiteral(" 작업 중 오류가 생겼습니다."));
    }
    working_ = false;
    close();
}

void Tmainf::reject()
{
    if (!working_)
        QDialog::reject();
}

void Tmainf::ExitBtnClick()
{
    close();
}

void Tmainf::BackUp()
{
    const QStringList items = SplitFileList(JobSettings.ZipFiles);
    if (items.isEmpty()) {
        Tell(QStringLiteral(" 백업할 파일이 지정되지 않았습니다. (ZipFiles)"));
        return;
    }
    const WaitMessage wait(QStringLiteral("백업자료를 압축합니다. 잠시만..."));
    const QString archive = JobSettings.ArchivePath();
    QDir().mkpath(QFileInfo(archive).absolutePath());
    ZipMaster.SetZipFileName(archive);
    ZipMaster.FSpecArgs().clear();
    // Items without a folder are the files of the folder the job restores to.
    ZipMaster.SetRootDir(JobSettings.ZipsDir);
    for (const QString &item : items) {
        ZipMaster.SetFSpecArgs({item});
        ZipMaster.AddFiles();
    }
}

void Tmainf::Restore()
{
    const QString archive = JobSettings.ArchivePath();
    if (!QFileInfo(archive).isFile()) {
        Tell(QStringLiteral(" 복구할 백업파일이 없습니다.\n\n ") + archive);
        return;
    }
    if (!AskConfirmation(
            QStringLiteral(" 현재의 작업자료가 복구자료에 의해 대체됩니다.\r\r 하시고자 하는 작업이 맞습니까??")))
        return;
    RestoreResult result;
    {
        const WaitMessage wait(QStringLiteral("압축된 백업자료를 풉니다. 잠시만..."));
        ZipMaster.SetZipFileName(archive);
        result = RestoreArchive(ZipMaster, JobSettings.ZipsDir);
    }
    TellRestoreResult(result);
}

} // namespace detail

namespace {

// A plain host has no application object; one is made for the call, which needs a
// display to show on.
bool CanShowWindows()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

void RunBackupDialog()
{
    static int argc = 1;
    static char name[] = "KavroZip";
    static char *argv[] = {name, nullptr};
    std::unique_ptr<QApplication> own;
    if (!QCoreApplication::instance()) {
        if (!CanShowWindows()) {
            std::fputs("KavroZip: no display to show the backup dialog on\n", stderr);
            return;
        }
        own = std::make_unique<QApplication>(argc, argv);
    } else if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        std::fputs("KavroZip: the host's application shows no windows\n", stderr);
        return;
    }
    InstallFontSubstitutes();
    const auto mainf = std::make_unique<detail::Tmainf>();
    mainf->exec();
}

} // namespace vek
