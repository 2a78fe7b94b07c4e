#pragma once

#include "platform/ProcessPort.h"

namespace vrel {

// Whether the game started by the waiting window still runs; an id of 0 never does.
bool IsProcessRunning(ProcessPort& processes, ProcessId id);

}  // namespace vrel
