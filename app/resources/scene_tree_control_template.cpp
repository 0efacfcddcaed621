#include "app/resources/panel_templates.h"
#include "ui/panel_ids.h"

namespace {

using Kind = DialogControlKind;

constexpr DWORD kTreeStyle = TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER;

} // namespace

DialogTemplate SceneTreeControlTemplate()
{
    DialogTemplate t;
    t.id = IDD_SCENE_TREE_CONTROL;
    t.cx = 242;
    t.cy = 165;
    t.style = kChildDialogStyle;
    t.controls = {
        {IDC_SCENE_TREE, Kind::TreeView, L"", {0, 0, 90, 142}, kTreeStyle},
        {IDC_SCENE_XFORM_PLACEHOLDER, Kind::Static, L"", {91, 0, 151, 72}},
        {IDC_SCENE_PRIMITIVE_PLACEHOLDER, Kind::Static, L"", {91, 71, 151, 93}},
        {IDC_STATIC, Kind::Static, L"Show nth Primitive", {2, 144, 86, 8}},
        {IDC_SCENE_NTH_LABEL, Kind::Static, L"0", {2, 153, 14, 10}, SS_SUNKEN | SS_CENTER},
        {IDC_SCENE_NTH_SLIDER, Kind::Trackbar, L"", {18, 152, 72, 12}, TBS_NOTICKS},
    };
    return t;
}
