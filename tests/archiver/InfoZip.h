#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace vek {

// Info-ZIP's zip and unzip, run as an independent check of the archives the component
// writes and as the maker of the archives it reads.
struct ToolRun {
    int exitCode = -1;
    QString output; // stdout and stderr
};

// Runs program with arguments in folder; input goes to its stdin.
ToolRun RunTool(const QString &program, const QStringList &arguments, const QString &folder,
                const QByteArray &input = QByteArray());
// True when `unzip -t` accepts archive; output tells why not. A password goes to -P.
bool UnzipAccepts(const QString &archive, QString *output = nullptr, const QString &password = QString());
// What `unzip -Z -v` says of each entry of archive: its fields by their names
// ("compression method", "file security status", ...), by entry name.
QMap<QString, QMap<QString, QString>> ZipInfoEntries(const QString &archive);

} // namespace vek
