#include "base/NameCase.h"

#include <array>
#include <utility>

#include "base/Utf8.h"

namespace vrel {
namespace {

// Pairs of letters laid out upper, lower, upper, lower... from `first` to `last`.
constexpr bool InPairs(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last && (c - first) % 2 == 1;
}

// Greek letters outside the runs: the final sigma and the vowels with tonos.
constexpr std::array<std::pair<char32_t, char32_t>, 8> kGreekSingles = {{{0x3C2, 0x3A3},
                                                                         {0x3AC, 0x386},
                                                                         {0x3AD, 0x388},
                                                                         {0x3AE, 0x389},
                                                                         {0x3AF, 0x38A},
                                                                         {0x3CC, 0x38C},
                                                                         {0x3CD, 0x38E},
                                                                         {0x3CE, 0x38F}}};

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
    // Greek.
    if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB)) {
        return c - 0x20;
    }
    for (const auto& [lower, upper] : kGreekSingles) {
        if (c == lower) {
            return upper;
        }
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

std::vector<std::optional<std::size_t>> MatchFileNames(const std::vector<std::string>& wanted,
                                                       const std::vector<std::string>& present) {
    std::vector<std::optional<std::size_t>> matches(wanted.size());
    std::vector<bool> taken(present.size(), false);
    const auto take = [&](auto same) {
        for (std::size_t w = 0; w < wanted.size(); ++w) {
            for (std::size_t p = 0; p < present.size() && !matches[w]; ++p) {
                if (!taken[p] && same(wanted[w], p)) {
                    taken[p] = true;
                    matches[w] = p;
                }
            }
        }
    };
    take([&](const std::string& name, std::size_t p) { return name == present[p]; });
    std::vector<std::string> folded;
    for (const std::string& name : present) {
        folded.push_back(FoldNameCase(name));
    }
    take([&](const std::string& name, std::size_t p) { return FoldNameCase(name) == folded[p]; });
    return matches;
}

}  // namespace vrel
