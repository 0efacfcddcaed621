// The editor without a graphics device, and its command line.
#include "app/resources/main_dialog_ids.h"
#include "app/run_options.h"
#include "editor_fixture.h"
#include "graphics/graphics_system.h"
#include "platform/win/win_api.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class NoDeviceGuard {
public:
    NoDeviceGuard()
    {
        GetGraphicsSystem()->SetDirect3DFactory([](UINT) -> IDirect3D9* { return nullptr; });
    }
    ~NoDeviceGuard() { GetGraphicsSystem()->SetDirect3DFactory({}); }
};

TEST(EditorWithoutDeviceTest, StaysOpenWithItsControlsSetButNoViewsStatusOrTimer)
{
    const NoDeviceGuard noDevice;
    EditorDriver editor;
    ASSERT_TRUE(editor.IsOpen());
    EXPECT_FALSE(editor.Tick()) << "no frame timer";
    EXPECT_EQ(editor.Status(), L"");
    EXPECT_EQ(editor.Text(IDC_SMALL_VIEW), L"Small View PlaceHolder") << "the placeholder stays";
    EXPECT_EQ(editor.Dialog().BigView().GetViewWindow().GetSafeHwnd(), nullptr);
    EXPECT_EQ(editor.Dialog().GetCheckedRadioButton(IDC_FLY_LEFT, IDC_FLY_STRAIGHT), IDC_FLY_LEFT);
    EXPECT_FLOAT_EQ(editor.SliderValue(IDC_SPEED_SLIDER, 0.2f, 1.0f), 0.4f) << "the sliders are set up first";
    EXPECT_FLOAT_EQ(editor.SliderValue(IDC_ROW_SLIDER, 0, 62), 62.0f);

    editor.Click(IDC_GENERATE); // commands still reach the world; nothing shows them
    EXPECT_EQ(editor.Status(), L"");
}

TEST(RunOptionsTest, AcceptsAFileTheRecoveryChoiceAndTheUnattendedOptionsAndRejectsAnythingElse)
{
    struct Case {
        std::vector<const char*> arguments;
        bool accepted;
        int quitAfterMs;
        std::string screenshot;
        std::string file = "";
        std::string recovery = "";
    };
    const Case cases[] = {
        {{}, true, -1, ""},
        {{"--quit-after", "3000"}, true, 3000, ""},
        {{"--quit-after", "500", "--screenshot", "/tmp/shot.png"}, true, 500, "/tmp/shot.png"},
        {{"--screenshot", "/tmp/shot.png"}, false, -1, ""},
        {{"--quit-after"}, false, -1, ""},
        {{"--quit-after", "-5"}, false, -1, ""},
        {{"--quit-after", "12ms"}, false, -1, ""},
        {{"--fullscreen"}, false, -1, ""},
        {{"heights.txt"}, true, -1, "", "heights.txt"},
        {{"--quit-after", "10", "/tmp/h.txt"}, true, 10, "", "/tmp/h.txt"},
        {{"a.txt", "b.txt"}, false, -1, ""},
        {{"--recovery", "restore"}, true, -1, "", "", "restore"},
        {{"--recovery", "discard", "h.txt"}, true, -1, "", "h.txt", "discard"},
        {{"--recovery", "maybe"}, false, -1, ""},
        {{"--recovery"}, false, -1, ""},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv{"relief"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        std::string trace;
        for (const char* argument : c.arguments) {
            trace += std::string(argument) + " ";
        }
        SCOPED_TRACE(trace);
        const Result<CRunOptions> options = ParseRunOptions(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(options.ok(), c.accepted);
        EXPECT_EQ(options.reason().empty(), c.accepted);
        if (options) {
            EXPECT_EQ(options.value().quitAfterMs, c.quitAfterMs);
            EXPECT_EQ(options.value().screenshotPath, c.screenshot);
            EXPECT_EQ(options.value().file, c.file);
            EXPECT_EQ(options.value().recovery, c.recovery);
        }
    }
}

} // namespace
