// Lights and materials of the platform turned into OpenGL's fixed-function parameters.
// Implements: point, directional and spot lights with colours and attenuation, the spot cone
// approximation, materials with power as shininess. Leaves out: the light's Range (OpenGL has
// no cut-off distance; the system's lights reach 200 units, beyond its whole scene).
#pragma once

#include "platform/d3d9/d3d9types.h"
#include "platform/d3d9/internal/gl.h"

#include <array>

using GlColour = std::array<float, 4>;

struct GlLightParameters {
    GlColour ambient{};
    GlColour diffuse{};
    GlColour specular{};
    // Homogeneous: w = 0 points towards a directional light, w = 1 is a position.
    std::array<float, 4> position{};
    std::array<float, 3> spotDirection{0.0f, 0.0f, -1.0f};
    float spotCutoffDegrees = 180.0f;
    float spotExponent = 0.0f;
    std::array<float, 3> attenuation{1.0f, 0.0f, 0.0f};
};

GlColour ToGlColour(const D3DCOLORVALUE& colour);
// 0xAARRGGBB to red, green, blue, alpha in 0..1.
GlColour ToGlColour(D3DCOLOR colour);

GlLightParameters ToGlLight(const D3DLIGHT9& light);

// The platform's spot light is full inside the inner cone (Theta), zero outside the outer cone
// (Phi) and falls off between them as ((cos a - cos(Phi/2)) / (cos(Theta/2) - cos(Phi/2)))^Falloff.
// OpenGL has one cut-off angle and (cos a)^exponent inside it. Approximation: the cut-off is the
// outer cone's half angle, and the exponent makes OpenGL's intensity midway between the two
// half angles equal to the platform's there (0.5^Falloff), clamped to OpenGL's 0..128.
float SpotExponentFor(float theta, float phi, float falloff);

// Specifies one light; the matrix current then must be the view matrix.
void SpecifyGlLight(GLenum light, const GlLightParameters& parameters);
// Material for both faces; without the specular render state there is no specular term.
void SpecifyGlMaterial(const D3DMATERIAL9& material, bool specularEnabled);
