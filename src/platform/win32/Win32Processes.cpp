#include "platform/win32/Win32Processes.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <limits>
#include <string>
#include <system_error>

namespace vrel {
namespace {

constexpr DWORD kStillActive = 259;
constexpr DWORD kElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED, not in every SDK's headers

// The system's refusal, with its last error.
StartFailure Refused(const std::filesystem::path& program) {
    return {StartProblem::Refused, program,
            std::error_code(static_cast<int>(GetLastError()), std::system_category())};
}

Expected<ProcessId, StartFailure> IdAndClose(HANDLE process, const std::filesystem::path& program) {
    const DWORD id = GetProcessId(process);
    const StartFailure failure = id == 0 ? Refused(program) : StartFailure{};
    CloseHandle(process);
    if (id == 0) {
        return Unexpected{failure};
    }
    return static_cast<ProcessId>(id);
}

// A game whose manifest asks for administrator rights cannot be started by CreateProcess from a
// normal user's program; the shell asks the user for consent instead.
Expected<ProcessId, StartFailure> StartElevated(const std::filesystem::path& program,
                                                const std::filesystem::path& workingFolder) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    info.lpVerb = L"runas";
    info.lpFile = program.c_str();
    info.lpDirectory = workingFolder.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info) || info.hProcess == nullptr) {
        return Unexpected{Refused(program)};
    }
    return IdAndClose(info.hProcess, program);
}

}  // namespace

Expected<ProcessId, StartFailure> Win32Processes::Start(
    const std::filesystem::path& program, const std::filesystem::path& workingFolder) {
    // The program's own path, quoted, is its whole command line: the game takes no arguments.
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &started)) {
        if (GetLastError() == kElevationRequired) {
            return StartElevated(program, workingFolder);
        }
        return Unexpected{Refused(program)};
    }
    CloseHandle(started.hThread);
    return IdAndClose(started.hProcess, program);
}

bool Win32Processes::IsRunning(ProcessId id) {
    if (id <= 0 || id > std::numeric_limits<DWORD>::max()) {
        return false;
    }
    // Limited query rights are enough for the exit status and are granted also for a game that
    // runs with administrator rights.
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (process == nullptr) {
        return false;
    }
    DWORD status = 0;
    if (!GetExitCodeProcess(process, &status)) {
        status = 0;
    }
    CloseHandle(process);
    return status == kStillActive;
}

}  // namespace vrel
