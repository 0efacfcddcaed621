// An OpenGL compatibility-profile context on an EGL display of the Mesa surfaceless platform.
// Implements: display and context creation, capability checks, making the context current.
// Leaves out: window surfaces, pbuffers, config selection beyond "renders OpenGL", sharing
// between contexts. Drawing goes to framebuffer objects.
#pragma once

#include "base/result.h"

#include <memory>

class GlContext {
public:
    // A new context, current; or why no EGL display or OpenGL context can be had, or why the
    // context lacks what the device needs (OpenGL 3.2 and clip control).
    static Result<std::unique_ptr<GlContext>> Create();

    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;
    ~GlContext();

    // Makes the context current again if another one was made current since.
    void MakeCurrent();

private:
    GlContext(void* display, void* context) : m_display(display), m_context(context) {}

    void* m_display;
    void* m_context;
};
