#include "launch/ProcessMonitor.h"

namespace vrel {

bool IsProcessRunning(ProcessPort& processes, ProcessId id) {
    return id != 0 && processes.IsRunning(id);
}

}  // namespace vrel
