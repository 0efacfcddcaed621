// Bringing the window system up, and the application shell on top of it.
// Implements: WinSystem (the Qt application, the device's window host, the Qt timer source and
// the desktop dialog service, installed for as long as it lives), CWinApp (InitInstance,
// ExitInstance, Run as Qt's event loop, the main window), AfxWinMain (runs an application
// object: InitInstance, then the loop or ExitInstance).
// Leaves out: document templates, command-line parsing, idle processing, the registry.
#pragma once

#include "platform/win/win_defs.h"

#include <memory>
#include <string>

class CWnd;
class QApplication;
class WinWindowHost;
class QtTimerSource;
class DesktopDialogService;
class ID3D9WindowHost;
class IWinTimerSource;
class IWinDialogService;

// Created before the first window. Creates the Qt application unless one exists already; puts
// back the host, timer source and dialog service it found when it goes.
class WinSystem {
public:
    WinSystem(int& argc, char** argv);
    ~WinSystem();
    WinSystem(const WinSystem&) = delete;
    WinSystem& operator=(const WinSystem&) = delete;

private:
    std::unique_ptr<QApplication> m_application;
    std::unique_ptr<WinWindowHost> m_host;
    std::unique_ptr<QtTimerSource> m_timers;
    std::unique_ptr<DesktopDialogService> m_dialogs;
    ID3D9WindowHost* m_previousHost = nullptr;
    IWinTimerSource* m_previousTimers = nullptr;
    IWinDialogService* m_previousDialogs = nullptr;
};

class CWinApp {
public:
    explicit CWinApp(LPCWSTR appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // FALSE ends the application at once (after ExitInstance), as dialog-based applications do.
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // Qt's event loop, then ExitInstance.
    virtual int Run();

    CWnd* m_pMainWnd = nullptr;
    std::wstring m_appName;
};

// Brings up the window system for the application and runs it; returns the exit code.
int AfxWinMain(CWinApp& app, int argc, char** argv);
