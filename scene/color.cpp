#include "scene/color.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint32_t ClampToByte(int value) { return static_cast<std::uint32_t>(std::clamp(value, 0, 255)); }

// std::round rounds halves away from zero; the clamp happens in floating point so that huge
// values and NaN cannot overflow the conversion to int (NaN becomes 0).
std::uint32_t UnitToByte(float value)
{
    const float scaled = std::round(value * 255.0f);
    if (!(scaled > 0.0f)) {
        return 0;
    }
    return scaled >= 255.0f ? 255u : static_cast<std::uint32_t>(scaled);
}

std::uint32_t Pack(std::uint32_t red, std::uint32_t green, std::uint32_t blue, std::uint32_t alpha)
{
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

float ByteToUnit(std::uint32_t byte) { return static_cast<float>(byte & 0xFFu) / 255.0f; }

} // namespace

TQR_Color::TQR_Color(int red, int green, int blue, int alpha)
    : m_argb(Pack(ClampToByte(red), ClampToByte(green), ClampToByte(blue), ClampToByte(alpha)))
{
}

TQR_Color::TQR_Color(float red, float green, float blue, float alpha)
    : m_argb(Pack(UnitToByte(red), UnitToByte(green), UnitToByte(blue), UnitToByte(alpha)))
{
}

TQR_Color TQR_Color::FromColorRef(std::uint32_t colorRef, int alpha)
{
    return TQR_Color(static_cast<int>(colorRef & 0xFFu), static_cast<int>((colorRef >> 8) & 0xFFu),
                     static_cast<int>((colorRef >> 16) & 0xFFu), alpha);
}

float TQR_Color::GetRed() const { return ByteToUnit(m_argb >> 16); }
float TQR_Color::GetGreen() const { return ByteToUnit(m_argb >> 8); }
float TQR_Color::GetBlue() const { return ByteToUnit(m_argb); }
float TQR_Color::GetAlpha() const { return ByteToUnit(m_argb >> 24); }
