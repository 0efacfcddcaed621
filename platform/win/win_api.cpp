#include "platform/win/win_api.h"

#include "platform/win/cwnd.h"
#include "platform/win/internal/gdi_objects.h"
#include "platform/win/internal/native_window.h"
#include "platform/win/internal/window_table.h"
#include "platform/win/timer_source.h"

#include <QPointer>

namespace {

WindowRecord* Find(HWND window) { return WindowTable::Instance().Find(window); }

QWidget* WidgetOf(HWND window)
{
    const WindowRecord* record = Find(window);
    return record ? record->native->Widget() : nullptr;
}

QRect ScreenRect(const QWidget& widget)
{
    if (widget.isWindow()) {
        return widget.frameGeometry();
    }
    return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size());
}

// The window and everything it owns, parents before children.
void CollectTree(HWND window, std::vector<HWND>& tree)
{
    tree.push_back(window);
    if (const WindowRecord* record = Find(window)) {
        for (const HWND child : record->children) {
            CollectTree(child, tree);
        }
    }
}

std::wstring& ApplicationName()
{
    static std::wstring name = L"Relief";
    return name;
}

} // namespace

BOOL IsWindow(HWND window) { return WidgetOf(window) != nullptr; }

HWND GetDlgItem(HWND dialog, int id)
{
    const WindowRecord* record = Find(dialog);
    if (!record) {
        return nullptr;
    }
    for (const HWND child : record->children) {
        const WindowRecord* control = Find(child);
        if (control && control->child && control->id == id) {
            return child;
        }
    }
    return nullptr;
}

int GetDlgCtrlID(HWND window)
{
    const WindowRecord* record = Find(window);
    return record && record->child ? record->id : 0;
}

HWND GetParent(HWND window)
{
    const WindowRecord* record = Find(window);
    return record ? record->parent : nullptr;
}

BOOL GetWindowRect(HWND window, LPRECT rect)
{
    const QWidget* widget = WidgetOf(window);
    if (!widget || !rect) {
        return FALSE;
    }
    const QRect r = ScreenRect(*widget);
    *rect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect)
{
    const WindowRecord* record = Find(window);
    const QWidget* widget = record ? record->native->Widget() : nullptr;
    if (!widget || !rect) {
        return FALSE;
    }
    const int margin = record->native->ClientMargin();
    *rect = RECT{0, 0, std::max(0, widget->width() - 2 * margin), std::max(0, widget->height() - 2 * margin)};
    return TRUE;
}

BOOL ScreenToClient(HWND window, LPPOINT point)
{
    const QWidget* widget = WidgetOf(window);
    if (!widget || !point) {
        return FALSE;
    }
    const QPoint client = widget->mapFromGlobal(QPoint(point->x, point->y)) - ClientOrigin(window);
    *point = POINT{client.x(), client.y()};
    return TRUE;
}

BOOL ClientToScreen(HWND window, LPPOINT point)
{
    const QWidget* widget = WidgetOf(window);
    if (!widget || !point) {
        return FALSE;
    }
    const QPoint screen = widget->mapToGlobal(QPoint(point->x, point->y) + ClientOrigin(window));
    *point = POINT{screen.x(), screen.y()};
    return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint)
{
    const WindowRecord* record = Find(window);
    QWidget* widget = record ? record->native->Widget() : nullptr;
    if (!widget) {
        return FALSE;
    }
    if (widget->isWindow()) {
        // The rectangle includes the frame; Qt sizes the client area.
        const QSize frame = widget->frameGeometry().size() - widget->geometry().size();
        widget->move(x, y);
        widget->resize(width - frame.width(), height - frame.height());
    } else {
        widget->setGeometry(QRect(QPoint(x, y) + ClientOrigin(record->parent), QSize(width, height)));
    }
    if (repaint) {
        widget->update();
    }
    return TRUE;
}

BOOL BringWindowToTop(HWND window)
{
    QWidget* widget = WidgetOf(window);
    if (!widget) {
        return FALSE;
    }
    widget->raise();
    if (widget->isWindow()) {
        widget->activateWindow();
    }
    return TRUE;
}

BOOL ShowWindow(HWND window, int command)
{
    QPointer<QWidget> widget = WidgetOf(window);
    if (!widget) {
        return FALSE;
    }
    const bool wasVisible = !widget->isHidden();
    const bool show = command != SW_HIDE;
    if (show != wasVisible) {
        SendMessageW(window, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    }
    if (!widget) {
        return wasVisible;
    }
    switch (command) {
    case SW_HIDE:
        widget->hide();
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        widget->isWindow() ? widget->showMinimized() : widget->show();
        break;
    case SW_SHOWMAXIMIZED:
        widget->isWindow() ? widget->showMaximized() : widget->show();
        break;
    case SW_RESTORE:
        widget->isWindow() ? widget->showNormal() : widget->show();
        break;
    default:
        widget->show();
        break;
    }
    return wasVisible;
}

BOOL UpdateWindow(HWND window)
{
    QWidget* widget = WidgetOf(window);
    if (!widget) {
        return FALSE;
    }
    if (widget->isVisible()) {
        widget->repaint();
    }
    return TRUE;
}

BOOL InvalidateRect(HWND window, LPCRECT rect, BOOL)
{
    QWidget* widget = WidgetOf(window);
    if (!widget) {
        return FALSE;
    }
    if (rect) {
        const QPoint origin = ClientOrigin(window);
        widget->update(ToQRect(*rect).translated(origin));
    } else {
        widget->update();
    }
    return TRUE;
}

BOOL EnableWindow(HWND window, BOOL enable)
{
    QWidget* widget = WidgetOf(window);
    if (!widget) {
        return FALSE;
    }
    const bool wasDisabled = widget->testAttribute(Qt::WA_Disabled);
    widget->setEnabled(enable != FALSE);
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND window)
{
    const QWidget* widget = WidgetOf(window);
    return widget && !widget->testAttribute(Qt::WA_Disabled);
}

BOOL IsWindowVisible(HWND window)
{
    const QWidget* widget = WidgetOf(window);
    return widget && widget->isVisible();
}

BOOL IsIconic(HWND window)
{
    const QWidget* widget = WidgetOf(window);
    return widget && widget->isMinimized();
}

BOOL SetWindowTextW(HWND window, LPCWSTR text)
{
    return IsWindow(window) ? static_cast<BOOL>(SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)))
                            : FALSE;
}

int GetWindowTextW(HWND window, LPWSTR buffer, int maxCount)
{
    return static_cast<int>(
        SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND window) { return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)); }

std::wstring GetWindowTextString(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

LONG GetWindowLongW(HWND window, int index)
{
    const WindowRecord* record = Find(window);
    const QWidget* widget = record ? record->native->Widget() : nullptr;
    if (!widget) {
        return 0;
    }
    switch (index) {
    case GWL_STYLE: {
        DWORD style = record->style & ~(WS_VISIBLE | WS_DISABLED);
        if (!widget->isHidden()) {
            style |= WS_VISIBLE;
        }
        if (widget->testAttribute(Qt::WA_Disabled)) {
            style |= WS_DISABLED;
        }
        return static_cast<LONG>(style);
    }
    case GWL_EXSTYLE:
        return static_cast<LONG>(record->exStyle);
    case GWL_ID:
        return record->id;
    default:
        return 0;
    }
}

BOOL DestroyWindow(HWND window)
{
    WindowTable& table = WindowTable::Instance();
    if (!table.Find(window)) {
        return FALSE;
    }
    const QPointer<QWidget> widget = WidgetOf(window);
    std::vector<HWND> tree;
    CollectTree(window, tree);
    for (const HWND member : tree) {
        SendMessageW(member, WM_DESTROY, 0, 0);
    }
    for (auto it = tree.rbegin(); it != tree.rend(); ++it) {
        table.Remove(*it);
    }
    // The widget may be delivering the event that led here; Qt deletes it once that is over.
    if (widget) {
        widget->hide();
        widget->deleteLater();
    }
    return TRUE;
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WindowRecord* record = Find(window);
    if (!record) {
        return 0;
    }
    if (CWnd* object = record->object) {
        return object->WindowProc(message, wParam, lParam);
    }
    // Keeps the class alive even if the message destroys the window.
    const std::shared_ptr<NativeWindow> native = record->native;
    return native->DefProc(message, wParam, lParam);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check)
{
    const HWND button = GetDlgItem(dialog, id);
    if (!button) {
        return FALSE;
    }
    SendMessageW(button, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id)
{
    return static_cast<UINT>(SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId)
{
    if (!IsWindow(dialog)) {
        return FALSE;
    }
    for (int id = firstId; id <= lastId; ++id) {
        CheckDlgButton(dialog, id, id == checkId ? BST_CHECKED : BST_UNCHECKED);
    }
    return TRUE;
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) { return SetWindowTextW(GetDlgItem(dialog, id), text); }

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, void* callback)
{
    WindowRecord* record = Find(window);
    IWinTimerSource* source = WinTimerSource();
    if (!record || callback || !source) {
        return 0;
    }
    record->timers.insert(id);
    source->StartTimer(window, id, elapse);
    // Success is nonzero even for timer 0, as on the platform.
    return id != 0 ? id : 1;
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    WindowRecord* record = Find(window);
    if (!record || record->timers.erase(id) == 0) {
        return FALSE;
    }
    if (IWinTimerSource* source = WinTimerSource()) {
        source->StopTimer(window, id);
    }
    return TRUE;
}

HWND SetCapture(HWND window)
{
    WindowTable& table = WindowTable::Instance();
    const HWND previous = table.Capture();
    if (IsWindow(window)) {
        table.SetCapture(window);
    }
    return previous;
}

BOOL ReleaseCapture()
{
    WindowTable::Instance().SetCapture(nullptr);
    return TRUE;
}

HWND GetCapture() { return WindowTable::Instance().Capture(); }

const std::wstring& WinApplicationName() { return ApplicationName(); }

void WinSetApplicationName(const std::wstring& name) { ApplicationName() = name; }

void InitCommonControls() {}
