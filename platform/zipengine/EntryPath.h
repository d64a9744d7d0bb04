#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

// Entry names, as any tool may have written them: '/' and '\' both separate folders.

// The name with every '\' turned into '/'.
std::string WithSlashes(std::string_view name);
// The file-name part: what follows the last separator, or a drive "X:" at the start.
std::string_view FileNamePart(std::string_view name);
// True when the entry stands for a folder: its name ends in a separator.
bool IsFolderEntry(std::string_view name);
// The parts of the path, below the target folder, that the entry name is extracted to.
// With folderNames: its folders and file name, empty and "." parts left out; nothing
// when the name is absolute ('/' or '\' first, or a drive "X:") or has a ".." part.
// Without: the file-name part alone; nothing when that is empty, "." or "..".
std::optional<std::vector<std::string>> TargetParts(std::string_view name, bool folderNames);
// True when a pattern names the entry: one with a separator is matched against the
// whole name, one without against the file-name part.
bool SpecMatchesEntry(std::string_view spec, std::string_view name);

} // namespace vek
