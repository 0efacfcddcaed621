#include "ui/ui_window.h"

#include "platform/win/win_api.h"

TQRMFC_UIWindow::TQRMFC_UIWindow(bool ownerDraws) : m_ownerDraws(ownerDraws) {}

// The window goes while this object still handles its messages.
TQRMFC_UIWindow::~TQRMFC_UIWindow() { DestroyWindow(); }

bool TQRMFC_UIWindow::ReplaceDialogControl(HWND dialog, int controlId)
{
    const HWND control = ::GetDlgItem(dialog, controlId);
    if (!control) {
        return false;
    }
    const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
    CRect rect;
    ::GetWindowRect(control, &rect);
    ::DestroyWindow(control);
    CWnd* parent = CWnd::FromHandle(dialog);
    parent->ScreenToClient(&rect);
    const BOOL created =
        CreateEx(exStyle, nullptr, nullptr, style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect,
                 parent, static_cast<UINT>(controlId));
    BringWindowToTop();
    // The box is part of this control's contract: its callers only learn "false", and the
    // placeholder is already gone, so the user is told here, over the dialog, why a view is
    // missing.
    if (!created) {
        MessageBoxW(dialog, L"TQRMFC_UIWindow creation failed!", L"TQRMFC_UIWindow::ReplaceDialogControl",
                    MB_ICONERROR);
    }
    return created != FALSE;
}

bool TQRMFC_UIWindow::AttachViewport(TQR_IWindowHandler* handler)
{
    if (handler == m_handler) {
        return true;
    }
    bool attached = true;
    if (IsWindow(m_hWnd)) {
        if (m_handler) {
            m_handler->DetachWindow();
            m_handler = nullptr;
        }
        attached = handler->AttachWindow(m_hWnd);
    }
    // Part of the control's contract as well: a handler that refuses the window leaves the view
    // blank, and the box over it says why; callers only learn "false".
    if (!attached) {
        MessageBoxW(m_hWnd, L"Error attaching viewport to window!", L"TQRMFC_UIWindow::AttachViewport", MB_ICONERROR);
        return false;
    }
    m_handler = handler;
    return true;
}

BOOL TQRMFC_UIWindow::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.lpszClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC, LoadCursorW(nullptr, IDC_ARROW),
                                       nullptr, nullptr);
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

BOOL TQRMFC_UIWindow::OnEraseBkgnd(CDC* dc)
{
    // The handler's drawing covers the window: erasing first would only flicker.
    if (m_handler) {
        return TRUE;
    }
    return CWnd::OnEraseBkgnd(dc);
}

void TQRMFC_UIWindow::OnPaint()
{
    CPaintDC dc(this);
    if (!m_handler) {
        PaintPlaceholder(dc);
    } else if (!m_ownerDraws) {
        m_handler->DrawGraphics();
    }
}

void TQRMFC_UIWindow::PaintPlaceholder(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    CBrush white(RGB(255, 255, 255));
    dc.FillRect(&client, &white);
    CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* previousPen = dc.SelectObject(&pen);
    const int previousMode = dc.SetBkMode(TRANSPARENT);
    dc.DrawText(L"No Graphics Handler Attached", &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SetBkMode(previousMode);
    dc.SelectObject(previousPen);
}

void TQRMFC_UIWindow::ButtonDown(UINT flags, CPoint point)
{
    if (!m_handler) {
        return;
    }
    SetCapture();
    m_handler->HandleMouseButton(true, flags, point.x, point.y);
}

void TQRMFC_UIWindow::ButtonUp(UINT releasedFlag, UINT flags, CPoint point)
{
    if (!m_handler) {
        return;
    }
    ReleaseCapture();
    m_handler->HandleMouseButton(false, flags | releasedFlag, point.x, point.y);
}

void TQRMFC_UIWindow::OnLButtonDown(UINT flags, CPoint point) { ButtonDown(flags, point); }
void TQRMFC_UIWindow::OnMButtonDown(UINT flags, CPoint point) { ButtonDown(flags, point); }
void TQRMFC_UIWindow::OnRButtonDown(UINT flags, CPoint point) { ButtonDown(flags, point); }
void TQRMFC_UIWindow::OnLButtonUp(UINT flags, CPoint point) { ButtonUp(MK_LBUTTON, flags, point); }
void TQRMFC_UIWindow::OnMButtonUp(UINT flags, CPoint point) { ButtonUp(MK_MBUTTON, flags, point); }
void TQRMFC_UIWindow::OnRButtonUp(UINT flags, CPoint point) { ButtonUp(MK_RBUTTON, flags, point); }

void TQRMFC_UIWindow::OnMouseMove(UINT flags, CPoint point)
{
    if (m_handler) {
        m_handler->HandleMouseMove(flags, point.x, point.y);
    }
}
