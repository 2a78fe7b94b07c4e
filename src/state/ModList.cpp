#include "state/ModList.h"

#include <algorithm>
#include <numeric>
#include <set>
#include <stdexcept>

#include "base/AnsiText.h"
#include "base/NameCase.h"

namespace vrel {

const ModRow& ModList::Row(int row) const {
    if (row < 1 || row > Count()) {
        throw std::out_of_range("no row " + std::to_string(row));
    }
    return rows_[static_cast<std::size_t>(row - 1)];
}

FalloutDat& ModList::Append(ModRow row, std::int32_t index, std::int32_t filesTotal,
                            const std::filesystem::path& fullPath, bool selected,
                            const std::string& modDescription,
                            std::shared_ptr<FileInDat_Collection> files) {
    rows_.push_back(std::move(row));
    return items_.Add(index, filesTotal, fullPath, selected, modDescription, std::move(files));
}

void ModList::SetTicked(int row, bool ticked) {
    if (row >= 1 && row <= Count()) {
        items_.Item(row).Selected = ticked;
    }
}

std::optional<int> ModList::DropTarget(int from, int before) const {
    if (from < 2 || from > Count()) {
        return std::nullopt;
    }
    const int to = std::clamp(before > from ? before - 1 : before, 2, Count());
    if (to == from) {
        return std::nullopt;
    }
    return to;
}

std::optional<int> ModList::StepTarget(int from, int step) const {
    if (from < 2 || from > Count() || from + step < 2 || from + step > Count()) {
        return std::nullopt;
    }
    return from + step;
}

void ModList::Move(int from, int to) {
    MoveRow(from, to);
    OrderAsRows();
}

void ModList::MoveRow(int from, int to) {
    items_.Move(from, to);
    const auto begin = rows_.begin();
    if (from < to) {
        std::rotate(begin + (from - 1), begin + from, begin + to);
    } else {
        std::rotate(begin + (to - 1), begin + (from - 1), begin + from);
    }
}

void ModList::OrderAsRows() {
    order_.clear();
    for (int row = 2; row <= Count(); ++row) {
        order_.push_back(PathToDisplay(Item(row).FullPath.filename()));
    }
}

void ModList::TakeKeepingTicks(ModList fresh) {
    std::set<std::filesystem::path> ticked;
    for (int row = 1; row <= Count(); ++row) {
        if (Ticked(row)) {
            ticked.insert(Row(row).Name);
        }
    }
    for (int row = 1; row <= fresh.Count(); ++row) {
        fresh.SetTicked(row, ticked.count(fresh.Row(row).Name) != 0);
    }
    *this = std::move(fresh);
}

std::vector<ModSetMod> ModList::Ticks() const {
    std::vector<ModSetMod> ticks;
    for (int row = 1; row <= Count(); ++row) {
        ticks.push_back({PathToDisplay(Row(row).Name), Ticked(row)});
    }
    return ticks;
}

std::vector<std::string> ModList::Apply(const std::vector<ModSetMod>& mods) {
    const auto matches = MatchFileNames(ModSetNames(mods), ModSetNames(Ticks()));
    for (int row = 2; row <= Count(); ++row) {
        SetTicked(row, false);
    }
    // The rows as they were, by their first places, in the order they stand now.
    std::vector<std::size_t> standing(static_cast<std::size_t>(Count()));
    std::iota(standing.begin(), standing.end(), std::size_t{0});
    std::vector<std::string> missing;
    int next = 2;  // where the next mod the set names goes
    for (std::size_t m = 0; m < mods.size(); ++m) {
        if (!matches[m]) {
            missing.push_back(mods[m].Name);
            continue;
        }
        const auto at = std::find(standing.begin(), standing.end(), *matches[m]);
        const int from = static_cast<int>(at - standing.begin()) + 1;
        SetTicked(from, mods[m].Ticked);
        if (from == 1) {
            continue;  // the patch stays first
        }
        MoveRow(from, next);
        std::rotate(standing.begin() + (next - 1), at, at + 1);
        ++next;
    }
    OrderAsRows();
    return missing;
}

}  // namespace vrel
