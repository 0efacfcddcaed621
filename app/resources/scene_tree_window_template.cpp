#include "app/resources/panel_templates.h"
#include "ui/panel_ids.h"

namespace {

// A captioned pop-up with a close box; the scene tree panel fills it with a small margin.
constexpr DWORD kToolWindowStyle = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

} // namespace

DialogTemplate SceneTreeWindowTemplate()
{
    DialogTemplate t;
    t.id = IDD_SCENE_TREE_WINDOW;
    t.caption = L"Scene";
    t.cx = 248;
    t.cy = 171;
    t.style = kToolWindowStyle;
    t.controls = {
        {IDC_SCENE_TREE_WINDOW_PLACEHOLDER, DialogControlKind::Static, L"", {3, 3, 242, 165}},
    };
    return t;
}
