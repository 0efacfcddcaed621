// Embedding a child dialog in place of a placeholder control.
#include "platform/win/dialog_service.h"
#include "platform/win/dialog_template.h"
#include "platform/win/win_api.h"
#include "ui/replace_control_with_dialog.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kHostTemplate = 9600;
constexpr UINT kPanelTemplate = 9601;
constexpr int kPlaceholder = 4005;
constexpr int kPanelCheck = 6009;

class ReplaceControlWithDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DialogTemplate host;
        host.id = kHostTemplate;
        host.cx = 250;
        host.cy = 170;
        host.controls = {{kPlaceholder, DialogControlKind::Static, L"", {91, 0, 151, 72}}};
        RegisterDialogTemplate(host);
        DialogTemplate panel;
        panel.id = kPanelTemplate;
        panel.style = kChildDialogStyle;
        panel.cx = 151;
        panel.cy = 72;
        panel.controls = {{kPanelCheck, DialogControlKind::CheckBox, L"Show Pivot", {5, 5, 60, 10}}};
        RegisterDialogTemplate(panel);
        ASSERT_TRUE(m_host.Create(kHostTemplate));
        m_host.ShowWindow(SW_SHOW);
    }

    CRect PlaceOf(HWND window) const
    {
        CRect rect;
        GetWindowRect(window, &rect);
        m_host.ScreenToClient(&rect);
        return rect;
    }

    ScriptedDialogService m_messages;
    CDialog m_host{kHostTemplate};
    CDialog m_panel{kPanelTemplate};
};

TEST_F(ReplaceControlWithDialogTest, ChildDialogTakesThePlaceholdersRectangleAndShows)
{
    const HWND placeholder = ::GetDlgItem(m_host.m_hWnd, kPlaceholder);
    const CRect place = PlaceOf(placeholder);
    ASSERT_TRUE(ReplaceControlWithDialog(&m_host, kPlaceholder, &m_panel, kPanelTemplate));
    EXPECT_FALSE(IsWindow(placeholder));
    EXPECT_EQ(m_panel.GetParent(), &m_host);
    EXPECT_EQ(PlaceOf(m_panel.m_hWnd), place);
    EXPECT_TRUE(m_panel.IsWindowVisible());
    EXPECT_NE(m_panel.GetDlgItem(kPanelCheck), nullptr);
    EXPECT_TRUE(m_messages.MessageBoxes().empty());
}

TEST_F(ReplaceControlWithDialogTest, MissingPlaceholderFailsSilently)
{
    EXPECT_FALSE(ReplaceControlWithDialog(&m_host, 4006, &m_panel, kPanelTemplate));
    EXPECT_EQ(m_panel.m_hWnd, nullptr);
    EXPECT_TRUE(m_messages.MessageBoxes().empty());
}

TEST_F(ReplaceControlWithDialogTest, FailedChildCreationIsReportedAfterThePlaceholderIsGone)
{
    const HWND placeholder = ::GetDlgItem(m_host.m_hWnd, kPlaceholder);
    EXPECT_FALSE(ReplaceControlWithDialog(&m_host, kPlaceholder, &m_panel, 9699));
    EXPECT_FALSE(IsWindow(placeholder));
    ASSERT_EQ(m_messages.MessageBoxes().size(), 1u);
    const auto& box = m_messages.MessageBoxes()[0];
    EXPECT_EQ(box.owner, m_host.m_hWnd);
    EXPECT_EQ(box.text, L"Creation of control Dialog Failed!!");
    EXPECT_EQ(box.caption, WinApplicationName());
    EXPECT_EQ(box.type, MB_OK);
}

} // namespace
