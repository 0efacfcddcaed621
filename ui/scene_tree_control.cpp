#include "ui/scene_tree_control.h"

#include "scene/primitive_list.h"
#include "scene/scene_node.h"
#include "ui/panel_ids.h"
#include "ui/replace_control_with_dialog.h"
#include "world/terrain_world.h"
#include "world/world_app.h"

CSceneTreeControl::CSceneTreeControl() : CDialog(IDD_SCENE_TREE_CONTROL)
{
    MapNotify(IDC_SCENE_TREE, TVN_SELCHANGEDW, &CSceneTreeControl::OnSelChanged);
}

void CSceneTreeControl::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_SCENE_TREE, m_tree);
    DDX_Text(exchange, IDC_SCENE_NTH_LABEL, m_indexLabel);
    DDX_Control(exchange, IDC_SCENE_NTH_SLIDER, m_nthSlider);
}

BOOL CSceneTreeControl::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nthSlider.SetRange(0, 0, TRUE);
    m_nthSlider.SetPos(0);
    m_indexLabel = std::to_wstring(0);
    m_currentList = nullptr;

    ReplaceControlWithDialog(this, IDC_SCENE_XFORM_PLACEHOLDER, &m_xformPanel, IDD_XFORM_INFO_CONTROL);
    m_xformPanel.SetRanges(-10.0f, 10.0f, 0.1f, 3.0f, -180.0f, 180.0f);
    ReplaceControlWithDialog(this, IDC_SCENE_PRIMITIVE_PLACEHOLDER, &m_primitivePanel, IDD_PRIMITIVE_CONTROL);

    if (CTerrainWorld* world = GetAppWorld()) {
        BuildTree(&world->GetRoot(), TVI_ROOT);
    }
    m_tree.Select(m_tree.GetNextItem(nullptr, TVGN_FIRSTVISIBLE), TVGN_CARET);
    UpdateData(FALSE);
    return TRUE;
}

void CSceneTreeControl::BuildTree(TQR_SceneNode* node, HTREEITEM parent)
{
    if (!node) {
        return;
    }
    const HTREEITEM item = m_tree.InsertItem(node->GetName(), parent, TVI_LAST);
    m_tree.SetItemData(item, reinterpret_cast<DWORD_PTR>(node));
    for (int index = 0; index < node->NumChildren(); ++index) {
        BuildTree(node->GetChild(index), item);
    }
}

void CSceneTreeControl::OnSelChanged(NMHDR* header, LRESULT* result)
{
    const auto* notification = reinterpret_cast<const NMTREEVIEWW*>(header);
    auto* node = reinterpret_cast<TQR_SceneNode*>(notification->itemNew.lParam);
    if (node) {
        m_xformPanel.ShowWindow(SW_SHOW);
        m_primitivePanel.ShowWindow(SW_SHOW);
        m_xformPanel.SetSceneNode(node);
        m_primitivePanel.SetPrimitive(node->GetPrimitive());
        m_currentList = dynamic_cast<TQR_PrimitiveList*>(node->GetPrimitive());
        if (m_currentList) {
            m_nthSlider.SetRange(0, m_currentList->NumPrimitives() - 1, TRUE);
            m_nthSlider.SetPos(0);
            ShowListMember(0);
        }
    } else {
        m_xformPanel.ShowWindow(SW_HIDE);
        m_primitivePanel.ShowWindow(SW_HIDE);
    }
    *result = 0;
}

void CSceneTreeControl::ShowListMember(int index)
{
    m_indexLabel = std::to_wstring(index);
    UpdateData(FALSE);
    m_primitivePanel.SetPrimitive(m_currentList->GetPrimitiveAt(index));
}

void CSceneTreeControl::OnHScroll(UINT code, UINT position, CWnd* scrollBar)
{
    if (m_currentList) {
        ShowListMember(m_nthSlider.GetPos());
    }
    CDialog::OnHScroll(code, position, scrollBar);
}
