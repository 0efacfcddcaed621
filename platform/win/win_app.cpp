#include "platform/win/win_app.h"

#include "platform/win/dialog_service.h"
#include "platform/win/internal/win_window_host.h"
#include "platform/win/timer_source.h"
#include "platform/win/win_api.h"

#include <QApplication>

WinSystem::WinSystem(int& argc, char** argv)
    : m_host(std::make_unique<WinWindowHost>()), m_timers(std::make_unique<QtTimerSource>()),
      m_dialogs(std::make_unique<DesktopDialogService>()), m_previousHost(D3D9GetWindowHost()),
      m_previousTimers(WinTimerSource()), m_previousDialogs(WinDialogService())
{
    if (!QApplication::instance()) {
        m_application = std::make_unique<QApplication>(argc, argv);
    }
    D3D9SetWindowHost(m_host.get());
    WinSetTimerSource(m_timers.get());
    WinSetDialogService(m_dialogs.get());
}

WinSystem::~WinSystem()
{
    if (D3D9GetWindowHost() == m_host.get()) {
        D3D9SetWindowHost(m_previousHost);
    }
    if (WinTimerSource() == m_timers.get()) {
        WinSetTimerSource(m_previousTimers);
    }
    if (WinDialogService() == m_dialogs.get()) {
        WinSetDialogService(m_previousDialogs);
    }
    // Timers go before the Qt application they run in.
    m_timers.reset();
}

CWinApp::CWinApp(LPCWSTR appName) : m_appName(appName ? appName : L"") {}

CWinApp::~CWinApp() = default;

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

int CWinApp::Run()
{
    QApplication::exec();
    return ExitInstance();
}

int AfxWinMain(CWinApp& app, int argc, char** argv)
{
    WinSystem system(argc, argv);
    if (!app.m_appName.empty()) {
        WinSetApplicationName(app.m_appName);
    }
    if (!app.InitInstance()) {
        return app.ExitInstance();
    }
    return app.Run();
}
