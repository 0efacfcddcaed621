// Resource ids of the four editing panels and of the window that hosts the scene tree: their
// dialog templates and their controls. The panels look their controls up by these ids and the
// templates (app/resources) place controls under them.
#pragma once

// Transform panel.
inline constexpr unsigned int IDD_XFORM_INFO_CONTROL = 129;
inline constexpr int IDC_XFORM_TRANSLATE = 6001;
inline constexpr int IDC_XFORM_SCALE = 6002;
inline constexpr int IDC_XFORM_ROTATE = 6003;
inline constexpr int IDC_XFORM_PIVOT = 6004;
inline constexpr int IDC_XFORM_X = 6005;
inline constexpr int IDC_XFORM_Y = 6006;
inline constexpr int IDC_XFORM_Z = 6007;
inline constexpr int IDC_XFORM_RESET = 6008;
inline constexpr int IDC_XFORM_SHOW_PIVOT = 6009;

// Scene tree panel.
inline constexpr unsigned int IDD_SCENE_TREE_CONTROL = 133;
inline constexpr int IDC_SCENE_NTH_SLIDER = 4002;
inline constexpr int IDC_SCENE_NTH_LABEL = 4003;
inline constexpr int IDC_SCENE_TREE = 4004;
inline constexpr int IDC_SCENE_XFORM_PLACEHOLDER = 4005;
inline constexpr int IDC_SCENE_PRIMITIVE_PLACEHOLDER = 4006;

// Primitive panel.
inline constexpr unsigned int IDD_PRIMITIVE_CONTROL = 137;
inline constexpr int IDC_PRIM_RED_LABEL = 5046;
inline constexpr int IDC_PRIM_GREEN_LABEL = 5047;
inline constexpr int IDC_PRIM_BLUE_LABEL = 5048;
inline constexpr int IDC_PRIM_ALPHA_LABEL = 1004;
inline constexpr int IDC_PRIM_RED = 5029;
inline constexpr int IDC_PRIM_GREEN = 5044;
inline constexpr int IDC_PRIM_BLUE = 5045;
inline constexpr int IDC_PRIM_ALPHA = 5050;
inline constexpr int IDC_PRIM_TEXTURE = 5030;
inline constexpr int IDC_PRIM_BLENDING = 5031;
inline constexpr int IDC_PRIM_VISIBILITY = 5032;
inline constexpr int IDC_PRIM_SHADING = 5034;
inline constexpr int IDC_PRIM_BOUND_VOL = 5035;
inline constexpr int IDC_PRIM_LIGHTING = 5036;
inline constexpr int IDC_PRIM_WIREFRAME = 5037;
inline constexpr int IDC_PRIM_TEXTURE_LABEL = 5075;
inline constexpr int IDC_PRIM_BROWSE = 5076;
// The colour channel radio group, in channel order.
inline constexpr int IDC_PRIM_EMISSIVE_C1 = 5077;
inline constexpr int IDC_PRIM_AMBIENT_C2 = 5078;
inline constexpr int IDC_PRIM_DIFFUSE = 5079;
inline constexpr int IDC_PRIM_SPECULAR = 5080;
inline constexpr int IDC_PRIM_POWER = 5081;

// Light panel.
inline constexpr unsigned int IDD_LIGHT_CONTROL = 141;
inline constexpr int IDC_LIGHT_ON = 1065;
inline constexpr int IDC_LIGHT_DRAW = 1066;
inline constexpr int IDC_LIGHT_X_LABEL = 1050;
inline constexpr int IDC_LIGHT_Y_LABEL = 1051;
inline constexpr int IDC_LIGHT_Z_LABEL = 1052;
inline constexpr int IDC_LIGHT_THETA_LABEL = 1053;
inline constexpr int IDC_LIGHT_PHI_LABEL = 1054;
inline constexpr int IDC_LIGHT_FALLOFF_LABEL = 1055;
inline constexpr int IDC_LIGHT_RED_LABEL = 1046;
inline constexpr int IDC_LIGHT_GREEN_LABEL = 1047;
inline constexpr int IDC_LIGHT_BLUE_LABEL = 1048;
inline constexpr int IDC_LIGHT_ALPHA_LABEL = 1049;
// The colour channel radio group: diffuse, specular, ambient.
inline constexpr int IDC_LIGHT_DIFFUSE = 1081;
inline constexpr int IDC_LIGHT_SPECULAR = 1082;
inline constexpr int IDC_LIGHT_AMBIENT = 1083;
inline constexpr int IDC_LIGHT_RED = 1084;
inline constexpr int IDC_LIGHT_GREEN = 1085;
inline constexpr int IDC_LIGHT_BLUE = 1086;
inline constexpr int IDC_LIGHT_ALPHA = 1087;
inline constexpr int IDC_LIGHT_X = 1088;
inline constexpr int IDC_LIGHT_Y = 1089;
inline constexpr int IDC_LIGHT_Z = 1090;
inline constexpr int IDC_LIGHT_POSITION_MODE = 1091;
inline constexpr int IDC_LIGHT_DIRECTION_MODE = 1092;
inline constexpr int IDC_LIGHT_THETA = 1093;
inline constexpr int IDC_LIGHT_PHI = 1094;
inline constexpr int IDC_LIGHT_FALLOFF = 1095;
// The light radio group: point, directional, spot.
inline constexpr int IDC_LIGHT_POINT = 1096;
inline constexpr int IDC_LIGHT_DIRECTIONAL = 1097;
inline constexpr int IDC_LIGHT_SPOT = 1098;

// The tool window that hosts the scene tree panel.
inline constexpr unsigned int IDD_SCENE_TREE_WINDOW = 150;
inline constexpr int IDC_SCENE_TREE_WINDOW_PLACEHOLDER = 4010;
