#include "platform/ini/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <limits>

namespace vek {
namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

std::optional<QString> sectionOfLine(const QString &line)
{
    const QString text = line.trimmed();
    if (!text.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = text.indexOf(u']');
    return text.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

// The key of a "key=value" line; comments and lines without '=' hold none.
std::optional<QString> keyOfLine(const QString &line)
{
    const QString text = line.trimmed();
    const qsizetype equals = text.indexOf(u'=');
    if (text.startsWith(u';') || equals <= 0)
        return std::nullopt;
    return text.left(equals).trimmed();
}

QString valueOfLine(const QString &line)
{
    QString value = line.mid(line.indexOf(u'=') + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A line break inside a value would start a line of its own in the file.
QString oneLine(QString text)
{
    return text.replace(u'\r', u' ').replace(u'\n', u' ');
}

// Why a name would not read back as written: blanks around it are dropped when it is read,
// and a line break would start a line of its own.
bool readsBackAsWritten(const QString &name)
{
    return !name.isEmpty() && name == name.trimmed() && !name.contains(u'\n') && !name.contains(u'\r');
}

void requireSectionName(const QString &section)
{
    if (!readsBackAsWritten(section) || section.contains(u']'))
        throw IniNameError(QStringLiteral("ini 파일에 쓸 수 없는 섹션 이름입니다: \"%1\"").arg(section).toStdString());
}

// A key line is read up to its first '='; one that starts with '[' reads as a section and
// one that starts with ';' as a comment.
void requireKeyName(const QString &key)
{
    if (!readsBackAsWritten(key) || key.contains(u'=') || key.startsWith(u'[') || key.startsWith(u';'))
        throw IniNameError(QStringLiteral("ini 파일에 쓸 수 없는 키 이름입니다: \"%1\"").arg(key).toStdString());
}

} // namespace

IniFile::IniFile(const QString &path) : path_(path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.readAll();
    byteOrderMark_ = bytes.startsWith(Utf8Bom);
    if (byteOrderMark_)
        bytes.remove(0, Utf8Bom.size());
    const QString text = QString::fromUtf8(bytes);
    if (text.contains(QStringLiteral("\r\n")))
        newline_ = QStringLiteral("\r\n");
    lines_ = text.split(u'\n');
    if (text.endsWith(u'\n'))
        lines_.removeLast();
    for (QString &line : lines_) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
}

std::optional<IniFile::Range> IniFile::findSection(const QString &section) const
{
    for (int header = 0; header < lines_.size(); ++header) {
        const auto name = sectionOfLine(lines_[header]);
        if (!name || !sameName(*name, section))
            continue;
        int end = header + 1;
        while (end < lines_.size() && !sectionOfLine(lines_[end]))
            ++end;
        return Range(header, end);
    }
    return std::nullopt;
}

int IniFile::findKeyLine(const Range &range, const QString &key) const
{
    for (int line = range.first + 1; line < range.second; ++line) {
        const auto name = keyOfLine(lines_[line]);
        if (name && sameName(*name, key))
            return line;
    }
    return -1;
}

bool IniFile::hasSection(const QString &section) const
{
    return findSection(section).has_value();
}

QStringList IniFile::sections() const
{
    QStringList result;
    for (const QString &line : lines_) {
        if (const auto name = sectionOfLine(line))
            result.append(*name);
    }
    return result;
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList result;
    if (const auto range = findSection(section)) {
        for (int line = range->first + 1; line < range->second; ++line) {
            if (const auto name = keyOfLine(lines_[line]))
                result.append(*name);
        }
    }
    return result;
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const auto range = findSection(section);
    const int line = range ? findKeyLine(*range, key) : -1;
    if (line < 0)
        return std::nullopt;
    return valueOfLine(lines_[line]);
}

QString IniFile::readString(const QString &section, const QString &key, const QString &fallback) const
{
    return value(section, key).value_or(fallback);
}

int IniFile::readInteger(const QString &section, const QString &key, int fallback) const
{
    QString text = readString(section, key, QString());
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text.remove(0, 1);
    int base = 10;
    if (text.startsWith(u'$')) {
        text.remove(0, 1);
        base = 16;
    } else if (text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) {
        text.remove(0, 2);
        base = 16;
    }
    bool ok = false;
    const qint64 number = text.toLongLong(&ok, base) * (negative ? -1 : 1);
    // toLongLong accepts its own sign and surrounding blanks; only bare digits are a number here.
    if (!ok || text.isEmpty() || !text.front().isLetterOrNumber() || !text.back().isLetterOrNumber())
        return fallback;
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return fallback;
    return static_cast<int>(number);
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    requireSectionName(section);
    requireKeyName(key);
    const QString line = key + u'=' + oneLine(value);
    const auto range = findSection(section);
    if (!range) {
        lines_.append(u'[' + section + u']');
        lines_.append(line);
        return;
    }
    if (const int existing = findKeyLine(*range, key); existing >= 0) {
        lines_[existing] = line;
        return;
    }
    // After the section's last entry, so that blank lines before the next section stay there.
    int at = range->second;
    while (at - 1 > range->first && lines_[at - 1].trimmed().isEmpty())
        --at;
    lines_.insert(at, line);
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::addSection(const QString &section)
{
    requireSectionName(section);
    if (!hasSection(section))
        lines_.append(u'[' + section + u']');
}

bool IniFile::deleteKey(const QString &section, const QString &key)
{
    const auto range = findSection(section);
    const int line = range ? findKeyLine(*range, key) : -1;
    if (line < 0)
        return false;
    lines_.removeAt(line);
    return true;
}

bool IniFile::eraseSection(const QString &section)
{
    const auto range = findSection(section);
    if (!range)
        return false;
    lines_.remove(range->first, range->second - range->first);
    return true;
}

bool IniFile::save() const
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes = byteOrderMark_ ? Utf8Bom : QByteArray();
    for (const QString &line : lines_)
        bytes += (line + newline_).toUtf8();
    return file.write(bytes) == bytes.size() && file.commit();
}

} // namespace vek
