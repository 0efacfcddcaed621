#include "platform/d3d9/internal/gl_framebuffer.h"

namespace {

GLuint CreateRenderbuffer(GLenum format, UINT width, UINT height)
{
    GLuint renderbuffer = 0;
    glGenRenderbuffers(1, &renderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, format, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    return renderbuffer;
}

} // namespace

std::unique_ptr<GlFramebuffer> GlFramebuffer::Create(GlDriver& driver, UINT width, UINT height, GLenum colourFormat,
                                                     bool withDepthStencil)
{
    const auto limit = static_cast<UINT>(driver.MaxRenderbufferSize());
    if (width == 0 || height == 0 || width > limit || height > limit) {
        return nullptr;
    }
    std::unique_ptr<GlFramebuffer> framebuffer(new GlFramebuffer(driver, width, height));
    if (!framebuffer->Attach(colourFormat, withDepthStencil)) {
        return nullptr;
    }
    return framebuffer;
}

GlFramebuffer::GlFramebuffer(GlDriver& driver, UINT width, UINT height)
    : m_driver(driver), m_width(width), m_height(height)
{
}

bool GlFramebuffer::Attach(GLenum colourFormat, bool withDepthStencil)
{
    GlStateCache& cache = m_driver.Use();
    while (glGetError() != GL_NO_ERROR) {
    }
    glGenFramebuffers(1, &m_framebuffer);
    cache.BindFramebuffer(m_framebuffer);
    m_colour = CreateRenderbuffer(colourFormat, m_width, m_height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_colour);
    if (withDepthStencil) {
        m_depthStencil = CreateRenderbuffer(GL_DEPTH24_STENCIL8, m_width, m_height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, m_depthStencil);
    }
    return glGetError() == GL_NO_ERROR && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

GlFramebuffer::~GlFramebuffer()
{
    GlStateCache& cache = m_driver.Use();
    glDeleteFramebuffers(1, &m_framebuffer);
    cache.OnFramebufferDeleted(m_framebuffer);
    glDeleteRenderbuffers(1, &m_colour);
    if (m_depthStencil != 0) {
        glDeleteRenderbuffers(1, &m_depthStencil);
    }
}
