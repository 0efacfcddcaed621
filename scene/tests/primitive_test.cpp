#include "scene/primitive.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "scene/primitive_axis_frame.h"
#include "scene/primitive_line.h"
#include "scene/primitive_list.h"
#include "scene/primitive_point.h"
#include "scene/tests/probe_primitive.h"

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kBlack = 0xFF000000u;

// Opens the velocity, which only the primitive family itself reads and writes.
template <typename Base> class Movable : public Base {
public:
    using Base::GetPrimVelocity;
    using Base::SetPrimVelocity;
};

// The recorded calls before the first drawing call.
std::vector<std::string> SetupSigs(const TQR_RecordingDrawHelper& helper)
{
    std::vector<std::string> sigs;
    for (const TQR_RecordedCall& call : helper.Calls()) {
        if (call.name.rfind("Draw", 0) == 0) {
            break;
        }
        sigs.push_back(Sig(call));
    }
    return sigs;
}

// The minimum and maximum corner of the primitive's box; nothing when it has none.
std::vector<TQR_Vector3> BoxCorners(TQR_Primitive& primitive)
{
    const auto* box = dynamic_cast<const TQR_BoundingBox*>(primitive.GetBoundingVolume(2));
    return box == nullptr ? std::vector<TQR_Vector3>{} : std::vector<TQR_Vector3>{box->GetMin(), box->GetMax()};
}
using Corners = std::vector<TQR_Vector3>;

std::vector<std::string> Plus(std::vector<std::string> first, const std::vector<std::string>& more)
{
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

TEST(PrimitiveTest, SetupLoadsBaseAttributesThenEachKindsOwn)
{
    // ResetAttributes records itself and then the two switches it makes.
    const std::vector<std::string> reset = {"ResetAttributes", "EnableBlending 0", "EnableTexture 0"};
    const std::vector<std::string> fresh =
        Plus(reset, {Sig("SetColor1", kBlack), Sig("SetMaterial", TQR_Material().m_diffuse.GetARGB()),
                     "EnableBlending 0", "SetTextureFileName", "EnableTexture 0", "EnableLighting 1"});
    auto changed = std::make_shared<TQR_ProbePrimitive>();
    changed->SetFlatColor(TQR_Color(255, 0, 0, 255));
    TQR_Material blue;
    blue.m_diffuse = TQR_Color(0, 0, 255, 255);
    changed->SetMaterial(blue);
    changed->SetBlending(true);
    changed->SetTextureFileName(L"rock.png");
    changed->SetTexturing(true);
    changed->SetLighting(false);
    struct Row {
        const char* kind;
        std::shared_ptr<TQR_Primitive> primitive;
        // Up to the first drawing call; the axis frame's red belongs to its geometry.
        std::vector<std::string> expected;
    };
    const std::vector<Row> rows = {
        {"fresh base", std::make_shared<TQR_ProbePrimitive>(), fresh},
        {"changed base", changed,
         Plus(reset, {Sig("SetColor1", kRed), Sig("SetMaterial", 0xFF0000FFu), "EnableBlending 1",
                      "SetTextureFileName rock.png", "EnableTexture 1", "EnableLighting 0"})},
        {"line", std::make_shared<TQR_PrimitiveLine>(), Plus(fresh, {"SetColor2 4294967295", "SetShadeMode 1"})},
        {"point", std::make_shared<TQR_PrimitivePoint>(), Plus(fresh, {"SetPointSize 2"})},
        {"axis frame", std::make_shared<TQR_PrimitiveAxisFrame>(),
         Plus(fresh, {"SetShadeMode 0", Sig("SetColor1", kRed)})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        TQR_RecordingDrawHelper helper;
        row.primitive->Draw(2, &helper);
        EXPECT_EQ(SetupSigs(helper), row.expected);
    }
}

TEST(PrimitiveTest, BoundingVolumeNeedsVisibilityAndAVolumeAndLeavesRedFlatWireFrame)
{
    TQR_ProbePrimitive primitive;
    primitive.SetShowBoundingVolume(true);
    TQR_RecordingDrawHelper withoutVolume;
    primitive.Draw(2, &withoutVolume);
    EXPECT_EQ(withoutVolume.CallNames().back(), "DrawPoint");

    primitive.GiveBox(0, 0, 0, 1, 2, 3);
    TQR_RecordingDrawHelper helper;
    primitive.Draw(2, &helper);
    std::vector<std::string> expected = {"DrawPoint", "ResetAttributes", "EnableBlending", "EnableTexture",
                                         "SetColor1", "SetShadeMode",    "SetFillMode"};
    expected.insert(expected.end(), 12, "DrawLine");
    const std::vector<std::string> names = helper.CallNames();
    ASSERT_GE(names.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(names.end() - 19, names.end()), expected);
    EXPECT_EQ(helper.GetColor1().GetARGB(), kRed);
    EXPECT_EQ(helper.GetShadeMode(), TQR_ShadeMode::Flat);
    EXPECT_EQ(helper.GetFillMode(), TQR_FillMode::Wireframe);

    primitive.SetVisible(false);
    TQR_RecordingDrawHelper invisible;
    primitive.Draw(2, &invisible);
    EXPECT_TRUE(invisible.Calls().empty());
}

TEST(PrimitiveTest, VelocityAwayFromPointKeepsSpeed)
{
    struct Row {
        const char* what;
        TQR_Vector3 velocity, from, expected;
    };
    for (const Row& row : {Row{"at rest stays at rest", {0, 0, 0}, {1, 0, -2}, {0, 0, 0}},
                           Row{"moving turns away at the same speed", {3, 4, 0}, {1, 0, -2}, {0, 0, 5}},
                           Row{"at the point itself stops", {3, 4, 0}, {1, 0, 0}, {0, 0, 0}}}) {
        SCOPED_TRACE(row.what);
        Movable<TQR_PrimitivePoint> point;
        point.SetLocation(1, 0, 0);
        point.SetPrimVelocity(row.velocity);
        point.SetVelocityAwayFrom(row.from);
        EXPECT_EQ(point.GetPrimVelocity(), row.expected);
    }
}

TEST(PrimitiveLineTest, PlaceStartsAtIndexZeroAndDragMovesTheEnd)
{
    Movable<TQR_PrimitiveLine> line;
    line.PlaceVertex(0, 1, 2);
    line.DragVertex(4, 6);
    EXPECT_EQ(line.GetLocation(), (TQR_Vector3{2.5f, 4, 0}));
    EXPECT_EQ(BoxCorners(line), (Corners{{1, 2, 0}, {4, 6, 0}}));

    line.PlaceVertex(1, 7, -8);
    TQR_RecordingDrawHelper helper;
    line.Draw(2, &helper);
    EXPECT_EQ(helper.Calls().back().args, (std::vector<double>{1, 2, 0, 7, -8, 0}));

    line.SetPrimVelocity({1, 0, -1});
    line.Update(2);
    EXPECT_EQ(BoxCorners(line), (Corners{{3, -8, -2}, {9, 2, -2}}));
}

TEST(PrimitivePointTest, UpdateMovesPointAndShrinksBoxOntoIt)
{
    Movable<TQR_PrimitivePoint> point;
    point.SetPrimVelocity({1, 0, 0});
    point.Update(2);
    EXPECT_EQ(point.GetLocation(), (TQR_Vector3{2, 0, 0}));
    EXPECT_EQ(BoxCorners(point), (Corners{{2, 0, 0}, {2, 0, 0}}));
}

TEST(PrimitiveListTest, OwnsMembersAndDrawsVisibleOnesInOrderWithOwnAttributes)
{
    int destroyed = 0;
    auto list = std::make_unique<TQR_PrimitiveList>();
    for (float tag : {1.0f, 2.0f, 3.0f}) {
        list->AddPrimitive(new TQR_ProbePrimitive(tag, &destroyed));
    }
    list->AddPrimitive(nullptr);
    list->AddPrimitive(list.get());
    ASSERT_EQ(list->NumPrimitives(), 3);
    EXPECT_EQ(list->GetPrimitiveAt(-1), nullptr);
    EXPECT_EQ(list->GetPrimitiveAt(3), nullptr);

    list->GetPrimitiveAt(0)->SetLighting(false);
    list->GetPrimitiveAt(1)->SetVisible(false);
    TQR_RecordingDrawHelper helper;
    list->Draw(2, &helper);
    // The list's own set-up, then one per visible member.
    EXPECT_EQ(Sigs(helper, {"DrawPoint", "EnableLighting"}),
              (std::vector<std::string>{"EnableLighting 1", "EnableLighting 0", "DrawPoint 1", "EnableLighting 1",
                                        "DrawPoint 3"}));

    list->Update(0.5f);
    EXPECT_EQ(static_cast<TQR_ProbePrimitive*>(list->GetPrimitiveAt(2))->UpdatedSeconds(), 0.5f);
    list.reset();
    EXPECT_EQ(destroyed, 3);
}

} // namespace
