// A repeating timer, replaceable so that tests fire it by hand.
#pragma once

#include <QTimer>

#include <chrono>
#include <functional>

class IIntervalTimer {
public:
    virtual ~IIntervalTimer() = default;
    // Calls onTimeout every interval from the event loop until the timer goes or starts again.
    virtual void Start(std::chrono::milliseconds interval, std::function<void()> onTimeout) = 0;
};

// Qt's timer.
class QtIntervalTimer final : public IIntervalTimer {
public:
    void Start(std::chrono::milliseconds interval, std::function<void()> onTimeout) override;

private:
    QTimer m_timer;
};
