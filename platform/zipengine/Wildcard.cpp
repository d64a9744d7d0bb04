#include "platform/zipengine/Wildcard.h"

#include <algorithm>
#include <vector>

namespace vek {
namespace {

char32_t Fold(char32_t c)
{
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// The characters of UTF-8 text, ASCII letters folded; a byte that starts no valid
// sequence counts as one character of its own.
std::vector<char32_t> FoldedCharacters(std::string_view text)
{
    std::vector<char32_t> result;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        size_t taken = 1;
        while (taken < length && i + taken < text.size() && (static_cast<unsigned char>(text[i + taken]) & 0xC0) == 0x80)
            c = (c << 6) | (static_cast<unsigned char>(text[i + taken++]) & 0x3F);
        if (taken != length) { // broken sequence: its lead byte alone
            c = lead | 0x110000;
            taken = 1;
        }
        result.push_back(Fold(c));
        i += taken;
    }
    return result;
}

} // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name)
{
    const std::vector<char32_t> p = FoldedCharacters(pattern);
    const std::vector<char32_t> n = FoldedCharacters(name);
    // Greedy matching that goes back to the last '*' on a mismatch.
    size_t pi = 0, ni = 0, starAt = p.size(), starName = 0;
    while (ni < n.size()) {
        if (pi < p.size() && p[pi] == '*') {
            starAt = pi++;
            starName = ni;
        } else if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (starAt < p.size()) {
            pi = starAt + 1;
            ni = ++starName;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

bool HasStoredSuffix(std::string_view list, std::string_view name)
{
    while (!list.empty()) {
        const size_t colon = list.find(':');
        const std::string_view suffix = list.substr(0, colon);
        if (!suffix.empty() && suffix.size() <= name.size()) {
            const std::string_view end = name.substr(name.size() - suffix.size());
            if (std::equal(end.begin(), end.end(), suffix.begin(), [](char a, char b) { return Fold(a) == Fold(b); }))
                return true;
        }
        if (colon == std::string_view::npos)
            break;
        list.remove_prefix(colon + 1);
    }
    return false;
}

} // namespace vek
