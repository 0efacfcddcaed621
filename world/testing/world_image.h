// A frame presented into a test window: pixels in memory order B, G, R, A, row 0 at the top.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WorldPixel {
    int r = 0;
    int g = 0;
    int b = 0;
};

struct WorldImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgra;

    bool IsEmpty() const { return bgra.empty(); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // (0, 0, 0) outside the image.
    WorldPixel At(int x, int y) const;
};

// Every channel within tolerance.
bool PixelNear(const WorldPixel& actual, const WorldPixel& expected, int tolerance);

// Writes the image as an opaque PNG; false when it cannot be written.
bool SaveImagePng(const WorldImage& image, const std::string& path);
