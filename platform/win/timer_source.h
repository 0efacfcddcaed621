// Where window timers come from. SetTimer/KillTimer record a window's timers and ask the
// installed timer source to run them; the source calls DeliverTimer when one is due. The
// window system installs a QtTimerSource (see win_app.h); tests install a ManualTimerSource
// and fire timers themselves.
// Implements: the source interface, the Qt source, the manual source.
// Leaves out: timer callbacks (TIMERPROC) and thread timers.
#pragma once

#include "platform/win/win_defs.h"

#include <map>
#include <memory>
#include <utility>

class QTimer;

class IWinTimerSource {
public:
    virtual ~IWinTimerSource() = default;
    // Starts the timer, replacing a running one with the same window and id.
    virtual void StartTimer(HWND window, UINT_PTR id, UINT elapseMs) = 0;
    virtual void StopTimer(HWND window, UINT_PTR id) = 0;
};

// The source is not owned; null leaves no source, and SetTimer then fails.
void WinSetTimerSource(IWinTimerSource* source);
IWinTimerSource* WinTimerSource();

// Sends WM_TIMER with the id to the window if that timer is set there; false otherwise.
bool DeliverTimer(HWND window, UINT_PTR id);

// One QTimer per window timer, delivering WM_TIMER from the Qt event loop.
class QtTimerSource : public IWinTimerSource {
public:
    QtTimerSource();
    ~QtTimerSource() override;
    QtTimerSource(const QtTimerSource&) = delete;
    QtTimerSource& operator=(const QtTimerSource&) = delete;

    void StartTimer(HWND window, UINT_PTR id, UINT elapseMs) override;
    void StopTimer(HWND window, UINT_PTR id) override;

private:
    std::map<std::pair<HWND, UINT_PTR>, std::unique_ptr<QTimer>> m_timers;
};

// Timers that run only when a test fires them. Installs itself on construction and puts the
// previous source back on destruction.
class ManualTimerSource : public IWinTimerSource {
public:
    ManualTimerSource();
    ~ManualTimerSource() override;
    ManualTimerSource(const ManualTimerSource&) = delete;
    ManualTimerSource& operator=(const ManualTimerSource&) = delete;

    void StartTimer(HWND window, UINT_PTR id, UINT elapseMs) override;
    void StopTimer(HWND window, UINT_PTR id) override;

    bool IsRunning(HWND window, UINT_PTR id) const;
    // The interval the timer was started with; 0 when it is not running.
    UINT Interval(HWND window, UINT_PTR id) const;
    // Delivers one WM_TIMER if the timer runs; false otherwise.
    bool Fire(HWND window, UINT_PTR id);

private:
    IWinTimerSource* m_previous = nullptr;
    std::map<std::pair<HWND, UINT_PTR>, UINT> m_running;
};
