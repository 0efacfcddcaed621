// End to end on the real device: both kinds of view attached to a dialog's placeholders draw
// the world, and their windows show the presented frames.
#include "view_dialog.h"
#include "views/mouse_handlers.h"

#include "graphics/graphics_system.h"
#include "platform/d3d9/testing/device_probe.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"
#include "world/terrain_world.h"
#include "world/testing/world_folder.h"
#include "world/world_app.h"

#include <QDir>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class TestApplication final : public IWorldApplication {
public:
    TestApplication() { SetWorldApplication(this); }
    ~TestApplication() { SetWorldApplication(nullptr); }
    TestApplication(const TestApplication&) = delete;
    TestApplication& operator=(const TestApplication&) = delete;

    CTerrainWorld& GetWorld() override { return m_world; }

private:
    CTerrainWorld m_world;
};

bool IsBackground(QColor pixel)
{
    return std::abs(pixel.red() - 0xCC) <= 4 && std::abs(pixel.green() - 0xCC) <= 4 &&
           std::abs(pixel.blue() - 0xCC) <= 4;
}

// The share of the image's central quarter that is not background.
double CentreCoverage(const QImage& image)
{
    const QRect centre(image.width() * 3 / 8, image.height() * 3 / 8, image.width() / 4, image.height() / 4);
    int covered = 0;
    for (int y = centre.top(); y <= centre.bottom(); ++y) {
        for (int x = centre.left(); x <= centre.right(); ++x) {
            covered += IsBackground(image.pixelColor(x, y)) ? 0 : 1;
        }
    }
    return static_cast<double>(covered) / (centre.width() * centre.height());
}

TEST(ViewsGlTest, BothViewsDrawTheTerrainOnLightGrey)
{
    if (!CanCreateD3D9Device()) {
        GTEST_SKIP() << kNoDeviceReason;
    }
    ScopedWorldFolder folder;
    ASSERT_TRUE(folder.IsReady());
    ViewTestDialog dialog;
    ASSERT_TRUE(IsWindow(dialog.m_hWnd));
    ASSERT_TRUE(GetGraphicsSystem()->CreateGraphicsContext(dialog.m_hWnd));
    {
        TestApplication application;
        application.GetWorld().SetRoughness(0.4f);
        application.GetWorld().GenerateTerrain();
        CDrawAndMouseHandler big;
        CSVDrawAndMouseHandler small;
        ASSERT_TRUE(big.AttachToDialogControl(dialog.m_hWnd, kBigViewPlaceholder));
        ASSERT_TRUE(small.AttachToDialogControl(dialog.m_hWnd, kSmallViewPlaceholder));
        EXPECT_TRUE(big.IsInitialized());
        EXPECT_TRUE(small.IsInitialized());
        small.GetCamera().SetPosition(0.0f, 40.0f, -1.0f);
        small.GetCamera().SetProjection(45.0f, 0.5f, 100.0f);

        big.DrawGraphics();
        small.DrawGraphics();
        for (auto [view, name] : {std::pair<CDrawOnlyHandler*, QString>{&big, "views_big.png"},
                                  std::pair<CDrawOnlyHandler*, QString>{&small, "views_small.png"}}) {
            SCOPED_TRACE(name.toStdString());
            const QImage image = WidgetOfWindow(view->GetViewWindow().m_hWnd)->grab().toImage();
            QDir().mkpath(RELIEF_TEST_OUTPUT_DIR);
            image.save(QString(RELIEF_TEST_OUTPUT_DIR) + "/" + name);
            ASSERT_FALSE(image.isNull());
            EXPECT_TRUE(IsBackground(image.pixelColor(2, 2)));
            EXPECT_TRUE(IsBackground(image.pixelColor(image.width() - 3, 2)));
            EXPECT_GT(CentreCoverage(image), 0.9) << "the terrain fills the middle of the view";
        }
    }
    GetGraphicsSystem()->ReleaseResources();
}

// A view draws at its window's size: at the first frame (the big view starts with the device's
// own chain, made for the dialog) and after every resize.
TEST(ViewsGlTest, BackBufferFollowsTheViewWindowsSize)
{
    if (!CanCreateD3D9Device()) {
        GTEST_SKIP() << kNoDeviceReason;
    }
    ScopedWorldFolder folder;
    ASSERT_TRUE(folder.IsReady());
    ViewTestDialog dialog;
    ASSERT_TRUE(GetGraphicsSystem()->CreateGraphicsContext(dialog.m_hWnd));
    {
        TestApplication application;
        CDrawAndMouseHandler view;
        ASSERT_TRUE(view.AttachToDialogControl(dialog.m_hWnd, kBigViewPlaceholder));
        const std::pair<int, int> sizes[] = {{0, 0}, {520, 300}, {90, 410}, {520, 300}};
        for (const auto& [width, height] : sizes) {
            if (width > 0) {
                view.SetWindowSize(width, height);
            }
            view.DrawGraphics();
            int windowWidth = 0;
            int windowHeight = 0;
            view.GetWindowSize(windowWidth, windowHeight);
            SCOPED_TRACE(testing::Message() << windowWidth << " x " << windowHeight);
            int bufferWidth = 0;
            int bufferHeight = 0;
            view.GetBackBufferSize(bufferWidth, bufferHeight);
            EXPECT_EQ(bufferWidth, windowWidth);
            EXPECT_EQ(bufferHeight, windowHeight);
            EXPECT_GT(CentreCoverage(WidgetOfWindow(view.GetViewWindow().m_hWnd)->grab().toImage()), 0.5);
        }
    }
    GetGraphicsSystem()->ReleaseResources();
}

} // namespace
