// Mouse drags on the two views: camera motion and status texts, driven through the handlers'
// mouse entry points with window coordinates on real (offscreen) view windows.
#include "view_dialog.h"
#include "views/mouse_handlers.h"

#include "platform/win/win_api.h"
#include "scene/status.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void ExpectNear(const TQR_Vector3& actual, const TQR_Vector3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-4f);
    EXPECT_NEAR(actual.y, expected.y, 1e-4f);
    EXPECT_NEAR(actual.z, expected.z, 1e-4f);
}

// Both views bound to their windows only (there is no device here). Points are given in device
// coordinates (y up) and sent in window coordinates, as the view window sends them.
class MouseHandlersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (auto [view, placeholder] : {std::pair<CMouseCameraHandler*, int>{&m_big, kBigViewPlaceholder},
                                         std::pair<CMouseCameraHandler*, int>{&m_small, kSmallViewPlaceholder}}) {
            ASSERT_TRUE(view->GetViewWindow().ReplaceDialogControl(m_dialog.m_hWnd, placeholder));
            ASSERT_TRUE(view->TQR_WindowHandler::AttachWindow(view->GetViewWindow().m_hWnd));
        }
    }

    static int Height(CMouseCameraHandler& view)
    {
        RECT client;
        GetClientRect(view.GetWindow(), &client);
        return client.bottom;
    }
    static void Press(CMouseCameraHandler& view, unsigned int flags, int x, int y)
    {
        view.HandleMouseButton(true, flags, x, Height(view) - y);
    }
    static void Move(CMouseCameraHandler& view, unsigned int flags, int x, int y)
    {
        view.HandleMouseMove(flags, x, Height(view) - y);
    }
    // Eye in front of the origin on -z: the right axis is +x and the up axis +y.
    static void FaceTheOrigin(CMouseCameraHandler& view, float distance)
    {
        view.GetCamera().SetPosition(0.0f, 0.0f, -distance);
    }

    StatusCapture m_status;
    ViewTestDialog m_dialog;
    CDrawAndMouseHandler m_big;
    CSVDrawAndMouseHandler m_small;
};

TEST_F(MouseHandlersTest, LeftDragRotatesOneDegreePerPixelFromThePress)
{
    Press(m_big, MK_LBUTTON, 0, 0);
    Move(m_big, MK_LBUTTON, 7, 12);
    Press(m_big, MK_LBUTTON, 100, 100);
    Move(m_big, MK_LBUTTON, 160, 40);
    Move(m_big, MK_LBUTTON, 130, 80);
    EXPECT_EQ(m_big.GetCamera().GetYaw(), 7.0f + 30.0f) << "measured from the press, not the last move";
    EXPECT_EQ(m_big.GetCamera().GetPitch(), 12.0f - 20.0f);
}

TEST_F(MouseHandlersTest, RightDragZoomsAlongTheLineToTheTargetAndPassesThroughIt)
{
    for (CMouseCameraHandler* view :
         {static_cast<CMouseCameraHandler*>(&m_big), static_cast<CMouseCameraHandler*>(&m_small)}) {
        SCOPED_TRACE(view == &m_big ? "large view" : "small view");
        FaceTheOrigin(*view, 25.0f);
        Press(*view, MK_RBUTTON, 300, 10);
        Move(*view, MK_RBUTTON, 250, 10);
        ExpectNear(view->GetCamera().GetPosition(), {0.0f, 0.0f, -20.0f});
        Move(*view, MK_RBUTTON, 0, 10);
        ExpectNear(view->GetCamera().GetPosition(), {0.0f, 0.0f, 5.0f});
        ExpectNear(view->GetCamera().GetLookAt(), {0.0f, 0.0f, 0.0f});
    }
    m_big.GetCamera().SetPosition(0.0f, 0.0f, 0.0f);
    Move(m_big, MK_RBUTTON, 80, 10);
    EXPECT_EQ(m_big.GetCamera().GetPosition(), TQR_Vector3{}) << "an eye on the target stays there";
}

TEST_F(MouseHandlersTest, SmallViewPansWithTheLeftButtonOnlyInsideItsArea)
{
    FaceTheOrigin(m_small, 10.0f);
    Press(m_small, MK_LBUTTON, 100, 100);
    struct Step {
        int x;
        int y;
        TQR_Vector3 eye;
    };
    const Step steps[] = {
        {200, 100, {10.0f, 0.0f, -10.0f}},   // inside: 100 pixels right, eye and target move left
        {341, 100, {10.0f, 0.0f, -10.0f}},   // right of the area
        {4, 100, {10.0f, 0.0f, -10.0f}},     // the left edge is outside
        {300, 4, {10.0f, 0.0f, -10.0f}},     // the bottom edge is outside
        {340, 100, {24.0f, 0.0f, -10.0f}},   // back inside: the whole travel since the last pan
        {340, 365, {24.0f, -26.5f, -10.0f}}, // the top edge is inside
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "to (" << step.x << ", " << step.y << ")");
        ShowStatus(L"before");
        Move(m_small, MK_LBUTTON, step.x, step.y);
        ExpectNear(m_small.GetCamera().GetPosition(), step.eye);
        EXPECT_EQ(m_status.Last().rfind(L"Camera Position To: (", 0), 0u) << "reported inside and outside";
    }
    ExpectNear(m_small.GetCamera().GetLookAt(), {24.0f, -26.5f, 0.0f});
}

TEST_F(MouseHandlersTest, StatusTextsFollowTheLeadingButton)
{
    enum Event { Press, Release, Move };
    struct Row {
        CMouseCameraHandler* view;
        Event event;
        unsigned int flags;
        const wchar_t* text;
    };
    CMouseCameraHandler* big = &m_big;
    CMouseCameraHandler* small = &m_small;
    const unsigned int all = MK_LBUTTON | MK_MBUTTON | MK_RBUTTON;
    const unsigned int middleRight = MK_MBUTTON | MK_RBUTTON;
    const Row rows[] = {
        {big, Press, all, L"Begin Camera Rotation: (12 -3)"},
        {big, Press, middleRight, L"Begin Camera Tracking: (12 -3)"},
        {big, Press, MK_RBUTTON | MK_SHIFT, L"Begin Camera Zooming: (12)"},
        {big, Release, MK_LBUTTON, L""},
        {big, Move, all, L"Camera Rotation To: (12 -3)"},
        {big, Move, middleRight, L"Camera Tracking To: (12 -3)"},
        {big, Move, MK_RBUTTON, L"Camera Zoom: (12)"},
        {big, Move, 0, L""},
        {small, Press, all, L"Begin Camera Track: (0.500000 10.000000 -25.000000 12 -3)"},
        {small, Press, middleRight, L"Begin Camera Tracking: (0.500000 10.000000 -25.000000 12 -3)"},
        {small, Press, MK_RBUTTON, L"Begin Camera Zooming: (0.500000 12)"},
        {small, Release, MK_RBUTTON, L""},
        {small, Move, all, L"Camera Position To: (0.500000 10.000000 -25.000000 12 -3)"},
        {small, Move, middleRight, L"Camera Tracking To: (0.500000 10.000000 -25.000000 12 -3)"},
        {small, Move, MK_RBUTTON, L"Camera Zoom: (0.500000 12)"},
        {small, Move, MK_SHIFT, L"Pointer Position: (12 -3)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << (row.view == big ? "large" : "small") << " view, event " << row.event
                                        << ", flags " << row.flags);
        row.view->GetCamera().SetPosition(0.5f, 10.0f, -25.0f);
        ShowStatus(L"before");
        const int y = Height(*row.view) + 3;
        if (row.event == Move) {
            row.view->HandleMouseMove(row.flags, 12, y);
        } else {
            row.view->HandleMouseButton(row.event == Press, row.flags, 12, y);
        }
        EXPECT_EQ(m_status.Last(), row.text);
    }
}

TEST_F(MouseHandlersTest, SmallViewTextsShowThePositionFromBeforeTheEvent)
{
    Press(m_small, MK_MBUTTON, 100, 100);
    Move(m_small, MK_MBUTTON, 110, 100);
    EXPECT_EQ(m_status.Last(), L"Camera Tracking To: (0.000000 10.000000 -25.000000 110 100)");
    Move(m_small, MK_MBUTTON, 120, 100);
    EXPECT_EQ(m_status.Last(), L"Camera Tracking To: (1.000000 10.000000 -25.000000 120 100)");
}

// Records what reaches it, in device coordinates.
class RecordingTool : public IViewTool {
public:
    std::wstring Press(TQR_WindowHandler&, int x, int y) override { return Note(L"press", x, y); }
    std::wstring Drag(TQR_WindowHandler&, int x, int y) override { return Note(L"drag", x, y); }
    std::wstring Release(TQR_WindowHandler&, int x, int y) override { return Note(L"release", x, y); }
    void Hover(TQR_WindowHandler&, int x, int y) override { Note(L"hover", x, y); }

    std::wstring log;

private:
    std::wstring Note(const wchar_t* what, int x, int y)
    {
        log += std::wstring(what) + L" " + std::to_wstring(x) + L" " + std::to_wstring(y) + L"; ";
        return what;
    }
};

TEST_F(MouseHandlersTest, AToolTakesTheLeftButtonAndLeavesTheOthersToTheCamera)
{
    enum Kind { Down, Up, Moving };
    struct Event {
        Kind kind;
        unsigned int flags;
        int x;
        int y;
    };
    const struct {
        std::string name;
        std::vector<Event> events;
        std::wstring log;
        TQR_Vector3 eye; // after the events, from (0, 0, -25)
    } cases[] = {
        {"left stroke",
         {{Down, MK_LBUTTON, 10, 10}, {Moving, MK_LBUTTON, 20, 30}, {Up, MK_LBUTTON, 20, 30}},
         L"press 10 10; drag 20 30; release 20 30; ",
         {0.0f, 0.0f, -25.0f}},
        {"right zoom", {{Down, MK_RBUTTON, 300, 10}, {Moving, MK_RBUTTON, 250, 10}}, L"", {0.0f, 0.0f, -20.0f}},
        {"hover", {{Moving, 0, 5, 6}}, L"hover 5 6; ", {0.0f, 0.0f, -25.0f}},
        {"right press during a stroke, zooming from the stroke's end",
         {{Down, MK_LBUTTON, 1, 1},
          {Down, MK_LBUTTON | MK_RBUTTON, 1, 1},
          {Moving, MK_LBUTTON | MK_RBUTTON, 90, 1},
          {Up, MK_LBUTTON | MK_RBUTTON, 90, 1},
          {Moving, MK_RBUTTON, 40, 1}},
         L"press 1 1; drag 90 1; release 90 1; ",
         {0.0f, 0.0f, -20.0f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingTool tool;
        m_big.SetTool(&tool);
        FaceTheOrigin(m_big, 25.0f);
        for (const Event& event : c.events) {
            if (event.kind == Moving) {
                Move(m_big, event.flags, event.x, event.y);
            } else {
                m_big.HandleMouseButton(event.kind == Down, event.flags, event.x, Height(m_big) - event.y);
            }
        }
        EXPECT_EQ(tool.log, c.log);
        ExpectNear(m_big.GetCamera().GetPosition(), c.eye);
        EXPECT_EQ(m_big.GetCamera().GetYaw(), 0.0f) << "the left button never turned the camera";
        m_big.SetTool(nullptr);
    }
    Press(m_big, MK_LBUTTON, 0, 0);
    Move(m_big, MK_LBUTTON, 7, 0);
    EXPECT_EQ(m_big.GetCamera().GetYaw(), 7.0f) << "without a tool the left button turns the camera again";
}

TEST_F(MouseHandlersTest, EventsWithoutALiveWindowAreIgnored)
{
    CDrawAndMouseHandler detached;
    detached.HandleMouseButton(true, MK_RBUTTON, 10, 10);
    detached.HandleMouseMove(MK_RBUTTON, 90, 10);
    EXPECT_TRUE(m_status.Texts().empty());
    EXPECT_EQ(detached.GetCamera().GetPosition(), (TQR_Vector3{0.0f, 10.0f, -25.0f}));
}

} // namespace
