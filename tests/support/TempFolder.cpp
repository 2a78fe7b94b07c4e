#include "TempFolder.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

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

TempFolder::~TempFolder() {
    std::error_code error;
    // Read-only files left by a test must not keep the folder from going.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(path_, error);
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
