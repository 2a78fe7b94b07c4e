#include "RunTool.h"

#include <algorithm>
#include <sstream>

#include "TempFolder.h"
#include "cli/Command.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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

#ifndef _WIN32
ToolProcess::ToolProcess(const std::vector<std::string>& args) {
    std::vector<std::string> words = {VREL_DAT_PROGRAM};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        pid_ = pid;
    }
    posix_spawn_file_actions_destroy(&actions);
}

ToolProcess::~ToolProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        Wait();
    }
}

void ToolProcess::Signal(int signal) const {
    if (pid_ > 0) {
        kill(pid_, signal);
    }
}

int ToolProcess::Wait() {
    int status = -1;
    if (pid_ > 0) {
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }
    return status;
}
#endif

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
