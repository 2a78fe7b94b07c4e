#pragma once

#include <filesystem>
#include <string>

#include "platform/ProcessPort.h"

namespace vrel {

// Starts programs with posix_spawn. A Windows program (a file starting with "MZ") runs through
// Wine: the program named by VREL_WINE, else `wine` on the PATH.
class PosixProcesses final : public ProcessPort {
public:
    Expected<ProcessId, StartFailure> Start(const std::filesystem::path& program,
                                            const std::filesystem::path& workingFolder) override;
    // Reaps an ended child, so an ended game never looks alive.
    bool IsRunning(ProcessId id) override;
};

}  // namespace vrel
