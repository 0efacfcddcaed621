// The application shell: InitInstance runs inside a working window system, and a dialog-based
// application that returns FALSE ends with its ExitInstance code.
#include "platform/d3d9/window_host.h"
#include "platform/win/cdialog.h"
#include "platform/win/dialog_template.h"
#include "platform/win/win_api.h"
#include "platform/win/win_app.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr UINT kTemplateId = 9700;

class DialogApp : public CWinApp {
public:
    DialogApp() : CWinApp(L"Shell Test") {}

    BOOL InitInstance() override
    {
        InitCommonControls();
        hostDuringRun = D3D9GetWindowHost();
        nameDuringRun = WinApplicationName();
        CDialog dialog(kTemplateId);
        m_pMainWnd = &dialog;
        QTimer::singleShot(0, [&dialog] { SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
        modalResult = dialog.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }

    int ExitInstance() override { return 7; }

    ID3D9WindowHost* hostDuringRun = nullptr;
    std::wstring nameDuringRun;
    INT_PTR modalResult = 0;
};

TEST(ApplicationShellTest, DialogApplicationRunsItsDialogAndEndsWithExitInstance)
{
    DialogTemplate t;
    t.id = kTemplateId;
    t.cx = 100;
    t.cy = 50;
    t.controls = {{IDOK, DialogControlKind::DefPushButton, L"Quit", {40, 30, 50, 14}}};
    RegisterDialogTemplate(t);
    ID3D9WindowHost* const outerHost = D3D9GetWindowHost();
    const std::wstring outerName = WinApplicationName();

    DialogApp app;
    char name[] = "shell";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(AfxWinMain(app, 1, argv), 7);
    EXPECT_EQ(app.modalResult, IDOK);
    EXPECT_NE(app.hostDuringRun, nullptr);
    EXPECT_EQ(app.nameDuringRun, L"Shell Test");
    EXPECT_EQ(D3D9GetWindowHost(), outerHost) << "the window system puts back what it found";
    WinSetApplicationName(outerName);
}

} // namespace
