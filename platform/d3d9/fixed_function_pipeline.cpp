#include "platform/d3d9/internal/fixed_function_pipeline.h"

#include "platform/d3d9/internal/enum_mapping.h"
#include "platform/d3d9/internal/gl_lighting.h"
#include "platform/d3d9/internal/texture.h"

namespace {

bool IsOn(const DeviceState& state, D3DRENDERSTATETYPE renderState) { return state.RenderState(renderState) != FALSE; }

GLenum SourceOf(DWORD argument) { return GlCombineSource(argument).value_or(GL_PREVIOUS); }

// The combiner function and its two sources for one operation; selecting argument 2 feeds it
// as the first source.
void Combine(DWORD op, DWORD arg1, DWORD arg2, GLenum* function, std::array<GLenum, 2>* sources)
{
    *function = GlCombineFunction(op).value_or(GL_REPLACE);
    const GLenum first = SourceOf(op == D3DTOP_SELECTARG2 ? arg2 : arg1);
    *sources = {first, SourceOf(arg2)};
}

void LoadMatrix(GLenum mode, const D3DMATRIX& matrix)
{
    glMatrixMode(mode);
    glLoadMatrixf(&matrix._11);
}

} // namespace

std::optional<GlCombineSettings> CombineSettingsFor(const TextureStageSettings& stage)
{
    if (stage.colorOp == D3DTOP_DISABLE) {
        return std::nullopt;
    }
    GlCombineSettings settings;
    Combine(stage.colorOp, stage.colorArg1, stage.colorArg2, &settings.rgbFunction, &settings.rgbSources);
    if (stage.alphaOp == D3DTOP_DISABLE) {
        // Without an alpha operation the vertex (or lit) alpha passes through.
        settings.alphaFunction = GL_REPLACE;
        settings.alphaSources = {GL_PREVIOUS, GL_PREVIOUS};
    } else {
        Combine(stage.alphaOp, stage.alphaArg1, stage.alphaArg2, &settings.alphaFunction, &settings.alphaSources);
    }
    return settings;
}

void FixedFunctionPipeline::InitialiseContext()
{
    glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
    glFrontFace(GL_CW);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    glDisable(GL_COLOR_MATERIAL);
}

void FixedFunctionPipeline::Apply(DeviceState& state)
{
    ApplyRasterisation(state);
    ApplyBlending(state);
    ApplyPoints(state);
    ApplyLightModel(state);
    ApplyLightsAndTransforms(state);
    ApplyMaterial(state);
    ApplyTextureStage(state);
}

void FixedFunctionPipeline::ApplyRasterisation(const DeviceState& state)
{
    const GLenum culled = GlCulledFace(state.RenderState(D3DRS_CULLMODE)).value_or(GL_NONE);
    m_cache.Enable(GL_CULL_FACE, culled != GL_NONE);
    if (culled != GL_NONE) {
        m_cache.CullFace(culled);
    }
    m_cache.PolygonMode(GlPolygonMode(state.RenderState(D3DRS_FILLMODE)).value_or(GL_FILL));
    m_cache.ShadeModel(GlShadeModel(state.RenderState(D3DRS_SHADEMODE)).value_or(GL_SMOOTH));
    m_cache.Enable(GL_DEPTH_TEST, DepthTestEnabled(state.RenderState(D3DRS_ZENABLE)).value_or(false));
    m_cache.DepthFunction(GlCompareFunction(state.RenderState(D3DRS_ZFUNC)).value_or(GL_LEQUAL));
    m_cache.DepthMask(IsOn(state, D3DRS_ZWRITEENABLE));
}

void FixedFunctionPipeline::ApplyBlending(const DeviceState& state)
{
    m_cache.Enable(GL_BLEND, IsOn(state, D3DRS_ALPHABLENDENABLE));
    m_cache.BlendFunction(GlBlendFactor(state.RenderState(D3DRS_SRCBLEND)).value_or(GL_ONE),
                          GlBlendFactor(state.RenderState(D3DRS_DESTBLEND)).value_or(GL_ZERO));
    m_cache.BlendEquation(GlBlendEquation(state.RenderState(D3DRS_BLENDOP)).value_or(GL_FUNC_ADD));
}

void FixedFunctionPipeline::ApplyPoints(const DeviceState& state)
{
    // Vertices that carry their own size override this while they are drawn.
    m_cache.PointSize(state.RenderStateFloat(D3DRS_POINTSIZE));
    const bool sprites = IsOn(state, D3DRS_POINTSPRITEENABLE);
    m_cache.Enable(GL_POINT_SPRITE, sprites);
    m_cache.CoordinateReplace(sprites);
}

void FixedFunctionPipeline::ApplyLightModel(const DeviceState& state)
{
    m_cache.Enable(GL_LIGHTING, IsOn(state, D3DRS_LIGHTING));
    m_cache.Enable(GL_NORMALIZE, IsOn(state, D3DRS_NORMALIZENORMALS));
    m_cache.LightModelAmbient(ToGlColour(static_cast<D3DCOLOR>(state.RenderState(D3DRS_AMBIENT))));
    m_cache.LightModelLocalViewer(IsOn(state, D3DRS_LOCALVIEWER));
}

void FixedFunctionPipeline::ApplyLightsAndTransforms(DeviceState& state)
{
    const bool lightsChanged = state.TakeLightsChanged();
    const bool transformsChanged = state.TakeTransformsChanged();
    if (lightsChanged) {
        // OpenGL transforms a light by the model-view matrix current when it is specified;
        // the platform's lights are in world space, so only the view applies.
        LoadMatrix(GL_MODELVIEW, state.View());
        DWORD slot = 0;
        for (const auto& [index, light] : state.Lights()) {
            if (light.enabled) {
                SpecifyGlLight(GL_LIGHT0 + slot, ToGlLight(light.light));
                m_cache.Enable(GL_LIGHT0 + slot, true);
                ++slot;
            }
        }
        for (; slot < kMaxActiveLights; ++slot) {
            m_cache.Enable(GL_LIGHT0 + slot, false);
        }
    }
    if (lightsChanged || transformsChanged) {
        // Row-vector matrices are OpenGL's column-major ones: v * World * View is View * World here.
        LoadMatrix(GL_PROJECTION, state.Projection());
        LoadMatrix(GL_MODELVIEW, state.View());
        glMultMatrixf(&state.World()._11);
    }
}

void FixedFunctionPipeline::ApplyMaterial(DeviceState& state)
{
    const bool specular = IsOn(state, D3DRS_SPECULARENABLE);
    const bool materialChanged = state.TakeMaterialChanged();
    if (materialChanged || m_materialSpecular != specular) {
        SpecifyGlMaterial(state.Material(), specular);
        m_materialSpecular = specular;
    }
}

void FixedFunctionPipeline::ApplyTextureStage(const DeviceState& state)
{
    const Texture9* texture = state.Texture();
    const auto combine = CombineSettingsFor(state.Stage0());
    const bool textured = texture != nullptr && combine.has_value();
    m_cache.Enable(GL_TEXTURE_2D, textured);
    if (textured) {
        m_cache.BindTexture2D(texture->GlName());
        m_cache.TextureCombine(*combine);
    }
}
