#include "editor/interval_timer.h"

void QtIntervalTimer::Start(std::chrono::milliseconds interval, std::function<void()> onTimeout)
{
    m_timer.disconnect();
    QObject::connect(&m_timer, &QTimer::timeout, std::move(onTimeout));
    m_timer.start(interval);
}
