#pragma once
// Independent jobs on worker threads, with the calling thread left to tell
// the user: it runs what the jobs post, in the order posted, and calls back
// between deliveries, so that a window can keep answering.
#include <atomic>
#include <functional>

namespace cpt {

class JobEvents {
public:
    virtual ~JobEvents() = default;
    // Runs on the calling thread, after what was posted before it.
    virtual void post(std::function<void()> delivery) = 0;
};

struct JobRun {
    int jobCount = 0;
    int workers = 1;  // threads besides the calling one
    // worker: 0 to workers - 1, for what each worker keeps to itself.
    std::function<void(int job, int worker, JobEvents& events)> job;
    std::function<void()> whileWaiting;
    // Set from outside (or by a failure) to start no further job.
    const std::atomic<bool>* cancel = nullptr;
};

// Runs every job once. The first exception of a job, of a delivery or of
// whileWaiting stops the jobs not yet begun and is rethrown here once every
// worker has stopped; a cancel likewise ends in Cancelled.
void runJobs(const JobRun& run);

// The threads the system gives this process (its affinity), at least 1.
int availableThreads();

}  // namespace cpt
