// The OpenGL side of one Direct3D object: its context, the context's state cache and the
// fixed-function pipeline that flushes device state into it. Every device of the Direct3D
// object draws through it.
#pragma once

#include "platform/d3d9/internal/device_state.h"
#include "platform/d3d9/internal/fixed_function_pipeline.h"
#include "platform/d3d9/internal/gl_context.h"
#include "platform/d3d9/internal/gl_state_cache.h"

#include "base/result.h"

#include <memory>

class GlDriver {
public:
    // The driver, or why no context can be had (see GlContext::Create).
    static Result<std::unique_ptr<GlDriver>> Create();

    GlDriver(const GlDriver&) = delete;
    GlDriver& operator=(const GlDriver&) = delete;

    // Makes the context current and returns its state cache.
    GlStateCache& Use();
    // Flushes a device's state before a draw; all of it when another device drew last.
    void ApplyState(DeviceState& state);
    // A destroyed device's state must not be mistaken for a later one at the same address.
    void ForgetState(const DeviceState& state);

    GLint MaxRenderbufferSize() const { return m_maxRenderbufferSize; }
    GLint MaxTextureSize() const { return m_maxTextureSize; }

private:
    explicit GlDriver(std::unique_ptr<GlContext> context);

    std::unique_ptr<GlContext> m_context;
    GlStateCache m_cache;
    FixedFunctionPipeline m_pipeline{m_cache};
    const DeviceState* m_lastState = nullptr;
    GLint m_maxRenderbufferSize = 0;
    GLint m_maxTextureSize = 0;
};
