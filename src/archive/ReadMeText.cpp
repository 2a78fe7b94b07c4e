#include "archive/ReadMeText.h"

#include <algorithm>

#include "archive/NewMemberName.h"
#include "base/AnsiText.h"
#include "base/Cp437.h"
#include "base/Utf8.h"

namespace vrel {

bool IsReadMeName(const std::string& fileName, const std::string& modName) {
    const std::string lower = AnsiToLower(fileName);
    const std::string mod = AnsiToLower(modName);
    if (lower.starts_with("readme") && lower.ends_with(".txt")) {
        return true;
    }
    return !mod.empty() && (lower == mod + ".txt" || lower == mod + ".nfo");
}

namespace {

// Code page 437's lines, corners and blocks (0xB0 to 0xDF) as their ASCII look-alikes.
std::string NfoArtAsAscii(std::string text) {
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0xB0 || byte > 0xDF) {
            continue;
        }
        if (byte <= 0xB2 || byte >= 0xDB) {
            c = '#';
        } else if (byte == 0xB3 || byte == 0xBA) {
            c = '|';
        } else if (byte == 0xC4 || byte == 0xCD) {
            c = '-';
        } else {
            c = '+';
        }
    }
    return text;
}

// UTF-16 text after its byte-order mark as UTF-8; nothing when it is cut or a surrogate stands
// alone.
std::optional<std::string> Utf16ToUtf8(std::span<const std::uint8_t> bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    const auto unit = [&](std::size_t i) {
        const auto first = static_cast<char32_t>(bytes[i]);
        const auto second = static_cast<char32_t>(bytes[i + 1]);
        return bigEndian ? first << 8 | second : second << 8 | first;
    };
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t code = unit(i);
        if (code >= 0xDC00 && code <= 0xDFFF) {
            return std::nullopt;
        }
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 3 >= bytes.size() || unit(i + 2) < 0xDC00 || unit(i + 2) > 0xDFFF) {
                return std::nullopt;
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        }
        AppendUtf8(text, code);
    }
    return text;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> DescriptionText(const std::string& path,
                                                         std::span<const std::uint8_t> content) {
    std::string text(content.begin(), content.end());
    bool marked = text.starts_with("\xEF\xBB\xBF");
    if (marked) {
        text.erase(0, 3);
    } else if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        // Notepad's "Unicode" read-mes: taken as the text the player reads, not as its bytes.
        auto utf8 = Utf16ToUtf8(content.subspan(2), text[0] == '\xFE');
        if (!utf8) {
            return std::nullopt;
        }
        text = std::move(*utf8);
        marked = true;
    }
    const bool plainAscii =
        std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
    if (plainAscii) {
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }
    if (!marked && !IsUtf8(text)) {
        if (!AnsiToLower(path).ends_with(".nfo")) {
            return std::vector<std::uint8_t>(text.begin(), text.end());  // already 8-bit text
        }
        // NFO files are in the old console's code page, their art drawn with its lines and
        // blocks, which no Windows code page has: drawn again in ASCII, the text stays readable.
        const std::string ansi = Utf8ToAnsi(Cp437TextToUtf8(NfoArtAsAscii(text)));
        return std::vector<std::uint8_t>(ansi.begin(), ansi.end());
    }
    auto ansi = StrictUtf8ToAnsi(text);
    if (!ansi) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(ansi->begin(), ansi->end());
}

}  // namespace vrel
