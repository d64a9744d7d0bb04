#include "tests/support/WorkbookReader.h"

#include <QJsonDocument>
#include <QProcess>

#include <stdexcept>

namespace vek {
namespace {

constexpr int ReaderTimeoutMs = 120000;

} // namespace

WorkbookReader::WorkbookReader(const QString &path)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(VEK_WORKBOOK_READER), path});
    if (!python.waitForFinished(ReaderTimeoutMs) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0)
        throw std::runtime_error("the workbook reader failed on " + path.toStdString() + ": " +
                                 python.readAllStandardError().toStdString());
    QJsonParseError error;
    json_ = QJsonDocument::fromJson(python.readAllStandardOutput(), &error).object();
    if (error.error != QJsonParseError::NoError)
        throw std::runtime_error("the workbook reader's answer is no JSON: " + error.errorString().toStdString());
}

QStringList WorkbookReader::sheetNames() const
{
    QStringList names;
    for (const QJsonValue &sheet : json_.value("sheets").toArray())
        names.append(sheet.toObject().value("title").toString());
    return names;
}

QString WorkbookReader::activeSheet() const
{
    return json_.value("active").toString();
}

QJsonObject WorkbookReader::sheet(const QString &name) const
{
    for (const QJsonValue &sheet : json_.value("sheets").toArray())
        if (sheet.toObject().value("title").toString() == name)
            return sheet.toObject();
    throw std::runtime_error("the workbook has no sheet " + name.toStdString());
}

QJsonObject WorkbookReader::cells(const QString &sheetName) const
{
    return sheet(sheetName).value("cells").toObject();
}

QJsonObject WorkbookReader::cell(const QString &sheetName, const QString &address) const
{
    return cells(sheetName).value(address).toObject();
}

QJsonValue WorkbookReader::value(const QString &sheetName, const QString &address) const
{
    const QJsonValue value = cell(sheetName, address).value("value");
    return value.isUndefined() ? QJsonValue(QJsonValue::Null) : value;
}

QJsonObject WorkbookReader::column(const QString &sheetName, int number) const
{
    for (const QJsonValue &entry : sheet(sheetName).value("columns").toArray()) {
        const QJsonObject column = entry.toObject();
        if (column.value("min").toInt() <= number && number <= column.value("max").toInt())
            return column;
    }
    return {};
}

} // namespace vek
