// Window handles over widgets: lifetime, geometry, visibility, mouse input, capture and timers.
#include "platform/win/cwnd.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/timer_source.h"
#include "platform/win/win_api.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class RecordingWnd : public CWnd {
public:
    explicit RecordingWnd(std::vector<std::pair<HWND, UINT>>* shared = nullptr) : m_shared(shared) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back({message, wParam, lParam});
        if (m_shared) {
            m_shared->push_back({m_hWnd, message});
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<Message> Received(UINT message) const
    {
        std::vector<Message> found;
        for (const Message& m : messages) {
            if (m.message == message) {
                found.push_back(m);
            }
        }
        return found;
    }

    std::vector<Message> messages;

private:
    std::vector<std::pair<HWND, UINT>>* m_shared;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_top.CreateEx(0, nullptr, L"Top", WS_POPUP | WS_VISIBLE, CRect(100, 100, 400, 300), nullptr, 0));
        ASSERT_TRUE(m_child.Create(nullptr, nullptr, WS_VISIBLE | WS_BORDER, CRect(10, 20, 110, 70), &m_top, 5));
    }

    RecordingWnd m_top;
    RecordingWnd m_child;
};

TEST_F(WindowTest, DestroyingAWindowDestroysItsChildrenParentFirstAndKillsTheirHandles)
{
    std::vector<std::pair<HWND, UINT>> order;
    RecordingWnd top(&order);
    RecordingWnd child(&order);
    ASSERT_TRUE(top.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 10, 10), &top, 1));
    const HWND topHandle = top.m_hWnd;
    const HWND childHandle = child.m_hWnd;
    order.clear();

    ASSERT_TRUE(top.DestroyWindow());
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{topHandle, WM_DESTROY}, {childHandle, WM_DESTROY}}));
    EXPECT_FALSE(IsWindow(topHandle));
    EXPECT_FALSE(IsWindow(childHandle));
    EXPECT_EQ(top.m_hWnd, nullptr);
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(childHandle), nullptr);
    EXPECT_FALSE(DestroyWindow(topHandle)) << "a dead handle stays dead";
}

TEST_F(WindowTest, HandleDiesWithAWidgetThatQtDeletes)
{
    const HWND child = m_child.m_hWnd;
    delete WidgetOfWindow(child);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(m_child.m_hWnd, nullptr);
    EXPECT_EQ(GetDlgItem(m_top.m_hWnd, 5), nullptr);
}

TEST_F(WindowTest, ControlsAreFoundByIdAndKnowTheirParent)
{
    EXPECT_EQ(GetDlgItem(m_top.m_hWnd, 5), m_child.m_hWnd);
    EXPECT_EQ(m_top.GetDlgItem(5), &m_child);
    EXPECT_EQ(GetDlgItem(m_top.m_hWnd, 6), nullptr);
    EXPECT_EQ(m_child.GetDlgCtrlID(), 5);
    EXPECT_EQ(m_child.GetParent(), &m_top);
    EXPECT_EQ(GetParent(m_top.m_hWnd), nullptr);
}

TEST_F(WindowTest, BorderSeparatesTheWindowRectangleFromTheClientArea)
{
    CRect window;
    m_child.GetWindowRect(&window);
    EXPECT_EQ(window.Width(), 100);
    EXPECT_EQ(window.Height(), 50);
    CRect client;
    m_child.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 98, 48));

    m_top.ScreenToClient(&window);
    EXPECT_EQ(window, CRect(10, 20, 110, 70)) << "placed in the parent's client coordinates";
    CPoint corner(window.left, window.top);
    m_top.ClientToScreen(&corner);
    m_child.ScreenToClient(&corner);
    EXPECT_EQ(corner, CPoint(-1, -1)) << "the client area starts inside the border";

    m_child.MoveWindow(30, 40, 60, 20);
    m_child.GetWindowRect(&window);
    m_top.ScreenToClient(&window);
    EXPECT_EQ(window, CRect(30, 40, 90, 60));
}

TEST_F(WindowTest, ShowWindowReportsThePreviousStateAndAnnouncesOnlyChanges)
{
    EXPECT_TRUE(m_child.ShowWindow(SW_HIDE));
    EXPECT_FALSE(m_child.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(m_child.ShowWindow(SW_HIDE));
    EXPECT_FALSE(m_child.ShowWindow(SW_SHOWDEFAULT));
    EXPECT_TRUE(m_child.IsWindowVisible());
    EXPECT_TRUE(m_child.ShowWindow(SW_SHOW));
    const std::vector<Message> shows = m_child.Received(WM_SHOWWINDOW);
    ASSERT_EQ(shows.size(), 2u);
    EXPECT_EQ(shows[0].wParam, static_cast<WPARAM>(FALSE));
    EXPECT_EQ(shows[1].wParam, static_cast<WPARAM>(TRUE));

    EXPECT_FALSE(m_child.EnableWindow(FALSE));
    EXPECT_TRUE(m_child.GetStyle() & WS_DISABLED);
    EXPECT_TRUE(m_child.EnableWindow(TRUE));
    EXPECT_TRUE(m_child.IsWindowEnabled());
}

TEST_F(WindowTest, MouseMessagesCarryClientCoordinatesAndTheButtonsHeld)
{
    QWidget* widget = WidgetOfWindow(m_child.m_hWnd);
    QTest::mousePress(widget, Qt::LeftButton, Qt::ShiftModifier, QPoint(11, 21));
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, QPoint(31, 6));
    QTest::mouseClick(widget, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));

    struct Expected {
        UINT message;
        UINT flags;
        int x;
        int y;
    };
    const std::vector<Expected> expected = {
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 10, 20},
        {WM_LBUTTONUP, 0, 30, 5},
        {WM_RBUTTONDOWN, MK_RBUTTON, 4, 4},
        {WM_RBUTTONUP, 0, 4, 4},
    };
    std::vector<Message> buttons;
    for (const Message& m : m_child.messages) {
        if (m.message >= WM_LBUTTONDOWN && m.message <= WM_MBUTTONDBLCLK) {
            buttons.push_back(m);
        }
    }
    ASSERT_EQ(buttons.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(buttons[i].message, expected[i].message);
        EXPECT_EQ(buttons[i].wParam, expected[i].flags);
        EXPECT_EQ(GET_X_LPARAM(buttons[i].lParam), expected[i].x);
        EXPECT_EQ(GET_Y_LPARAM(buttons[i].lParam), expected[i].y);
    }
}

TEST_F(WindowTest, DoubleClickIsASecondPressUnlessTheClassAsksForDoubleClicks)
{
    RecordingWnd plain;
    RecordingWnd doubleClicks;
    ASSERT_TRUE(plain.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 40, 40), &m_top, 7));
    ASSERT_TRUE(
        doubleClicks.Create(AfxRegisterWndClass(CS_DBLCLKS), nullptr, WS_VISIBLE, CRect(50, 0, 90, 40), &m_top, 8));
    for (const CWnd* window : {static_cast<CWnd*>(&plain), static_cast<CWnd*>(&doubleClicks)}) {
        QTest::mouseClick(WidgetOfWindow(window->m_hWnd), Qt::LeftButton);
        QTest::mouseDClick(WidgetOfWindow(window->m_hWnd), Qt::LeftButton);
    }
    EXPECT_TRUE(plain.Received(WM_LBUTTONDBLCLK).empty());
    EXPECT_EQ(plain.Received(WM_LBUTTONDOWN).size(), 2u);
    EXPECT_EQ(doubleClicks.Received(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(doubleClicks.Received(WM_LBUTTONDBLCLK).size(), 1u);
}

TEST_F(WindowTest, CaptureIsHeldUntilReleasedOrTheWindowGoes)
{
    EXPECT_EQ(SetCapture(m_child.m_hWnd), nullptr);
    EXPECT_EQ(m_top.SetCapture(), &m_child) << "SetCapture returns the previous holder";
    EXPECT_EQ(GetCapture(), m_top.m_hWnd);
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    SetCapture(m_child.m_hWnd);
    m_child.DestroyWindow();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WindowTest, TimerDeliversToTheWindowUntilKilledOrDestroyed)
{
    ManualTimerSource timers;
    EXPECT_EQ(m_top.SetTimer(3, 25), 3u);
    EXPECT_EQ(timers.Interval(m_top.m_hWnd, 3), 25u);
    EXPECT_TRUE(timers.Fire(m_top.m_hWnd, 3));
    EXPECT_TRUE(timers.Fire(m_top.m_hWnd, 3));
    const std::vector<Message> ticks = m_top.Received(WM_TIMER);
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(ticks[0].wParam, 3u);

    EXPECT_TRUE(m_top.KillTimer(3));
    EXPECT_FALSE(timers.Fire(m_top.m_hWnd, 3));
    EXPECT_FALSE(m_top.KillTimer(3));

    EXPECT_NE(m_top.SetTimer(0, 25), 0u) << "timer 0 succeeds with a nonzero result";
    EXPECT_TRUE(timers.Fire(m_top.m_hWnd, 0));
    m_top.SetTimer(4, 10);
    const HWND top = m_top.m_hWnd;
    m_top.DestroyWindow();
    EXPECT_FALSE(timers.IsRunning(top, 4));
    EXPECT_FALSE(timers.IsRunning(top, 0));
    EXPECT_EQ(SetTimer(top, 5, 10, nullptr), 0u) << "a dead window gets no timer";
}

TEST_F(WindowTest, QtTimerSourceDeliversFromTheEventLoop)
{
    ASSERT_NE(WinTimerSource(), nullptr);
    m_top.SetTimer(1, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_top.Received(WM_TIMER).empty(); }));
    m_top.KillTimer(1);
}

} // namespace
