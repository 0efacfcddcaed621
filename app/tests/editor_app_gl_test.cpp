// The application object running the main window until it closes, as the program does.
#include "app/main_window.h"
#include "app/tutorial_app.h"
#include "editor_fixture.h"
#include "graphics/graphics_system.h"
#include "platform/d3d9/testing/device_probe.h"

#include <QImage>
#include <QSettings>

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

    EditorPlaces Places() const
    {
        return {(m_folder.Path() / "settings.ini").string(), (m_folder.Path() / "recovery.relief").string()};
    }

    int Run(const CRunOptions& options)
    {
        CTutorialApp application(options, Places());
        EXPECT_EQ(GetAppWorld(), &application.GetWorld()) << "the world is reached through the application";
        char name[] = "relief";
        char* argv[] = {name, nullptr};
        const int exitCode = AfxWinMain(application, 1, argv);
        EXPECT_EQ(application.m_pMainWnd, nullptr);
        EXPECT_EQ(application.MainWindow(), nullptr);
        return exitCode;
    }

    ScopedWorldFolder m_folder;
};

TEST_F(TutorialAppTest, UnattendedRunSavesAScreenshotQuitsAndReleasesTheDevice)
{
    const std::filesystem::path shot = m_folder.Path() / "unattended.png";
    CRunOptions options;
    options.quitAfterMs = 300;
    options.screenshotPath = shot.string();
    EXPECT_EQ(Run(options), 0);
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
        EXPECT_EQ(Run(options), 1);
    }
    EXPECT_FALSE(std::filesystem::exists(cases[0]));
    EXPECT_EQ(std::filesystem::file_size(readOnly), 4u) << "the read-only file keeps its content";
}

// "relief FILE": the file is open when the window comes up, so it heads the recent files.
TEST_F(TutorialAppTest, HeightFileOfTheCommandLineIsOpenedAtStart)
{
    const std::filesystem::path heights = m_folder.Path() / "start.txt";
    std::ofstream out(heights);
    for (int i = 0; i < 64 * 64; ++i) {
        out << (i % 7) << '\n';
    }
    out.close();
    CRunOptions options;
    options.quitAfterMs = 100;
    options.file = heights.string();
    EXPECT_EQ(Run(options), 0);
    const QSettings settings(QString::fromStdString(Places().settingsFile), QSettings::IniFormat);
    EXPECT_EQ(settings.value(QStringLiteral("recentFiles")).toStringList(),
              QStringList{QString::fromStdString(heights.string())});
}

} // namespace
