// The panel templates as the window system receives them: every control inside its dialog, no
// id used twice, and the sizes and kinds the panels are made for.
#include "app/resources/panel_templates.h"
#include "ui/panel_ids.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(PanelTemplatesTest, ControlsFitTheirDialogAndNoIdIsUsedTwice)
{
    struct Case {
        DialogTemplate t;
        int cx;
        int cy;
        bool child;
    };
    for (const Case& c :
         {Case{XformInfoControlTemplate(), 151, 72, true}, Case{SceneTreeControlTemplate(), 242, 165, true},
          Case{PrimitiveControlTemplate(), 151, 94, true}, Case{LightControlTemplate(), 250, 238, false},
          Case{SceneTreeWindowTemplate(), 248, 171, false}}) {
        SCOPED_TRACE(testing::Message() << "template " << c.t.id);
        EXPECT_EQ(c.t.cx, c.cx);
        EXPECT_EQ(c.t.cy, c.cy);
        EXPECT_EQ((c.t.style & WS_CHILD) != 0, c.child);
        std::set<int> ids;
        for (const DialogControl& control : c.t.controls) {
            SCOPED_TRACE(testing::Message() << "control " << control.id);
            EXPECT_GE(control.rect.x, 0);
            EXPECT_GE(control.rect.y, 0);
            EXPECT_LE(control.rect.x + control.rect.cx, c.t.cx);
            EXPECT_LE(control.rect.y + control.rect.cy, c.t.cy);
            EXPECT_TRUE(control.id == IDC_STATIC || ids.insert(control.id).second) << "id used twice";
        }
    }
    const DialogTemplate light = LightControlTemplate();
    EXPECT_EQ(light.caption, L"Light Control");
    EXPECT_EQ(light.style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION) << "a caption bar without a system menu";
}

} // namespace
