// Flushes the recorded device state into OpenGL's fixed-function pipeline before a draw:
// rasterisation and depth states, blending, point sprites, lighting, transforms, material,
// lights and texture stage 0. Render states go through the state cache on every draw;
// transforms, lights and the material only when the device state says they changed.
#pragma once

#include "platform/d3d9/internal/device_state.h"
#include "platform/d3d9/internal/gl_state_cache.h"

#include <optional>

// Combiner settings for texture stage 0; nullopt when the stage is off (colour operation
// disabled), in which case drawing uses the vertex (or lit) colour alone.
std::optional<GlCombineSettings> CombineSettingsFor(const TextureStageSettings& stage);

class FixedFunctionPipeline {
public:
    explicit FixedFunctionPipeline(GlStateCache& cache) : m_cache(cache) {}

    // Settings that hold for the context's whole life: flat shading takes the first vertex's
    // colour as on the platform, depth runs 0..1, front faces wind clockwise, specular light is
    // added after texturing, and colour material stays off.
    void InitialiseContext();
    void Apply(DeviceState& state);

private:
    void ApplyRasterisation(const DeviceState& state);
    void ApplyBlending(const DeviceState& state);
    void ApplyPoints(const DeviceState& state);
    void ApplyLightModel(const DeviceState& state);
    void ApplyLightsAndTransforms(DeviceState& state);
    void ApplyMaterial(DeviceState& state);
    void ApplyTextureStage(const DeviceState& state);

    GlStateCache& m_cache;
    std::optional<bool> m_materialSpecular;
};
