#include "platform/d3d9/internal/gl_context.h"

#include "platform/d3d9/internal/gl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstring>

namespace {

bool HasExtension(const char* list, const char* name)
{
    if (list == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(name);
    for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + 1, name)) {
        const bool startsWord = at == list || at[-1] == ' ';
        const bool endsWord = at[length] == '\0' || at[length] == ' ';
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}

bool HasGlExtension(const char* name)
{
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const auto* extension = reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i)));
        if (extension != nullptr && std::strcmp(extension, name) == 0) {
            return true;
        }
    }
    return false;
}

Result<EGLDisplay> OpenSurfacelessDisplay()
{
    if (!HasExtension(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS), "EGL_MESA_platform_surfaceless")) {
        return Failure{"EGL has no Mesa surfaceless platform"};
    }
    const auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) {
        return Failure{"EGL has no eglGetPlatformDisplayEXT"};
    }
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || eglInitialize(display, nullptr, nullptr) != EGL_TRUE) {
        return Failure{"the EGL surfaceless display cannot be initialised"};
    }
    if (!HasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_surfaceless_context")) {
        return Failure{"the EGL display cannot make a context current without a surface"};
    }
    return display;
}

Result<EGLContext> CreateCompatibilityContext(EGLDisplay display)
{
    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SURFACE_TYPE, 0, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE ||
        eglChooseConfig(display, configAttributes, &config, 1, &configCount) != EGL_TRUE || configCount < 1) {
        return Failure{"the EGL display offers no configuration that renders desktop OpenGL"};
    }
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                        EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) {
        return Failure{"no OpenGL compatibility-profile context can be created"};
    }
    return context;
}

// Clip control maps the platform's 0..1 depth range without touching the projection.
Result<> CheckRequiredFeatures()
{
    GLint major = 0;
    GLint minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    const int version = major * 10 + minor;
    if (version < 32) {
        return Failure{"the OpenGL context is older than 3.2"};
    }
    if (version < 45 && !HasGlExtension("GL_ARB_clip_control")) {
        return Failure{"the OpenGL context has no clip control"};
    }
    return {};
}

} // namespace

Result<std::unique_ptr<GlContext>> GlContext::Create()
{
    // The display stays initialised for the rest of the process: terminating it would pull
    // it from under every other context made on it.
    const Result<EGLDisplay> display = OpenSurfacelessDisplay();
    if (!display) {
        return Failure{display.reason()};
    }
    const Result<EGLContext> context = CreateCompatibilityContext(display.value());
    if (!context) {
        return Failure{context.reason()};
    }
    if (eglMakeCurrent(display.value(), EGL_NO_SURFACE, EGL_NO_SURFACE, context.value()) != EGL_TRUE) {
        eglDestroyContext(display.value(), context.value());
        return Failure{"the OpenGL context cannot be made current"};
    }
    std::unique_ptr<GlContext> created(new GlContext(display.value(), context.value()));
    if (const Result<> features = CheckRequiredFeatures(); !features) {
        return Failure{features.reason()};
    }
    return created;
}

GlContext::~GlContext()
{
    if (eglGetCurrentContext() == m_context) {
        eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
    eglDestroyContext(m_display, m_context);
}

void GlContext::MakeCurrent()
{
    if (eglGetCurrentContext() != m_context) {
        eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, m_context);
    }
}
