#include "base/CaseBlindPath.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "base/NameCase.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vrel {
std::optional<std::filesystem::path> FindEntryCaseBlind(const std::filesystem::path& folder,
                                                        const std::filesystem::path& name) {
    std::error_code error;
    const std::filesystem::path exact = folder / name;
#ifdef _WIN32
    // The file system finds the name in any letter case; the entry is told as it is spelt there.
    if (!std::filesystem::exists(std::filesystem::symlink_status(exact, error))) {
        return std::nullopt;
    }
    const std::wstring& wanted = name.native();
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::wstring candidate = it->path().filename().native();
        if (CompareStringOrdinal(candidate.c_str(), static_cast<int>(candidate.size()),
                                 wanted.c_str(), static_cast<int>(wanted.size()),
                                 TRUE) == CSTR_EQUAL) {
            return folder / candidate;
        }
    }
    return exact;
#else
    if (std::filesystem::exists(std::filesystem::symlink_status(exact, error))) {
        return exact;
    }
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
