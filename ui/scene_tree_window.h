// The tool window that hosts the scene tree panel: a small captioned pop-up whose only content
// is the panel, embedded in place of a placeholder when the window is created. Closing the
// window hides it; it keeps its panel and state until it is destroyed.
#pragma once

#include "platform/win/cdialog.h"
#include "ui/scene_tree_control.h"

class CSceneTreeWindow : public CDialog {
public:
    CSceneTreeWindow();

    BOOL OnInitDialog() override;
    CSceneTreeControl& GetPanel() { return m_panel; }

private:
    CSceneTreeControl m_panel;
};
