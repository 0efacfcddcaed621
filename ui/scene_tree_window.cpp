#include "ui/scene_tree_window.h"

#include "ui/panel_ids.h"
#include "ui/replace_control_with_dialog.h"

CSceneTreeWindow::CSceneTreeWindow() : CDialog(IDD_SCENE_TREE_WINDOW) {}

BOOL CSceneTreeWindow::OnInitDialog()
{
    CDialog::OnInitDialog();
    ReplaceControlWithDialog(this, IDC_SCENE_TREE_WINDOW_PLACEHOLDER, &m_panel, IDD_SCENE_TREE_CONTROL);
    return TRUE;
}
