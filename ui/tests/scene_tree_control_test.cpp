// The scene tree panel over the world's scene graph, with its embedded transform and primitive
// panels.
#include <QSlider>

#include <gtest/gtest.h>

#include "platform/win/controls.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"
#include "scene/primitive_list.h"
#include "ui/panel_ids.h"
#include "ui/scene_tree_control.h"
#include "ui/tests/panel_test_support.h"
#include "ui/tests/world_fixture.h"

namespace {

class SceneTreeControlTest : public ::testing::Test {
protected:
    void CreatePanel() {
        ASSERT_TRUE(m_panel.Create(IDD_SCENE_TREE_CONTROL, &m_host.Window()));
        m_panel.ShowWindow(SW_SHOW);
    }

    TQR_SceneNode& Root() { return m_world.GetWorld().GetRoot(); }
    CTreeCtrl& Tree() { return *static_cast<CTreeCtrl*>(m_panel.GetDlgItem(IDC_SCENE_TREE)); }
    CSliderCtrl& NthSlider() { return *static_cast<CSliderCtrl*>(m_panel.GetDlgItem(IDC_SCENE_NTH_SLIDER)); }
    std::wstring IndexLabel() { return ControlText(m_panel, IDC_SCENE_NTH_LABEL); }
    CXformInfoControl& TransformPanel() { return m_panel.GetTransformPanel(); }
    CPrimitiveControl& PrimitivePanel() { return m_panel.GetPrimitivePanel(); }

    // The item under start (or start itself, or a later sibling's subtree) that carries the node.
    HTREEITEM Find(HTREEITEM start, const TQR_SceneNode* node) {
        for (HTREEITEM item = start; item; item = Tree().GetNextSiblingItem(item)) {
            if (Tree().GetItemData(item) == reinterpret_cast<DWORD_PTR>(node)) {
                return item;
            }
            if (const HTREEITEM found = Find(Tree().GetChildItem(item), node)) {
                return found;
            }
        }
        return nullptr;
    }

    HTREEITEM ItemOf(const TQR_SceneNode* node) {
        const HTREEITEM item = Find(Tree().GetRootItem(), node);
        EXPECT_NE(item, nullptr) << "no item for the node";
        return item;
    }

    void Pick(const TQR_SceneNode* node) { Tree().SelectItem(ItemOf(node)); }

    void MoveNthSlider(int position) {
        static_cast<QSlider*>(WidgetOfWindow(NthSlider().m_hWnd))->setValue(position);
    }

    bool IsChecked(const CWnd& panel, int id) { return panel.IsDlgButtonChecked(id) == static_cast<UINT>(BST_CHECKED); }

    PanelHost m_host;
    RegisteredWorld m_world;
    CSceneTreeControl m_panel;
};

TEST_F(SceneTreeControlTest, TreeShowsTheRootAndItsChildrenInOrderWithTheRootSelected) {
    CreatePanel();
    const HTREEITEM root = Tree().GetRootItem();
    EXPECT_EQ(Tree().GetItemText(root), L"root node");
    EXPECT_EQ(Tree().GetItemData(root), reinterpret_cast<DWORD_PTR>(&Root()));
    EXPECT_EQ(Tree().GetNextSiblingItem(root), nullptr);
    HTREEITEM child = Tree().GetChildItem(root);
    const wchar_t* const names[] = {L"floor", L"Airplane mesh", L"sphere"};
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(Tree().GetItemText(child), names[index]);
        EXPECT_EQ(Tree().GetItemData(child), reinterpret_cast<DWORD_PTR>(Root().GetChild(index)));
        child = Tree().GetNextSiblingItem(child);
    }
    EXPECT_EQ(child, nullptr);

    EXPECT_EQ(Tree().GetSelectedItem(), root);
    EXPECT_TRUE(TransformPanel().IsWindowVisible());
    EXPECT_FALSE(PrimitivePanel().IsWindowVisible()) << "the root has no primitive";
    EXPECT_EQ(IndexLabel(), L"0");
}

TEST_F(SceneTreeControlTest, PickingANodeHandsItsTransformAndPrimitiveToThePanels) {
    CreatePanel();
    Pick(Root().GetChild(CTerrainWorld::kAirplaneChild));
    auto& x = *static_cast<TQRMFC_SliderCtrlWithEcho*>(TransformPanel().GetDlgItem(IDC_XFORM_X));
    EXPECT_NEAR(x.GetValue(), -2.0f, kSliderStep);
    EXPECT_TRUE(PrimitivePanel().IsWindowVisible());
    EXPECT_TRUE(IsChecked(PrimitivePanel(), IDC_PRIM_TEXTURE)) << "the airplane is textured";

    Pick(Root().GetChild(CTerrainWorld::kSphereChild));
    EXPECT_FALSE(IsChecked(PrimitivePanel(), IDC_PRIM_VISIBILITY)) << "the sphere starts hidden";
    ClickControl(PrimitivePanel(), IDC_PRIM_VISIBILITY);
    EXPECT_TRUE(m_world.GetWorld().GetSphereMesh().IsVisible());
}

TEST_F(SceneTreeControlTest, SliderChoosesTheListMemberAndIsLeftAloneForOtherNodes) {
    auto* list = new TQR_PrimitiveList;
    PlainPrimitive* members[3] = {new PlainPrimitive, new PlainPrimitive, new PlainPrimitive};
    for (PlainPrimitive* member : members) {
        list->AddPrimitive(member);
    }
    members[2]->SetTexturing(true);
    auto* listNode = new TQR_SceneNode(L"list");
    listNode->SetPrimitive(list);
    Root().AddChild(listNode);
    auto* emptyNode = new TQR_SceneNode(L"empty list");
    emptyNode->SetPrimitive(new TQR_PrimitiveList);
    Root().AddChild(emptyNode);
    CreatePanel();

    Pick(listNode);
    EXPECT_EQ(NthSlider().GetRangeMin(), 0);
    EXPECT_EQ(NthSlider().GetRangeMax(), 2);
    EXPECT_TRUE(PrimitivePanel().IsWindowVisible());
    EXPECT_FALSE(IsChecked(PrimitivePanel(), IDC_PRIM_TEXTURE)) << "member 0 is shown first";
    MoveNthSlider(2);
    EXPECT_EQ(IndexLabel(), L"2");
    EXPECT_TRUE(IsChecked(PrimitivePanel(), IDC_PRIM_TEXTURE)) << "member 2 is shown";

    Pick(Root().GetChild(CTerrainWorld::kFloorChild));
    EXPECT_EQ(NthSlider().GetRangeMax(), 2) << "a node without a list keeps the slider";
    EXPECT_EQ(IndexLabel(), L"2");
    MoveNthSlider(1);
    EXPECT_EQ(IndexLabel(), L"2") << "moving it then changes nothing";
    EXPECT_FALSE(IsChecked(PrimitivePanel(), IDC_PRIM_LIGHTING)) << "the floor stays in the panel";

    Pick(emptyNode);
    EXPECT_FALSE(PrimitivePanel().IsWindowVisible()) << "an empty list has no member to edit";
}

}  // namespace
