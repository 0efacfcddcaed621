// Turns a swap chain's colour buffer into the image a window shows: the whole back buffer
// scaled onto the window's client size with linear filtering, row 0 at the top, B, G, R, A
// bytes with alpha 255. Keeps a scratch framebuffer of the last client size and the pixels.
#pragma once

#include "platform/d3d9/internal/gl_framebuffer.h"

#include <cstdint>
#include <memory>
#include <vector>

class FramePresenter {
public:
    // Null when no scratch framebuffer of that size can be had.
    const std::vector<std::uint8_t>* Render(GlDriver& driver, const GlFramebuffer& source, UINT width, UINT height);

private:
    std::unique_ptr<GlFramebuffer> m_scratch;
    std::vector<std::uint8_t> m_pixels;
};
