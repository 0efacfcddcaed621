#include "app/resources/panel_templates.h"
#include "ui/panel_ids.h"

namespace {

using Kind = DialogControlKind;

constexpr DWORD kSlider = TBS_NOTICKS;

} // namespace

DialogTemplate PrimitiveControlTemplate()
{
    DialogTemplate t;
    t.id = IDD_PRIMITIVE_CONTROL;
    t.cx = 151;
    t.cy = 94;
    t.style = kChildDialogStyle;
    t.controls = {
        {IDC_STATIC, Kind::GroupBox, L"Primitive Control", {0, 0, 151, 94}},
        {IDC_PRIM_VISIBILITY, Kind::CheckBox, L"Visibility", {5, 9, 46, 10}},
        {IDC_PRIM_SHADING, Kind::CheckBox, L"Shading", {5, 19, 46, 10}},
        {IDC_PRIM_BLENDING, Kind::CheckBox, L"Blending", {5, 29, 46, 10}},
        {IDC_PRIM_BOUND_VOL, Kind::CheckBox, L"Bound Vol", {5, 39, 46, 10}},
        {IDC_PRIM_WIREFRAME, Kind::CheckBox, L"Wireframe", {5, 49, 46, 10}},
        {IDC_PRIM_LIGHTING, Kind::CheckBox, L"Lighting", {5, 59, 46, 10}},
        {IDC_PRIM_TEXTURE, Kind::CheckBox, L"Texture", {5, 69, 38, 10}},
        {IDC_PRIM_BROWSE, Kind::PushButton, L"Browse", {43, 68, 28, 12}},
        {IDC_PRIM_TEXTURE_LABEL, Kind::Static, L"---", {5, 81, 66, 9}, SS_SUNKEN},
        {IDC_STATIC, Kind::GroupBox, L"Color", {74, 7, 74, 84}},
        {IDC_PRIM_RED_LABEL, Kind::Static, L"R", {78, 18, 8, 8}},
        {IDC_PRIM_RED, Kind::Trackbar, L"", {87, 16, 58, 11}, kSlider},
        {IDC_PRIM_GREEN_LABEL, Kind::Static, L"G", {78, 30, 8, 8}},
        {IDC_PRIM_GREEN, Kind::Trackbar, L"", {87, 28, 58, 11}, kSlider},
        {IDC_PRIM_BLUE_LABEL, Kind::Static, L"B", {78, 42, 8, 8}},
        {IDC_PRIM_BLUE, Kind::Trackbar, L"", {87, 40, 58, 11}, kSlider},
        {IDC_PRIM_ALPHA_LABEL, Kind::Static, L"A/N", {78, 54, 14, 8}},
        {IDC_PRIM_ALPHA, Kind::Trackbar, L"", {93, 52, 52, 11}, kSlider},
        {IDC_PRIM_EMISSIVE_C1, Kind::RadioButton, L"Ce/C1", {78, 66, 33, 10}, WS_GROUP | WS_TABSTOP},
        {IDC_PRIM_AMBIENT_C2, Kind::RadioButton, L"Ca/C2", {112, 66, 33, 10}},
        {IDC_PRIM_DIFFUSE, Kind::RadioButton, L"Cd", {78, 78, 22, 10}},
        {IDC_PRIM_SPECULAR, Kind::RadioButton, L"Cs", {101, 78, 22, 10}},
        {IDC_PRIM_POWER, Kind::RadioButton, L"n", {124, 78, 20, 10}},
    };
    return t;
}
