// The time base of the world's animation: a millisecond clock that tests can replace, and the
// frame clock that measures the seconds between two timer ticks.
#pragma once

#include <cstdint>
#include <memory>

// A monotonic count of milliseconds from an arbitrary origin.
class IMillisecondClock {
public:
    virtual ~IMillisecondClock() = default;
    virtual std::int64_t Milliseconds() const = 0;
};

// Wall time that never goes backwards. The processor time of the C library's clock() would stand
// still while the editor waits for its timer, so the animation uses the steady clock instead.
class CSteadyMillisecondClock final : public IMillisecondClock {
public:
    std::int64_t Milliseconds() const override;
};

class FrameClock {
public:
    // A null clock means the steady clock.
    explicit FrameClock(std::unique_ptr<IMillisecondClock> clock = std::make_unique<CSteadyMillisecondClock>());

    // Remembers the current time.
    void Restart();
    // Seconds since the last restart or call, and remembers the current time.
    float SecondsSinceLast();

private:
    std::unique_ptr<IMillisecondClock> m_clock;
    std::int64_t m_tickCount = 0;
};
