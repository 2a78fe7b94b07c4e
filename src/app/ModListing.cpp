#include "app/ModListing.h"

#include <algorithm>
#include <system_error>

#include "base/CaseBlindPath.h"
#include "base/PathHelpers.h"

namespace vrel {

std::vector<std::string> ListDatFiles(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code statError;
        if (!it->is_regular_file(statError) || IsHiddenOrSystem(it->path())) {
            continue;
        }
        const std::string name = it->path().filename().string();
        if (name.size() > 4 &&
            SameNameIgnoringCase(std::string_view(name).substr(name.size() - 4), ".dat")) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string lowerA = AsciiToLower(a);
        const std::string lowerB = AsciiToLower(b);
        return lowerA != lowerB ? lowerA < lowerB : a < b;
    });
    return names;
}

}  // namespace vrel
