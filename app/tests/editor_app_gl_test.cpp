// The application object running the main window modally, as the program does.
#include "app/tutorial_app.h"
#include "editor_fixture.h"
#include "graphics/graphics_system.h"
#include "platform/d3d9/testing/device_probe.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class TutorialAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CanCreateD3D9Device()) {
            GTEST_SKIP() << kNoDeviceReason;
        }
        ASSERT_TRUE(m_folder.IsReady());
    }

    ScopedWorldFolder m_folder;
};

// The unattended run ends the dialog as "Quit" does.
TEST_F(TutorialAppTest, UnattendedRunSavesAScreenshotQuitsAndReleasesTheDevice)
{
    const std::filesystem::path shot = m_folder.Path() / "unattended.png";
    CRunOptions options;
    options.quitAfterMs = 300;
    options.screenshotPath = shot.string();
    CTutorialApp application(options);
    EXPECT_EQ(GetAppWorld(), &application.GetWorld()) << "the world is reached through the application";
    EXPECT_FALSE(application.InitInstance()) << "no message loop after the dialog";
    EXPECT_EQ(application.m_pMainWnd, nullptr);
    EXPECT_EQ(GetGraphicsSystem()->GetDevice(), nullptr) << "closing the window releases the device";

    const QImage image(QString::fromStdString(shot.string()));
    EXPECT_GT(image.width(), 600) << "the whole main window";
    EXPECT_GT(image.height(), 300);
}

} // namespace
