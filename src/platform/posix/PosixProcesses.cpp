#include "platform/posix/PosixProcesses.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>
#include <vector>

extern char** environ;

namespace vrel {
namespace {

// Whether the file begins with the "MZ" mark of a Windows program.
bool IsWindowsProgram(const std::filesystem::path& program) {
    std::ifstream in(program, std::ios::binary);
    char mark[2] = {};
    return in.read(mark, 2) && mark[0] == 'M' && mark[1] == 'Z';
}

// The Wine to run Windows programs with, or nothing when none is installed.
std::optional<std::string> FindWine() {
    if (const char* chosen = std::getenv("VREL_WINE"); chosen != nullptr && *chosen != '\0') {
        return std::string(chosen);
    }
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::filesystem::path candidate =
            std::filesystem::path(folder.empty() ? "." : folder) / "wine";
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate.string();
        }
    }
    return std::nullopt;
}

}  // namespace

Expected<ProcessId, StartFailure> PosixProcesses::Start(
    const std::filesystem::path& program, const std::filesystem::path& workingFolder) {
    std::vector<std::string> arguments;
    if (IsWindowsProgram(program)) {
        const auto wine = FindWine();
        if (!wine) {
            return Unexpected{StartFailure{StartProblem::NoWine, program, {}}};
        }
        arguments = {*wine, program.string()};
    } else {
        arguments = {program.string()};
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    pid_t child = 0;
    const int result = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) {
        return Unexpected{StartFailure{StartProblem::Refused, program,
                                       std::error_code(result, std::generic_category())}};
    }
    return static_cast<ProcessId>(child);
}

bool PosixProcesses::IsRunning(ProcessId id) {
    if (id <= 0) {
        return false;
    }
    const auto pid = static_cast<pid_t>(id);
    int status = 0;
    const pid_t waited = waitpid(pid, &status, WNOHANG);
    if (waited == pid) {
        return false;  // ended, and now reaped
    }
    if (waited == 0) {
        return true;
    }
    // Not our child: ask whether it exists at all.
    return kill(pid, 0) == 0 || errno == EPERM;
}

}  // namespace vrel
