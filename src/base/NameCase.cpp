#include "base/NameCase.h"

#include "base/Utf8.h"

namespace vrel {
namespace {

// Pairs of letters laid out upper, lower, upper, lower... from `first` to `last`.
constexpr bool InPairs(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last && (c - first) % 2 == 1;
}

// The capital of a letter, as Windows' table of capitals for names has it.
constexpr char32_t Capital(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return c - 0x20;
    }
    if (c < 0x80) {
        return c;
    }
    if (c == 0xFF) {
        return 0x178;  // ÿ
    }
    // Latin Extended-A (Central European and Turkish letters, Œ, Š, Ž); ı and ſ stay.
    if (InPairs(c, 0x100, 0x12F) || InPairs(c, 0x132, 0x137) || InPairs(c, 0x139, 0x148) ||
        InPairs(c, 0x14A, 0x177) || InPairs(c, 0x179, 0x17E)) {
        return c - 1;
    }
    if (c == 0x192) {
        return 0x191;  // ƒ
    }
    // Greek, with the final sigma and the letters with tonos.
    if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB)) {
        return c - 0x20;
    }
    switch (c) {
        case 0x3C2:
            return 0x3A3;
        case 0x3AC:
            return 0x386;
        case 0x3AD:
            return 0x388;
        case 0x3AE:
            return 0x389;
        case 0x3AF:
            return 0x38A;
        case 0x3CC:
            return 0x38C;
        case 0x3CD:
            return 0x38E;
        case 0x3CE:
            return 0x38F;
        default:
            break;
    }
    // Cyrillic: the basic alphabet, the letters of Serbian, Ukrainian and Belarusian, and the
    // paired letters after them.
    if (c >= 0x430 && c <= 0x44F) {
        return c - 0x20;
    }
    if (c >= 0x450 && c <= 0x45F) {
        return c - 0x50;
    }
    if (InPairs(c, 0x460, 0x481) || InPairs(c, 0x48A, 0x4BF) || InPairs(c, 0x4C1, 0x4CE) ||
        InPairs(c, 0x4D0, 0x4FF)) {
        return c - 1;
    }
    return c;
}

}  // namespace

std::string FoldNameCase(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        if (const auto codePoint = DecodeUtf8(utf8, pos)) {
            AppendUtf8(folded, Capital(*codePoint));
        } else {
            folded += utf8[start];
        }
    }
    return folded;
}

}  // namespace vrel
