#pragma once
// The time and the random numbers come through this port, so that tests can
// fix both.
#include <cstdint>
#include <random>

#include "core/common/date_time.h"

namespace cpt {

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() = 0;
    // Milliseconds of a steady timer, for reseeding from "the system timer".
    virtual std::uint32_t timerTicks() = 0;
    virtual void seed(std::uint32_t seed) = 0;
    // Uniform in [0, 1).
    virtual double random() = 0;
};

// The generator both the real and the test clock use.
class UniformRandom {
public:
    void seed(std::uint32_t seed) { engine_.seed(seed); }
    double next() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 engine_{5489u};
};

class SystemClock : public Clock {
public:
    DateTime now() override;
    std::uint32_t timerTicks() override;
    void seed(std::uint32_t seed) override { random_.seed(seed); }
    double random() override { return random_.next(); }

private:
    UniformRandom random_;
};

// A clock that stands still at one moment: reports made with it are the same
// byte for byte on every run.
class FixedClock : public Clock {
public:
    explicit FixedClock(DateTime moment) : moment_(moment) {}
    DateTime now() override { return moment_; }
    std::uint32_t timerTicks() override { return 0; }
    void seed(std::uint32_t seed) override { random_.seed(seed); }
    double random() override { return random_.next(); }

private:
    DateTime moment_;
    UniformRandom random_;
};

}  // namespace cpt
