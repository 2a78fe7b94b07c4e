#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace vrel {

// The threads that work for one archive: the number asked for, or the machine's cores.
int WorkerThreads(std::optional<int> asked);

// Runs jobs on `threads` threads and hands their results back in the order the jobs were given,
// so that whoever takes them sees exactly the one-thread sequence. The caller's thread is one of
// them: it does jobs itself while it waits for a result (see TakeNext), so a worker more would
// only take turns with it on the same cores. With one thread there are no workers: a job runs
// on the caller's thread when its result is taken, in the order of today.
template <class Result>
class OrderedPool {
public:
    explicit OrderedPool(int threads) {
        if (threads > 1) {
            workers_.reserve(static_cast<std::size_t>(threads - 1));
            for (int i = 1; i < threads; ++i) {
                workers_.emplace_back([this] { Work(); });
            }
        }
    }
    ~OrderedPool() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        jobReady_.notify_all();
        for (std::thread& worker : workers_) {
            worker.join();
        }
    }
    OrderedPool(const OrderedPool&) = delete;
    OrderedPool& operator=(const OrderedPool&) = delete;

    // Jobs given and not yet taken back.
    std::size_t Pending() const { return slots_.size(); }

    void Submit(std::function<Result()> job) {
        auto slot = std::make_shared<Slot>();
        slot->Job = std::move(job);
        slots_.push_back(slot);
        if (workers_.empty()) {
            return;
        }
        bool wake = false;
        {
            std::lock_guard lock(mutex_);
            queue_.push_back(std::move(slot));
            wake = idleWorkers_ > 0;
        }
        // Waking a thread is a system call; a busy worker finds the job by itself.
        if (wake) {
            jobReady_.notify_one();
        }
    }

    // The result of the oldest job not yet taken; waits for it. Only with Pending() > 0.
    Result TakeNext() {
        std::shared_ptr<Slot> slot = std::move(slots_.front());
        slots_.pop_front();
        if (workers_.empty()) {
            return slot->Job();
        }
        std::unique_lock lock(mutex_);
        // Rather than sleep while jobs wait, the caller does the oldest itself (often the one it
        // waits for): no core then idles, and fewer threads are woken.
        while (!slot->Done && !queue_.empty()) {
            std::shared_ptr<Slot> oldest = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            Run(*oldest);
            lock.lock();
        }
        if (!slot->Done) {
            callerWaiting_ = true;
            resultReady_.wait(lock, [&] { return slot->Done; });
            callerWaiting_ = false;
        }
        if (slot->Failure) {
            std::rethrow_exception(slot->Failure);
        }
        return std::move(*slot->Outcome);
    }

private:
    struct Slot {
        std::function<Result()> Job;
        std::optional<Result> Outcome;
        std::exception_ptr Failure;
        bool Done = false;
    };

    void Work() {
        for (;;) {
            std::shared_ptr<Slot> slot;
            {
                std::unique_lock lock(mutex_);
                ++idleWorkers_;
                jobReady_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
                --idleWorkers_;
                if (queue_.empty()) {
                    return;
                }
                slot = std::move(queue_.front());
                queue_.pop_front();
            }
            Run(*slot);
        }
    }

    void Run(Slot& slot) {
        std::optional<Result> result;
        std::exception_ptr failure;
        try {
            result.emplace(slot.Job());
        } catch (...) {
            failure = std::current_exception();
        }
        slot.Job = nullptr;  // what it held goes now, not when the result is taken
        bool wake = false;
        {
            std::lock_guard lock(mutex_);
            slot.Outcome = std::move(result);
            slot.Failure = failure;
            slot.Done = true;
            wake = callerWaiting_;
        }
        if (wake) {
            resultReady_.notify_one();
        }
    }

    std::vector<std::thread> workers_;
    std::deque<std::shared_ptr<Slot>> slots_;  // in the order given; the caller's alone
    std::mutex mutex_;
    std::condition_variable jobReady_;
    std::condition_variable resultReady_;
    std::deque<std::shared_ptr<Slot>> queue_;  // not yet started
    int idleWorkers_ = 0;
    bool callerWaiting_ = false;
    bool stopping_ = false;
};

}  // namespace vrel
