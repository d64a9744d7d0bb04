#include "core/Environment.h"

#include "core/HomeFolder.h"
#include "core/WorkDatabase.h"
#include "platform/ini/IniFile.h"
#include "platform/web/WebClient.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinterInfo>
#include <QScreen>
#include <QThread>

namespace vek {
namespace {

const QString WorkFolderSection = QStringLiteral("작업폴더");
const QString WorkFolderKey = QStringLiteral("wPath");
const QString DefaultMakerAddress = QStringLiteral("https://www.kavrosft.example/VekFree/");
// How long a web request may go without data, and how long it may take in all.
constexpr int ReachableIdleMs = 10000;
constexpr int ReachableDeadlineMs = 15000;
constexpr int DownloadIdleMs = 30000;
constexpr int DownloadDeadlineMs = 600000;

QString HomeFilePath(const QString &file)
{
    return QDir(HomeFolder()).filePath(file);
}

QString DefaultWorkFolder()
{
    return HomeFolder() + QStringLiteral("/Work/");
}

bool MakeFolder(const QString &folder)
{
    return QDir().mkpath(folder) && QFileInfo(folder).isDir();
}

} // namespace

int ReadIniInteger(const QString &file, const QString &section, const QString &key, int fallback)
{
    return IniFile(HomeFilePath(file)).readInteger(section, key, fallback);
}

bool WriteIniInteger(const QString &file, const QString &section, const QString &key, int value)
{
    IniFile ini(HomeFilePath(file));
    ini.writeInteger(section, key, value);
    return ini.save();
}

QString GetWorkFolder(const QString &file)
{
    IniFile ini(HomeFilePath(file));
    QString folder = ini.readString(WorkFolderSection, WorkFolderKey, QString());
    if (folder.isEmpty()) {
        folder = DefaultWorkFolder();
        ini.writeString(WorkFolderSection, WorkFolderKey, folder);
        ini.save();
    }
    // A relative path (a Windows path such as "C:\Work\" is one here) would be made
    // wherever the program happened to start.
    const bool usable = QDir::isAbsolutePath(folder) && MakeFolder(folder);
    return usable ? folder : DefaultWorkFolder();
}

void SaveWorkFolder(const QString &filePath, const QString &file)
{
    const QString folder = QFileInfo(filePath).absolutePath() + u'/';
    if (!MakeFolder(folder))
        throw FolderError(QStringLiteral("cannot create the folder %1").arg(folder).toStdString());
    IniFile ini(HomeFilePath(file));
    ini.writeString(WorkFolderSection, WorkFolderKey, folder);
    ini.save();
}

RegistryStore LocalMachineRegistry()
{
    return RegistryStore(HomeFilePath(QStringLiteral("registry.ini")));
}

void SetupLocalServer()
{
    PrepareFirebirdLock();
}

QString MakerWebAddress(const QString &path)
{
    const IniFile ini(HomeFilePath(QStringLiteral("VekFree.ini")));
    return ini.readString(QStringLiteral("WebAddress"), QStringLiteral("Base"), DefaultMakerAddress) + path;
}

bool IsUrlReachable(const QString &url)
{
    return WebClient(ReachableIdleMs, ReachableDeadlineMs).isReachable(QUrl(url));
}

bool DownloadUrlToFile(const QString &url, const QString &file)
{
    return WebClient(DownloadIdleMs, DownloadDeadlineMs).download(QUrl(url), file);
}

void DelayMs(int ms)
{
    QElapsedTimer clock;
    clock.start();
    do {
        QThread::msleep(10);
        QCoreApplication::processEvents();
    } while (clock.elapsed() <= ms);
}

QSize ScreenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

bool IsInsideScreenX(int x)
{
    return x < ScreenSize().width();
}

bool IsInsideScreenY(int y)
{
    return y < ScreenSize().height();
}

bool HasDefaultPrinter()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    return !printer.isNull() && !printer.printerName().isEmpty();
}

int ExcelLastRow(int n)
{
    if (n <= 26)
        return 28;
    const int rest = (n - 26) % 28;
    return rest == 0 ? n + 2 : n + 30 - rest;
}

} // namespace vek
