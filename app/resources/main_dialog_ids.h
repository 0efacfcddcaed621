// Resource ids of the main window: its dialog template, its icon and its controls.
#pragma once

inline constexpr unsigned int IDR_MAINFRAME = 128;
inline constexpr unsigned int IDD_TUTORIAL_DIALOG = 138;

inline constexpr int IDC_BIG_VIEW = 1000;
inline constexpr int IDC_STATUS = 1001;
inline constexpr int IDC_SMALL_VIEW = 1010;
inline constexpr int IDC_SPEED_SLIDER = 1018;
inline constexpr int IDC_COLUMN_SLIDER = 1103;
inline constexpr int IDC_LOAD = 1104;
inline constexpr int IDC_SAVE = 1105;
inline constexpr int IDC_ROW_SLIDER = 1106;
inline constexpr int IDC_ROUGHNESS_SLIDER = 1107;
inline constexpr int IDC_HEIGHT_SLIDER = 1108;
inline constexpr int IDC_ANIMATE = 1112;
inline constexpr int IDC_LOAD_TEXTURE = 1113;
inline constexpr int IDC_ENABLE_TEXTURE = 1115;
inline constexpr int IDC_SELECTOR_VISIBLE = 1116;
inline constexpr int IDC_FLY_LEFT = 1118;
inline constexpr int IDC_FLY_RIGHT = 1119;
inline constexpr int IDC_FLY_STRAIGHT = 1120;
inline constexpr int IDC_AIRPLANE_VISIBLE = 1121;
inline constexpr int IDC_LIGHTS = 1130;
inline constexpr int IDC_SCENE = 1131;
inline constexpr int IDC_GENERATE = 3013;
inline constexpr int IDC_WIREFRAME = 5037;
inline constexpr int IDC_LOAD_FILE_NAME = 5075;
inline constexpr int IDC_SAVE_FILE_NAME = 5076;
inline constexpr int IDC_TEXTURE_FILE_NAME = 5077;
