// The templates of the editing panels and of the tool window that hosts the scene tree. Each
// template lives in a file of its own.
#pragma once

#include "platform/win/dialog_template.h"

// The transform panel (IDD_XFORM_INFO_CONTROL), a child template.
DialogTemplate XformInfoControlTemplate();
// The scene tree panel (IDD_SCENE_TREE_CONTROL), a child template with placeholders for the
// transform and primitive panels.
DialogTemplate SceneTreeControlTemplate();
// The primitive panel (IDD_PRIMITIVE_CONTROL), a child template.
DialogTemplate PrimitiveControlTemplate();
// The light panel (IDD_LIGHT_CONTROL), a captioned pop-up without a system menu.
DialogTemplate LightControlTemplate();
// The tool window (IDD_SCENE_TREE_WINDOW) with one placeholder for the scene tree panel.
DialogTemplate SceneTreeWindowTemplate();

// Registers every template above.
void RegisterPanelTemplates();
