#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vrel {

// One code point's UTF-8 form: one to four bytes.
struct Utf8Form {
    std::array<char, 4> bytes{};
    std::uint8_t size = 0;

    constexpr std::string_view View() const { return {bytes.data(), size}; }
};

constexpr Utf8Form EncodeUtf8(char32_t codePoint) {
    Utf8Form form;
    auto put = [&form](std::uint32_t byte) { form.bytes[form.size++] = static_cast<char>(byte); };
    const auto cp = static_cast<std::uint32_t>(codePoint);
    if (cp < 0x80) {
        put(cp);
    } else if (cp < 0x800) {
        put(0xC0 | (cp >> 6));
        put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        put(0xE0 | (cp >> 12));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    } else {
        put(0xF0 | (cp >> 18));
        put(0x80 | ((cp >> 12) & 0x3F));
        put(0x80 | ((cp >> 6) & 0x3F));
        put(0x80 | (cp & 0x3F));
    }
    return form;
}

inline void AppendUtf8(std::string& out, char32_t codePoint) {
    out += EncodeUtf8(codePoint).View();
}

}  // namespace vrel
