#include "tests/archiver/InfoZip.h"

#include <QFileInfo>
#include <QProcess>

namespace vek {

ToolRun RunTool(const QString &program, const QStringList &arguments, const QString &folder, const QByteArray &input)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForStarted()) {
        run.output = program + QStringLiteral(" did not start");
        return run;
    }
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}

bool UnzipAccepts(const QString &archive, QString *output, const QString &password)
{
    QStringList arguments{QStringLiteral("-t")};
    if (!password.isEmpty())
        arguments << QStringLiteral("-P") << password;
    const ToolRun run = RunTool(QStringLiteral("unzip"), arguments << archive, QFileInfo(archive).absolutePath());
    if (output)
        *output = run.output;
    return run.exitCode == 0;
}

QMap<QString, QMap<QString, QString>> ZipInfoEntries(const QString &archive)
{
    const ToolRun run = RunTool(QStringLiteral("unzip"), {QStringLiteral("-Z"), QStringLiteral("-v"), archive},
                                QFileInfo(archive).absolutePath());
    QMap<QString, QMap<QString, QString>> entries;
    const QStringList lines = run.output.split(QLatin1Char('\n'));
    QString current;
    QString previous; // the name stands on the last line before the offset's
    for (const QString &line : lines) {
        if (line.trimmed().startsWith(QLatin1String("offset of local header"))) {
            current = previous;
            entries[current];
        }
        if (line.startsWith(QLatin1String("Central directory entry #")))
            current.clear();
        else if (!current.isEmpty() && line.contains(QLatin1String(":  ")))
            entries[current][line.left(line.indexOf(QLatin1Char(':'))).trimmed()] =
                line.mid(line.indexOf(QLatin1Char(':')) + 1).trimmed();
        if (!line.trimmed().isEmpty())
            previous = line.trimmed();
    }
    return entries;
}

} // namespace vek
