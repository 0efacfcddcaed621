// A framebuffer object with a colour renderbuffer and optionally a depth-stencil one (24-bit
// depth, 8-bit stencil). Deleted with the object; the driver's context is made current for it.
#pragma once

#include "base/win_types.h"
#include "platform/d3d9/internal/gl_driver.h"

#include <memory>

class GlFramebuffer {
public:
    // Null when OpenGL cannot complete it (a size beyond its limits, or out of memory).
    static std::unique_ptr<GlFramebuffer> Create(GlDriver& driver, UINT width, UINT height, GLenum colourFormat,
                                                 bool withDepthStencil);

    GlFramebuffer(const GlFramebuffer&) = delete;
    GlFramebuffer& operator=(const GlFramebuffer&) = delete;
    ~GlFramebuffer();

    GLuint Name() const { return m_framebuffer; }
    UINT Width() const { return m_width; }
    UINT Height() const { return m_height; }

private:
    GlFramebuffer(GlDriver& driver, UINT width, UINT height);
    bool Attach(GLenum colourFormat, bool withDepthStencil);

    GlDriver& m_driver;
    UINT m_width;
    UINT m_height;
    GLuint m_framebuffer = 0;
    GLuint m_colour = 0;
    GLuint m_depthStencil = 0;
};
