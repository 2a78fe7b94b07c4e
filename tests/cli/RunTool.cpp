#include "RunTool.h"

#include <algorithm>
#include <sstream>

#include "TempFolder.h"
#include "cli/Command.h"

namespace vrel::testing {

ToolRun RunTool(const std::vector<std::string>& args, bool terminal) {
    std::ostringstream out;
    std::ostringstream err;
    cli::CommandIo io{out, err, terminal};
    ToolRun run;
    run.ExitCode = cli::RunVrelDat(args, io);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::pair<std::string, std::vector<std::uint8_t>>> FolderContents(
    const std::filesystem::path& folder) {
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.emplace_back(entry.path().lexically_relative(folder).generic_string(),
                               ReadFile(entry.path()));
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace vrel::testing
