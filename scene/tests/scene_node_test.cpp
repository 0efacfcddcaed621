#include "scene/scene_node.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "scene/tests/probe_primitive.h"

namespace {

class CountedNode : public TQR_SceneNode {
public:
    explicit CountedNode(int* destructions) : TQR_SceneNode(L"counted"), m_destructions(destructions) {}
    ~CountedNode() override { ++*m_destructions; }

private:
    int* m_destructions;
};

TQR_XformInfo Translated(float x, float y, float z)
{
    TQR_XformInfo xform;
    xform.SetTranslation(x, y, z);
    return xform;
}

TEST(SceneNodeTest, EmptyNodePushesAndPopsExactlyOnce)
{
    TQR_SceneNode node(L"empty");
    TQR_RecordingDrawHelper helper;
    node.Draw(2, &helper);
    EXPECT_EQ(helper.CallNames(),
              (std::vector<std::string>{"PushModelTransform", "SetTransformation", "PopModelTransform"}));
    EXPECT_EQ(helper.StackDepth(), 1);
}

TEST(SceneNodeTest, PivotDisplayFollowsChildrenInsideTheNodesTransform)
{
    TQR_SceneNode root(L"root");
    root.SetXformInfo(Translated(5, 0, 0));
    root.SetPrimitive(new TQR_ProbePrimitive(1));
    for (float tag : {2.0f, 3.0f}) {
        auto* child = new TQR_SceneNode(L"child");
        child->SetXformInfo(Translated(0, 10, 0));
        child->SetPrimitive(new TQR_ProbePrimitive(tag));
        root.AddChild(child);
    }
    root.SetPivotVisible(true);
    TQR_RecordingDrawHelper helper;
    root.Draw(2, &helper);

    const std::string push = "PushModelTransform", pop = "PopModelTransform", setup = "SetTransformation 5",
                      noTranslation = "SetTransformation 0";
    const std::string red = Sig("SetColor1", 0xFFFF0000u), green = Sig("SetColor1", 0xFF00FF00u),
                      blue = Sig("SetColor1", 0xFF0000FFu);
    EXPECT_EQ(Sigs(helper, {push, pop, "SetTransformation", "DrawPoint", "DrawCircle", "DrawLine", "SetColor1",
                            "EnableLighting"}),
              (std::vector<std::string>{push,
                                        setup,
                                        Sig("SetColor1", 0xFF000000u),
                                        "EnableLighting 1",
                                        "DrawPoint 1",
                                        push,
                                        noTranslation,
                                        Sig("SetColor1", 0xFF000000u),
                                        "EnableLighting 1",
                                        "DrawPoint 2",
                                        pop,
                                        push,
                                        noTranslation,
                                        Sig("SetColor1", 0xFF000000u),
                                        "EnableLighting 1",
                                        "DrawPoint 3",
                                        pop,
                                        Sig("SetColor1", 0xFFFFFFFFu),
                                        "DrawCircle 0",
                                        push,
                                        noTranslation,
                                        Sig("SetColor1", 0xFF000000u),
                                        "EnableLighting 0",
                                        red,
                                        "DrawLine 0",
                                        green,
                                        "DrawLine 0",
                                        blue,
                                        "DrawLine 0",
                                        pop,
                                        pop}));
    EXPECT_EQ(helper.StackDepth(), 1);

    // The disc of radius 0.2 at the node's origin; each axis line ends 1.3 from it.
    std::vector<TQR_Vector3> placed;
    for (const TQR_RecordedCall& call : helper.Calls()) {
        if (call.name == "DrawCircle") {
            EXPECT_EQ(call.args, (std::vector<double>{0, 0, 0, 0.2f}));
            placed.push_back(call.model.TransformCoord({0, 0, 0}));
        } else if (call.name == "DrawLine") {
            const TQR_Vector3 end{static_cast<float>(call.args[3]), static_cast<float>(call.args[4]),
                                  static_cast<float>(call.args[5])};
            placed.push_back(call.model.TransformCoord(end));
        }
    }
    EXPECT_EQ(placed, (std::vector<TQR_Vector3>{{5, 0, 0}, {6.3f, 0, 0}, {5, 1.3f, 0}, {5, 0, 1.3f}}));
}

TEST(SceneNodeTest, SetPrimitiveDeletesOnlyAReplacedPrimitive)
{
    int destroyed = 0;
    TQR_SceneNode node(L"node");
    auto* first = new TQR_ProbePrimitive(1, &destroyed);
    node.SetPrimitive(first);
    node.SetPrimitive(first);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(node.GetPrimitive(), first);
    node.SetPrimitive(new TQR_ProbePrimitive(2, &destroyed));
    EXPECT_EQ(destroyed, 1);
    node.SetPrimitive(nullptr);
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(node.GetPrimitive(), nullptr);
}

TEST(SceneNodeTest, UpdatePositionMovesOnlyTheTranslation)
{
    TQR_SceneNode node(L"moving");
    TQR_XformInfo xform = Translated(1, 1, 1);
    xform.SetScale(2, 2, 2);
    node.SetXformInfo(xform);
    node.SetVelocity(2, 0, -4);
    node.UpdatePosition(0.5f);
    xform.SetTranslation(2, 1, -1);
    EXPECT_EQ(node.GetXformInfo(), xform);
}

TEST(SceneNodeTest, ChildrenAreOwnedAndOutOfRangeIndexGivesNull)
{
    int nodes = 0;
    int primitives = 0;
    auto root = std::make_unique<CountedNode>(&nodes);
    root->SetPrimitive(new TQR_ProbePrimitive(0, &primitives));
    auto* middle = new CountedNode(&nodes);
    middle->SetPrimitive(new TQR_ProbePrimitive(0, &primitives));
    auto* leaf = new CountedNode(&nodes);
    leaf->SetPrimitive(new TQR_ProbePrimitive(0, &primitives));
    middle->AddChild(leaf);
    root->AddChild(middle);
    root->AddChild(new CountedNode(&nodes));
    root->AddChild(nullptr);
    root->AddChild(root.get());

    ASSERT_EQ(root->NumChildren(), 2);
    EXPECT_EQ(root->GetChild(0), middle);
    EXPECT_EQ(root->GetChild(root->NumChildren()), nullptr);
    EXPECT_EQ(root->GetChild(-1), nullptr);
    root.reset();
    EXPECT_EQ(nodes, 4);
    EXPECT_EQ(primitives, 3);
}

} // namespace
