#include "platform/d3d9/internal/gl_driver.h"

Result<std::unique_ptr<GlDriver>> GlDriver::Create()
{
    Result<std::unique_ptr<GlContext>> context = GlContext::Create();
    if (!context) {
        return Failure{context.reason()};
    }
    return std::unique_ptr<GlDriver>(new GlDriver(std::move(context).value()));
}

GlDriver::GlDriver(std::unique_ptr<GlContext> context) : m_context(std::move(context))
{
    m_pipeline.InitialiseContext();
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &m_maxRenderbufferSize);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &m_maxTextureSize);
}

GlStateCache& GlDriver::Use()
{
    m_context->MakeCurrent();
    return m_cache;
}

void GlDriver::ApplyState(DeviceState& state)
{
    m_context->MakeCurrent();
    if (m_lastState != &state) {
        state.MarkAllChanged();
        m_lastState = &state;
    }
    m_pipeline.Apply(state);
}

void GlDriver::ForgetState(const DeviceState& state)
{
    if (m_lastState == &state) {
        m_lastState = nullptr;
    }
}
