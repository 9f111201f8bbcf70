#pragma once
// A Clock for tests: the time stands still until a test moves it, and the
// random values can be fixed one by one.
#include <deque>
#include <vector>

#include "core/common/clock.h"

namespace cpt::testing {

class TestClock : public Clock {
public:
    explicit TestClock(DateTime start = DateTime{2026, 12, 9, 22, 32, 2}) : now_(start) {}

    DateTime now() override { return now_; }
    std::uint32_t timerTicks() override { return ticks_; }
    void seed(std::uint32_t seed) override {
        seeds.push_back(seed);
        random_.seed(seed);
    }
    // The queued values first, then the seeded generator.
    double random() override {
        if (!queued_.empty()) {
            double value = queued_.front();
            queued_.pop_front();
            return value;
        }
        return random_.next();
    }

    void set(DateTime moment) { now_ = moment; }
    void advance(std::int64_t seconds) { now_ = fromSecondsSinceEpoch(secondsSinceEpoch(now_) + seconds); }
    void queueRandom(double value) { queued_.push_back(value); }
    void setTimerTicks(std::uint32_t ticks) { ticks_ = ticks; }

    std::vector<std::uint32_t> seeds;

private:
    DateTime now_;
    std::uint32_t ticks_ = 0;
    std::deque<double> queued_;
    UniformRandom random_;
};

}  // namespace cpt::testing
