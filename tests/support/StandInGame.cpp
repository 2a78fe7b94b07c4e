// Stands in for Fallout2.exe in tests: records what it finds under the data folder of its working
// folder, then plays for a while and exits.
//   VREL_STANDIN_REPORT  file to write the record to (one line per file: path, size, read-only,
//   hash) VREL_STANDIN_SECONDS how long to play (default 0) VREL_STANDIN_EXIT    exit status
//   (default 0)
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>

namespace {

std::uint64_t Hash(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::uint64_t hash = 1469598103934665603ULL;
    for (std::istreambuf_iterator<char> it(in), end; it != end; ++it) {
        hash = (hash ^ static_cast<unsigned char>(*it)) * 1099511628211ULL;
    }
    return hash;
}

}  // namespace

int main() {
    const char* reportPath = std::getenv("VREL_STANDIN_REPORT");
    if (reportPath != nullptr) {
        std::set<std::string> lines;
        std::error_code error;
        const auto cwd = std::filesystem::current_path();
        for (auto it = std::filesystem::recursive_directory_iterator(cwd, error);
             !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            if (!it->is_regular_file()) {
                continue;
            }
            const auto relative = std::filesystem::relative(it->path(), cwd).generic_string();
            const auto perms = std::filesystem::status(it->path()).permissions();
            const bool readOnly =
                (perms & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
            lines.insert(relative + "\t" + std::to_string(it->file_size()) + "\t" +
                         (readOnly ? "ro" : "rw") + "\t" + std::to_string(Hash(it->path())));
        }
        std::ofstream report(reportPath);
        const std::u8string cwdText = cwd.u8string();
        report << "cwd\t" << std::string(cwdText.begin(), cwdText.end()) << "\n";
        for (const auto& line : lines) {
            report << line << "\n";
        }
    }
    const char* seconds = std::getenv("VREL_STANDIN_SECONDS");
    if (seconds != nullptr) {
        std::this_thread::sleep_for(std::chrono::duration<double>(std::atof(seconds)));
    }
    const char* status = std::getenv("VREL_STANDIN_EXIT");
    return status != nullptr ? std::atoi(status) : 0;
}
