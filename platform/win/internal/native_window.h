// Internal to platform/win: the window classes. A NativeWindow owns the Qt widget of one window
// and does what the platform's class procedure does by default (DefWindowProc); framework
// objects reach it through CWnd::DefWindowProc.
#pragma once

#include "platform/win/win_defs.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <memory>
#include <string>

class CWnd;

class NativeWindow {
public:
    virtual ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    QWidget* Widget() const { return m_widget; }
    HWND Handle() const { return m_handle; }
    // Called once, right after the window is registered; classes pass it on to their widget.
    virtual void SetHandle(HWND handle) { m_handle = handle; }
    const std::wstring& Text() const { return m_text; }

    virtual LRESULT DefProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Width of the border between the widget's edge and the client area.
    virtual int ClientMargin() const { return 0; }

protected:
    explicit NativeWindow(QWidget* widget);
    virtual void ApplyText() {}

private:
    QPointer<QWidget> m_widget;
    HWND m_handle = nullptr;
    std::wstring m_text;
};

struct NativeCreateParams {
    std::wstring className; // empty: the framework's default window class
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    QRect rect; // parent's client coordinates for a child window, screen coordinates otherwise
    HWND parent = nullptr;
    // The widget a child window without a parent window lives in (a main window's central
    // widget).
    QWidget* hostWidget = nullptr;
    int id = 0;
    LPVOID createParam = nullptr;
};

// Creates the window, binds the object (if any) before WM_CREATE, and returns its handle;
// null when the class is unknown, a child window has neither a live parent nor a host widget,
// or WM_CREATE refuses.
HWND CreateNativeWindow(const NativeCreateParams& params, CWnd* object);

// The widget property that names the window a widget shows.
inline constexpr char kWindowHandleProperty[] = "reliefWindowHandle";

// The class name of dialogs, as the platform names it.
inline constexpr wchar_t kDialogClassName[] = L"#32770";
inline constexpr wchar_t kStaticClassName[] = L"Static";
inline constexpr wchar_t kButtonClassName[] = L"Button";
inline constexpr wchar_t kTrackbarClassName[] = L"msctls_trackbar32";
inline constexpr wchar_t kTreeViewClassName[] = L"SysTreeView32";

// Window classes, one factory each (native_*.cpp). The widget is created as a child of
// parentWidget (or as a top-level window owned by it for pop-ups).
std::unique_ptr<NativeWindow> MakeFrameworkWindow(const NativeCreateParams& params, QWidget* parentWidget, bool dialog);
std::unique_ptr<NativeWindow> MakeStaticWindow(const NativeCreateParams& params, QWidget* parentWidget);
std::unique_ptr<NativeWindow> MakeButtonWindow(const NativeCreateParams& params, QWidget* parentWidget);
std::unique_ptr<NativeWindow> MakeTrackbarWindow(const NativeCreateParams& params, QWidget* parentWidget);
std::unique_ptr<NativeWindow> MakeTreeViewWindow(const NativeCreateParams& params, QWidget* parentWidget);

struct WindowRecord;
// Whether the window was created with that class name (compared as the platform does).
bool IsWindowClass(const WindowRecord& record, const wchar_t* className);

// The offset of a window's client area inside its widget.
QPoint ClientOrigin(HWND window);
