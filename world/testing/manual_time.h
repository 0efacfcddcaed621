// Time that moves only when a test says so, for the world's frame clock.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>

#include "world/frame_clock.h"

class ManualTime {
public:
    // A clock that reads this time; the ManualTime must outlive it.
    std::unique_ptr<IMillisecondClock> MakeClock() const { return std::make_unique<Clock>(*this); }

    // Rounded to whole milliseconds, the clock's resolution.
    void AdvanceSeconds(double seconds) { m_milliseconds += std::llround(seconds * 1000.0); }

private:
    class Clock final : public IMillisecondClock {
    public:
        explicit Clock(const ManualTime& time) : m_time(time) {}
        std::int64_t Milliseconds() const override { return m_time.m_milliseconds; }

    private:
        const ManualTime& m_time;
    };

    std::int64_t m_milliseconds = 0;
};
