// The window-system functions the system calls on window handles, over Qt 6 Widgets.
// Implements: handle validity (IsWindow is true only while the window's widget lives), control
// lookup by id, window and client rectangles, screen/client conversion, move, Z order, show
// (SW_SHOW, SW_HIDE, SW_SHOWDEFAULT, minimise and restore), enable, text, styles (GetWindowLongW),
// destroy, synchronous messages (SendMessageW), check boxes and radio groups by id, window
// timers (WM_TIMER through a replaceable timer source, see timer_source.h), mouse capture,
// window classes (RegisterClassW, AfxRegisterWndClass), message boxes (through the dialog
// service, see dialog_service.h), the application name, InitCommonControls.
// Leaves out: posted messages and message queues (every message is delivered synchronously),
// window enumeration, SetWindowLong, keyboard focus, menus, clipboard, multiple monitors.
#pragma once

#include "platform/win/win_defs.h"

#include <string>

BOOL IsWindow(HWND window);
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND window);
// The parent of a child window, the owner of a pop-up.
HWND GetParent(HWND window);
// Screen coordinates of the whole window, borders included.
BOOL GetWindowRect(HWND window, LPRECT rect);
// The client area: left and top are 0, right and bottom its size.
BOOL GetClientRect(HWND window, LPRECT rect);
BOOL ScreenToClient(HWND window, LPPOINT point);
BOOL ClientToScreen(HWND window, LPPOINT point);
// A child window's rectangle is given in its parent's client coordinates.
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL BringWindowToTop(HWND window);
// Returns whether the window was visible before. Sends WM_SHOWWINDOW when visibility changes.
BOOL ShowWindow(HWND window, int command);
BOOL UpdateWindow(HWND window);
BOOL InvalidateRect(HWND window, LPCRECT rect, BOOL erase);
// Returns whether the window was disabled before.
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
// True when the window and all its parents are shown.
BOOL IsWindowVisible(HWND window);
BOOL IsIconic(HWND window);
BOOL SetWindowTextW(HWND window, LPCWSTR text);
// Copies at most maxCount - 1 characters and a terminating zero; returns the characters copied.
int GetWindowTextW(HWND window, LPWSTR buffer, int maxCount);
int GetWindowTextLengthW(HWND window);
std::wstring GetWindowTextString(HWND window);
// GWL_STYLE (with the current WS_VISIBLE and WS_DISABLED), GWL_EXSTYLE and GWL_ID.
LONG GetWindowLongW(HWND window, int index);
// Sends WM_DESTROY to the window and then to its children and owned windows, and forgets them.
BOOL DestroyWindow(HWND window);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
// Checks checkId and clears every other button with an id in firstId..lastId.
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);

// Window timers: WM_TIMER with the id reaches the window every elapse milliseconds until
// KillTimer or the window's destruction. Setting a running timer again restarts it. Timer
// callbacks are not supported: callback must be null. Returns a nonzero value (the id, or 1 for
// timer 0) on success, 0 on failure.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, void* callback);
BOOL KillTimer(HWND window, UINT_PTR id);

// Capture is recorded per process; Qt already routes a pressed button's mouse events to the
// widget where the press began, which is what capture gives a view during a drag.
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();

// Registers a window class; 0 when the name is missing or already registered.
ATOM RegisterClassW(const WNDCLASSW* windowClass);
// Registers (once) and names a class with these attributes.
LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);

// Shows a message box through the dialog service and returns the button chosen (IDOK, ...).
// A null caption shows "Error", as the platform does.
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// The name message boxes of the framework show when no caption is given.
const std::wstring& WinApplicationName();
void WinSetApplicationName(const std::wstring& name);

// Does nothing: Qt's widgets need no class registration. Kept so that start-up code calls it
// where the platform needs it.
void InitCommonControls();
