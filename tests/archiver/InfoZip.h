#pragma once

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
// True when `unzip -t` accepts archive; output tells why not.
bool UnzipAccepts(const QString &archive, QString *output = nullptr);

} // namespace vek
