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

bool UnzipAccepts(const QString &archive, QString *output)
{
    const ToolRun run = RunTool(QStringLiteral("unzip"), {QStringLiteral("-t"), archive},
                                QFileInfo(archive).absolutePath());
    if (output)
        *output = run.output;
    return run.exitCode == 0;
}

} // namespace vek
