// Images painted by code, written as PNG files.
#pragma once

#include "base/result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A colour with channels from 0 to 255, kept as floats while painting.
struct Colour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;

    Colour operator*(float s) const { return {r * s, g * s, b * s}; }
};

// a at t = 0, b at t = 1.
Colour Mix(const Colour& a, const Colour& b, float t);

class RgbImage {
public:
    RgbImage(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Channels are rounded and clamped to 0..255.
    void Set(int x, int y, const Colour& colour);
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

private:
    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_bytes; // rows top to bottom, three bytes a pixel
};

// The image as PNG file contents; the same image always gives the same bytes (with one zlib).
std::vector<std::uint8_t> EncodePng(const RgbImage& image);
Result<> WritePngFile(const std::filesystem::path& path, const RgbImage& image);
