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

#ifndef _WIN32
// The real vrel-dat program, started with the given words (its output goes nowhere), for what
// only a process shows: how it ends on a signal.
class ToolProcess {
public:
    explicit ToolProcess(const std::vector<std::string>& args);
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    void Signal(int signal) const;
    // Waits for the end; the status as waitpid gives it.
    int Wait();

private:
    int pid_ = -1;
};
#endif

// The lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text);

// Every regular file under `folder` by its path relative to it, with its content.
std::vector<std::pair<std::string, std::vector<std::uint8_t>>> FolderContents(
    const std::filesystem::path& folder);

}  // namespace vrel::testing
