#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// Letter case of ASCII text: file names on a file system that tells case apart, registry key and
// value names, switches. Text in the ANSI code page has its own lower-casing (AnsiText.h).
namespace vrel {

constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiToLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    return lower;
}

// Whether two names are equal ignoring the case of ASCII letters.
constexpr bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

constexpr bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && SameNameIgnoringCase(text.substr(0, start.size()), start);
}

}  // namespace vrel
