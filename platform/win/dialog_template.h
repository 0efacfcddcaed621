// Dialog templates as data: a dialog's caption, size, style and font and its controls with
// their kinds, captions, rectangles in dialog units and styles. Templates are registered under
// their id; CDialog builds Qt widgets from them. Dialog units scale with the dialog's font as
// on the platform: a horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its character height.
// Implements: the template tables, the registry, dialog-unit conversion, and building a dialog
// window with its controls (used by CDialog).
// Leaves out: menus, extended template fields (help ids, weights, italic fonts), control
// creation data, controls of other classes (edit, list, combo, ...).
#pragma once

#include "platform/win/win_defs.h"

#include <string>
#include <vector>

// The id of controls that are never looked up, such as labels and frames.
inline constexpr int IDC_STATIC = -1;

enum class DialogControlKind {
    PushButton,    // BS_PUSHBUTTON
    DefPushButton, // BS_DEFPUSHBUTTON
    CheckBox,      // BS_AUTOCHECKBOX; add BS_MULTILINE for a wrapped caption
    RadioButton,   // BS_AUTORADIOBUTTON; add WS_GROUP to the first of a group
    GroupBox,      // BS_GROUPBOX
    Static,        // SS_LEFT; add SS_CENTER, SS_SUNKEN, WS_BORDER, SS_CENTERIMAGE
    Trackbar,      // horizontal with ticks below; add TBS_VERT, TBS_NOTICKS, TBS_BOTH, ...
    TreeView,      // add TVS_HASLINES, TVS_HASBUTTONS, TVS_LINESATROOT, TVS_SHOWSELALWAYS
};

// A rectangle in dialog units: position and size.
struct DialogRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct DialogControl {
    int id = IDC_STATIC;
    DialogControlKind kind = DialogControlKind::Static;
    std::wstring caption;
    DialogRect rect;
    DWORD style = 0; // added to the kind's own style (WS_CHILD | WS_VISIBLE | ...)
    DWORD exStyle = 0;
};

// Modal frame with caption and system menu, as dialog boxes usually are.
inline constexpr DWORD kModalDialogStyle = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
// A dialog made to be embedded in another window.
inline constexpr DWORD kChildDialogStyle = DS_SETFONT | DS_CONTROL | WS_CHILD;

struct DialogTemplate {
    UINT id = 0;
    std::wstring caption;
    int cx = 0; // client width in dialog units
    int cy = 0; // client height in dialog units
    DWORD style = kModalDialogStyle;
    DWORD exStyle = 0;
    std::wstring fontName = L"MS Shell Dlg"; // resolved to an installed sans-serif face
    int fontPointSize = 8;
    std::vector<DialogControl> controls;
};

// Registers a template under its id, replacing an earlier one with that id.
void RegisterDialogTemplate(const DialogTemplate& dialogTemplate);
// The template registered under the id, or null.
const DialogTemplate* FindDialogTemplate(UINT id);

// Pixels per four horizontal and per eight vertical dialog units.
struct DialogBaseUnits {
    int cx = 0;
    int cy = 0;
};

DialogBaseUnits DialogBaseUnitsOf(const DialogTemplate& dialogTemplate);
// Converts each edge as the platform's MapDialogRect does, so that adjoining controls stay
// adjoining: left = x * cx / 4, top = y * cy / 8, right = (x + w) * cx / 4, ...
RECT DialogUnitsToPixels(const DialogRect& rect, DialogBaseUnits units);

class CWnd;
class QWidget;

// Builds the dialog window and its controls in the parent's client area (child templates) or
// as a pop-up owned by the parent, binds the object, sends WM_INITDIALOG and returns the
// dialog's handle; null when the window or one of its controls cannot be created. The dialog
// stays hidden: the caller shows it.
HWND CreateDialogWindow(const DialogTemplate& dialogTemplate, HWND parent, CWnd* object, bool popup);
// As above, as a child of a Qt widget that is not a window of this layer (the central widget
// of a main window): the template's frame styles give way to WS_CHILD, and the dialog has no
// parent window.
HWND CreateDialogWindowInWidget(const DialogTemplate& dialogTemplate, QWidget* host, CWnd* object);
