#pragma once

#include <string_view>

namespace vek {

// Patterns as the estimator's Windows system matched them: '*' stands for any run of
// characters, '?' for one character, and ASCII letters match regardless of case ("*.gdb"
// takes "VEKTMP.GDB"); every other character stands for itself, '[' too. Texts are UTF-8.
bool WildcardMatch(std::string_view pattern, std::string_view name);
// True when name ends in one of the suffixes of list, separated by ':' (".gif:.zip"),
// ignoring ASCII case.
bool HasStoredSuffix(std::string_view list, std::string_view name);

} // namespace vek
