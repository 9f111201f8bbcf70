#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "core/analysis/parallel_jobs.h"
#include "core/common/user_error.h"

namespace cpt {
namespace {

// A job that fails (a pair out of memory, a file that cannot be written) ends
// the run with its own exception, whichever job it is and whichever worker
// runs it, and the jobs after it on the same worker are not begun.
TEST(RunJobs, AJobThatThrowsEndsTheRunWithItsException) {
    constexpr int JobCount = 12;
    for (const int workers : {1, 2, 4}) {
        for (const bool waiting : {false, true}) {
            for (const int failing : {0, JobCount - 1}) {
                for (const bool outOfMemory : {false, true}) {
                    SCOPED_TRACE(::testing::Message() << workers << " workers, waiting " << waiting << ", job "
                                                      << failing << (outOfMemory ? " out of memory" : " refused"));
                    std::vector<std::atomic<int>> runs(JobCount);
                    std::atomic<int> running{0};
                    JobRun run;
                    run.jobCount = JobCount;
                    run.workers = workers;
                    if (waiting) run.whileWaiting = [] {};
                    run.job = [&](int k, int, JobEvents& events) {
                        ++running;
                        struct Leave {
                            std::atomic<int>& running;
                            ~Leave() { --running; }
                        } leave{running};
                        ++runs[static_cast<std::size_t>(k)];
                        events.post({PairProgress::Stage::Begun, k, k + 1, 0, JobCount});
                        if (k != failing) return;
                        if (outOfMemory) throw std::bad_alloc();
                        throw UserError("job " + std::to_string(k) + " cannot be written");
                    };
                    bool caught = false;
                    try {
                        runJobs(run);
                    } catch (const UserError& error) {
                        caught = !outOfMemory;
                        EXPECT_EQ(std::string(error.what()), "job " + std::to_string(failing) + " cannot be written");
                    } catch (const std::bad_alloc&) {
                        caught = outOfMemory;
                    }
                    EXPECT_TRUE(caught) << "the job's exception did not end the run";
                    EXPECT_EQ(running.load(), 0) << "a job still runs after the run ended";
                    int begun = 0;
                    for (const std::atomic<int>& count : runs) {
                        EXPECT_LE(count.load(), 1);
                        begun += count.load();
                    }
                    EXPECT_EQ(runs[static_cast<std::size_t>(failing)].load(), 1);
                    if (workers == 1) EXPECT_EQ(begun, failing + 1);
                }
            }
        }
    }
}

// The workers asked for run their jobs side by side: each job here waits
// until every worker has begun one, which the calling thread alone never
// could. The wait is bounded only so that a fault fails instead of hanging.
TEST(RunJobs, TheWorkersAskedForRunJobsSideBySide) {
    for (const int workers : {2, 3}) {
        SCOPED_TRACE(::testing::Message() << workers << " workers");
        std::mutex mutex;
        std::condition_variable allBegun;
        int begun = 0;
        std::atomic<int> alone{0};
        JobRun run;
        run.jobCount = workers;
        run.workers = workers;
        run.job = [&](int, int, JobEvents&) {
            std::unique_lock lock(mutex);
            ++begun;
            allBegun.notify_all();
            if (!allBegun.wait_for(lock, std::chrono::seconds(20), [&] { return begun == workers; })) ++alone;
        };
        runJobs(run);
        EXPECT_EQ(alone.load(), 0) << "a job ran while no other did";
    }
}

}  // namespace
}  // namespace cpt
