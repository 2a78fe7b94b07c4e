#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "base/Expected.h"

namespace vrel {

using ProcessId = std::int64_t;

class ProcessPort {
public:
    virtual ~ProcessPort() = default;
    // Starts a program with the given working folder; its id, or why it could not start.
    virtual Expected<ProcessId, std::string> Start(const std::filesystem::path& program,
                                                   const std::filesystem::path& workingFolder) = 0;
    // Whether the process still runs; an unknown or ended process does not.
    virtual bool IsRunning(ProcessId id) = 0;
};

}  // namespace vrel
