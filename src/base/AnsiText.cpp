#include "base/AnsiText.h"

#include <array>
#include <cstdint>

#include "base/Cp437.h"
#include "base/Utf8.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vrel {
#ifndef _WIN32
namespace {

// Unicode code points of bytes 0x80 to 0x9F; the other bytes map to the same code point. The five
// bytes that Windows-1252 leaves unassigned map to the control character of the same value, as
// the Windows conversion does.
constexpr std::array<char32_t, 32> kHighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t AnsiToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControlBlock[byte - 0x80];
    }
    return byte;
}

int CodePointToAnsi(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<int>(codePoint);
    }
    for (std::size_t i = 0; i < kHighControlBlock.size(); ++i) {
        if (kHighControlBlock[i] == codePoint) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

}  // namespace
#endif

namespace {

constexpr std::array<char, 256> MakeLowerTable() {
    std::array<char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        int lower = byte;
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
            lower = byte + 0x20;
        } else if (byte == 0x8A || byte == 0x8C || byte == 0x8E) {  // S and Z with caron, OE
            lower = byte + 0x10;
        } else if (byte == 0x9F) {  // Y with diaeresis
            lower = 0xFF;
        }
        table[static_cast<std::size_t>(byte)] = static_cast<char>(lower);
    }
    return table;
}

constexpr std::array<char, 256> kLowerTable = MakeLowerTable();

}  // namespace

char AnsiToLower(char c) {
    return kLowerTable[static_cast<unsigned char>(c)];
}

void AnsiToLowerInPlace(std::string& text) {
    for (char& c : text) {
        c = kLowerTable[static_cast<unsigned char>(c)];
    }
}

std::string AnsiToLower(std::string_view text) {
    std::string lower(text);
    AnsiToLowerInPlace(lower);
    return lower;
}

#ifdef _WIN32
namespace {

// Text in one Windows code page as UTF-16, and back; a character the target code page lacks
// becomes '?', never a look-alike.
std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string FromWide(UINT codePage, std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace

// On Windows the 8-bit text is in the system's ANSI code page (1252, 1251, 1250, ...), as the game
// and every other program there reads it.
std::string AnsiToUtf8(std::string_view ansi) {
    return FromWide(CP_UTF8, ToWide(CP_ACP, ansi));
}

std::string Utf8ToAnsi(std::string_view utf8) {
    return FromWide(CP_ACP, ToWide(CP_UTF8, utf8));
}

std::string OemToUtf8(std::string_view oem) {
    return FromWide(CP_UTF8, ToWide(CP_OEMCP, oem));
}
#else
std::string OemToUtf8(std::string_view oem) {
    return Cp437TextToUtf8(oem);
}

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi) {
        AppendUtf8(out, AnsiToCodePoint(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto codePoint = DecodeUtf8(utf8, pos);
        const int byte = codePoint ? CodePointToAnsi(*codePoint) : -1;
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}
#endif

bool AnsiHolds(std::string_view utf8) {
    return AnsiToUtf8(Utf8ToAnsi(utf8)) == utf8;
}

#ifdef _WIN32
// The game and the mods' authors name files in the system's ANSI code page, so a member name
// reaches the file system through that code page, whatever the compiler's own narrow-path rule.
std::filesystem::path AnsiToNativePath(std::string_view ansi) {
    return std::filesystem::path(ToWide(CP_ACP, ansi));
}

std::string NativePathToAnsi(const std::filesystem::path& path) {
    return FromWide(CP_ACP, path.native());
}
#else
std::filesystem::path AnsiToNativePath(std::string_view ansi) {
    return std::filesystem::path(AnsiToUtf8(ansi));
}

std::string NativePathToAnsi(const std::filesystem::path& path) {
    return Utf8ToAnsi(path.string());
}
#endif

std::filesystem::path DisplayToPath(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string ErrorToDisplay(const std::error_code& error) {
#ifdef _WIN32
    return AnsiToUtf8(error.message());
#else
    return error.message();
#endif
}

std::string DescribePathError(const std::filesystem::path& path, const std::error_code& error) {
    return error ? PathToDisplay(path) + ": " + ErrorToDisplay(error) : PathToDisplay(path);
}

std::string PathToDisplay(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

}  // namespace vrel
