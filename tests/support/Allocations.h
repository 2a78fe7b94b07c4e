#pragma once

#include <cstddef>
#include <functional>

namespace vrel::testing {

// The test program that links test_allocations sees every operator new of the process, on any
// thread.

// The largest single allocation through operator new while `work` runs.
std::size_t LargestAllocationDuring(const std::function<void()>& work);

// Runs `work` as if memory were short: every allocation of `size` bytes or more throws
// std::bad_alloc, as it would where the system has no more to give.
void RefuseAllocationsFrom(std::size_t size, const std::function<void()>& work);

}  // namespace vrel::testing
