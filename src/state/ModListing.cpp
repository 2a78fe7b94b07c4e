#include "state/ModListing.h"

#include <algorithm>
#include <system_error>

#include "base/AnsiText.h"
#include "base/CaseBlindPath.h"
#include "base/PathHelpers.h"

namespace vrel {

std::vector<std::filesystem::path> ListDatFiles(const std::filesystem::path& folder) {
    struct Listed {
        std::filesystem::path name;
        std::string shown;  // UTF-8, for the extension and the order
    };
    std::vector<Listed> listed;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code statError;
        if (!it->is_regular_file(statError) || IsHiddenOrSystem(it->path())) {
            continue;
        }
        std::filesystem::path name = it->path().filename();
        std::string shown = PathToDisplay(name);
        if (shown.size() > 4 &&
            SameNameIgnoringCase(std::string_view(shown).substr(shown.size() - 4), ".dat")) {
            listed.push_back({std::move(name), std::move(shown)});
        }
    }
    std::sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
        const std::string lowerA = AsciiToLower(a.shown);
        const std::string lowerB = AsciiToLower(b.shown);
        return lowerA != lowerB ? lowerA < lowerB : a.shown < b.shown;
    });
    std::vector<std::filesystem::path> names;
    names.reserve(listed.size());
    for (Listed& entry : listed) {
        names.push_back(std::move(entry.name));
    }
    return names;
}

ListingStamp StampDatFiles(const std::filesystem::path& folder) {
    ListingStamp stamp;
    for (std::filesystem::path& name : ListDatFiles(folder)) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(folder / name, error);
        const auto changed = std::filesystem::last_write_time(folder / name, error);
        stamp.push_back({std::move(name), size, changed});
    }
    return stamp;
}

}  // namespace vrel
