#include "base/TextFile.h"

#include <cstdio>

#include "base/AnsiText.h"
#include "base/PathHelpers.h"
#include "base/Utf8.h"

namespace vrel {

std::optional<std::string> ReadTextFile(const std::filesystem::path& file, std::size_t largest) {
    std::FILE* stream = OpenFile(file, "rb");
    if (stream == nullptr) {
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0 && text.size() <= largest) {
        text.append(buffer, got);
    }
    const bool readWhole = std::ferror(stream) == 0 && text.size() <= largest;
    std::fclose(stream);
    if (!readWhole) {
        return std::nullopt;
    }
    if (std::string_view(text).starts_with("\xEF\xBB\xBF")) {
        text.erase(0, 3);
    }
    return IsUtf8(text) ? text : AnsiToUtf8(text);
}

Expected<void, PlaceFailure> PutTextFile(const std::filesystem::path& file, std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return PutFile(file, {bytes, text.size()}, Placing::Replace);
}

std::string_view TrimBlanks(std::string_view line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string_view> NonBlankLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = TrimBlanks(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace vrel
