#include "platform/win/timer_source.h"

#include "platform/win/internal/window_table.h"
#include "platform/win/win_api.h"

#include <QTimer>

namespace {

IWinTimerSource*& InstalledSource()
{
    static IWinTimerSource* source = nullptr;
    return source;
}

} // namespace

void WinSetTimerSource(IWinTimerSource* source) { InstalledSource() = source; }

IWinTimerSource* WinTimerSource() { return InstalledSource(); }

bool DeliverTimer(HWND window, UINT_PTR id)
{
    const WindowRecord* record = WindowTable::Instance().Find(window);
    if (!record || !record->timers.contains(id)) {
        return false;
    }
    SendMessageW(window, WM_TIMER, id, 0);
    return true;
}

QtTimerSource::QtTimerSource() = default;
QtTimerSource::~QtTimerSource() = default;

void QtTimerSource::StartTimer(HWND window, UINT_PTR id, UINT elapseMs)
{
    auto& timer = m_timers[{window, id}];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, [window, id] { DeliverTimer(window, id); });
    }
    timer->start(static_cast<int>(elapseMs));
}

void QtTimerSource::StopTimer(HWND window, UINT_PTR id)
{
    auto node = m_timers.extract({window, id});
    if (node.empty()) {
        return;
    }
    // A handler may kill the timer that is calling it: let Qt delete the timer afterwards.
    node.mapped()->stop();
    node.mapped().release()->deleteLater();
}

ManualTimerSource::ManualTimerSource() : m_previous(InstalledSource()) { WinSetTimerSource(this); }

ManualTimerSource::~ManualTimerSource() { WinSetTimerSource(m_previous); }

void ManualTimerSource::StartTimer(HWND window, UINT_PTR id, UINT elapseMs) { m_running[{window, id}] = elapseMs; }

void ManualTimerSource::StopTimer(HWND window, UINT_PTR id) { m_running.erase({window, id}); }

bool ManualTimerSource::IsRunning(HWND window, UINT_PTR id) const { return m_running.contains({window, id}); }

UINT ManualTimerSource::Interval(HWND window, UINT_PTR id) const
{
    const auto it = m_running.find({window, id});
    return it == m_running.end() ? 0 : it->second;
}

bool ManualTimerSource::Fire(HWND window, UINT_PTR id) { return IsRunning(window, id) && DeliverTimer(window, id); }
