// Links into a test program and brings the window system up once for all its tests: a Qt
// application on the offscreen platform (unless QT_QPA_PLATFORM says otherwise), the device's
// window host, Qt timers and desktop dialogs. Tests that need other timers or dialogs install a
// ManualTimerSource or a ScriptedDialogService over them.
#include "platform/win/win_app.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

class WindowSystemEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        m_system = std::make_unique<WinSystem>(m_argc, m_argv);
    }
    void TearDown() override { m_system.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "relief-tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<WinSystem> m_system;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WindowSystemEnvironment);

} // namespace
