#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>
#include <utility>

namespace vek {

// A section or key name that the file would read back as something else; the message
// names it.
class IniNameError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An ini file with the Windows profile semantics the program's settings were written for:
// plain UTF-8 text, section and key names kept literally (Korean names too) and matched
// without regard to case, values taken as written (a backslash is an ordinary character,
// surrounding blanks and one pair of surrounding quotes are dropped). Writing one key
// changes only that key's line; every other line, comment and blank stays as it was.
class IniFile {
public:
    // Reads the file at path; a missing or unreadable file reads as empty.
    explicit IniFile(const QString &path);

    const QString &path() const { return path_; }

    bool hasSection(const QString &section) const;
    QStringList sections() const;
    QStringList keys(const QString &section) const;

    std::optional<QString> value(const QString &section, const QString &key) const;
    QString readString(const QString &section, const QString &key, const QString &fallback) const;
    // The integer under section/key (decimal, or hexadecimal with "$" or "0x"), else fallback.
    int readInteger(const QString &section, const QString &key, int fallback) const;

    // Replaces the key's line, or adds the key at the end of its section, or adds the
    // section at the end of the file. A name that cannot be read back as written (empty,
    // with blanks around it or a line break in it, a key with '=' or starting with '[' or
    // ';', a section with ']') throws IniNameError and changes nothing.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    // Adds an empty section when there is none of that name; throws IniNameError as above.
    void addSection(const QString &section);
    bool deleteKey(const QString &section, const QString &key);
    // Removes the section's header and every line up to the next section.
    bool eraseSection(const QString &section);

    // Writes the whole text to a temporary file beside the target and renames it over the
    // target, so that a reader never sees half a file. False when that fails.
    bool save() const;

private:
    using Range = std::pair<int, int>; // [header line, end of section)
    std::optional<Range> findSection(const QString &section) const;
    int findKeyLine(const Range &range, const QString &key) const;

    QString path_;
    QStringList lines_;
    QString newline_ = QStringLiteral("\n");
    bool byteOrderMark_ = false;
};

} // namespace vek
