#include "platform/win/dialog_template.h"

#include "platform/win/internal/gdi_objects.h"
#include "platform/win/internal/native_window.h"
#include "platform/win/win_api.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <map>

namespace {

std::map<UINT, DialogTemplate>& Templates()
{
    static std::map<UINT, DialogTemplate> templates;
    return templates;
}

// a * b / c rounded half away from zero, as the platform's MulDiv.
int MulDiv(int a, int b, int c) { return static_cast<int>(std::lround(static_cast<double>(a) * b / c)); }

QFont TemplateFont(const DialogTemplate& dialogTemplate)
{
    QFont font(QString::fromStdWString(dialogTemplate.fontName));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(dialogTemplate.fontPointSize);
    return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The platform's average character width: the 52 letters, halved and rounded.
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogBaseUnits{(letters / 26 + 1) / 2, metrics.height()};
}

struct ControlClass {
    const wchar_t* name;
    DWORD style;
};

ControlClass ClassOf(DialogControlKind kind)
{
    constexpr DWORD kControl = WS_CHILD | WS_VISIBLE;
    switch (kind) {
    case DialogControlKind::PushButton:
        return {kButtonClassName, kControl | WS_TABSTOP | BS_PUSHBUTTON};
    case DialogControlKind::DefPushButton:
        return {kButtonClassName, kControl | WS_TABSTOP | BS_DEFPUSHBUTTON};
    case DialogControlKind::CheckBox:
        return {kButtonClassName, kControl | WS_TABSTOP | BS_AUTOCHECKBOX};
    case DialogControlKind::RadioButton:
        return {kButtonClassName, kControl | BS_AUTORADIOBUTTON};
    case DialogControlKind::GroupBox:
        return {kButtonClassName, kControl | BS_GROUPBOX};
    case DialogControlKind::Trackbar:
        return {kTrackbarClassName, kControl | WS_TABSTOP};
    case DialogControlKind::TreeView:
        return {kTreeViewClassName, kControl | WS_TABSTOP | WS_BORDER};
    case DialogControlKind::Static:
    default:
        // Labels start a new group, so a label after radio buttons ends their group.
        return {kStaticClassName, kControl | WS_GROUP | SS_LEFT};
    }
}

bool CreateControl(const DialogControl& control, HWND dialog, DialogBaseUnits units, HFONT font)
{
    const ControlClass controlClass = ClassOf(control.kind);
    NativeCreateParams params;
    params.className = controlClass.name;
    params.text = control.caption;
    params.style = controlClass.style | control.style;
    params.exStyle = control.exStyle;
    params.rect = ToQRect(DialogUnitsToPixels(control.rect, units));
    params.parent = dialog;
    params.id = control.id;
    const HWND window = CreateNativeWindow(params, nullptr);
    if (window) {
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return window != nullptr;
}

// Pop-ups open centred over their owner, or over the screen.
QPoint PopupOrigin(HWND owner, QSize size)
{
    RECT ownerRect;
    QRect area;
    if (GetWindowRect(owner, &ownerRect)) {
        area = ToQRect(ownerRect);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    return area.center() - QPoint(size.width() / 2, size.height() / 2);
}

} // namespace

void RegisterDialogTemplate(const DialogTemplate& dialogTemplate)
{
    Templates().insert_or_assign(dialogTemplate.id, dialogTemplate);
}

const DialogTemplate* FindDialogTemplate(UINT id)
{
    const auto it = Templates().find(id);
    return it == Templates().end() ? nullptr : &it->second;
}

DialogBaseUnits DialogBaseUnitsOf(const DialogTemplate& dialogTemplate)
{
    return BaseUnitsOf(TemplateFont(dialogTemplate));
}

RECT DialogUnitsToPixels(const DialogRect& rect, DialogBaseUnits units)
{
    return RECT{MulDiv(rect.x, units.cx, 4), MulDiv(rect.y, units.cy, 8), MulDiv(rect.x + rect.cx, units.cx, 4),
                MulDiv(rect.y + rect.cy, units.cy, 8)};
}

namespace {

HWND BuildDialog(const DialogTemplate& dialogTemplate, NativeCreateParams params, CWnd* object)
{
    const QFont font = TemplateFont(dialogTemplate);
    const DialogBaseUnits units = BaseUnitsOf(font);
    const RECT client = DialogUnitsToPixels(DialogRect{0, 0, dialogTemplate.cx, dialogTemplate.cy}, units);
    const QSize size(client.right, client.bottom);

    params.className = kDialogClassName;
    params.text = dialogTemplate.caption;
    params.exStyle = dialogTemplate.exStyle;
    params.rect = QRect((params.style & WS_CHILD) ? QPoint(0, 0) : PopupOrigin(params.parent, size), size);
    const HWND dialog = CreateNativeWindow(params, object);
    if (!dialog) {
        return nullptr;
    }
    const HFONT dialogFont = FontHandle(font);
    SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont), FALSE);
    for (const DialogControl& control : dialogTemplate.controls) {
        if (!CreateControl(control, dialog, units, dialogFont)) {
            DestroyWindow(dialog);
            return nullptr;
        }
    }
    SendMessageW(dialog, WM_INITDIALOG, 0, 0);
    return IsWindow(dialog) ? dialog : nullptr;
}

} // namespace

HWND CreateDialogWindow(const DialogTemplate& dialogTemplate, HWND parent, CWnd* object, bool popup)
{
    NativeCreateParams params;
    params.style = dialogTemplate.style & ~WS_VISIBLE;
    if (popup) {
        params.style = (params.style & ~WS_CHILD) | WS_POPUP;
    }
    params.parent = parent;
    return BuildDialog(dialogTemplate, params, object);
}

HWND CreateDialogWindowInWidget(const DialogTemplate& dialogTemplate, QWidget* host, CWnd* object)
{
    constexpr DWORD kFrame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    NativeCreateParams params;
    params.style = (dialogTemplate.style & ~kFrame) | WS_CHILD;
    params.hostWidget = host;
    return host ? BuildDialog(dialogTemplate, params, object) : nullptr;
}
