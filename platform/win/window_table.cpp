#include "platform/win/internal/window_table.h"

#include "platform/win/cwnd.h"
#include "platform/win/internal/native_window.h"
#include "platform/win/timer_source.h"

#include <algorithm>

WindowRecord::WindowRecord() = default;
WindowRecord::~WindowRecord() = default;

WindowTable& WindowTable::Instance()
{
    static WindowTable table;
    return table;
}

HWND WindowTable::Add(std::unique_ptr<WindowRecord> record)
{
    m_nextHandle += 4;
    const HWND handle = reinterpret_cast<HWND>(m_nextHandle);
    record->handle = handle;
    m_records.emplace(handle, std::move(record));
    return handle;
}

WindowRecord* WindowTable::Find(HWND window) const
{
    if (!window) {
        return nullptr;
    }
    const auto it = m_records.find(window);
    return it == m_records.end() ? nullptr : it->second.get();
}

void WindowTable::Remove(HWND window)
{
    const auto it = m_records.find(window);
    if (it == m_records.end()) {
        return;
    }
    const std::unique_ptr<WindowRecord> record = std::move(it->second);
    m_records.erase(it);
    if (IWinTimerSource* timers = WinTimerSource()) {
        for (const UINT_PTR id : record->timers) {
            timers->StopTimer(window, id);
        }
    }
    if (m_capture == window) {
        m_capture = nullptr;
    }
    if (record->object) {
        record->object->m_hWnd = nullptr;
    }
    if (record->wrapper) {
        record->wrapper->m_hWnd = nullptr;
    }
    if (WindowRecord* parent = Find(record->parent)) {
        std::erase(parent->children, window);
    }
}
