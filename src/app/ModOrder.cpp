#include "app/ModOrder.h"

#include "base/AnsiText.h"
#include "base/NameCase.h"
#include "base/PathHelpers.h"
#include "base/TextFile.h"

namespace vrel {

std::vector<std::string> ReadModOrder(const std::filesystem::path& programFolder) {
    const std::string text =
        ReadTextFile(ProgramFile(programFolder, kModOrderFile)).value_or(std::string());
    std::vector<std::string> order;
    for (const std::string_view line : NonBlankLines(text)) {
        order.emplace_back(line);
    }
    return order;
}

std::vector<std::filesystem::path> ApplyModOrder(std::vector<std::filesystem::path> listed,
                                                 const std::vector<std::string>& order) {
    std::vector<std::string> shown;
    for (const std::filesystem::path& name : listed) {
        shown.push_back(PathToDisplay(name));
    }
    std::vector<bool> placed(listed.size(), false);
    std::vector<std::filesystem::path> ordered;
    ordered.reserve(listed.size());
    for (const auto& match : MatchFileNames(order, shown)) {
        if (match) {
            placed[*match] = true;
            ordered.push_back(listed[*match]);
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
    return SaveModOrder(state);
}

Expected<void, PlaceFailure> SaveModOrder(const ProgramState& state) {
    std::string text;
    for (const std::string& name : state.Mods.Order()) {
        text += name + "\n";
    }
    return PutTextFile(ProgramFile(state.ProgramFolder, kModOrderFile), text);
}

void ReportNotSaved(MessageBoxPort& messages, const std::string& what, const PlaceFailure& failure,
                    const std::string& meanwhile) {
    messages.Show({.text = "Vrel could not save " + what + " in " +
                           DescribePathError(failure.Path, failure.Error) + ".\r\r" + meanwhile,
                   .title = "Vrel",
                   .buttons = MessageButtons::Ok,
                   .icon = MessageIcon::Exclamation});
}

void ReportOrderNotKept(MessageBoxPort& messages, const PlaceFailure& failure) {
    ReportNotSaved(messages, "the order of the mods", failure,
                   "The mods stay in this order until you close Vrel.");
}

}  // namespace vrel
