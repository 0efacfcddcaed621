// The framework's window object: a C++ object bound to one window handle, whose virtual
// handlers receive the window's messages.
// Implements: CWnd with creation (Create/CreateEx through the PreCreateWindow hook), binding to
// existing windows (Attach, SubclassWindow, SubclassDlgItem, FromHandle), the window handling
// the system calls (rectangles, move, show, enable, text, styles, fonts, icons, timers, capture,
// destroy), message dispatch (WindowProc -> OnWndMsg -> virtual handlers -> Default ->
// DefWindowProc), scroll reflection to the sending control (HScroll/VScroll), and a small
// message map: dialogs register command and notification handlers by control id.
// Leaves out: menus, keyboard and focus messages, WM_SIZE and WM_MOVE, non-client messages,
// tool tips, OLE, document/view.
#pragma once

#include "platform/win/gdi.h"
#include "platform/win/win_defs.h"
#include "platform/win/win_geometry.h"

#include <functional>
#include <string>
#include <vector>

class CWnd {
public:
    CWnd();
    // Destroys the window if it still exists.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object bound to a window, or a stand-in object that lives as long as the window.
    static CWnd* FromHandle(HWND window);
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Binding to an existing window: its messages then come to this object.
    BOOL Attach(HWND window);
    HWND Detach();
    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    // Creation. className null means the framework's default window; "Static", "Button",
    // "msctls_trackbar32" and "SysTreeView32" make the common controls. The rectangle is in the
    // parent's client coordinates for a child window, in screen coordinates otherwise.
    virtual BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                          CWnd* parent, UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();
    // The creation hook: may change the class, styles and rectangle; FALSE stops the creation.
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);

    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    CWnd* GetParent() const;
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    void BringWindowToTop();
    BOOL ShowWindow(int command);
    void UpdateWindow();
    void Invalidate(BOOL erase = TRUE);
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    void SetWindowText(LPCWSTR text);
    void SetWindowText(const std::wstring& text) { SetWindowText(text.c_str()); }
    void GetWindowText(std::wstring& text) const;
    std::wstring GetWindowText() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    void SetFont(HFONT font, BOOL redraw = TRUE);
    HFONT GetFont() const;
    HICON SetIcon(HICON icon, BOOL bigIcon);
    HICON GetIcon(BOOL bigIcon) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, void* callback = nullptr);
    BOOL KillTimer(UINT_PTR id);
    CWnd* SetCapture();
    // A null caption shows the application name.
    int MessageBox(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = MB_OK) const;

    // Dialog-item helpers (they work on any parent window).
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    // The first checked button of the id range, 0 when none is.
    int GetCheckedRadioButton(int firstId, int lastId) const;
    void SetDlgItemText(int id, LPCWSTR text);

    // Message processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled.
    LRESULT Default();
    // A notification of this control that its parent offers back (reflection). The default
    // passes WM_HSCROLL and WM_VSCROLL to HScroll and VScroll.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    HWND m_hWnd = nullptr;

protected:
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Runs the command handlers registered for the id; TRUE when one ran.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual int OnCreate(CREATESTRUCTW* cs);
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnDestroy();
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnMButtonDown(UINT flags, CPoint point);
    virtual void OnMButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    // The default offers the notification to the sending control (see HScroll/VScroll).
    virtual void OnHScroll(UINT code, UINT position, CWnd* scrollBar);
    virtual void OnVScroll(UINT code, UINT position, CWnd* scrollBar);
    virtual HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlColor);
    // Scroll notifications of this control, reflected from its parent.
    virtual void HScroll(UINT code, UINT position);
    virtual void VScroll(UINT code, UINT position);

    // Message map: a derived class registers its handlers, usually in its constructor:
    //     MapCommand(IDC_GENERATE, &CMyDialog::OnGenerate);
    //     MapCommandRange(IDC_FIRST, IDC_LAST, &CMyDialog::OnDirection);   // gets the id
    //     MapNotify(IDC_TREE, TVN_SELCHANGEDW, &CMyDialog::OnSelChanged);
    template <class T> void MapCommand(int id, void (T::*handler)())
    {
        AddCommand(id, id, [this, handler](UINT) { (static_cast<T*>(this)->*handler)(); });
    }
    template <class T> void MapCommandRange(int firstId, int lastId, void (T::*handler)(UINT))
    {
        AddCommand(firstId, lastId, [this, handler](UINT id) { (static_cast<T*>(this)->*handler)(id); });
    }
    template <class T> void MapNotify(int id, UINT code, void (T::*handler)(NMHDR*, LRESULT*))
    {
        AddNotify(id, code, [this, handler](NMHDR* header, LRESULT* result) {
            (static_cast<T*>(this)->*handler)(header, result);
        });
    }

private:
    struct CommandEntry {
        int firstId;
        int lastId;
        std::function<void(UINT)> handler;
    };
    struct NotifyEntry {
        int id;
        UINT code;
        std::function<void(NMHDR*, LRESULT*)> handler;
    };
    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };

    void AddCommand(int firstId, int lastId, std::function<void(UINT)> handler);
    void AddNotify(int id, UINT code, std::function<void(NMHDR*, LRESULT*)> handler);
    BOOL OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<CommandEntry> m_commands;
    std::vector<NotifyEntry> m_notifies;
    CurrentMessage m_current;
};
