#include "world/frame_clock.h"

#include <chrono>
#include <utility>

std::int64_t CSteadyMillisecondClock::Milliseconds() const
{
    const auto sinceOrigin = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(sinceOrigin).count();
}

FrameClock::FrameClock(std::unique_ptr<IMillisecondClock> clock)
    : m_clock(clock != nullptr ? std::move(clock) : std::make_unique<CSteadyMillisecondClock>())
{
}

void FrameClock::Restart() { m_tickCount = m_clock->Milliseconds(); }

float FrameClock::SecondsSinceLast()
{
    const std::int64_t now = m_clock->Milliseconds();
    const float seconds = static_cast<float>(static_cast<double>(now - m_tickCount) / 1000.0);
    m_tickCount = now;
    return seconds;
}
