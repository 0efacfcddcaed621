#include "platform/d3d9/internal/gl_state_cache.h"

namespace {

// Records value in slot; true when it differs from what was recorded (or nothing was).
template <typename T> bool Update(std::optional<T>& slot, const T& value)
{
    if (slot == value) {
        return false;
    }
    slot = value;
    return true;
}

bool Update(std::map<GLenum, bool>& slots, GLenum key, bool value)
{
    const auto found = slots.find(key);
    if (found != slots.end() && found->second == value) {
        return false;
    }
    slots[key] = value;
    return true;
}

} // namespace

void GlStateCache::Enable(GLenum capability, bool on)
{
    if (Update(m_capabilities, capability, on)) {
        on ? glEnable(capability) : glDisable(capability);
    }
}

void GlStateCache::EnableClientState(GLenum array, bool on)
{
    if (Update(m_clientStates, array, on)) {
        on ? glEnableClientState(array) : glDisableClientState(array);
    }
}

void GlStateCache::BlendFunction(GLenum source, GLenum destination)
{
    if (Update(m_blendFunction, std::array<GLenum, 2>{source, destination})) {
        glBlendFunc(source, destination);
    }
}

void GlStateCache::BlendEquation(GLenum equation)
{
    if (Update(m_blendEquation, equation)) {
        glBlendEquation(equation);
    }
}

void GlStateCache::DepthFunction(GLenum function)
{
    if (Update(m_depthFunction, function)) {
        glDepthFunc(function);
    }
}

void GlStateCache::DepthMask(bool write)
{
    if (Update(m_depthMask, write)) {
        glDepthMask(write ? GL_TRUE : GL_FALSE);
    }
}

void GlStateCache::PolygonMode(GLenum mode)
{
    if (Update(m_polygonMode, mode)) {
        glPolygonMode(GL_FRONT_AND_BACK, mode);
    }
}

void GlStateCache::ShadeModel(GLenum model)
{
    if (Update(m_shadeModel, model)) {
        glShadeModel(model);
    }
}

void GlStateCache::CullFace(GLenum face)
{
    if (Update(m_cullFace, face)) {
        glCullFace(face);
    }
}

void GlStateCache::PointSize(float size)
{
    if (Update(m_pointSize, size)) {
        glPointSize(size);
    }
}

void GlStateCache::LightModelAmbient(const std::array<float, 4>& colour)
{
    if (Update(m_lightModelAmbient, colour)) {
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, colour.data());
    }
}

void GlStateCache::LightModelLocalViewer(bool local)
{
    if (Update(m_localViewer, local)) {
        glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, local ? GL_TRUE : GL_FALSE);
    }
}

void GlStateCache::TextureCombine(const GlCombineSettings& settings)
{
    if (!Update(m_combine, settings)) {
        return;
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, static_cast<GLint>(settings.rgbFunction));
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_RGB, static_cast<GLint>(settings.rgbSources[0]));
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC1_RGB, static_cast<GLint>(settings.rgbSources[1]));
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, static_cast<GLint>(settings.alphaFunction));
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_ALPHA, static_cast<GLint>(settings.alphaSources[0]));
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC1_ALPHA, static_cast<GLint>(settings.alphaSources[1]));
}

void GlStateCache::CoordinateReplace(bool replace)
{
    if (Update(m_coordinateReplace, replace)) {
        glTexEnvi(GL_POINT_SPRITE, GL_COORD_REPLACE, replace ? GL_TRUE : GL_FALSE);
    }
}

void GlStateCache::Viewport(const GlViewport& viewport)
{
    if (Update(m_viewport, viewport)) {
        glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    }
}

void GlStateCache::BindFramebuffer(GLuint framebuffer)
{
    if (m_readFramebuffer == framebuffer && m_drawFramebuffer == framebuffer) {
        return;
    }
    m_readFramebuffer = framebuffer;
    m_drawFramebuffer = framebuffer;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void GlStateCache::BindReadFramebuffer(GLuint framebuffer)
{
    if (Update(m_readFramebuffer, framebuffer)) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    }
}

void GlStateCache::BindDrawFramebuffer(GLuint framebuffer)
{
    if (Update(m_drawFramebuffer, framebuffer)) {
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    }
}

void GlStateCache::BindTexture2D(GLuint texture)
{
    if (Update(m_texture2D, texture)) {
        glBindTexture(GL_TEXTURE_2D, texture);
    }
}

void GlStateCache::OnFramebufferDeleted(GLuint framebuffer)
{
    if (m_readFramebuffer == framebuffer) {
        m_readFramebuffer = 0u;
    }
    if (m_drawFramebuffer == framebuffer) {
        m_drawFramebuffer = 0u;
    }
}

void GlStateCache::OnTextureDeleted(GLuint texture)
{
    if (m_texture2D == texture) {
        m_texture2D = 0u;
    }
}
