#include "archiver/ZipMessages.h"

#include <QRegularExpression>

namespace vek {
namespace {

// The disk prompts that stand in for the missing texts; %d, %.1d and %s take arguments.
QString EnglishPrompt(int id)
{
    switch (id) {
    case ZipMsg::NotEnoughSpace: return QStringLiteral("This disk has not enough free space available");
    case ZipMsg::InsertLastDisk: return QStringLiteral("Please insert last disk in set");
    case ZipMsg::InsertDiskOf: return QStringLiteral("Please insert disk volume %.1d of %.1d");
    case ZipMsg::InDrive: return QStringLiteral("\r\nin drive: %s");
    case ZipMsg::OverwriteFile: return QStringLiteral("Overwrite previous file %s");
    case ZipMsg::OverwriteDisk: return QStringLiteral("Overwrite previous disk no %d");
    case ZipMsg::InsertDisk: return QStringLiteral("Please insert disk volume %.1d");
    default: return QString();
    }
}

} // namespace

QString ZipMessageFallback()
{
    return QStringLiteral("ZipMsgXX.res is probably not linked to the executable\nMissing String ID is: ");
}

QString ZipMessageText(int id)
{
    const QString prompt = EnglishPrompt(id);
    if (!prompt.isEmpty())
        return prompt;
    return ZipMessageFallback() + QString::number(id);
}

QString ZipPromptText(int id, const QString &first, const QString &second)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\.1)?d|%s"));
    QString text = EnglishPrompt(id);
    qsizetype from = 0;
    for (const QString &argument : {first, second}) {
        const QRegularExpressionMatch match = placeholder.match(text, from);
        if (!match.hasMatch())
            break;
        text.replace(match.capturedStart(), match.capturedLength(), argument);
        from = match.capturedStart() + argument.size();
    }
    return text;
}

EZipMaster::EZipMaster(int id, const QString &extra, bool display)
    : id_(id), message_(ZipMessageText(id) + extra), utf8_(message_.toUtf8()), display_(display)
{
}

} // namespace vek
