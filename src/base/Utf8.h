#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vrel {

// One code point's UTF-8 form: one to four bytes.
struct Utf8Form {
    std::array<char, 4> Bytes{};
    std::uint8_t Size = 0;

    constexpr std::string_view View() const { return {Bytes.data(), Size}; }
};

constexpr Utf8Form EncodeUtf8(char32_t codePoint) {
    Utf8Form form;
    auto put = [&form](std::uint32_t byte) { form.Bytes[form.Size++] = static_cast<char>(byte); };
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

// The code point whose UTF-8 form starts at `pos`, which moves past it; nothing for a byte that
// starts no well-formed form (cut, overlong, a surrogate, beyond U+10FFFF), and `pos` moves past
// that one byte.
constexpr std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    // Leads above F4 start no form: F8 to FF would pass the mask of a four-byte lead.
    const std::size_t length = lead > 0xF4    ? 0
                               : lead >= 0xF0 ? 4
                               : lead >= 0xE0 ? 3
                               : lead >= 0xC0 ? 2
                                              : 0;
    if (length == 0 || pos - 1 + length > text.size()) {
        return std::nullopt;
    }
    std::uint32_t cp = lead & (0xFFu >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[pos - 1 + k]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        cp = (cp << 6) | (next & 0x3Fu);
    }
    constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += length - 1;
    return static_cast<char32_t>(cp);
}

// The text with each control character as its Unicode picture (U+2400 to U+241F, U+2421 for DEL),
// so that a tab or a line end in a name neither splits a line nor hides itself.
inline std::string WithControlPictures(std::string_view utf8) {
    std::string shown;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            AppendUtf8(shown, byte == 0x7F ? U'\u2421' : static_cast<char32_t>(0x2400 + byte));
        } else {
            shown += c;
        }
    }
    return shown;
}

// Whether `text` is well-formed UTF-8 throughout.
constexpr bool IsUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (!DecodeUtf8(text, pos)) {
            return false;
        }
    }
    return true;
}

}  // namespace vrel
