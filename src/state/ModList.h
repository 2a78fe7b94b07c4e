#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/Catalogue.h"
#include "archive/DatProblem.h"
#include "archive/ModSets.h"

namespace vrel {

// One row of the mod list besides its catalogue item: the archive's file name as the file system
// has it, and what start-up found wrong with the archive, if anything.
struct ModRow {
    std::filesystem::path Name;
    std::optional<DatProblem> Damage;
};

// The mod list, the one owner of which archives there are, in what order, which are ticked, each
// one's description and what is wrong with it. Row k stands for catalogue item k (rows count from
// 1, as items do); the game's patch is row 1 and stays there. A row's tick is its item's
// `Selected`, its description the item's `ModDesc`. The list window shows it, Play and the
// conflict check read it, and the player's moves and ticks change it.
class ModList {
public:
    int Count() const { return static_cast<int>(rows_.size()); }
    // Rows 1 to Count; std::out_of_range otherwise.
    const ModRow& Row(int row) const;
    const FalloutDat& Item(int row) const { return items_.Item(row); }
    bool Ticked(int row) const { return Item(row).Selected; }
    // The catalogue, item k for row k.
    const FalloutDat_Collection& FalloutDats() const { return items_; }

    // Adds a row at the end together with its catalogue item.
    FalloutDat& Append(ModRow row, std::int32_t index, std::int32_t filesTotal,
                       const std::filesystem::path& fullPath, bool selected,
                       const std::string& modDescription,
                       std::shared_ptr<FileInDat_Collection> files);

    // A row outside the list changes nothing.
    void SetTicked(int row, bool ticked);

    // The player's order of the mods after the patch (archive file names, UTF-8), as kept beside
    // vrel.cfg; it may name archives that are gone. Each move makes it the rows' order.
    const std::vector<std::string>& Order() const { return order_; }
    void SetOrder(std::vector<std::string> order) { order_ = std::move(order); }

    // Where the mod of row `from` goes when the player drops it before row `before` (`before` may
    // be one past the last row). The patch in row 1 is never moved, and nothing goes above it.
    // Nothing when the mod stays put.
    std::optional<int> DropTarget(int from, int before) const;
    // The row one step up (`step` -1) or down (+1) from `from`, as Alt+Up and Alt+Down move a mod.
    std::optional<int> StepTarget(int from, int step) const;
    // Moves row `from` with its item to `to`, and the order becomes the rows' order. Rows come
    // from DropTarget or StepTarget.
    void Move(int from, int to);

    // After the list was read anew into `fresh`: every archive keeps the tick it had here (found
    // by its file name), new ones come unticked; `fresh` becomes the list.
    void TakeKeepingTicks(ModList fresh);

    // The rows' archive names (UTF-8) with their ticks, in order: what a mod set keeps.
    std::vector<ModSetMod> Ticks() const;
    // Puts the mods `mods` names first, in its order and with its ticks (names matched exactly
    // before any letter case); the others follow as they stood, unticked. The patch stays in row 1
    // and keeps its tick unless `mods` names it. Gives back the names `mods` has that no row has.
    std::vector<std::string> Apply(const std::vector<ModSetMod>& mods);

private:
    // Moves row `from` with its item to `to`, leaving the order as it was.
    void MoveRow(int from, int to);
    void OrderAsRows();

    std::vector<ModRow> rows_;
    FalloutDat_Collection items_;
    std::vector<std::string> order_;
};

}  // namespace vrel
