#pragma once

#include <filesystem>
#include <optional>

#include "platform/ProcessPort.h"

namespace vrel {

// Starts programs with CreateProcess and watches them by id, holding no handle in between: an
// ended process whose status happens to be STILL_ACTIVE (259) so stops counting as running as
// soon as it can no longer be opened.
class Win32Processes final : public ProcessPort {
public:
    Expected<ProcessId, StartFailure> Start(const std::filesystem::path& program,
                                            const std::filesystem::path& workingFolder) override;
    bool IsRunning(ProcessId id) override;
};

}  // namespace vrel
