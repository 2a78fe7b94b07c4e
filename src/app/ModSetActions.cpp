#include "app/ModSetActions.h"

#include <algorithm>

#include "app/ModOrder.h"
#include "base/AnsiText.h"
#include "base/NameCase.h"
#include "base/PathHelpers.h"

namespace vrel {
namespace {

// The list's ticks and order with the mods of `kept` that the list lacks after them, so that a
// set forgets no mod that is only away for a while.
std::vector<ModSetMod> TicksKeepingMissing(const ModList& mods,
                                           const std::vector<ModSetMod>& kept) {
    std::vector<ModSetMod> ticks = mods.Ticks();
    const auto matches = MatchFileNames(ModSetNames(kept), ModSetNames(ticks));
    for (std::size_t k = 0; k < kept.size(); ++k) {
        if (!matches[k]) {
            ticks.push_back(kept[k]);
        }
    }
    return ticks;
}

std::vector<std::string> TickedNames(const ModList& mods) {
    std::vector<std::string> names;
    for (const ModSetMod& mod : mods.Ticks()) {
        if (mod.Ticked) {
            names.push_back(mod.Name);
        }
    }
    return names;
}

Expected<void, PlaceFailure> SaveBoth(const ProgramState& state) {
    const auto order = SaveModOrder(state);
    const auto sets = SaveModSets(state.ProgramFolder, state.Sets);
    return !sets ? sets : order;
}

}  // namespace

void ApplyStartTicks(ProgramState& state) {
    if (state.Sets.Find(state.Sets.InUse) != nullptr) {
        FollowSetInUse(state);
    } else if (state.Sets.RememberTicks) {
        // The order stays as read; only the ticks come back.
        for (int row = 1; row <= state.Mods.Count(); ++row) {
            state.Mods.SetTicked(row, false);
        }
        for (const auto& match :
             MatchFileNames(state.Sets.LastTicked, ModSetNames(state.Mods.Ticks()))) {
            if (match) {
                state.Mods.SetTicked(static_cast<int>(*match) + 1, true);
            }
        }
    }
}

void FollowSetInUse(ProgramState& state) {
    if (const ModSet* set = state.Sets.Find(state.Sets.InUse)) {
        state.Mods.Apply(set->Mods);
    }
}

Expected<void, PlaceFailure> KeepTicks(ProgramState& state) {
    if (ModSet* set = state.Sets.Find(state.Sets.InUse)) {
        set->Mods = TicksKeepingMissing(state.Mods, set->Mods);
    } else if (state.Sets.RememberTicks) {
        state.Sets.LastTicked = TickedNames(state.Mods);
    } else {
        return {};
    }
    return SaveModSets(state.ProgramFolder, state.Sets);
}

Expected<void, PlaceFailure> SaveModSet(ProgramState& state, const std::string& name) {
    if (ModSet* set = state.Sets.Find(name)) {
        set->Mods = state.Mods.Ticks();
    } else {
        state.Sets.Sets.push_back({name, state.Mods.Ticks()});
    }
    state.Sets.InUse = name;
    return SaveModSets(state.ProgramFolder, state.Sets);
}

SwitchOutcome SwitchModSet(ProgramState& state, const std::string& name) {
    const ModSet* set = state.Sets.Find(name);
    if (set == nullptr) {
        return {{}, {}};
    }
    SwitchOutcome outcome{state.Mods.Apply(set->Mods), {}};
    state.Sets.InUse = name;
    outcome.Kept = SaveBoth(state);
    return outcome;
}

Expected<void, PlaceFailure> RenameModSet(ProgramState& state, const std::string& from,
                                          const std::string& to) {
    ModSet* set = state.Sets.Find(from);
    if (set == nullptr || from == to || state.Sets.Find(to) != nullptr) {
        return {};
    }
    set->Name = to;
    if (state.Sets.InUse == from) {
        state.Sets.InUse = to;
    }
    return SaveModSets(state.ProgramFolder, state.Sets);
}

Expected<void, PlaceFailure> DeleteModSet(ProgramState& state, const std::string& name) {
    auto& sets = state.Sets.Sets;
    sets.erase(std::remove_if(sets.begin(), sets.end(),
                              [&](const ModSet& set) { return set.Name == name; }),
               sets.end());
    if (state.Sets.InUse == name) {
        state.Sets.InUse.clear();
        state.Sets.LastTicked = TickedNames(state.Mods);
    }
    // The list keeps the set's order, also at the next start.
    return SaveBoth(state);
}

Expected<void, PlaceFailure> SetRememberTicks(ProgramState& state, bool remember) {
    if (state.Sets.RememberTicks == remember) {
        return {};
    }
    state.Sets.RememberTicks = remember;
    state.Sets.LastTicked = remember ? TickedNames(state.Mods) : std::vector<std::string>();
    return SaveModSets(state.ProgramFolder, state.Sets);
}

void ReportMissingSetMods(MessageBoxPort& messages, const std::string& set,
                          const std::vector<std::string>& missing) {
    if (missing.empty()) {
        return;
    }
    std::string list;
    for (const std::string& name : missing) {
        list += "\r" + name;
    }
    messages.Show({.text = "The mod set \"" + set + "\" names mods that are not in the " +
                           PatchesInText() + " folder:\r" + list +
                           "\r\rThe set keeps them for when they are back; its other mods are "
                           "ticked and ordered as it has them.",
                   .title = "Mod sets",
                   .buttons = MessageButtons::Ok,
                   .icon = MessageIcon::Information});
}

void ReportSetsNotKept(MessageBoxPort& messages, const PlaceFailure& failure) {
    ReportNotSaved(messages, "the mod sets", failure, "The change holds until you close Vrel.");
}

}  // namespace vrel
