#include "Allocations.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> counting{false};
std::atomic<std::size_t> largest{0};
std::atomic<std::size_t> refusedFrom{SIZE_MAX};

}  // namespace

void* operator new(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) {
        std::size_t seen = largest.load(std::memory_order_relaxed);
        while (size > seen && !largest.compare_exchange_weak(seen, size)) {
        }
    }
    if (size >= refusedFrom.load(std::memory_order_relaxed)) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

// The non-throwing form (std::stable_sort's scratch buffer) must come from the same heap as the
// deletes below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace vrel::testing {

std::size_t LargestAllocationDuring(const std::function<void()>& work) {
    largest = 0;
    counting = true;
    work();
    counting = false;
    return largest;
}

void RefuseAllocationsFrom(std::size_t size, const std::function<void()>& work) {
    refusedFrom = size;
    try {
        work();
    } catch (...) {
        refusedFrom = SIZE_MAX;
        throw;
    }
    refusedFrom = SIZE_MAX;
}

}  // namespace vrel::testing
