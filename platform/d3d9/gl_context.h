// An OpenGL compatibility-profile context on an EGL display of the Mesa surfaceless platform.
// Implements: display and context creation, capability checks, making the context current.
// Leaves out: window surfaces, pbuffers, config selection beyond "renders OpenGL", sharing
// between contexts. Drawing goes to framebuffer objects.
#pragma once

#include <memory>
#include <string>

class GlContext {
public:
    // Null, with the reason in *failure, when no EGL display or OpenGL context can be had, or
    // when the context lacks what the device needs (OpenGL 3.2 and clip control). A new
    // context is current.
    static std::unique_ptr<GlContext> Create(std::string* failure);

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
