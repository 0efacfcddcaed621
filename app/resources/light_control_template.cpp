#include "app/resources/panel_templates.h"
#include "ui/panel_ids.h"

namespace {

using Kind = DialogControlKind;

constexpr DWORD kSlider = TBS_NOTICKS;
// A captioned pop-up without a system menu.
constexpr DWORD kLightControlStyle = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION;

} // namespace

DialogTemplate LightControlTemplate()
{
    DialogTemplate t;
    t.id = IDD_LIGHT_CONTROL;
    t.caption = L"Light Control";
    t.cx = 250;
    t.cy = 238;
    t.style = kLightControlStyle;
    t.controls = {
        {IDC_STATIC, Kind::GroupBox, L"Position/Direction", {7, 5, 236, 58}},
        {IDC_LIGHT_X_LABEL, Kind::Static, L"X", {14, 19, 10, 8}},
        {IDC_LIGHT_X, Kind::Trackbar, L"", {26, 16, 156, 13}, kSlider},
        {IDC_LIGHT_Y_LABEL, Kind::Static, L"Y", {14, 33, 10, 8}},
        {IDC_LIGHT_Y, Kind::Trackbar, L"", {26, 30, 156, 13}, kSlider},
        {IDC_LIGHT_Z_LABEL, Kind::Static, L"Z", {14, 47, 10, 8}},
        {IDC_LIGHT_Z, Kind::Trackbar, L"", {26, 44, 156, 13}, kSlider},
        {IDC_LIGHT_POSITION_MODE, Kind::RadioButton, L"Pos", {192, 22, 40, 10}, WS_GROUP | WS_TABSTOP},
        {IDC_LIGHT_DIRECTION_MODE, Kind::RadioButton, L"Dir", {192, 38, 40, 10}},
        {IDC_STATIC, Kind::GroupBox, L"Light Color", {7, 66, 236, 72}},
        {IDC_LIGHT_RED_LABEL, Kind::Static, L"R", {14, 79, 10, 8}},
        {IDC_LIGHT_RED, Kind::Trackbar, L"", {26, 76, 156, 13}, kSlider},
        {IDC_LIGHT_GREEN_LABEL, Kind::Static, L"G", {14, 93, 10, 8}},
        {IDC_LIGHT_GREEN, Kind::Trackbar, L"", {26, 90, 156, 13}, kSlider},
        {IDC_LIGHT_BLUE_LABEL, Kind::Static, L"B", {14, 107, 10, 8}},
        {IDC_LIGHT_BLUE, Kind::Trackbar, L"", {26, 104, 156, 13}, kSlider},
        {IDC_LIGHT_ALPHA_LABEL, Kind::Static, L"A", {14, 121, 10, 8}},
        {IDC_LIGHT_ALPHA, Kind::Trackbar, L"", {26, 118, 156, 13}, kSlider},
        {IDC_LIGHT_DIFFUSE, Kind::RadioButton, L"Cd", {192, 82, 40, 10}, WS_GROUP | WS_TABSTOP},
        {IDC_LIGHT_SPECULAR, Kind::RadioButton, L"Cs", {192, 97, 40, 10}},
        {IDC_LIGHT_AMBIENT, Kind::RadioButton, L"Ca", {192, 112, 40, 10}},
        {IDC_STATIC, Kind::GroupBox, L"Spot Light Cone Angle Control", {7, 141, 236, 56}},
        {IDC_LIGHT_THETA_LABEL, Kind::Static, L"Theta (inner)", {13, 155, 46, 8}},
        {IDC_LIGHT_THETA, Kind::Trackbar, L"", {60, 152, 176, 13}, kSlider},
        {IDC_LIGHT_PHI_LABEL, Kind::Static, L"Phi (outter)", {13, 169, 46, 8}},
        {IDC_LIGHT_PHI, Kind::Trackbar, L"", {60, 166, 176, 13}, kSlider},
        {IDC_LIGHT_FALLOFF_LABEL, Kind::Static, L"Fall off", {13, 183, 46, 8}},
        {IDC_LIGHT_FALLOFF, Kind::Trackbar, L"", {60, 180, 176, 13}, kSlider},
        {IDC_STATIC, Kind::GroupBox, L"All Lights", {7, 200, 168, 32}},
        {IDC_LIGHT_POINT, Kind::RadioButton, L"Point Lgt", {13, 214, 44, 10}, WS_GROUP | WS_TABSTOP},
        {IDC_LIGHT_DIRECTIONAL, Kind::RadioButton, L"Directional Light", {59, 214, 66, 10}},
        {IDC_LIGHT_SPOT, Kind::RadioButton, L"Spot Light", {127, 214, 46, 10}},
        {IDC_LIGHT_ON, Kind::CheckBox, L"On/Off", {184, 206, 56, 10}},
        {IDC_LIGHT_DRAW, Kind::CheckBox, L"Draw Lgt", {184, 220, 56, 10}},
    };
    return t;
}
