#include "app/tutorial_app.h"

#include "app/resources/resources.h"
#include "app/tutorial_dlg.h"
#include "app/unattended_run.h"
#include "platform/win/win_api.h"

CTutorialApp::CTutorialApp(CRunOptions options) : CWinApp(L"Relief"), m_options(std::move(options))
{
    SetWorldApplication(this);
}

CTutorialApp::~CTutorialApp() { SetWorldApplication(nullptr); }

BOOL CTutorialApp::InitInstance()
{
    InitCommonControls();
    CWinApp::InitInstance();
    RegisterReliefResources();

    CTutorialDlg dialog;
    m_pMainWnd = &dialog;
    const CUnattendedRun unattended(dialog, m_options);
    dialog.DoModal();
    m_exitCode = unattended.ExitCode();
    m_pMainWnd = nullptr;
    return FALSE;
}
