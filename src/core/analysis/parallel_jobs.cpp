#include "core/analysis/parallel_jobs.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#if defined(__linux__)
#include <sched.h>
#endif

#include "core/common/user_error.h"

namespace cpt {
namespace {

// What the workers share with the calling thread.
class Shared : public JobEvents {
public:
    void post(std::function<void()> delivery) override {
        {
            std::lock_guard lock(mutex_);
            events_.push_back(std::move(delivery));
        }
        changed_.notify_one();
    }
    void fail(std::exception_ptr failure) {
        {
            std::lock_guard lock(mutex_);
            if (!failure_) failure_ = failure;
        }
        stop.store(true);
        changed_.notify_one();
    }
    void workerDone() {
        {
            std::lock_guard lock(mutex_);
            ++workersDone_;
        }
        changed_.notify_one();
    }
    // Waits a little for news; returns the events posted and whether every
    // worker is done.
    bool take(std::deque<std::function<void()>>& events, int workers) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::milliseconds(40),
                          [&] { return !events_.empty() || workersDone_ == workers; });
        events.swap(events_);
        return workersDone_ == workers && events.empty() && events_.empty();
    }
    std::exception_ptr failure() {
        std::lock_guard lock(mutex_);
        return failure_;
    }

    std::atomic<int> nextJob{0};
    std::atomic<bool> stop{false};

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> events_;
    int workersDone_ = 0;
    std::exception_ptr failure_;
};

bool cancelled(const JobRun& run) { return run.cancel != nullptr && run.cancel->load(std::memory_order_relaxed); }

// Every job on the calling thread, events delivered as they come.
void runInline(const JobRun& run) {
    struct Direct : JobEvents {
        void post(std::function<void()> delivery) override { delivery(); }
    } direct;
    for (int k = 0; k < run.jobCount; ++k) {
        if (cancelled(run)) throw Cancelled();
        run.job(k, 0, direct);
        if (run.whileWaiting) run.whileWaiting();
    }
    // A job may end early at a cancel: its run has no result, as with workers.
    if (cancelled(run)) throw Cancelled();
}

}  // namespace

void runJobs(const JobRun& run) {
    if (run.workers <= 1 && !run.whileWaiting) {
        runInline(run);
        return;
    }
    Shared shared;
    const int workers = std::max(1, run.workers);
    // Joined on every way out, a failure to start one included.
    struct Workers {
        std::vector<std::thread> threads;
        ~Workers() {
            for (std::thread& thread : threads) {
                if (thread.joinable()) thread.join();
            }
        }
    } started;
    std::vector<std::thread>& threads = started.threads;
    threads.reserve(static_cast<std::size_t>(workers));
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&shared, &run, w] {
            for (;;) {
                if (shared.stop.load() || cancelled(run)) break;
                const int k = shared.nextJob.fetch_add(1);
                if (k >= run.jobCount) break;
                try {
                    run.job(k, w, shared);
                } catch (...) {
                    shared.fail(std::current_exception());
                    break;
                }
            }
            shared.workerDone();
        });
    }
    std::deque<std::function<void()>> events;
    try {
        for (;;) {
            const bool done = shared.take(events, workers);
            for (const std::function<void()>& delivery : events) delivery();
            events.clear();
            if (done) break;
            if (run.whileWaiting) run.whileWaiting();
        }
    } catch (...) {
        shared.fail(std::current_exception());
    }
    for (std::thread& thread : threads) thread.join();
    if (const std::exception_ptr failure = shared.failure()) std::rethrow_exception(failure);
    if (cancelled(run)) throw Cancelled();
}

int availableThreads() {
#if defined(__linux__)
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof(set), &set) == 0) {
        const int count = CPU_COUNT(&set);
        if (count > 0) return count;
    }
#endif
    const unsigned count = std::thread::hardware_concurrency();
    return count > 0 ? static_cast<int>(count) : 1;
}

}  // namespace cpt
