// Test support: an interval timer that fires only when the test says so.
#pragma once

#include "editor/interval_timer.h"

class ManualIntervalTimer final : public IIntervalTimer {
public:
    void Start(std::chrono::milliseconds interval, std::function<void()> onTimeout) override
    {
        m_interval = interval;
        m_onTimeout = std::move(onTimeout);
    }

    std::chrono::milliseconds Interval() const { return m_interval; }
    // As the event loop would after an interval; false when the timer was never started.
    bool Fire()
    {
        if (!m_onTimeout) {
            return false;
        }
        m_onTimeout();
        return true;
    }

private:
    std::chrono::milliseconds m_interval{0};
    std::function<void()> m_onTimeout;
};
