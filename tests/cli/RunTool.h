#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vrel::testing {

struct ToolRun {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// Runs vrel-dat in-process with the given words after the program's name; `terminal` says
// whether its stderr counts as a terminal.
ToolRun RunTool(const std::vector<std::string>& args, bool terminal = false);

// The lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text);

// Every regular file under `folder` by its path relative to it, with its content.
std::vector<std::pair<std::string, std::vector<std::uint8_t>>> FolderContents(
    const std::filesystem::path& folder);

}  // namespace vrel::testing
