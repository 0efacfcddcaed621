#include "platform/d3d9/internal/gl_lighting.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr float kMaxGlExponent = 128.0f;
constexpr float kMaxGlCutoffDegrees = 90.0f;

float ToDegrees(float radians) { return radians * 180.0f / std::numbers::pi_v<float>; }

} // namespace

GlColour ToGlColour(const D3DCOLORVALUE& colour) { return {colour.r, colour.g, colour.b, colour.a}; }

GlColour ToGlColour(D3DCOLOR colour)
{
    const auto channel = [colour](int shift) { return static_cast<float>((colour >> shift) & 0xFFu) / 255.0f; };
    return {channel(16), channel(8), channel(0), channel(24)};
}

float SpotExponentFor(float theta, float phi, float falloff)
{
    const float cosMiddle = std::cos((theta + phi) / 4.0f);
    if (falloff <= 0.0f || cosMiddle >= 1.0f) {
        return 0.0f;
    }
    if (cosMiddle <= 0.0f) {
        return kMaxGlExponent;
    }
    const float exponent = falloff * std::log(0.5f) / std::log(cosMiddle);
    return std::clamp(exponent, 0.0f, kMaxGlExponent);
}

GlLightParameters ToGlLight(const D3DLIGHT9& light)
{
    GlLightParameters parameters;
    parameters.ambient = ToGlColour(light.Ambient);
    parameters.diffuse = ToGlColour(light.Diffuse);
    parameters.specular = ToGlColour(light.Specular);
    parameters.attenuation = {light.Attenuation0, light.Attenuation1, light.Attenuation2};
    const D3DVECTOR& d = light.Direction;
    const D3DVECTOR& p = light.Position;
    switch (light.Type) {
    case D3DLIGHT_DIRECTIONAL:
        // OpenGL points towards the light; the platform gives the direction the light travels.
        parameters.position = {-d.x, -d.y, -d.z, 0.0f};
        break;
    case D3DLIGHT_SPOT:
        parameters.position = {p.x, p.y, p.z, 1.0f};
        parameters.spotDirection = {d.x, d.y, d.z};
        parameters.spotCutoffDegrees = std::clamp(ToDegrees(light.Phi / 2.0f), 0.0f, kMaxGlCutoffDegrees);
        parameters.spotExponent = SpotExponentFor(light.Theta, light.Phi, light.Falloff);
        break;
    case D3DLIGHT_POINT:
    default:
        parameters.position = {p.x, p.y, p.z, 1.0f};
        break;
    }
    return parameters;
}

void SpecifyGlLight(GLenum light, const GlLightParameters& parameters)
{
    glLightfv(light, GL_AMBIENT, parameters.ambient.data());
    glLightfv(light, GL_DIFFUSE, parameters.diffuse.data());
    glLightfv(light, GL_SPECULAR, parameters.specular.data());
    glLightfv(light, GL_POSITION, parameters.position.data());
    glLightfv(light, GL_SPOT_DIRECTION, parameters.spotDirection.data());
    glLightf(light, GL_SPOT_CUTOFF, parameters.spotCutoffDegrees);
    glLightf(light, GL_SPOT_EXPONENT, parameters.spotExponent);
    glLightf(light, GL_CONSTANT_ATTENUATION, parameters.attenuation[0]);
    glLightf(light, GL_LINEAR_ATTENUATION, parameters.attenuation[1]);
    glLightf(light, GL_QUADRATIC_ATTENUATION, parameters.attenuation[2]);
}

void SpecifyGlMaterial(const D3DMATERIAL9& material, bool specularEnabled)
{
    const GlColour noSpecular{0.0f, 0.0f, 0.0f, 0.0f};
    const GlColour specular = specularEnabled ? ToGlColour(material.Specular) : noSpecular;
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ToGlColour(material.Ambient).data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, ToGlColour(material.Diffuse).data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, ToGlColour(material.Emissive).data());
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(material.Power, 0.0f, kMaxGlExponent));
}
