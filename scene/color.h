// Colours packed in one 32-bit word and the material record built from them.
#pragma once

#include <cstdint>

// A colour packed as the 3D device stores vertex colours: alpha in the top byte, then red,
// green, blue. A new colour is 0 (transparent black).
class TQR_Color {
public:
    TQR_Color() = default;
    // Each channel clamped to 0..255.
    TQR_Color(int red, int green, int blue, int alpha);
    // Each channel multiplied by 255, rounded half away from zero and clamped to 0..255.
    TQR_Color(float red, float green, float blue, float alpha);

    // From a Windows colour reference (red in the low byte, then green, then blue) plus an alpha
    // (clamped to 0..255).
    static TQR_Color FromColorRef(std::uint32_t colorRef, int alpha);

    std::uint32_t GetARGB() const { return m_argb; }

    // Channels as byte / 255.
    float GetRed() const;
    float GetGreen() const;
    float GetBlue() const;
    float GetAlpha() const;

    int GetRedByte() const { return static_cast<int>((m_argb >> 16) & 0xFFu); }
    int GetGreenByte() const { return static_cast<int>((m_argb >> 8) & 0xFFu); }
    int GetBlueByte() const { return static_cast<int>(m_argb & 0xFFu); }
    int GetAlphaByte() const { return static_cast<int>(m_argb >> 24); }

    bool operator==(const TQR_Color&) const = default;

private:
    std::uint32_t m_argb = 0;
};

// Material of lit drawing. A new material is the default material that primitives and the draw
// helper start with.
struct TQR_Material {
    TQR_Color m_diffuse{0.8f, 0.8f, 0.8f, 0.8f};
    TQR_Color m_ambient{0.13f, 0.065f, 0.195f, 1.0f};
    TQR_Color m_specular{0.2f, 0.2f, 0.2f, 0.2f};
    TQR_Color m_emissive{0.1f, 0.1f, 0.1f, 0.1f};
    float m_power = 1.0f;

    bool operator==(const TQR_Material&) const = default;
};
