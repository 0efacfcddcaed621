// The main window's template and the program's icon as the window system receives them.
#include "app/resources/main_dialog_ids.h"
#include "app/resources/resources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace {

TEST(MainDialogTemplateTest, ControlsFitTheDialogAndNoIdIsUsedTwice)
{
    const DialogTemplate t = MainDialogTemplate();
    EXPECT_EQ(t.id, IDD_TUTORIAL_DIALOG);
    EXPECT_EQ(t.cx, 627);
    EXPECT_EQ(t.cy, 349);
    EXPECT_NE(t.caption.find(L"Relief"), std::wstring::npos);
    EXPECT_EQ(t.style & (DS_MODALFRAME | WS_CAPTION | WS_SYSMENU), DS_MODALFRAME | WS_CAPTION | WS_SYSMENU);

    std::set<int> ids; // every control the dialog looks up has an id of its own
    for (const DialogControl& control : t.controls) {
        SCOPED_TRACE(testing::Message() << "control " << control.id << " \""
                                        << std::string(control.caption.begin(), control.caption.end()) << "\"");
        EXPECT_GE(control.rect.x, 0);
        EXPECT_GE(control.rect.y, 0);
        EXPECT_LE(control.rect.x + control.rect.cx, t.cx);
        EXPECT_LE(control.rect.y + control.rect.cy, t.cy);
        if (control.id != IDC_STATIC) {
            EXPECT_TRUE(ids.insert(control.id).second) << "id used twice";
        }
    }
}

std::uint32_t Pixel(const IconImage& image, int x, int y)
{
    return image.argb[static_cast<std::size_t>(y * image.width + x)];
}

bool IsYellow(std::uint32_t argb)
{
    return ((argb >> 16) & 0xFF) > 200 && ((argb >> 8) & 0xFF) > 150 && (argb & 0xFF) < 100;
}
bool IsGreen(std::uint32_t argb)
{
    return ((argb >> 8) & 0xFF) > ((argb >> 16) & 0xFF) + 40 && ((argb >> 8) & 0xFF) > (argb & 0xFF) + 40;
}
bool IsBlueSky(std::uint32_t argb) { return (argb & 0xFF) > ((argb >> 16) & 0xFF) + 40; }

TEST(ReliefIconTest, ShowsASunInTheSkyOverAGreenReliefAndIsOpaque)
{
    const IconImage icon = ReliefIconImage();
    ASSERT_EQ(icon.width, 32);
    ASSERT_EQ(icon.height, 32);
    ASSERT_EQ(icon.argb.size(), 32u * 32u);
    for (const std::uint32_t pixel : icon.argb) {
        ASSERT_EQ(pixel >> 24, 0xFFu) << "every pixel is opaque";
    }
    EXPECT_TRUE(IsBlueSky(Pixel(icon, 2, 2))) << "sky in the top-left corner";
    int sun = 0;
    int grass = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            sun += (y < 12 && IsYellow(Pixel(icon, x, y))) ? 1 : 0;
            grass += (y > 14 && IsGreen(Pixel(icon, x, y))) ? 1 : 0;
        }
    }
    EXPECT_GT(sun, 20) << "a sun in the upper part";
    EXPECT_GT(grass, 100) << "grass-covered relief in the lower part";
}

} // namespace
