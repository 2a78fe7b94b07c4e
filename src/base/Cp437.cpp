#include "base/Cp437.h"

#include <array>
#include <cstdint>

#include "base/Utf8.h"

namespace vrel {
namespace {

constexpr std::array<char16_t, 32> kControlGlyphs = {
    u' ',      u'\u263A', u'\u263B', u'\u2665', u'\u2666', u'\u2663', u'\u2660', u'\u2022',
    u'\u25D8', u'\t',     u'\n',     u'\u2642', u'\u2640', u'\u266A', u'\u266B', u'\u263C',
    u'\u25BA', u'\u25C4', u'\u2195', u'\u203C', u'\u00B6', u'\u00A7', u'\u25AC', u'\u21A8',
    u'\u2191', u'\u2193', u'\u2192', u'\u2190', u'\u221F', u'\u2194', u'\u25B2', u'\u25BC'};

constexpr std::array<char16_t, 128> kHighHalf = {
    // 0x80
    u'\u00C7', u'\u00FC', u'\u00E9', u'\u00E2', u'\u00E4', u'\u00E0', u'\u00E5', u'\u00E7',
    u'\u00EA', u'\u00EB', u'\u00E8', u'\u00EF', u'\u00EE', u'\u00EC', u'\u00C4', u'\u00C5',
    // 0x90
    u'\u00C9', u'\u00E6', u'\u00C6', u'\u00F4', u'\u00F6', u'\u00F2', u'\u00FB', u'\u00F9',
    u'\u00FF', u'\u00D6', u'\u00DC', u'\u00A2', u'\u00A3', u'\u00A5', u'\u20A7', u'\u0192',
    // 0xA0
    u'\u00E1', u'\u00ED', u'\u00F3', u'\u00FA', u'\u00F1', u'\u00D1', u'\u00AA', u'\u00BA',
    u'\u00BF', u'\u2310', u'\u00AC', u'\u00BD', u'\u00BC', u'\u00A1', u'\u00AB', u'\u00BB',
    // 0xB0
    u'\u2591', u'\u2592', u'\u2593', u'\u2502', u'\u2524', u'\u2561', u'\u2562', u'\u2556',
    u'\u2555', u'\u2563', u'\u2551', u'\u2557', u'\u255D', u'\u255C', u'\u255B', u'\u2510',
    // 0xC0
    u'\u2514', u'\u2534', u'\u252C', u'\u251C', u'\u2500', u'\u253C', u'\u255E', u'\u255F',
    u'\u255A', u'\u2554', u'\u2569', u'\u2566', u'\u2560', u'\u2550', u'\u256C', u'\u2567',
    // 0xD0
    u'\u2568', u'\u2564', u'\u2565', u'\u2559', u'\u2558', u'\u2552', u'\u2553', u'\u256B',
    u'\u256A', u'\u2518', u'\u250C', u'\u2588', u'\u2584', u'\u258C', u'\u2590', u'\u2580',
    // 0xE0
    u'\u03B1', u'\u00DF', u'\u0393', u'\u03C0', u'\u03A3', u'\u03C3', u'\u00B5', u'\u03C4',
    u'\u03A6', u'\u0398', u'\u03A9', u'\u03B4', u'\u221E', u'\u03C6', u'\u03B5', u'\u2229',
    // 0xF0
    u'\u2261', u'\u00B1', u'\u2265', u'\u2264', u'\u2320', u'\u2321', u'\u00F7', u'\u2248',
    u'\u00B0', u'\u2219', u'\u00B7', u'\u221A', u'\u207F', u'\u00B2', u'\u25A0', u'\u00A0'};

constexpr char32_t CodePointOf(unsigned byte) {
    if (byte < 0x20) {
        return kControlGlyphs[byte];
    }
    if (byte == 0x7F) {
        return U'\u2302';
    }
    if (byte < 0x80) {
        return byte;
    }
    return kHighHalf[byte - 0x80];
}

// Each byte's UTF-8 form, worked out once.
constexpr std::array<Utf8Form, 256> BuildUtf8Table() {
    std::array<Utf8Form, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        table[byte] = EncodeUtf8(CodePointOf(byte));
    }
    return table;
}

constexpr std::array<Utf8Form, 256> kUtf8Table = BuildUtf8Table();

}  // namespace

void AppendCp437AsUtf8(std::string_view bytes, std::string& utf8) {
    for (const char c : bytes) {
        const Utf8Form& form = kUtf8Table[static_cast<unsigned char>(c)];
        utf8 += form.View();
    }
}

std::string Cp437TextToUtf8(std::string_view bytes) {
    std::string utf8;
    utf8.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += kUtf8Table[byte].View();
        }
    }
    return utf8;
}

}  // namespace vrel
