#include "platform/win/internal/native_window.h"

#include "platform/win/cwnd.h"
#include "platform/win/internal/gdi_objects.h"
#include "platform/win/internal/window_class.h"
#include "platform/win/internal/window_table.h"
#include "platform/win/win_api.h"

#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVariant>

#include <algorithm>
#include <cwctype>

namespace {

bool SameClassName(const std::wstring& a, const wchar_t* b)
{
    // Class names compare without regard to case, as the platform's do.
    return std::equal(a.begin(), a.end(), b, b + std::wcslen(b),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

LRESULT CopyText(const std::wstring& text, LPWSTR buffer, int maxCount)
{
    if (!buffer || maxCount <= 0) {
        return 0;
    }
    const auto count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(maxCount - 1));
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = L'\0';
    return static_cast<LRESULT>(count);
}

QIcon IconOf(const WindowRecord& record)
{
    QIcon icon;
    for (const HICON handle : {record.bigIcon, record.smallIcon}) {
        if (handle) {
            icon.addPixmap(QPixmap::fromImage(handle->image));
        }
    }
    return icon;
}

LRESULT SetIcon(WindowRecord* record, WPARAM kind, HICON icon)
{
    if (!record) {
        return 0;
    }
    HICON& slot = kind == ICON_BIG ? record->bigIcon : record->smallIcon;
    const HICON previous = slot;
    slot = icon;
    if (QWidget* widget = record->native->Widget(); widget && widget->isWindow()) {
        widget->setWindowIcon(IconOf(*record));
    }
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT SetFont(WindowRecord* record, HFONT font, bool redraw)
{
    if (!record) {
        return 0;
    }
    record->font = font;
    if (QWidget* widget = record->native->Widget(); widget && font) {
        widget->setFont(font->font);
        if (redraw) {
            widget->update();
        }
    }
    return 0;
}

// What the platform's default colour handling gives every control: window-text colour on the
// button-face background.
LRESULT DefaultControlColours(HDC dc)
{
    if (dc) {
        dc->textColor = GetSysColor(COLOR_WINDOWTEXT);
        dc->bkColor = GetSysColor(COLOR_BTNFACE);
    }
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT EraseWithClassBrush(const WindowRecord* record, HDC dc)
{
    if (!record || !record->classBrush || !dc || !dc->painter) {
        return 0;
    }
    RECT client;
    GetClientRect(record->handle, &client);
    CDC::FromHandle(dc)->FillRect(&client, record->classBrush);
    return 1;
}

int BorderWidth(DWORD style, DWORD exStyle)
{
    int width = 0;
    if (style & WS_BORDER) {
        width += 1;
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        width += 2;
    }
    if (exStyle & WS_EX_STATICEDGE) {
        width += 1;
    }
    return width;
}

UINT KeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    UINT flags = 0;
    if (buttons & Qt::LeftButton) {
        flags |= MK_LBUTTON;
    }
    if (buttons & Qt::RightButton) {
        flags |= MK_RBUTTON;
    }
    if (buttons & Qt::MiddleButton) {
        flags |= MK_MBUTTON;
    }
    if (modifiers & Qt::ShiftModifier) {
        flags |= MK_SHIFT;
    }
    if (modifiers & Qt::ControlModifier) {
        flags |= MK_CONTROL;
    }
    return flags;
}

enum class ButtonEvent { Down, Up, DoubleClick };

UINT ButtonMessage(Qt::MouseButton button, ButtonEvent event)
{
    const int index = static_cast<int>(event);
    switch (button) {
    case Qt::LeftButton:
        return WM_LBUTTONDOWN + index;
    case Qt::RightButton:
        return WM_RBUTTONDOWN + index;
    case Qt::MiddleButton:
        return WM_MBUTTONDOWN + index;
    default:
        return 0;
    }
}

// The widget of framework windows and dialogs: turns Qt's paint, mouse, close and dialog-key
// events into the window's messages.
class WindowWidget final : public QWidget {
public:
    WindowWidget(QWidget* parent, Qt::WindowFlags flags, int border, bool blackFrame, bool doubleClicks,
                 bool dialogKeys)
        : QWidget(parent, flags), m_border(border), m_blackFrame(blackFrame), m_doubleClicks(doubleClicks),
          m_dialogKeys(dialogKeys)
    {
        setMouseTracking(true);
    }

    void SetHandle(HWND handle) { m_handle = handle; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        PaintBorder(painter);
        painter.translate(m_border, m_border);
        const QRect client(0, 0, width() - 2 * m_border, height() - 2 * m_border);
        painter.setClipRect(client);
        WindowRecord* record = WindowTable::Instance().Find(m_handle);
        if (!record) {
            return;
        }
        // The last presented frame is what the window's pixels hold until something paints
        // over them.
        if (!record->presented.isNull()) {
            painter.drawImage(client, record->presented);
        }
        HDC__ dc;
        dc.painter = &painter;
        record->paintDc = &dc;
        SendMessageW(m_handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
        SendMessageW(m_handle, WM_PAINT, 0, 0);
        if (WindowRecord* still = WindowTable::Instance().Find(m_handle)) {
            still->paintDc = nullptr;
        }
    }

    void mousePressEvent(QMouseEvent* event) override { SendButton(event, ButtonEvent::Down); }
    void mouseReleaseEvent(QMouseEvent* event) override { SendButton(event, ButtonEvent::Up); }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        // Without CS_DBLCLKS the second click of a double click is a plain button press.
        SendButton(event, m_doubleClicks ? ButtonEvent::DoubleClick : ButtonEvent::Down);
    }
    void mouseMoveEvent(QMouseEvent* event) override { SendMouse(WM_MOUSEMOVE, event); }

    void closeEvent(QCloseEvent* event) override
    {
        // The window decides in WM_CLOSE whether and how it goes away.
        event->ignore();
        SendMessageW(m_handle, WM_CLOSE, 0, 0);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (!m_dialogKeys || !isWindow()) {
            event->ignore();
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            SendMessageW(m_handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            SendMessageW(m_handle, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(DefaultButtonId()), BN_CLICKED), 0);
        } else {
            event->ignore();
        }
    }

private:
    // WS_BORDER is a black line; the edge styles inside it are grey.
    void PaintBorder(QPainter& painter)
    {
        for (int line = 0; line < m_border; ++line) {
            painter.setPen(line == 0 && m_blackFrame ? QColor(Qt::black) : QColor(160, 160, 160));
            painter.drawRect(rect().adjusted(line, line, -1 - line, -1 - line));
        }
    }

    int DefaultButtonId() const
    {
        const WindowRecord* record = WindowTable::Instance().Find(m_handle);
        for (const HWND child : record ? record->children : std::vector<HWND>{}) {
            const WindowRecord* control = WindowTable::Instance().Find(child);
            if (control && IsWindowClass(*control, kButtonClassName) &&
                (control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                return control->id;
            }
        }
        return IDOK;
    }

    void SendButton(QMouseEvent* event, ButtonEvent kind)
    {
        if (const UINT message = ButtonMessage(event->button(), kind)) {
            SendMouse(message, event);
        }
    }

    void SendMouse(UINT message, QMouseEvent* event)
    {
        const QPoint client = event->position().toPoint() - QPoint(m_border, m_border);
        SendMessageW(m_handle, message, KeyFlags(event->buttons(), event->modifiers()),
                     MAKELPARAM(static_cast<WORD>(client.x()), static_cast<WORD>(client.y())));
    }

    HWND m_handle = nullptr;
    int m_border = 0;
    bool m_blackFrame = false;
    bool m_doubleClicks = false;
    bool m_dialogKeys = false;
};

class FrameworkWindow final : public NativeWindow {
public:
    FrameworkWindow(WindowWidget* widget, int border, bool dialog)
        : NativeWindow(widget), m_widget(widget), m_border(border), m_dialog(dialog)
    {
    }

    int ClientMargin() const override { return m_border; }

    void SetHandle(HWND handle) override
    {
        NativeWindow::SetHandle(handle);
        m_widget->SetHandle(handle);
    }

    LRESULT DefProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (m_dialog && message == WM_CLOSE) {
            // A dialog closed from its frame is cancelled, as if Cancel had been pressed.
            return SendMessageW(Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
        if (m_dialog && message == WM_ERASEBKGND) {
            return 1; // Qt fills a dialog with its palette's button-face colour.
        }
        return NativeWindow::DefProc(message, wParam, lParam);
    }

protected:
    void ApplyText() override
    {
        if (m_widget && m_widget->isWindow()) {
            m_widget->setWindowTitle(QString::fromStdWString(Text()));
        }
    }

private:
    QPointer<WindowWidget> m_widget;
    int m_border = 0;
    bool m_dialog = false;
};

Qt::WindowFlags TopLevelFlags(DWORD style)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if ((style & WS_CAPTION) == WS_CAPTION) {
        flags |= Qt::WindowTitleHint;
    } else {
        flags |= Qt::FramelessWindowHint;
    }
    if (style & WS_SYSMENU) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    return flags;
}

std::unique_ptr<NativeWindow> MakeWindowOfClass(const NativeCreateParams& params, QWidget* parentWidget)
{
    const std::wstring& name = params.className;
    if (name.empty() || FindWindowClass(name)) {
        return MakeFrameworkWindow(params, parentWidget, false);
    }
    if (SameClassName(name, kDialogClassName)) {
        return MakeFrameworkWindow(params, parentWidget, true);
    }
    if (SameClassName(name, kStaticClassName)) {
        return MakeStaticWindow(params, parentWidget);
    }
    if (SameClassName(name, kButtonClassName)) {
        return MakeButtonWindow(params, parentWidget);
    }
    if (SameClassName(name, kTrackbarClassName)) {
        return MakeTrackbarWindow(params, parentWidget);
    }
    if (SameClassName(name, kTreeViewClassName)) {
        return MakeTreeViewWindow(params, parentWidget);
    }
    return nullptr;
}

void PlaceWidget(QWidget* widget, const NativeCreateParams& params)
{
    if (params.style & WS_CHILD) {
        widget->setGeometry(params.rect.translated(ClientOrigin(params.parent)));
    } else {
        widget->setGeometry(params.rect);
    }
}

} // namespace

NativeWindow::NativeWindow(QWidget* widget) : m_widget(widget) {}

NativeWindow::~NativeWindow() = default;

LRESULT NativeWindow::DefProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowRecord* record = WindowTable::Instance().Find(m_handle);
    switch (message) {
    case WM_SETTEXT:
        m_text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        ApplyText();
        return TRUE;
    case WM_GETTEXT:
        return CopyText(m_text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(m_text.size());
    case WM_SETFONT:
        return SetFont(record, reinterpret_cast<HFONT>(wParam), lParam != 0);
    case WM_GETFONT:
        return record ? reinterpret_cast<LRESULT>(record->font) : 0;
    case WM_SETICON:
        return SetIcon(record, wParam, reinterpret_cast<HICON>(lParam));
    case WM_GETICON:
        return record ? reinterpret_cast<LRESULT>(wParam == ICON_BIG ? record->bigIcon : record->smallIcon) : 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return DefaultControlColours(reinterpret_cast<HDC>(wParam));
    case WM_ERASEBKGND:
        return EraseWithClassBrush(record, reinterpret_cast<HDC>(wParam));
    case WM_CLOSE:
        DestroyWindow(m_handle);
        return 0;
    default:
        return 0;
    }
}

std::unique_ptr<NativeWindow> MakeFrameworkWindow(const NativeCreateParams& params, QWidget* parentWidget, bool dialog)
{
    const bool child = params.style & WS_CHILD;
    const int border = child ? BorderWidth(params.style, params.exStyle) : 0;
    const WNDCLASSW* windowClass = params.className.empty() ? nullptr : FindWindowClass(params.className);
    const bool doubleClicks = windowClass && (windowClass->style & CS_DBLCLKS);
    auto* widget = new WindowWidget(parentWidget, child ? Qt::Widget : TopLevelFlags(params.style), border,
                                    (params.style & WS_BORDER) != 0, doubleClicks, dialog);
    if (windowClass && windowClass->hCursor) {
        widget->setCursor(windowClass->hCursor->shape);
    }
    if (dialog) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, ToQColor(GetSysColor(COLOR_BTNFACE)));
        widget->setPalette(palette);
        widget->setAutoFillBackground(true);
    }
    return std::make_unique<FrameworkWindow>(widget, border, dialog);
}

bool IsWindowClass(const WindowRecord& record, const wchar_t* className)
{
    return SameClassName(record.className, className);
}

QPoint ClientOrigin(HWND window)
{
    const WindowRecord* record = WindowTable::Instance().Find(window);
    const int margin = record ? record->native->ClientMargin() : 0;
    return QPoint(margin, margin);
}

HWND CreateNativeWindow(const NativeCreateParams& params, CWnd* object)
{
    WindowTable& table = WindowTable::Instance();
    const bool child = params.style & WS_CHILD;
    WindowRecord* parentRecord = table.Find(params.parent);
    if (child && !parentRecord && !params.hostWidget) {
        return nullptr;
    }
    QWidget* parentWidget = parentRecord ? parentRecord->native->Widget() : params.hostWidget;
    std::shared_ptr<NativeWindow> native = MakeWindowOfClass(params, parentWidget);
    if (!native) {
        return nullptr;
    }
    QWidget* widget = native->Widget();
    auto record = std::make_unique<WindowRecord>();
    record->parent = parentRecord ? params.parent : nullptr;
    record->child = child;
    record->id = params.id;
    record->style = params.style;
    record->exStyle = params.exStyle;
    record->className = params.className;
    if (const WNDCLASSW* windowClass = params.className.empty() ? nullptr : FindWindowClass(params.className)) {
        record->classBrush = windowClass->hbrBackground;
    }
    record->native = native;
    const HWND handle = table.Add(std::move(record));
    native->SetHandle(handle);
    widget->setProperty(kWindowHandleProperty, QVariant::fromValue(reinterpret_cast<quintptr>(handle)));
    if (parentRecord) {
        parentRecord->children.push_back(handle);
    }
    QObject::connect(widget, &QObject::destroyed, [handle] { WindowTable::Instance().Remove(handle); });
    PlaceWidget(widget, params);
    native->DefProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(params.text.c_str()));
    if (object) {
        object->m_hWnd = handle;
        table.Find(handle)->object = object;
    }

    CREATESTRUCTW cs;
    cs.lpCreateParams = params.createParam;
    cs.hwndParent = params.parent;
    cs.x = params.rect.x();
    cs.y = params.rect.y();
    cs.cx = params.rect.width();
    cs.cy = params.rect.height();
    cs.style = params.style;
    cs.lpszName = params.text.c_str();
    cs.lpszClass = params.className.empty() ? nullptr : params.className.c_str();
    cs.dwExStyle = params.exStyle;
    cs.id = static_cast<UINT_PTR>(params.id);
    if (SendMessageW(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (!table.Find(handle)) {
        return nullptr;
    }
    widget->setEnabled(!(params.style & WS_DISABLED));
    widget->setVisible(params.style & WS_VISIBLE);
    return handle;
}
