#include "app/ProgramUpdate.h"

#include "app/TerminationSignals.h"
#include "core/Environment.h"
#include "core/TextUtils.h"
#include "core/HomeFolder.h"
#include "core/WaitWindow.h"
#include "platform/ini/IniFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace vek {

const QString ZipListKey = QStringLiteral("\\SOFTWARE\\KavroSft\\ZipList");

namespace {

const QString IniName = QStringLiteral("VekFree.ini");
const QString ArchiveName = QStringLiteral("VekFreeUp.zip");

} // namespace

QString MakerHomePage()
{
    return MakerWebAddress(QString());
}

QString MakerDownloadPage()
{
    return MakerWebAddress(QStringLiteral("Download.htm"));
}

QString UpdateArchiveAddress()
{
    return MakerWebAddress(QStringLiteral("DTZIP/") + ArchiveName);
}

bool DownloadUpdate()
{
    RegistryStore registry = LocalMachineRegistry();
    registry.createKey(ZipListKey);
    registry.writeString(ZipListKey, QStringLiteral("fInifile"), IniName);

    const QDir home(HomeFolder());
    IniFile ini(home.filePath(IniName));
    ini.writeString(QStringLiteral("ZipList"), QStringLiteral("ZipName"), ArchiveName);
    // The updater replaces the program by this name; here it carries no ".exe".
    ini.writeString(QStringLiteral("ZipList"), QStringLiteral("ExeName"),
                    QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    ini.writeString(QStringLiteral("ZipList"), QStringLiteral("Tempday"),
                    ShortDateText(QDate::currentDate()));
    ini.save();
    registry.writeString(ZipListKey, QStringLiteral("exefile"), QCoreApplication::applicationFilePath());

    ShowWaitMessage(Qt::black, QStringLiteral("업그레이드 파일을 다운받고 있습니다. 잠시만..."));
    const bool arrived = DownloadUrlToFile(UpdateArchiveAddress(), home.filePath(ArchiveName));
    HideWaitWindow();
    return arrived;
}

bool StartUpdater()
{
    return StartDetachedProgram(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("UpDate")), {});
}

} // namespace vek
