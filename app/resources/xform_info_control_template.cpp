#include "app/resources/panel_templates.h"
#include "ui/panel_ids.h"

namespace {

using Kind = DialogControlKind;

constexpr DWORD kSlider = TBS_NOTICKS;

} // namespace

DialogTemplate XformInfoControlTemplate()
{
    DialogTemplate t;
    t.id = IDD_XFORM_INFO_CONTROL;
    t.cx = 151;
    t.cy = 72;
    t.style = kChildDialogStyle;
    t.controls = {
        {IDC_STATIC, Kind::GroupBox, L"XformInfo Control", {0, 0, 151, 72}},
        {IDC_STATIC, Kind::GroupBox, L"Controls", {4, 9, 46, 59}},
        {IDC_XFORM_TRANSLATE, Kind::RadioButton, L"Translate", {8, 19, 40, 10}, WS_GROUP | WS_TABSTOP},
        {IDC_XFORM_SCALE, Kind::RadioButton, L"Scale", {8, 31, 40, 10}},
        {IDC_XFORM_ROTATE, Kind::RadioButton, L"Rotate", {8, 43, 40, 10}},
        {IDC_XFORM_PIVOT, Kind::RadioButton, L"Pivot", {8, 55, 40, 10}},
        {IDC_STATIC, Kind::GroupBox, L"Transform", {53, 9, 94, 45}},
        {IDC_STATIC, Kind::Static, L"X", {57, 20, 6, 8}},
        {IDC_XFORM_X, Kind::Trackbar, L"", {64, 17, 80, 12}, kSlider},
        {IDC_STATIC, Kind::Static, L"Y", {57, 32, 6, 8}},
        {IDC_XFORM_Y, Kind::Trackbar, L"", {64, 29, 80, 12}, kSlider},
        {IDC_STATIC, Kind::Static, L"Z", {57, 44, 6, 8}},
        {IDC_XFORM_Z, Kind::Trackbar, L"", {64, 41, 80, 12}, kSlider},
        {IDC_XFORM_RESET, Kind::PushButton, L"Reset", {54, 56, 40, 13}},
        {IDC_XFORM_SHOW_PIVOT, Kind::CheckBox, L"Show Pivot", {98, 58, 50, 10}},
    };
    return t;
}
