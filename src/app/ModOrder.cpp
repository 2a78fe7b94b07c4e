#include "app/ModOrder.h"

#include <cstdio>

#include "base/AnsiText.h"
#include "base/NameCase.h"
#include "base/PathHelpers.h"
#include "base/PendingFile.h"
#include "base/Utf8.h"

namespace vrel {
namespace {

// The order file is bigger than this only when it is not ours.
constexpr std::size_t kLargestOrderFile = 1 << 20;

std::string_view TrimBlanks(std::string_view line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::vector<std::string> ReadModOrder(const std::filesystem::path& programFolder) {
    std::vector<std::string> order;
    std::FILE* file = OpenFile(ProgramFile(programFolder, kModOrderFile), "rb");
    if (file == nullptr) {
        return order;
    }
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 &&
           text.size() < kLargestOrderFile) {
        text.append(buffer, got);
    }
    const bool readWhole = std::ferror(file) == 0 && text.size() < kLargestOrderFile;
    std::fclose(file);
    if (!readWhole) {
        return order;
    }
    std::string_view rest(text);
    if (rest.starts_with("\xEF\xBB\xBF")) {
        rest.remove_prefix(3);
    }
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = TrimBlanks(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty()) {
            // Saved by an editor in the system's code page rather than UTF-8.
            order.push_back(IsUtf8(line) ? std::string(line) : AnsiToUtf8(line));
        }
    }
    return order;
}

std::vector<std::filesystem::path> ApplyModOrder(std::vector<std::filesystem::path> listed,
                                                 const std::vector<std::string>& order) {
    std::vector<std::string> shown;
    std::vector<std::string> folded;
    for (const std::filesystem::path& name : listed) {
        shown.push_back(PathToDisplay(name));
        folded.push_back(FoldNameCase(shown.back()));
    }
    std::vector<bool> placed(listed.size(), false);
    std::vector<std::filesystem::path> ordered;
    ordered.reserve(listed.size());
    const auto place = [&](const std::vector<std::string>& names, const std::string& wanted) {
        for (std::size_t i = 0; i < listed.size(); ++i) {
            if (!placed[i] && names[i] == wanted) {
                placed[i] = true;
                ordered.push_back(listed[i]);
                return true;
            }
        }
        return false;
    };
    for (const std::string& name : order) {
        if (!place(shown, name)) {
            place(folded, FoldNameCase(name));
        }
    }
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (!placed[i]) {
            ordered.push_back(std::move(listed[i]));
        }
    }
    return ordered;
}

Expected<void, PlaceFailure> MoveMod(ProgramState& state, int from, int to) {
    state.Mods.Move(from, to);
    std::string text;
    for (const std::string& name : state.Mods.Order()) {
        text += name + "\n";
    }
    return PutTextFile(ProgramFile(state.programFolder, kModOrderFile), text, Placing::Replace);
}

void ReportOrderNotKept(MessageBoxPort& messages, const PlaceFailure& failure) {
    messages.Show({.text = "Vrel could not save the order of the mods in " +
                           DescribePathError(failure.Path, failure.Error) +
                           ".\r\rThe mods stay in this order until you close Vrel.",
                   .title = "Vrel",
                   .buttons = MessageButtons::Ok,
                   .icon = MessageIcon::Exclamation});
}

}  // namespace vrel
