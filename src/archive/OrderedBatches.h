#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "archive/OrderedPool.h"

namespace vrel {

// Items run on worker threads a batch at a time and handed back, in the order they were added,
// to the caller's thread: for the thousands of small members of an archive, where handing each
// over alone costs a thread switch, more than the work itself. An item with nothing to run still
// waits its turn behind those added before it. With one thread everything runs on the caller's.
template <class Item>
class OrderedBatches {
public:
    using Run = std::function<void(Item&)>;   // on a worker
    using Take = std::function<void(Item&)>;  // on the caller's thread, in order
    // On the caller's thread, as a batch goes to the workers: what must be done before any of its
    // items runs, once for the batch.
    using Release = std::function<void(std::vector<Item>&)>;

    // A batch holds up to `batchItems` items or about `batchBytes`.
    OrderedBatches(int threads, Run run, Take take, Release release = {},
                   std::size_t batchItems = 16, std::size_t batchBytes = std::size_t{1} << 20)
        : pool_(threads),
          window_(threads > 1 ? 2 * static_cast<std::size_t>(threads) : 1),
          batchItems_(batchItems),
          batchBytes_(batchBytes),
          run_(std::move(run)),
          take_(std::move(take)),
          release_(std::move(release)) {
        batch_.reserve(batchItems_);
    }

    // Adds an item whose run handles about `bytes`; takes the oldest batches back when as many
    // are in flight as the threads can hold, so memory stays bounded by the work.
    void Add(Item item, std::size_t bytes) {
        batch_.push_back(std::move(item));
        bytesInBatch_ += bytes;
        if (batch_.size() >= batchItems_ || bytesInBatch_ >= batchBytes_) {
            Submit();
        }
    }

    // Every item added is run and taken when this returns.
    void TakeAll() {
        Submit();
        while (pool_.Pending() > 0) {
            TakeBatch();
        }
    }

private:
    void Submit() {
        if (batch_.empty()) {
            return;
        }
        while (pool_.Pending() >= window_) {
            TakeBatch();
        }
        if (release_) {
            release_(batch_);
        }
        pool_.Submit([this, batch = std::move(batch_)]() mutable {
            for (Item& item : batch) {
                run_(item);
            }
            return std::move(batch);
        });
        // Room for a whole batch at once: items are moved once, not again as it grows.
        batch_.clear();
        batch_.reserve(batchItems_);
        bytesInBatch_ = 0;
    }

    void TakeBatch() {
        std::vector<Item> batch = pool_.TakeNext();
        for (Item& item : batch) {
            take_(item);
        }
    }

    OrderedPool<std::vector<Item>> pool_;
    std::size_t window_;  // batches in flight at once
    std::size_t batchItems_;
    std::size_t batchBytes_;
    Run run_;
    Take take_;
    Release release_;
    std::vector<Item> batch_;
    std::size_t bytesInBatch_ = 0;
};

}  // namespace vrel
