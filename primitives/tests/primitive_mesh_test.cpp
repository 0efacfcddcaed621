#include "primitives/primitive_mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "graphics/draw_helper.h"
#include "graphics/graphics_system.h"
#include "graphics/material_conversion.h"
#include "graphics/testing/device_fixture.h"
#include "primitives/primitive_mesh_arrow.h"
#include "primitives/testing/mesh_files.h"
#include "scene/bounding_box.h"
#include "scene/testing/recording_draw_helper.h"

namespace {

class PrimitiveMeshTest : public DeviceFixture {};

TQR_Material RedMaterial()
{
    TQR_Material material;
    material.m_diffuse = TQR_Color(255, 0, 0, 255);
    material.m_power = 7.0f;
    return material;
}

// Lit, material 0 (the primitive's own after the set-up) shows; unlit, the first colour is
// the only emission.
TEST_F(PrimitiveMeshTest, SetupMakesMaterialZeroThePrimitivesAndUnlitDrawsEmitTheFirstColour)
{
    CreateDevice();
    WriteBoxMesh("box.x", {0, 0, 0}, {1, 1, 1});
    for (bool lighting : {true, false}) {
        SCOPED_TRACE(lighting ? "lit" : "unlit");
        TQRD3D_PrimitiveMesh mesh(L"box.x");
        mesh.SetLighting(lighting);
        mesh.SetMaterial(RedMaterial());
        mesh.SetFlatColor(TQR_Color(0, 255, 0, 255));
        mesh.SetSecondColor(TQR_Color(1, 2, 3, 4));
        m_device.ClearRecords();
        TQR_RecordingDrawHelper helper;
        mesh.Draw(2, &helper);

        const std::vector<std::string> names = helper.CallNames();
        EXPECT_EQ(std::vector<std::string>(names.end() - 3, names.end()),
                  (std::vector<std::string>{"SetColor2", "SetShadeMode", "SetFillMode"}));
        EXPECT_EQ(helper.GetColor2(), TQR_Color(1, 2, 3, 4));
        EXPECT_EQ(GetGraphicsSystem()->FindMesh(L"box.x")->GetFirstMaterial(), RedMaterial());
        ASSERT_EQ(m_device.draws.size(), 1u);
        EXPECT_EQ(m_device.draws[0].lighting, lighting ? TRUE : FALSE);
        const TQR_Material drawn = FromD3DMaterial(m_device.materials.back());
        EXPECT_EQ(drawn.m_emissive, lighting ? RedMaterial().m_emissive : TQR_Color(0, 255, 0, 255));
        EXPECT_EQ(m_device.Lighting(), static_cast<DWORD>(TRUE)) << "lighting is restored after the draw";
    }
}

TEST_F(PrimitiveMeshTest, TakesTheFilesFirstMaterialOnlyWhenBuiltAfterTheDevice)
{
    WriteBoxMesh("box.x", {0, 0, 0}, {1, 1, 1});
    TQRD3D_PrimitiveMesh early(L"box.x");
    CreateDevice();
    TQRD3D_PrimitiveMesh late(L"box.x");
    const TQR_Material fromFile = GetGraphicsSystem()->FindMesh(L"box.x")->GetFirstMaterial();

    EXPECT_EQ(early.GetMaterial(), TQR_Material());
    EXPECT_EQ(late.GetMaterial(), fromFile);
    EXPECT_NE(fromFile, TQR_Material());
    // The early primitive's first drawing puts its default material into the shared entry.
    TQR_RecordingDrawHelper helper;
    early.Draw(2, &helper);
    EXPECT_EQ(GetGraphicsSystem()->FindMesh(L"box.x")->GetFirstMaterial(), TQR_Material());
}

TEST_F(PrimitiveMeshTest, BoxIsTheEntrysOwnAndAMissingFileGivesNoneAndIsReportedAtEveryUse)
{
    CreateDevice();
    WriteBoxMesh("MeshFiles/box.x", {-1, -2, -3}, {4, 5, 6});
    TQRD3D_PrimitiveMesh box(L"box.x");
    const auto* volume = dynamic_cast<const TQR_BoundingBox*>(box.GetBoundingVolume(2));
    ASSERT_NE(volume, nullptr);
    EXPECT_EQ(volume->GetMin(), (TQR_Vector3{-1, -2, -3}));
    EXPECT_EQ(volume->GetMax(), (TQR_Vector3{4, 5, 6}));

    m_statusTexts.clear();
    TQRD3D_PrimitiveMesh missing(L"missing.x");
    TQR_RecordingDrawHelper helper;
    missing.SetShowBoundingVolume(true);
    m_device.ClearRecords();
    missing.Draw(2, &helper);
    EXPECT_TRUE(m_device.draws.empty());
    EXPECT_EQ(helper.CountCalls("DrawLine"), 0) << "no box without a mesh";
    // Construction, set-up, drawing and the box query each look the file up again.
    EXPECT_EQ(m_statusTexts, std::vector<std::wstring>(4, L"**ERROR** [missing.x]: file not found!"));
}

// The arrow on the device draw helper, so each mesh draw records its world transform.
TEST_F(PrimitiveMeshTest, ArrowLeavesOutAFlatHeadAndDrawsNothingWithoutOne)
{
    const std::pair<const char*, std::size_t> cases[] = {{"deep head", 2}, {"flat head", 1}, {"no head", 0}};
    for (const auto& [name, draws] : cases) {
        SCOPED_TRACE(name);
        CreateDevice();
        WriteBoxMesh("MeshFiles/cylinder.x", {-1, -1, -1}, {1, 1, 1});
        if (draws > 0) {
            WriteBoxMesh("MeshFiles/cone.x", {-1, -1, 2}, {1, 1, draws == 2 ? 3.0f : 2.0f});
        }
        TQRD3D_PrimitiveMeshArrow arrow;
        TQRD3D_DrawHelper helper;
        arrow.Draw(2, &helper);
        EXPECT_EQ(m_device.draws.size(), draws);
        for (const RecordedDraw& draw : m_device.draws) {
            const float* world = &draw.world.m[0][0];
            EXPECT_TRUE(std::all_of(world, world + 16, [](float v) { return std::isfinite(v); }));
            EXPECT_EQ(draw.lighting, static_cast<DWORD>(FALSE));
        }
        GetGraphicsSystem()->ReleaseResources();
        std::filesystem::remove_all("MeshFiles");
    }
}

} // namespace
