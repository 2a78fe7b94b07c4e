#include "TempFolder.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>
#include <vector>

#include "base/ListedEntry.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vrel::testing {

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("vrel-test-" + std::to_string(seed()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

namespace {

// Not std::filesystem::remove_all: with MinGW it never ends on a name it cannot reach again (Wine
// lists Unix files named "c:x.txt", see ListedEntry.h); such entries are reached here from their
// folder. Read-only files left by a test must not keep the folder from going either.
void RemoveTree(const std::filesystem::path& folder) {
    std::error_code error;
    std::vector<std::filesystem::path> entries;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        entries.push_back(ListedEntryPath(folder, it->path()));
    }
    for (const std::filesystem::path& entry : entries) {
        const auto status = std::filesystem::symlink_status(entry, error);
        if (!std::filesystem::is_symlink(status)) {
            std::filesystem::permissions(entry, std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
        }
        if (std::filesystem::is_directory(status)) {
            RemoveTree(entry);
        } else {
            std::filesystem::remove(entry, error);
        }
    }
    std::filesystem::remove(folder, error);
}

}  // namespace

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void WriteFile(const std::filesystem::path& path, std::string_view text) {
    WriteFile(path, Bytes(text));
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::filesystem::path WriteHiddenFile(const std::filesystem::path& folder, const std::string& name,
                                      [[maybe_unused]] unsigned long attribute) {
#ifdef _WIN32
    const std::filesystem::path file = folder / name;
    WriteFile(file, "x");
    SetFileAttributesW(file.c_str(), attribute);
#else
    const std::filesystem::path file = folder / ("." + name);
    WriteFile(file, "x");
#endif
    return file;
}

}  // namespace vrel::testing
