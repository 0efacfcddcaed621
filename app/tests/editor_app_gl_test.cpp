// The application object running the main window modally, as the program does.
#include "app/tutorial_app.h"
#include "editor_fixture.h"
#include "graphics/graphics_system.h"
#include "platform/d3d9/testing/device_probe.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
    EXPECT_EQ(application.ExitInstance(), 0);
    EXPECT_EQ(application.m_pMainWnd, nullptr);
    EXPECT_EQ(GetGraphicsSystem()->GetDevice(), nullptr) << "closing the window releases the device";

    const QImage image(QString::fromStdString(shot.string()));
    EXPECT_GT(image.width(), 600) << "the whole main window";
    EXPECT_GT(image.height(), 300);
}

// The program's exit code, as main returns it, tells a script that the screenshot is missing.
TEST_F(TutorialAppTest, UnattendedRunExitsWithOneWhenTheScreenshotCannotBeSaved)
{
    const std::filesystem::path readOnly = m_folder.Path() / "read-only.png";
    std::ofstream(readOnly) << "kept";
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    const std::filesystem::path cases[] = {m_folder.Path() / "no such folder" / "shot.png", m_folder.Path(), readOnly};
    for (const std::filesystem::path& path : cases) {
        SCOPED_TRACE(path.string());
        CRunOptions options;
        options.quitAfterMs = 100;
        options.screenshotPath = path.string();
        CTutorialApp application(options);
        char name[] = "relief";
        char* argv[] = {name, nullptr};
        EXPECT_EQ(AfxWinMain(application, 1, argv), 1);
    }
    EXPECT_FALSE(std::filesystem::exists(cases[0]));
    EXPECT_EQ(std::filesystem::file_size(readOnly), 4u) << "the read-only file keeps its content";
}

} // namespace
