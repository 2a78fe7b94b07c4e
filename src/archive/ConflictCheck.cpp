#include "archive/ConflictCheck.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "base/AnsiText.h"
#include "base/PathHelpers.h"

namespace vrel {
namespace {

// Tested in this order; a clash on any of them can make the game crash.
constexpr std::array<std::string_view, 9> kHeavyExtensions{"lst", "cfg", "pal", "txt", "gam",
                                                           "msk", "map", "int", "msg"};
// The vault's saved-game map, and the mod's description, which every described mod carries and
// which is no game file.
constexpr std::array<std::string_view, 2> kExemptMembers{"data\\vault13.gam", "amoddesc.qrd"};

struct PickedDat {
    const FileInDat_Collection* files;
    std::string fileName;  // display text
};

// The member names of the picked archives, each distinct name numbered once, and for every
// number the entries that hold it in catalogue order, then directory order.
struct NameIndex {
    std::vector<const std::string*> names;         // by name number
    std::vector<std::uint32_t> entryName;          // by entry: its name number
    std::vector<std::uint32_t> entryOccurrence;    // by entry: its place among the occurrences
    std::vector<std::uint32_t> archiveFirstEntry;  // by picked archive, plus the end
    std::vector<std::uint32_t> occurrenceStart;    // by name number, plus the end
    std::vector<std::uint32_t> occurrenceArchive;  // which picked archive holds it
    // The first later occurrence of the same name in a different archive.
    std::vector<std::uint32_t> nextArchiveOccurrence;
};

// Numbers each distinct name in the order first met: an open-addressing table of name numbers,
// probed linearly, so that adding a name costs no allocation of its own.
class NameNumbers {
public:
    explicit NameNumbers(std::size_t expected) {
        std::size_t capacity = 16;
        while (capacity < expected * 2) {
            capacity *= 2;
        }
        mask_ = capacity - 1;
        slots_.assign(capacity, Slot{0, kEmpty});
    }

    std::uint32_t Number(const std::string& name, std::vector<const std::string*>& names) {
        const std::size_t hash = std::hash<std::string_view>{}(name);
        const auto shortHash = static_cast<std::uint32_t>(hash ^ (hash >> 32));
        for (std::size_t place = hash & mask_;; place = (place + 1) & mask_) {
            Slot& slot = slots_[place];
            if (slot.number == kEmpty) {
                slot = Slot{shortHash, static_cast<std::uint32_t>(names.size())};
                names.push_back(&name);
                return slot.number;
            }
            if (slot.hash == shortHash && *names[slot.number] == name) {
                return slot.number;
            }
        }
    }

private:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;
    struct Slot {
        std::uint32_t hash;
        std::uint32_t number;
    };
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
};

NameIndex IndexNames(const std::vector<PickedDat>& picked) {
    NameIndex index;
    std::size_t total = 0;
    for (const PickedDat& dat : picked) {
        total += static_cast<std::size_t>(dat.files->Count());
    }
    NameNumbers numbers(total);
    index.names.reserve(total);
    index.entryName.reserve(total);
    index.archiveFirstEntry.reserve(picked.size() + 1);
    for (const PickedDat& dat : picked) {
        index.archiveFirstEntry.push_back(static_cast<std::uint32_t>(index.entryName.size()));
        for (const auto& slot : *dat.files) {
            index.entryName.push_back(numbers.Number(slot.Item->FullPath, index.names));
        }
    }
    index.archiveFirstEntry.push_back(static_cast<std::uint32_t>(total));

    // Entries grouped by name; filling them in entry order keeps each group in catalogue order.
    index.occurrenceStart.assign(index.names.size() + 1, 0);
    for (const std::uint32_t name : index.entryName) {
        ++index.occurrenceStart[name + 1];
    }
    for (std::size_t name = 0; name < index.names.size(); ++name) {
        index.occurrenceStart[name + 1] += index.occurrenceStart[name];
    }
    std::vector<std::uint32_t> fill(index.occurrenceStart.begin(), index.occurrenceStart.end() - 1);
    index.occurrenceArchive.resize(total);
    index.entryOccurrence.resize(total);
    for (std::uint32_t archive = 0; archive + 1 < index.archiveFirstEntry.size(); ++archive) {
        for (std::uint32_t entry = index.archiveFirstEntry[archive];
             entry < index.archiveFirstEntry[archive + 1]; ++entry) {
            const std::uint32_t place = fill[index.entryName[entry]]++;
            index.occurrenceArchive[place] = archive;
            index.entryOccurrence[entry] = place;
        }
    }
    index.nextArchiveOccurrence.resize(total);
    for (std::size_t name = 0; name < index.names.size(); ++name) {
        const std::uint32_t begin = index.occurrenceStart[name];
        const std::uint32_t end = index.occurrenceStart[name + 1];
        for (std::uint32_t place = end; place-- > begin;) {
            const std::uint32_t after = place + 1;
            if (after == end) {
                index.nextArchiveOccurrence[place] = end;
            } else if (index.occurrenceArchive[after] != index.occurrenceArchive[place]) {
                index.nextArchiveOccurrence[place] = after;
            } else {
                index.nextArchiveOccurrence[place] = index.nextArchiveOccurrence[after];
            }
        }
    }
    return index;
}

std::string ConflictLine(const std::string& member, const std::string& earlier,
                         const std::string& later) {
    constexpr std::string_view on = " on ";
    constexpr std::string_view conflictsWith = " conflicts with ";
    std::string line;
    line.reserve(member.size() + on.size() + earlier.size() + conflictsWith.size() + later.size());
    line.append(member).append(on).append(earlier).append(conflictsWith).append(later);
    return line;
}

// Whether a clash on this member path makes the set heavy (by the last three characters).
bool IsHeavyConflict(const std::string& memberPath) {
    const std::string_view path(memberPath);
    const std::string extension =
        AnsiToLower(path.size() > 3 ? path.substr(path.size() - 3) : path);
    return std::find(kHeavyExtensions.begin(), kHeavyExtensions.end(), extension) !=
           kHeavyExtensions.end();
}

// Whether a member path never counts as a clash.
bool IsExemptFromConflicts(const std::string& memberPath) {
    return std::any_of(kExemptMembers.begin(), kExemptMembers.end(), [&](std::string_view exempt) {
        return memberPath.size() == exempt.size() && AnsiToLower(memberPath) == exempt;
    });
}

}  // namespace

ConflictReport ConflictCheck(const FalloutDat_Collection& FalloutDats) {
    ConflictReport report;
    std::vector<PickedDat> picked;
    for (const auto& slot : FalloutDats) {
        if (slot.Item->Selected) {
            picked.push_back(
                {slot.Item->Files.get(), GetFileName(PathToDisplay(slot.Item->FullPath))});
        }
    }
    if (picked.size() < 2) {
        return report;
    }

    const NameIndex index = IndexNames(picked);
    std::vector<std::uint8_t> exempt(index.names.size());
    std::vector<std::uint8_t> heavy(index.names.size());
    std::vector<std::string> shownNames(index.names.size());
    for (std::size_t name = 0; name < index.names.size(); ++name) {
        // Only a name held more than once can clash.
        if (index.occurrenceStart[name + 1] - index.occurrenceStart[name] > 1) {
            exempt[name] = IsExemptFromConflicts(*index.names[name]) ? 1 : 0;
            heavy[name] = IsHeavyConflict(*index.names[name]) ? 1 : 0;
            shownNames[name] = AnsiToUtf8(*index.names[name]);
        }
    }

    // For each earlier archive, its clashes are gathered per later archive, each in the order of
    // the earlier archive's entries and then of the later archive's, and then listed pair by pair.
    std::vector<std::vector<std::uint32_t>> clashesWith(picked.size());
    bool anyHeavy = false;
    for (std::uint32_t earlier = 0; earlier < picked.size(); ++earlier) {
        for (std::uint32_t entry = index.archiveFirstEntry[earlier];
             entry < index.archiveFirstEntry[earlier + 1]; ++entry) {
            const std::uint32_t name = index.entryName[entry];
            if (exempt[name] != 0) {
                continue;
            }
            const std::uint32_t end = index.occurrenceStart[name + 1];
            for (std::uint32_t place = index.nextArchiveOccurrence[index.entryOccurrence[entry]];
                 place < end; ++place) {
                clashesWith[index.occurrenceArchive[place]].push_back(name);
            }
        }
        for (std::uint32_t later = earlier + 1; later < picked.size(); ++later) {
            for (const std::uint32_t name : clashesWith[later]) {
                report.Lines.push_back(ConflictLine(shownNames[name], picked[earlier].fileName,
                                                    picked[later].fileName));
                // Play unpacks in catalogue order: the last picked archive's copy stays.
                const std::uint32_t last = index.occurrenceStart[name + 1] - 1;
                report.Winners.push_back(picked[index.occurrenceArchive[last]].fileName);
                anyHeavy = anyHeavy || heavy[name] != 0;
            }
            clashesWith[later].clear();
        }
    }
    if (!report.Lines.empty()) {
        report.Verdict = anyHeavy ? ConflictVerdict::Heavy : ConflictVerdict::Minor;
    }
    return report;
}

std::string ShownConflictLine(const ConflictReport& report, std::size_t line) {
    return report.Lines[line] + " (" + report.Winners[line] + " wins)";
}

std::vector<ContestedFile> ContestedFiles(const FalloutDat_Collection& FalloutDats) {
    std::vector<ContestedFile> files;
    std::unordered_map<std::string_view, std::size_t> found;
    for (int position = 1; position <= FalloutDats.Count(); ++position) {
        const FalloutDat& dat = FalloutDats.Item(position);
        if (!dat.Selected) {
            continue;
        }
        for (const auto& slot : *dat.Files) {
            const std::string& name = slot.Item->FullPath;
            if (IsExemptFromConflicts(name)) {
                continue;
            }
            const auto [at, added] = found.try_emplace(name, files.size());
            if (added) {
                files.push_back({name, {position}, IsHeavyConflict(name)});
            } else if (files[at->second].Archives.back() != position) {
                files[at->second].Archives.push_back(position);
            }
        }
    }
    std::erase_if(files, [](const ContestedFile& file) { return file.Archives.size() < 2; });
    for (ContestedFile& file : files) {
        file.Name = AnsiToUtf8(file.Name);
    }
    return files;
}

std::string VerdictText(ConflictVerdict verdict) {
    switch (verdict) {
        case ConflictVerdict::Heavy:
            return "Well, I found some heavy conflicts here, running the game with them would make it to randomly crash, so it's not recommended.";
        case ConflictVerdict::Minor:
            return "I found some minor conflicts, although the game will run perfectly with them, some mods may not appear in the game or they could behave incorrectly. You can run the game, anyway.";
        case ConflictVerdict::None:
            break;
    }
    return "Good, there were no conflicts, hit Continue to run the game.";
}

}  // namespace vrel
