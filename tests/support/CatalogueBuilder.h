#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "archive/Catalogue.h"

namespace vrel::testing {

// One archive of a catalogue made up for a test.
struct DatSpec {
    std::filesystem::path FullPath;
    bool Selected = false;
    std::vector<std::string> Members;
};

inline void FillCatalogue(FalloutDat_Collection& catalogue, const std::vector<DatSpec>& dats) {
    for (const DatSpec& dat : dats) {
        auto files = std::make_shared<FileInDat_Collection>();
        for (const std::string& member : dat.Members) {
            files->Add(member);
        }
        catalogue.Add(catalogue.Count() + 1, static_cast<int>(dat.Members.size()), dat.FullPath,
                      dat.Selected, "", files);
    }
}

inline std::vector<bool> SelectedFlags(const FalloutDat_Collection& catalogue) {
    std::vector<bool> flags;
    for (const auto& slot : catalogue) {
        flags.push_back(slot.Item->Selected);
    }
    return flags;
}

}  // namespace vrel::testing
