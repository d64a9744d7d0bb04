#pragma once

#include <QString>

#include <optional>

namespace vek {

// The keys the program and its backup library keep under HKEY_LOCAL_MACHINE, stored in
// one ini file: a key path such as "\SOFTWARE\KavroSft\ZipList" is a section of that
// name (without the outer backslashes, matched without regard to case), each value one
// line of it. Every call reads the file afresh and every change is written at once, so
// that the two deliverables see each other's values.
class RegistryStore {
public:
    explicit RegistryStore(const QString &filePath) : filePath_(filePath) {}

    const QString &filePath() const { return filePath_; }

    // True when the key or a key below it exists.
    bool keyExists(const QString &keyPath) const;
    bool createKey(const QString &keyPath);
    // Deletes the key with every key below it; false when there was none or saving failed.
    bool deleteKey(const QString &keyPath);

    bool valueExists(const QString &keyPath, const QString &name) const;
    std::optional<QString> readString(const QString &keyPath, const QString &name) const;
    // The value as a decimal integer; nothing when it is missing or not a number.
    std::optional<int> readInteger(const QString &keyPath, const QString &name) const;
    // Writing a value creates its key. False when the file cannot be written.
    bool writeString(const QString &keyPath, const QString &name, const QString &value);
    bool writeInteger(const QString &keyPath, const QString &name, int value);
    bool deleteValue(const QString &keyPath, const QString &name);

private:
    QString filePath_;
};

} // namespace vek
