// One light of the device: its D3DLIGHT9 record, the device light index it occupies, an on/off
// switch and a switch for drawing a marker where the light is. The world loads every light into
// the device each time it draws, then draws the markers of the lights that are on.
#pragma once

#include "platform/d3d9/d3d9types.h"
#include "scene/change_stamp.h"
#include "scene/color.h"
#include "scene/vector_math.h"

class TQR_DrawHelper;

// The kinds of light the scene has; each becomes the device's light type of the same name.
enum class TQRD3D_LightType { Point, Spot, Directional };

class TQRD3D_Light {
public:
    virtual ~TQRD3D_Light() = default;

    void SwitchOn() { m_changed.Assign(m_on, true); }
    void SwitchOff() { m_changed.Assign(m_on, false); }
    bool IsOn() const { return m_on; }
    void EnableDrawLight() { m_changed.Assign(m_drawLight, true); }
    void DisableDrawLight() { m_changed.Assign(m_drawLight, false); }
    bool IsDrawLight() const { return m_drawLight; }

    void SetPosition(float x, float y, float z);
    void SetPosition(const TQR_Vector3& position) { SetPosition(position.x, position.y, position.z); }
    TQR_Vector3 GetPosition() const;
    // Stored as given, without normalisation.
    void SetDirection(const TQR_Vector3& direction);
    TQR_Vector3 GetDirection() const;

    // Each channel byte divided by 255.
    void SetDiffuse(const TQR_Color& color);
    void SetSpecular(const TQR_Color& color);
    void SetAmbient(const TQR_Color& color);
    void SetDiffuse(float red, float green, float blue, float alpha);
    // (v, v, v, 1).
    void SetDiffuseGray(float value);
    // Each channel times 255, rounded half away from zero and clamped to 0..255.
    TQR_Color GetDiffuse() const;
    TQR_Color GetSpecular() const;
    TQR_Color GetAmbient() const;

    // Spot light cone: fall-off between the cones, inner (theta) and outer (phi) cone angles in
    // radians. Stored unchanged; every kind carries them.
    void SetFalloff(float falloff) { m_changed.Assign(m_light.Falloff, falloff); }
    float GetFalloff() const { return m_light.Falloff; }
    void SetTheta(float radians) { m_changed.Assign(m_light.Theta, radians); }
    float GetTheta() const { return m_light.Theta; }
    void SetPhi(float radians) { m_changed.Assign(m_light.Phi, radians); }
    float GetPhi() const { return m_light.Phi; }

    int GetIndex() const { return m_index; }
    // The record handed to the device.
    const D3DLIGHT9& GetLight() const { return m_light; }
    // The number of the light's last change of anything a view shows (see change_stamp.h).
    TQR_ChangeNumber LastChange() const { return m_changed.Get(); }

    // A light that is on sends its record and is enabled at its index; one that is off is only
    // disabled there. Nothing without a device or with index -1 (or any negative index);
    // results are not checked.
    void LoadToDevice() const;
    // The marker, when the light is on and its marker is wanted.
    void Draw(TQR_DrawHelper* drawHelper);

protected:
    // White-ish diffuse (0.8), faint specular (0.2) and ambient (0.1), at the origin, pointing
    // down, range 200, no distance attenuation, cones of 45 and 60 degrees, fall-off 1.
    TQRD3D_Light(int index, TQRD3D_LightType type);

    // Draws the marker of this kind of light. The draw helper is never null here.
    virtual void DrawMarker(TQR_DrawHelper* drawHelper) = 0;
    // A sphere ("sphere.x") at the light's position, scaled, unlit, flat and in the diffuse
    // colour, drawn through a temporary scene node.
    void DrawSphereMarker(float scale, TQR_DrawHelper* drawHelper) const;

private:
    TQR_ChangeStamp m_changed;
    bool m_on = false;
    bool m_drawLight = false;
    int m_index;
    D3DLIGHT9 m_light;
};
