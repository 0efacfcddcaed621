// Window handler geometry, camera matrices and picking, and attaching without a device, on real
// (offscreen) view windows.
#include "view_dialog.h"
#include "views/draw_only_handler.h"
#include "views/view_tool.h"

#include "platform/win/dialog_service.h"
#include "platform/win/win_api.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <utility>

namespace {

void ExpectNear(const TQR_Vector3& actual, const TQR_Vector3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-4f);
    EXPECT_NEAR(actual.y, expected.y, 1e-4f);
    EXPECT_NEAR(actual.z, expected.z, 1e-4f);
}

TQR_Vector3 Transformed(const TQR_Vector3& point, const D3DXMATRIX& matrix)
{
    const D3DXVECTOR3 in(point.x, point.y, point.z);
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &in, &matrix);
    return {out.x, out.y, out.z};
}

// A draw-only handler in place of the large placeholder, bound to its 200 x 100 window alone
// (there is no device in these tests).
class WindowHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_handler.GetViewWindow().ReplaceDialogControl(m_dialog.m_hWnd, kBigViewPlaceholder));
        ASSERT_TRUE(m_handler.TQR_WindowHandler::AttachWindow(m_handler.GetViewWindow().m_hWnd));
        m_handler.SetWindowSize(200, 100);
        int width = 0;
        int height = 0;
        m_handler.GetWindowSize(width, height);
        ASSERT_EQ(width, 200);
        ASSERT_EQ(height, 100);
    }

    ScriptedDialogService m_messages;
    ViewTestDialog m_dialog;
    CDrawOnlyHandler m_handler;
};

TEST_F(WindowHandlerTest, ResizingKeepsTheTopLeftCornerAndDeviceYGrowsUpward)
{
    CRect before;
    GetWindowRect(m_handler.GetWindow(), &before);
    m_handler.SetWindowSize(120, 300);
    CRect after;
    GetWindowRect(m_handler.GetWindow(), &after);
    EXPECT_EQ(after.TopLeft(), before.TopLeft());

    int x = -1;
    int y = -1;
    ASSERT_TRUE(m_handler.WindowToDevice(10, 0, x, y));
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 300);
    EXPECT_FLOAT_EQ(m_handler.GetAspectRatio(), 120.0f / 300.0f);
    m_handler.SetWindowSize(120, 0);
    EXPECT_EQ(m_handler.GetAspectRatio(), 0.0f);

    CDrawOnlyHandler unattached;
    EXPECT_FALSE(unattached.WindowToDevice(10, 0, x, y));
    EXPECT_EQ(unattached.GetAspectRatio(), 0.0f);
}

TEST_F(WindowHandlerTest, ViewMatrixTurnsTheSceneByYawThenPitchBeforeTheLookAt)
{
    struct Row {
        int yaw;
        int pitch;
        TQR_Vector3 point;
        TQR_Vector3 rotated; // where the rotations take the point before the look-at
    };
    const Row rows[] = {
        {0, 0, {1.0f, 2.0f, 3.0f}, {1.0f, 2.0f, 3.0f}},
        {90, 0, {1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}},
        {0, 90, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}},
        {90, 90, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}},
    };
    const D3DXVECTOR3 eye(0.0f, 0.0f, -10.0f); // the right axis is +x
    const D3DXVECTOR3 origin(0.0f, 0.0f, 0.0f);
    const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
    D3DXMATRIX lookAt;
    D3DXMatrixLookAtRH(&lookAt, &eye, &origin, &up);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "yaw " << row.yaw << ", pitch " << row.pitch);
        TQR_Camera camera;
        camera.SetPosition(eye.x, eye.y, eye.z);
        camera.BeginRotate(0, 0);
        camera.RotateTo(row.yaw, row.pitch);
        m_handler.SetCamera(camera);
        ExpectNear(Transformed(row.point, m_handler.ComputeViewMatrix()), Transformed(row.rotated, lookAt));
    }
}

TEST_F(WindowHandlerTest, PickingRaysRunFromTheEyeThroughTheDevicePoint)
{
    // The default camera: eye at (0, 0, -1) looking along +z, so the view's right is world -x.
    const float slope = std::tan(m_handler.GetCamera().GetFovRadians() * 0.5f);
    TQR_Vector3 origin;
    TQR_Vector3 direction;
    EXPECT_TRUE(m_handler.DeviceToWorld(200, 100, origin, direction).ok()); // top right corner, 2:1 window
    ExpectNear(origin, {0.0f, 0.0f, -1.0f});
    ExpectNear(direction, {-2.0f * slope, slope, 1.0f});

    TQR_Camera& camera = m_handler.GetCamera();
    camera.SetPosition(3.0f, 4.0f, -5.0f);
    camera.SetLookAt(1.0f, 0.0f, 2.0f);
    EXPECT_TRUE(m_handler.DeviceToWorld(100, 50, origin, direction).ok());
    ExpectNear(origin, camera.GetPosition());
    ExpectNear(direction, VectorNormalize(camera.GetLookAt() - camera.GetPosition()));
    EXPECT_TRUE(m_messages.MessageBoxes().empty());
}

// The terrain under the view's centre and corners for known cameras, on a flat 65 grid: from
// straight above, with the terrain just filling the square view (its right is world -x, its up
// world +z), and from the editor's start camera, whose top edge looks above the horizon.
TEST_F(WindowHandlerTest, PickingFindsTheVertexUnderTheViewsCentreAndCorners)
{
    constexpr int kSide = 200;
    m_handler.SetWindowSize(kSide, kSide);
    const Heightfield flat(65, 0.0f);
    struct Shot {
        TQR_Vector3 eye;
        TQR_Vector3 up;
        int x;
        int y;
        std::optional<std::pair<int, int>> vertex;
    };
    // 14.8 world units from the centre at the view's edges, within half a spacing of the rim.
    const float overhead = 14.8f / std::tan(22.5f * kRadiansPerDegree);
    const TQR_Vector3 above{0.0f, overhead, 0.0f};
    const TQR_Vector3 north{0.0f, 0.0f, 1.0f};
    const TQR_Vector3 start{0.0f, 10.0f, -25.0f};
    const TQR_Vector3 yUp{0.0f, 1.0f, 0.0f};
    const Shot shots[] = {
        {above, north, kSide / 2, kSide / 2, std::pair(32, 32)},
        {above, north, 0, 0, std::pair(64, 64)},
        {above, north, kSide, 0, std::pair(64, 0)},
        {above, north, 0, kSide, std::pair(0, 64)},
        {above, north, kSide, kSide, std::pair(0, 0)},
        {start, yUp, kSide / 2, kSide / 2, std::pair(32, 32)},
        {start, yUp, 0, kSide, std::nullopt},
        {start, yUp, kSide, kSide, std::nullopt},
    };
    for (const Shot& shot : shots) {
        SCOPED_TRACE(testing::Message() << "eye y " << shot.eye.y << " at (" << shot.x << ", " << shot.y << ")");
        TQR_Camera camera;
        camera.SetPosition(shot.eye.x, shot.eye.y, shot.eye.z);
        camera.SetUpVector(shot.up.x, shot.up.y, shot.up.z);
        m_handler.SetCamera(camera);
        const std::optional<TerrainHit> hit = PickTerrainAt(m_handler, flat, shot.x, shot.y);
        ASSERT_EQ(hit.has_value(), shot.vertex.has_value());
        if (hit) {
            EXPECT_EQ(std::pair(hit->nearestRow, hit->nearestColumn), *shot.vertex);
        }
    }
}

TEST_F(WindowHandlerTest, PickingWithoutAWindowAreaFailsWithZeroVectors)
{
    CDrawOnlyHandler unattached;
    TQR_Vector3 origin{1.0f, 1.0f, 1.0f};
    TQR_Vector3 direction{1.0f, 1.0f, 1.0f};
    const Result<> picked = unattached.DeviceToWorld(10, 10, origin, direction);
    EXPECT_EQ(picked.reason(), "no picking ray: the view has no window area to aim through");
    EXPECT_EQ(origin, TQR_Vector3{});
    EXPECT_EQ(direction, TQR_Vector3{});
}

TEST_F(WindowHandlerTest, BasePickingFailsSayingItIsUnavailableWithoutAMessageBox)
{
    TQR_Vector3 origin{1.0f, 1.0f, 1.0f};
    TQR_Vector3 direction{1.0f, 1.0f, 1.0f};
    const Result<> picked = m_handler.TQR_WindowHandler::DeviceToWorld(100, 50, origin, direction);
    EXPECT_EQ(origin, TQR_Vector3{});
    EXPECT_EQ(direction, TQR_Vector3{});
    EXPECT_FALSE(picked.ok());
    EXPECT_EQ(picked.reason(), "on-screen picking is not available: this window handler does not compute picking rays");
    EXPECT_TRUE(m_messages.MessageBoxes().empty()) << "a lower layer shows no message box";
}

TEST_F(WindowHandlerTest, WorldBoundsFillTheWindowIn2D)
{
    TQR_BoundingBox bounds;
    bounds.SetCorners(30.0f, 15.0f, 0.0f, -10.0f, -5.0f, 2.0f);
    m_handler.SetWorldBounds(bounds);
    float worldX = 0.0f;
    float worldY = 0.0f;
    m_handler.DeviceToWorld2D(15, 80, worldX, worldY);
    EXPECT_FLOAT_EQ(worldX, -7.0f);
    EXPECT_FLOAT_EQ(worldY, 11.0f);
    int x = 0;
    int y = 0;
    m_handler.WorldToDevice2D(30.0f, 15.0f, x, y);
    EXPECT_EQ(CPoint(x, y), CPoint(200, 100));
    m_handler.WorldToDevice2D(-10.32f, -4.88f, x, y);
    EXPECT_EQ(CPoint(x, y), CPoint(-2, 1)) << "(-1.6, 0.6) rounds to the nearest pixel";
}

TEST_F(WindowHandlerTest, WithoutADeviceAttachingFailsAndDrawingDoesNothing)
{
    EXPECT_FALSE(m_handler.AttachWindow(m_handler.GetViewWindow().m_hWnd));
    EXPECT_FALSE(m_handler.IsInitialized());
    m_handler.DrawGraphics();

    CDrawOnlyHandler small;
    EXPECT_FALSE(small.AttachToDialogControl(m_dialog.m_hWnd, kSmallViewPlaceholder));
    EXPECT_EQ(small.GetViewWindow().GetHandler(), nullptr);
    ASSERT_EQ(m_messages.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_messages.MessageBoxes()[0].text, L"Error attaching viewport to window!");

    CDrawOnlyHandler missing;
    EXPECT_FALSE(missing.AttachToDialogControl(m_dialog.m_hWnd, 4242));
    EXPECT_FALSE(missing.AttachWindow(nullptr));
    EXPECT_EQ(m_messages.MessageBoxes().size(), 1u) << "a missing placeholder fails silently";
}

} // namespace
