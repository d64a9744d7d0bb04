#pragma once

#include <QString>

#include <optional>

namespace vek {

// The numbered part files that hold one archive spread over several parts in one folder.
// Part k (counted from 0) is the archive's name with the last three characters before
// its extension replaced by the last three digits of 1001 + k: "BakUp.Zip" is held by
// "Ba001.Zip", "Ba002.Zip", ..., the last part numbered too.
class PartSet {
public:
    // Three digits number at most 999 parts.
    static constexpr int MaxParts = 999;

    // The parts that hold archive.
    explicit PartSet(const QString &archive);
    // The set whose part name is, when its name ends in three digits before the extension.
    static std::optional<PartSet> OfPart(const QString &name);

    QString Folder() const { return folder_; }
    // The path of part disk (from 0).
    QString Part(int disk) const;
    // The highest-numbered part in the folder; -1 when there is none.
    int HighestPresent() const;

private:
    PartSet() = default;

    QString folder_;
    QString head_;      // the name before the three digits
    QString extension_; // with its dot; empty when the name has none
};

} // namespace vek
