#pragma once

#include <cstddef>
#include <functional>

namespace vrel::testing {

// The largest single allocation through operator new while `work` runs. The test program that
// links LargestAllocation.cpp counts every operator new of the process.
std::size_t LargestAllocationDuring(const std::function<void()>& work);

}  // namespace vrel::testing
