#include "platform/posix/WineRegFile.h"

#include <algorithm>
#include <cstdint>

#include "base/AsciiCase.h"
#include "base/Utf8.h"

namespace vrel {
namespace {

constexpr std::string_view kFileHeader = "WINE REGISTRY Version ";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = AsciiLower(c);
    if (lower >= 'a' && lower <= 'f') {
        return lower - 'a' + 10;
    }
    return -1;
}

// Escaped characters are UTF-16 code units; pairs of surrogates join into one character.
class Utf16Sink {
public:
    explicit Utf16Sink(std::string& out) : out_(out) {}
    void Unit(std::uint32_t unit) {
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            Flush();
            high_ = unit;
            return;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF && high_ != 0) {
            AppendUtf8(out_, 0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00));
            high_ = 0;
            return;
        }
        Flush();
        AppendUtf8(out_, unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
    }
    void Byte(char c) {
        Flush();
        out_ += c;
    }
    void Flush() {
        if (high_ != 0) {
            AppendUtf8(out_, 0xFFFD);
            high_ = 0;
        }
    }

private:
    std::string& out_;
    std::uint32_t high_ = 0;
};

// Reads up to `maxDigits` digits of base 8 or 16 at `text[i]`; the number of digits read.
std::size_t ReadNumber(std::string_view text, std::size_t i, int base, std::size_t maxDigits,
                       std::uint32_t& number) {
    std::size_t count = 0;
    number = 0;
    while (count < maxDigits && i + count < text.size()) {
        const int digit = HexDigit(text[i + count]);
        if (digit < 0 || digit >= base) {
            break;
        }
        number = number * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
        ++count;
    }
    return count;
}

// The logical lines of the file, with the continuation lines of long hex data joined.
std::vector<std::string> LogicalLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!current.empty()) {
            while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
                line.remove_prefix(1);
            }
        }
        current += line;
        // Only long hex data goes on in the next line.
        if (!current.empty() && current.back() == '\\' &&
            current.find("=hex") != std::string::npos) {
            current.pop_back();
            continue;
        }
        lines.push_back(std::move(current));
        current.clear();
    }
    if (!current.empty()) {
        lines.push_back(std::move(current));
    }
    return lines;
}

bool SameKeyPath(std::string_view a, std::string_view b) {
    while (!a.empty() && a.back() == '\\') {
        a.remove_suffix(1);
    }
    while (!b.empty() && b.back() == '\\') {
        b.remove_suffix(1);
    }
    return SameNameIgnoringCase(a, b);
}

// The text from `quoted[1]` up to the unescaped `terminator`, escapes undone and made UTF-8;
// `consumed` receives the length through the terminator. Nothing when it is not terminated.
std::optional<std::string> Unescape(std::string_view quoted, char terminator,
                                    std::size_t& consumed) {
    std::string out;
    Utf16Sink sink(out);
    std::size_t i = 1;
    while (i < quoted.size()) {
        const char c = quoted[i];
        if (c == terminator) {
            sink.Flush();
            consumed = i + 1;
            return out;
        }
        if (c != '\\') {
            sink.Byte(c);
            ++i;
            continue;
        }
        if (i + 1 >= quoted.size()) {
            return std::nullopt;
        }
        const char escape = quoted[i + 1];
        i += 2;
        std::uint32_t number = 0;
        switch (escape) {
            case 'a':
                sink.Unit('\a');
                break;
            case 'b':
                sink.Unit('\b');
                break;
            case 'e':
                sink.Unit(0x1B);
                break;
            case 'f':
                sink.Unit('\f');
                break;
            case 'n':
                sink.Unit('\n');
                break;
            case 'r':
                sink.Unit('\r');
                break;
            case 't':
                sink.Unit('\t');
                break;
            case 'v':
                sink.Unit('\v');
                break;
            case 'x': {
                const std::size_t digits = ReadNumber(quoted, i, 16, 4, number);
                if (digits == 0) {
                    sink.Byte('x');
                } else {
                    sink.Unit(number);
                    i += digits;
                }
                break;
            }
            default:
                if (escape >= '0' && escape <= '7') {
                    const std::size_t digits = ReadNumber(quoted, i - 1, 8, 3, number);
                    sink.Unit(number);
                    i += digits - 1;
                } else {
                    sink.Byte(escape);
                }
                break;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> UnquoteWineString(std::string_view quoted, std::size_t& consumed) {
    if (quoted.empty() || quoted.front() != '"') {
        return std::nullopt;
    }
    return Unescape(quoted, '"', consumed);
}

std::optional<WineRegKey> FindWineRegKey(std::string_view fileText, std::string_view keyPath) {
    if (fileText.substr(0, kFileHeader.size()) != kFileHeader) {
        return std::nullopt;
    }
    std::optional<WineRegKey> found;
    bool inKey = false;
    for (const std::string& line : LogicalLines(fileText)) {
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            if (found) {
                break;
            }
            std::size_t consumed = 0;
            const auto name = Unescape(line, ']', consumed);
            inKey = name && SameKeyPath(*name, keyPath);
            if (inKey) {
                found.emplace();
            }
            continue;
        }
        if (!inKey) {
            continue;
        }
        std::string valueName;
        std::size_t nameEnd = 0;
        if (line.front() == '@') {
            nameEnd = 1;
        } else if (const auto name = UnquoteWineString(line, nameEnd)) {
            valueName = *name;
        } else {
            continue;
        }
        if (nameEnd >= line.size() || line[nameEnd] != '=') {
            continue;
        }
        found->Values.emplace_back(std::move(valueName), line.substr(nameEnd + 1));
    }
    return found;
}

std::vector<std::string> WineSubkeyNames(std::string_view fileText, std::string_view keyPath) {
    std::vector<std::string> names;
    if (fileText.substr(0, kFileHeader.size()) != kFileHeader) {
        return names;
    }
    std::string parent(keyPath);
    while (!parent.empty() && parent.back() == '\\') {
        parent.pop_back();
    }
    parent += '\\';
    for (const std::string& line : LogicalLines(fileText)) {
        if (line.empty() || line.front() != '[') {
            continue;
        }
        std::size_t consumed = 0;
        const auto name = Unescape(line, ']', consumed);
        if (!name || name->size() <= parent.size() ||
            !SameNameIgnoringCase(std::string_view(*name).substr(0, parent.size()), parent)) {
            continue;
        }
        // A deeper key stands for its ancestor too: Wine writes only keys that hold values.
        std::string child = name->substr(parent.size());
        child = child.substr(0, child.find('\\'));
        const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& seen) {
            return SameNameIgnoringCase(seen, child);
        });
        if (!child.empty() && !known) {
            names.push_back(std::move(child));
        }
    }
    return names;
}

long ReadKeyValue(const WineRegKey& key, std::string_view valueName, RegistryValue& value) {
    value = std::monostate{};
    const std::pair<std::string, std::string>* entry = nullptr;
    for (const auto& candidate : key.Values) {
        if (SameNameIgnoringCase(candidate.first, valueName)) {
            entry = &candidate;  // a value written twice: the later one wins, as on loading
        }
    }
    if (entry == nullptr) {
        return kRegistryValueMissing;
    }
    std::string_view data = entry->second;
    constexpr std::string_view kDword = "dword:";
    constexpr std::string_view kSz = "str(1):";
    if (data.substr(0, kSz.size()) == kSz) {
        data.remove_prefix(kSz.size());
    }
    if (!data.empty() && data.front() == '"') {
        std::size_t consumed = 0;
        auto text = UnquoteWineString(data, consumed);
        if (!text) {
            return kRegistryOtherType;
        }
        // The registry keeps a string with its terminating NUL; the value ends there.
        if (const std::size_t nul = text->find('\0'); nul != std::string::npos) {
            text->resize(nul);
        }
        value = std::move(*text);
        return 0;
    }
    if (data.substr(0, kDword.size()) == kDword) {
        data.remove_prefix(kDword.size());
        std::uint32_t number = 0;
        const std::size_t digits = ReadNumber(data, 0, 16, 8, number);
        if (digits == 0 || digits != data.size()) {
            return kRegistryOtherType;
        }
        value = number;
        return 0;
    }
    return kRegistryOtherType;
}

}  // namespace vrel
