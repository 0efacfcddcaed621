#include "platform/win/cwnd.h"

#include "platform/win/internal/native_window.h"
#include "platform/win/internal/window_table.h"
#include "platform/win/win_api.h"

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (IsWindow(m_hWnd)) {
        ::DestroyWindow(m_hWnd);
    }
}

CWnd* CWnd::FromHandle(HWND window)
{
    WindowRecord* record = WindowTable::Instance().Find(window);
    if (!record) {
        return nullptr;
    }
    if (record->object) {
        return record->object;
    }
    if (!record->wrapper) {
        record->wrapper = std::make_unique<CWnd>();
        record->wrapper->m_hWnd = window;
    }
    return record->wrapper.get();
}

BOOL CWnd::Attach(HWND window)
{
    WindowRecord* record = WindowTable::Instance().Find(window);
    if (m_hWnd || !record || record->object) {
        return FALSE;
    }
    record->object = this;
    m_hWnd = window;
    return TRUE;
}

HWND CWnd::Detach()
{
    const HWND window = m_hWnd;
    if (WindowRecord* record = WindowTable::Instance().Find(window); record && record->object == this) {
        record->object = nullptr;
    }
    m_hWnd = nullptr;
    return window;
}

BOOL CWnd::SubclassWindow(HWND window) { return Attach(window); }

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    return parent ? SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id))) : FALSE;
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                    UINT id, LPVOID param)
{
    if (m_hWnd) {
        return FALSE;
    }
    CREATESTRUCTW cs;
    cs.lpCreateParams = param;
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = style;
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    cs.id = id;
    if (!PreCreateWindow(cs)) {
        return FALSE;
    }
    NativeCreateParams params;
    params.className = cs.lpszClass ? cs.lpszClass : L"";
    params.text = cs.lpszName ? cs.lpszName : L"";
    params.style = cs.style;
    params.exStyle = cs.dwExStyle;
    params.rect = QRect(cs.x, cs.y, cs.cx, cs.cy);
    params.parent = cs.hwndParent;
    params.id = static_cast<int>(cs.id);
    params.createParam = cs.lpCreateParams;
    return CreateNativeWindow(params, this) ? TRUE : FALSE;
}

BOOL CWnd::DestroyWindow() { return ::DestroyWindow(m_hWnd); }

BOOL CWnd::PreCreateWindow(CREATESTRUCTW&) { return TRUE; }

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }

void CWnd::ScreenToClient(LPRECT rect) const
{
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    ::ScreenToClient(m_hWnd, &corners[0]);
    ::ScreenToClient(m_hWnd, &corners[1]);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    ::ClientToScreen(m_hWnd, &corners[0]);
    ::ClientToScreen(m_hWnd, &corners[1]);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint)
{
    ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
void CWnd::SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
void CWnd::GetWindowText(std::wstring& text) const { text = GetWindowTextString(m_hWnd); }
std::wstring CWnd::GetWindowText() const { return GetWindowTextString(m_hWnd); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }

void CWnd::SetFont(HFONT font, BOOL redraw) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
HFONT CWnd::GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

HICON CWnd::GetIcon(BOOL bigIcon) const
{
    return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bigIcon ? ICON_BIG : ICON_SMALL));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageW(m_hWnd, message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, void* callback) { return ::SetTimer(m_hWnd, id, elapse, callback); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type) const
{
    return MessageBoxW(m_hWnd, text, caption ? caption : WinApplicationName().c_str(), type);
}

void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
void CWnd::CheckRadioButton(int firstId, int lastId, int checkId)
{
    ::CheckRadioButton(m_hWnd, firstId, lastId, checkId);
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId) const
{
    for (int id = firstId; id <= lastId; ++id) {
        if (IsDlgButtonChecked(id) == BST_CHECKED) {
            return id;
        }
    }
    return 0;
}

void CWnd::SetDlgItemText(int id, LPCWSTR text) { SetDlgItemTextW(m_hWnd, id, text); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CurrentMessage outer = m_current;
    m_current = CurrentMessage{message, wParam, lParam};
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    m_current = outer;
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const WindowRecord* record = WindowTable::Instance().Find(m_hWnd);
    if (!record) {
        return 0;
    }
    const std::shared_ptr<NativeWindow> native = record->native;
    return native->DefProc(message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam); }

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto hdc = reinterpret_cast<HDC>(wParam);
    const auto control = reinterpret_cast<HWND>(lParam);
    switch (message) {
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_NOTIFY:
        return OnNotify(wParam, lParam, result);
    case WM_CREATE:
        *result = OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_ERASEBKGND:
        *result = OnEraseBkgnd(CDC::FromHandle(hdc));
        return TRUE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return TRUE;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(control));
        return TRUE;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(control));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        *result = reinterpret_cast<LRESULT>(OnCtlColor(CDC::FromHandle(hdc), FromHandle(control), CTLCOLOR_STATIC));
        return TRUE;
    case WM_CTLCOLORBTN:
        *result = reinterpret_cast<LRESULT>(OnCtlColor(CDC::FromHandle(hdc), FromHandle(control), CTLCOLOR_BTN));
        return TRUE;
    case WM_CTLCOLORDLG:
        *result = reinterpret_cast<LRESULT>(OnCtlColor(CDC::FromHandle(hdc), FromHandle(control), CTLCOLOR_DLG));
        return TRUE;
    default:
        return OnMouseMessage(message, wParam, lParam);
    }
}

BOOL CWnd::OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto flags = static_cast<UINT>(wParam);
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_MOUSEMOVE:
        OnMouseMove(flags, point);
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(flags, point);
        return TRUE;
    case WM_LBUTTONUP:
        OnLButtonUp(flags, point);
        return TRUE;
    case WM_MBUTTONDOWN:
        OnMButtonDown(flags, point);
        return TRUE;
    case WM_MBUTTONUP:
        OnMButtonUp(flags, point);
        return TRUE;
    case WM_RBUTTONDOWN:
        OnRButtonDown(flags, point);
        return TRUE;
    case WM_RBUTTONUP:
        OnRButtonUp(flags, point);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) != BN_CLICKED) {
        return FALSE;
    }
    for (const CommandEntry& entry : m_commands) {
        if (id >= entry.firstId && id <= entry.lastId) {
            entry.handler(static_cast<UINT>(id));
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header) {
        return FALSE;
    }
    for (const NotifyEntry& entry : m_notifies) {
        if (static_cast<UINT_PTR>(entry.id) == header->idFrom && entry.code == header->code) {
            *result = 0;
            entry.handler(header, result);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result)
{
    if (result) {
        *result = 0;
    }
    switch (message) {
    case WM_HSCROLL:
        HScroll(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_VSCROLL:
        VScroll(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

void CWnd::AddCommand(int firstId, int lastId, std::function<void(UINT)> handler)
{
    m_commands.push_back(CommandEntry{firstId, lastId, std::move(handler)});
}

void CWnd::AddNotify(int id, UINT code, std::function<void(NMHDR*, LRESULT*)> handler)
{
    m_notifies.push_back(NotifyEntry{id, code, std::move(handler)});
}

int CWnd::OnCreate(CREATESTRUCTW*) { return static_cast<int>(Default()); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::HScroll(UINT, UINT) {}
void CWnd::VScroll(UINT, UINT) {}

void CWnd::OnHScroll(UINT, UINT, CWnd* scrollBar)
{
    if (scrollBar && scrollBar->OnChildNotify(m_current.message, m_current.wParam, m_current.lParam, nullptr)) {
        return;
    }
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CWnd* scrollBar)
{
    if (scrollBar && scrollBar->OnChildNotify(m_current.message, m_current.wParam, m_current.lParam, nullptr)) {
        return;
    }
    Default();
}
