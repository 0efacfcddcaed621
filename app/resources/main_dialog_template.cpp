#include "app/resources/main_dialog_ids.h"
#include "app/resources/resources.h"

namespace {

using Kind = DialogControlKind;

constexpr DWORD kHorizontalSlider = TBS_NOTICKS;

} // namespace

DialogTemplate MainDialogTemplate()
{
    DialogTemplate t;
    t.id = IDD_TUTORIAL_DIALOG;
    t.caption = L"Relief \u2014 Terrain Editor";
    t.cx = 627;
    t.cy = 349;
    t.style = kModalDialogStyle;
    t.controls = {
        {IDOK, Kind::DefPushButton, L"Quit", {555, 316, 50, 16}},
        {IDC_LIGHTS, Kind::PushButton, L"Lights...", {555, 287, 50, 12}},
        {IDC_SCENE, Kind::PushButton, L"Scene...", {555, 301, 50, 12}},
        {IDC_STATUS, Kind::Static, L"", {29, 327, 267, 10}, SS_SUNKEN},
        {IDC_STATIC, Kind::Static, L"Status", {5, 327, 21, 10}},
        {IDC_BIG_VIEW, Kind::Static, L"", {0, 0, 345, 278}, WS_BORDER},
        {IDC_SMALL_VIEW, Kind::Static, L"Small View PlaceHolder", {386, 19, 231, 173}, WS_BORDER | SS_CENTER},
        {IDC_ROW_SLIDER, Kind::Trackbar, L"", {353, 28, 22, 163}, TBS_VERT},
        {IDC_STATIC, Kind::Static, L"(X) Row", {349, 17, 28, 8}},
        {IDC_COLUMN_SLIDER, Kind::Trackbar, L"", {397, 196, 210, 15}, kHorizontalSlider},
        {IDC_STATIC, Kind::Static, L"(Z) Column", {357, 202, 38, 8}},
        {IDC_HEIGHT_SLIDER, Kind::Trackbar, L"", {397, 213, 210, 15}, kHorizontalSlider},
        {IDC_STATIC, Kind::Static, L"Y- Level", {357, 214, 27, 8}},
        {IDC_SELECTOR_VISIBLE, Kind::CheckBox, L"Selector Visible", {382, 4, 66, 10}},
        {IDC_WIREFRAME, Kind::CheckBox, L"Wireframe", {453, 4, 48, 10}, BS_MULTILINE},
        {IDC_STATIC, Kind::GroupBox, L"Random Generate Control", {2, 282, 285, 39}},
        {IDC_GENERATE, Kind::PushButton, L"Generate", {9, 294, 50, 14}},
        {IDC_STATIC, Kind::Static, L"Roughness", {78, 297, 36, 8}},
        {IDC_ROUGHNESS_SLIDER, Kind::Trackbar, L"", {118, 291, 149, 21}, TBS_BOTH},
        {IDC_STATIC, Kind::GroupBox, L"Texture File Control", {300, 285, 212, 52}},
        {IDC_ENABLE_TEXTURE, Kind::CheckBox, L"Enable Texture", {307, 300, 65, 10}},
        {IDC_LOAD_TEXTURE, Kind::PushButton, L"Load Texture", {374, 300, 50, 14}},
        {IDC_TEXTURE_FILE_NAME, Kind::Static, L"---", {426, 300, 73, 10}},
        {IDC_LOAD, Kind::PushButton, L"Load", {306, 322, 30, 10}},
        {IDC_LOAD_FILE_NAME, Kind::Static, L"---", {336, 322, 62, 10}},
        {IDC_SAVE, Kind::PushButton, L"SAVE", {410, 322, 30, 10}},
        {IDC_SAVE_FILE_NAME, Kind::Static, L"---", {440, 322, 62, 10}},
        {IDC_STATIC, Kind::GroupBox, L"Airplane Animation", {372, 232, 229, 52}},
        {IDC_AIRPLANE_VISIBLE, Kind::CheckBox, L"Airplane Visible", {385, 246, 66, 10}},
        {IDC_ANIMATE, Kind::CheckBox, L"Anime On/Off", {456, 246, 61, 10}},
        {IDC_FLY_LEFT, Kind::RadioButton, L"Fly Left", {541, 241, 39, 10}, WS_GROUP | WS_TABSTOP},
        {IDC_FLY_RIGHT, Kind::RadioButton, L"Fly Right", {541, 254, 44, 10}},
        {IDC_FLY_STRAIGHT, Kind::RadioButton, L"Fly Straight", {541, 266, 53, 10}},
        {IDC_STATIC, Kind::Static, L"Speed", {379, 269, 22, 8}},
        {IDC_SPEED_SLIDER, Kind::Trackbar, L"", {406, 266, 114, 15}, kHorizontalSlider},
    };
    return t;
}
