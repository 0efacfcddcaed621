// The application object running the main window modally, as the program does.
#include "app/tutorial_app.h"
#include "editor_fixture.h"
#include "graphics/graphics_system.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"

#include <QAbstractButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class TutorialAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CanCreateDevice()) {
            GTEST_SKIP() << "no OpenGL context through EGL on the Mesa surfaceless platform";
        }
        ASSERT_TRUE(m_folder.IsReady());
    }

    ScopedWorldFolder m_folder;
};

TEST_F(TutorialAppTest, QuitEndsTheDialogTheApplicationAndTheDevice)
{
    CTutorialApp application;
    EXPECT_EQ(GetAppWorld(), &application.GetWorld()) << "the world is reached through the application";
    bool inspected = false;
    QTimer::singleShot(200, [&] {
        ASSERT_NE(application.m_pMainWnd, nullptr);
        const HWND dialog = application.m_pMainWnd->GetSafeHwnd();
        inspected = IsWindowVisible(dialog) && GetGraphicsSystem()->GetDevice() != nullptr &&
                    GetWindowTextString(::GetDlgItem(dialog, 1001)) == L"OnInitDialog Complete";
        QWidget* quit = WidgetOfWindow(::GetDlgItem(dialog, IDOK));
        ASSERT_NE(quit, nullptr);
        QTest::mouseClick(quit, Qt::LeftButton, Qt::NoModifier, quit->rect().center());
    });
    EXPECT_FALSE(application.InitInstance()) << "no message loop after the dialog";
    EXPECT_TRUE(inspected);
    EXPECT_EQ(application.m_pMainWnd, nullptr);
    EXPECT_EQ(GetGraphicsSystem()->GetDevice(), nullptr) << "closing the window releases the device";
}

TEST_F(TutorialAppTest, UnattendedRunSavesAScreenshotAndQuits)
{
    const std::filesystem::path shot = m_folder.Path() / "unattended.png";
    CRunOptions options;
    options.quitAfterMs = 300;
    options.screenshotPath = shot.string();
    CTutorialApp application(options);
    EXPECT_FALSE(application.InitInstance());
    ASSERT_TRUE(std::filesystem::exists(shot));
    const QImage image(QString::fromStdString(shot.string()));
    EXPECT_GT(image.width(), 600) << "the whole main window";
    EXPECT_GT(image.height(), 300);
}

}  // namespace
