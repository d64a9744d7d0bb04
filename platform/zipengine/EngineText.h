#pragma once

#include <string>
#include <string_view>

namespace vek {

// Texts cross the engine's records as UTF-8 and lie in archives as CP949 bytes, as the
// estimator's Windows system wrote them: entry names, comments and passwords.
struct ArchiveText {
    std::string bytes;
    bool utf8 = false; // CP949 cannot hold the text: its UTF-8 bytes, to be flagged as such
};

// The archive bytes of utf8: its CP949 form, or the UTF-8 itself when CP949 cannot hold it.
ArchiveText ToArchiveText(std::string_view utf8);
// The UTF-8 text of archive bytes: UTF-8 when flagged so, or when a Unix host wrote them
// and they read as UTF-8 (as Linux tools store names); CP949 otherwise, every byte that is
// no CP949 letter read as '?'.
std::string FromArchiveText(std::string_view bytes, bool utf8Flag, bool unixHost);
// True when bytes are valid UTF-8.
bool IsUtf8(std::string_view bytes);

} // namespace vek
