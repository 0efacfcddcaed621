#include "scene/color.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(ColorTest, NewColorIsTransparentBlack) { EXPECT_EQ(TQR_Color().GetARGB(), 0u); }

TEST(ColorTest, IntegerChannelsAreClampedAndPackedAlphaRedGreenBlue)
{
    EXPECT_EQ(TQR_Color(0x12, 0x34, 0x56, 0x78).GetARGB(), 0x78123456u);
    EXPECT_EQ(TQR_Color(300, -4, 255, 256).GetARGB(), 0xFFFF00FFu);
}

TEST(ColorTest, FloatChannelsRoundHalfAwayFromZeroAndClamp)
{
    struct Case {
        float value;
        int byte;
    } const cases[] = {
        {0.0f, 0},
        {1.0f, 255},
        {0.5f, 128}, // 127.5 rounds up
        {0.065f, 17},
        {0.195f, 50},
        {0.13f, 33}, // the default ambient
        {0.1f, 26},
        {1.5f, 255},
        {-0.3f, 0}, // 25.5 rounds up
        {std::numeric_limits<float>::quiet_NaN(), 0},
        {std::numeric_limits<float>::infinity(), 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const TQR_Color color(c.value, c.value, c.value, c.value);
        EXPECT_EQ(color.GetRedByte(), c.byte);
        EXPECT_EQ(color.GetGreenByte(), c.byte);
        EXPECT_EQ(color.GetBlueByte(), c.byte);
        EXPECT_EQ(color.GetAlphaByte(), c.byte);
    }
}

TEST(ColorTest, ColorRefHasRedInTheLowByte)
{
    const TQR_Color color = TQR_Color::FromColorRef(0x00FF8001u, 200);
    EXPECT_EQ(color.GetARGB(), 0xC80180FFu);
    EXPECT_EQ(TQR_Color::FromColorRef(0x0000FFu, 999).GetARGB(), 0xFFFF0000u);
}

TEST(ColorTest, ChannelGettersDivideByteBy255)
{
    const TQR_Color color(51, 102, 255, 0);
    EXPECT_FLOAT_EQ(color.GetRed(), 0.2f);
    EXPECT_FLOAT_EQ(color.GetGreen(), 0.4f);
    EXPECT_FLOAT_EQ(color.GetBlue(), 1.0f);
    EXPECT_FLOAT_EQ(color.GetAlpha(), 0.0f);
}

TEST(MaterialTest, DefaultMaterialPacksTheDefaultChannels)
{
    const TQR_Material material;
    EXPECT_EQ(material.m_diffuse, TQR_Color(204, 204, 204, 204));
    EXPECT_EQ(material.m_ambient, TQR_Color(33, 17, 50, 255));
    EXPECT_EQ(material.m_specular, TQR_Color(51, 51, 51, 51));
    EXPECT_EQ(material.m_emissive, TQR_Color(26, 26, 26, 26));
    EXPECT_EQ(material.m_power, 1.0f);
}

} // namespace
