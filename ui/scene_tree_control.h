// The scene tree panel: shows the world's scene graph as a tree and edits the chosen node in
// two embedded panels, the transform panel for its transform and the primitive panel for its
// primitive. When the node's primitive is a primitive list, the "Show nth Primitive" slider
// picks the member the primitive panel edits. The tree is built once, at initialisation; the
// nodes and primitives belong to the world.
#pragma once

#include <string>

#include "platform/win/cdialog.h"
#include "platform/win/controls.h"
#include "ui/primitive_control.h"
#include "ui/xform_info_control.h"

class TQR_PrimitiveList;
class TQR_SceneNode;

class CSceneTreeControl : public CDialog {
public:
    CSceneTreeControl();

    BOOL OnInitDialog() override;
    // The embedded editors of the chosen node.
    CXformInfoControl& GetTransformPanel() { return m_xformPanel; }
    CPrimitiveControl& GetPrimitivePanel() { return m_primitivePanel; }

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    void OnHScroll(UINT code, UINT position, CWnd* scrollBar) override;

private:
    // Adds the node under the parent item, then its children in order.
    void BuildTree(TQR_SceneNode* node, HTREEITEM parent);
    void OnSelChanged(NMHDR* header, LRESULT* result);
    void ShowListMember(int index);

    CTreeCtrl m_tree;
    CXformInfoControl m_xformPanel;
    CPrimitiveControl m_primitivePanel;
    TQR_PrimitiveList* m_currentList = nullptr;
    std::wstring m_indexLabel;
    CSliderCtrl m_nthSlider;
};
