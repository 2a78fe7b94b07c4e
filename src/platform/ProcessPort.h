#pragma once

#include <cstdint>
#include <filesystem>

#include "base/Expected.h"
#include "base/Failure.h"

namespace vrel {

using ProcessId = std::int64_t;

enum class StartProblem {
    NoWine,   // a Windows program on a system where no Wine was found
    Refused,  // the system did not start it: `Error` says why
};
using StartFailure = Failure<StartProblem>;  // `Path` is the program

class ProcessPort {
public:
    virtual ~ProcessPort() = default;
    // Starts a program with the given working folder; its id, or why it could not start.
    virtual Expected<ProcessId, StartFailure> Start(const std::filesystem::path& program,
                                                    const std::filesystem::path& workingFolder) = 0;
    // Whether the process still runs; an unknown or ended process does not.
    virtual bool IsRunning(ProcessId id) = 0;
};

}  // namespace vrel
