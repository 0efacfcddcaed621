// Internal to platform/win: the table of live windows behind the HWND tokens.
// A handle is never reused, so a handle stays dead once its window is gone. Each record holds
// what the window system keeps per window (parent, id, styles, font, icons, timers, the last
// presented frame) and the window's native behaviour, which owns the Qt widget.
#pragma once

#include "platform/win/win_defs.h"

#include <QImage>

#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

class CWnd;
class NativeWindow;

struct WindowRecord {
    WindowRecord();
    ~WindowRecord(); // out of line: CWnd is complete only there

    HWND handle = nullptr;
    HWND parent = nullptr; // parent of a child window, owner of a pop-up
    bool child = false;
    int id = 0;
    DWORD style = 0; // creation style; WS_VISIBLE and WS_DISABLED are read from the widget
    DWORD exStyle = 0;
    std::wstring className; // empty for the framework's default window class
    HBRUSH classBrush = nullptr;
    std::shared_ptr<NativeWindow> native;
    CWnd* object = nullptr;        // the attached framework object, if any
    std::unique_ptr<CWnd> wrapper; // stand-in object handed out by CWnd::FromHandle
    std::vector<HWND> children;    // child and owned windows, in creation order
    HFONT font = nullptr;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    std::set<UINT_PTR> timers;
    HDC paintDc = nullptr; // set while the window paints
    QImage presented;      // the last frame the device presented into this window
};

class WindowTable {
public:
    static WindowTable& Instance();

    // Registers the record under a new handle and returns that handle.
    HWND Add(std::unique_ptr<WindowRecord> record);
    WindowRecord* Find(HWND window) const;
    // Forgets the window: kills its timers, releases capture, detaches its objects and
    // unlinks it from its parent. Sends no messages.
    void Remove(HWND window);

    HWND Capture() const { return m_capture; }
    void SetCapture(HWND window) { m_capture = window; }

private:
    std::unordered_map<HWND, std::unique_ptr<WindowRecord>> m_records;
    std::uintptr_t m_nextHandle = 0x1000;
    HWND m_capture = nullptr;
};
