#include "archive/OrderedPool.h"

#include <algorithm>

namespace vrel {

int WorkerThreads(std::optional<int> asked) {
    if (asked) {
        return std::max(1, *asked);
    }
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

}  // namespace vrel
