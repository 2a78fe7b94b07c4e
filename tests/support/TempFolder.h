#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/NameCase.h"

namespace vrel::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const {
        return path_ / std::string(name);
    }

private:
    std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
void WriteFile(const std::filesystem::path& path, std::string_view text);

// Writes a file that listings must leave out: on Windows with the given attribute, elsewhere
// under its name with a leading "." (the attribute has no counterpart there). Returns its path.
std::filesystem::path WriteHiddenFile(const std::filesystem::path& folder, const std::string& name,
                                      unsigned long attribute);
std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path);
std::vector<std::uint8_t> Bytes(std::string_view text);

// Whether two names (UTF-8) are one file for Windows, whatever their letter case.
inline bool SameFileName(std::string_view a, std::string_view b) {
    return FoldNameCase(a) == FoldNameCase(b);
}

}  // namespace vrel::testing
