#include "base/CaseBlindPath.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "base/NameCase.h"

namespace vrel {
std::optional<std::filesystem::path> FindEntryCaseBlind(const std::filesystem::path& folder,
                                                        const std::filesystem::path& name) {
    std::error_code error;
    const std::filesystem::path exact = folder / name;
    if (std::filesystem::exists(std::filesystem::symlink_status(exact, error))) {
        return exact;
    }
#ifdef _WIN32
    return std::nullopt;
#else
    const std::string wanted = FoldNameCase(name.string());
    std::vector<std::string> matches;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string candidate = it->path().filename().string();
        if (FoldNameCase(candidate) == wanted) {
            matches.push_back(candidate);
        }
    }
    if (matches.empty()) {
        return std::nullopt;
    }
    return folder / *std::min_element(matches.begin(), matches.end());
#endif
}

std::filesystem::path ResolveCaseBlind(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return path;
    }
#ifdef _WIN32
    return path;
#else
    std::filesystem::path resolved = path.root_path();
    bool missing = false;
    for (const std::filesystem::path& part : path.relative_path()) {
        if (missing || part.empty() || part == "." || part == "..") {
            resolved /= part;
            continue;
        }
        const std::filesystem::path base = resolved.empty() ? std::filesystem::path(".") : resolved;
        if (auto found = FindEntryCaseBlind(base, part)) {
            resolved /= found->filename();
        } else {
            resolved /= part;
            missing = true;
        }
    }
    return resolved;
#endif
}

}  // namespace vrel
