// The scene tree panel over the world's scene graph, with its embedded transform and primitive
// panels.
#include <QSlider>

#include <gtest/gtest.h>

#include "platform/win/controls.h"
#include "platform/win/qt_bridge.h"
#include "scene/primitive_list.h"
#include "ui/panel_ids.h"
#include "ui/scene_tree_control.h"
#include "ui/tests/panel_test_support.h"

namespace {

// The world's scene with two more children of the root: a list of three members of which only
// the last is textured, and an empty list.
class SceneTreeControlTest : public PanelTest<CSceneTreeControl, IDD_SCENE_TREE_CONTROL> {
protected:
    static constexpr int kListChild = 3;
    static constexpr int kEmptyListChild = 4;

    void SetUp() override
    {
        auto* list = new TQR_PrimitiveList;
        for (int i = 0; i < 3; ++i) {
            auto* member = new PlainPrimitive;
            member->SetTexturing(i == 2);
            list->AddPrimitive(member);
        }
        for (TQR_PrimitiveList* primitive : {list, new TQR_PrimitiveList}) {
            auto* node = new TQR_SceneNode(L"list");
            node->SetPrimitive(primitive);
            World().GetRoot().AddChild(node);
        }
        PanelTest::SetUp();
    }

    CTreeCtrl& Tree() { return *static_cast<CTreeCtrl*>(m_panel.GetDlgItem(IDC_SCENE_TREE)); }
    CSliderCtrl& NthSlider() { return *static_cast<CSliderCtrl*>(m_panel.GetDlgItem(IDC_SCENE_NTH_SLIDER)); }
    std::wstring IndexLabel() { return ControlText(m_panel, IDC_SCENE_NTH_LABEL); }
    CPrimitiveControl& Primitives() { return m_panel.GetPrimitivePanel(); }
    bool ShowsTexturing()
    {
        return Primitives().IsDlgButtonChecked(IDC_PRIM_TEXTURE) == static_cast<UINT>(BST_CHECKED);
    }

    // Picks a child of the root by its index among the root item's children.
    void PickChild(int index)
    {
        HTREEITEM item = Tree().GetChildItem(Tree().GetRootItem());
        for (int i = 0; i < index; ++i) {
            item = Tree().GetNextSiblingItem(item);
        }
        Tree().SelectItem(item);
    }

    void MoveNthSlider(int position) { static_cast<QSlider*>(WidgetOfWindow(NthSlider().m_hWnd))->setValue(position); }
};

TEST_F(SceneTreeControlTest, TreeShowsTheRootThenItsChildrenInOrderWithTheRootSelected)
{
    HTREEITEM item = Tree().GetRootItem();
    EXPECT_EQ(Tree().GetItemText(item), L"root node");
    EXPECT_EQ(Tree().GetSelectedItem(), item);
    EXPECT_TRUE(m_panel.GetTransformPanel().IsWindowVisible());
    EXPECT_FALSE(Primitives().IsWindowVisible()) << "the root has no primitive";

    item = Tree().GetChildItem(item);
    for (const wchar_t* name : {L"floor", L"Airplane mesh", L"sphere"}) {
        ASSERT_NE(item, nullptr) << "no item for " << name;
        EXPECT_EQ(Tree().GetItemText(item), name);
        item = Tree().GetNextSiblingItem(item);
    }

    PickChild(CTerrainWorld::kAirplaneChild);
    EXPECT_NEAR(SliderOf(m_panel.GetTransformPanel(), IDC_XFORM_X).GetValue(), -2.0f, kSliderStep);
    EXPECT_TRUE(ShowsTexturing()) << "the airplane is textured";
    ClickControl(Primitives(), IDC_PRIM_VISIBILITY);
    EXPECT_FALSE(World().GetAirplaneMesh().IsVisible());
}

TEST_F(SceneTreeControlTest, SliderChoosesTheListMemberAndIsLeftAloneForOtherNodes)
{
    PickChild(kListChild);
    EXPECT_EQ(NthSlider().GetRangeMax(), 2);
    EXPECT_FALSE(ShowsTexturing()) << "member 0 is shown first";
    MoveNthSlider(2);
    EXPECT_EQ(IndexLabel(), L"2");
    EXPECT_TRUE(ShowsTexturing()) << "member 2 is shown";

    PickChild(CTerrainWorld::kFloorChild);
    EXPECT_EQ(NthSlider().GetRangeMax(), 2) << "a node without a list keeps the slider";
    MoveNthSlider(1);
    EXPECT_EQ(IndexLabel(), L"2") << "moving it then changes nothing";
    EXPECT_FALSE(ShowsTexturing()) << "the floor stays in the panel";

    PickChild(kEmptyListChild);
    EXPECT_FALSE(Primitives().IsWindowVisible()) << "an empty list has no member to edit";
}

} // namespace
