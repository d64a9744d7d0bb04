#include "platform/zipengine/EntryPath.h"

#include "platform/zipengine/Wildcard.h"

#include <algorithm>

namespace vek {
namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool HasDrive(std::string_view name)
{
    return name.size() >= 2 && name[1] == ':' && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

} // namespace

std::string WithSlashes(std::string_view name)
{
    std::string result(name);
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

std::string_view FileNamePart(std::string_view name)
{
    if (HasDrive(name))
        name.remove_prefix(2);
    const auto last = std::find_if(name.rbegin(), name.rend(), IsSeparator);
    return name.substr(size_t(name.rend() - last));
}

bool IsFolderEntry(std::string_view name)
{
    return !name.empty() && IsSeparator(name.back());
}

std::optional<std::vector<std::string>> TargetParts(std::string_view name, bool folderNames)
{
    if (!folderNames) {
        const std::string_view file = FileNamePart(name);
        if (file.empty() || file == "." || file == "..")
            return std::nullopt;
        return std::vector<std::string>{std::string(file)};
    }
    if (name.empty() || IsSeparator(name.front()) || HasDrive(name))
        return std::nullopt;
    std::vector<std::string> parts;
    while (!name.empty()) {
        const auto end = std::find_if(name.begin(), name.end(), IsSeparator);
        const std::string_view part = name.substr(0, size_t(end - name.begin()));
        if (part == "..")
            return std::nullopt;
        if (!part.empty() && part != ".")
            parts.emplace_back(part);
        name.remove_prefix(std::min(name.size(), part.size() + 1));
    }
    if (parts.empty())
        return std::nullopt;
    return parts;
}

bool SpecMatchesEntry(std::string_view spec, std::string_view name)
{
    if (std::any_of(spec.begin(), spec.end(), IsSeparator))
        return WildcardMatch(WithSlashes(spec), WithSlashes(name));
    return WildcardMatch(spec, FileNamePart(name));
}

} // namespace vek
