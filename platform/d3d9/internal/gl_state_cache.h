// A thin cache over the OpenGL state the device sets: a call that would change nothing is
// dropped. One cache per context; everything that touches these states goes through it.
// Leaves out: matrices, lights and materials (the device state's change flags cover those).
#pragma once

#include "platform/d3d9/internal/gl.h"

#include <array>
#include <map>
#include <optional>

// Texture environment of unit 0 as combiner settings.
struct GlCombineSettings {
    GLenum rgbFunction = GL_MODULATE;
    std::array<GLenum, 2> rgbSources{GL_TEXTURE, GL_PREVIOUS};
    GLenum alphaFunction = GL_MODULATE;
    std::array<GLenum, 2> alphaSources{GL_TEXTURE, GL_PREVIOUS};
    bool operator==(const GlCombineSettings&) const = default;
};

struct GlViewport {
    GLint x = 0;
    GLint y = 0;
    GLsizei width = 0;
    GLsizei height = 0;
    bool operator==(const GlViewport&) const = default;
};

class GlStateCache {
public:
    void Enable(GLenum capability, bool on);
    void EnableClientState(GLenum array, bool on);
    void BlendFunction(GLenum source, GLenum destination);
    void BlendEquation(GLenum equation);
    void DepthFunction(GLenum function);
    void DepthMask(bool write);
    void PolygonMode(GLenum mode);
    void ShadeModel(GLenum model);
    void CullFace(GLenum face);
    void PointSize(float size);
    void LightModelAmbient(const std::array<float, 4>& colour);
    void LightModelLocalViewer(bool local);
    void TextureCombine(const GlCombineSettings& settings);
    void CoordinateReplace(bool replace);
    void Viewport(const GlViewport& viewport);
    void BindFramebuffer(GLuint framebuffer);
    void BindReadFramebuffer(GLuint framebuffer);
    void BindDrawFramebuffer(GLuint framebuffer);
    void BindTexture2D(GLuint texture);

    // OpenGL unbinds a deleted object; the cache follows.
    void OnFramebufferDeleted(GLuint framebuffer);
    void OnTextureDeleted(GLuint texture);

private:
    std::map<GLenum, bool> m_capabilities;
    std::map<GLenum, bool> m_clientStates;
    std::optional<std::array<GLenum, 2>> m_blendFunction;
    std::optional<GLenum> m_blendEquation;
    std::optional<GLenum> m_depthFunction;
    std::optional<bool> m_depthMask;
    std::optional<GLenum> m_polygonMode;
    std::optional<GLenum> m_shadeModel;
    std::optional<GLenum> m_cullFace;
    std::optional<float> m_pointSize;
    std::optional<std::array<float, 4>> m_lightModelAmbient;
    std::optional<bool> m_localViewer;
    std::optional<GlCombineSettings> m_combine;
    std::optional<bool> m_coordinateReplace;
    std::optional<GlViewport> m_viewport;
    std::optional<GLuint> m_readFramebuffer;
    std::optional<GLuint> m_drawFramebuffer;
    std::optional<GLuint> m_texture2D;
};
