// The base of everything a scene node can draw. It holds the drawing attributes that the
// primitive panel edits and a velocity for simple motion, and fixes the drawing protocol: load
// the attributes into the draw helper, draw the geometry, then optionally the bounding volume.
#pragma once

#include <set>
#include <string>

#include "scene/change_stamp.h"
#include "scene/color.h"
#include "scene/draw_modes.h"
#include "scene/vector_math.h"

class TQR_BoundingVolume;
class TQR_DrawHelper;

class TQR_Primitive {
public:
    TQR_Primitive() = default;
    virtual ~TQR_Primitive() = default;

    // Copying a primitive through its base would slice it.
    TQR_Primitive(const TQR_Primitive&) = delete;
    TQR_Primitive& operator=(const TQR_Primitive&) = delete;

    // Moves by the velocity times seconds. Does nothing here.
    virtual void Update(float seconds);
    // Sets a vertex from a pointer press in the plane z = 0. Does nothing here.
    virtual void PlaceVertex(int index, float x, float y);
    // Moves the vertex being placed. Does nothing here.
    virtual void DragVertex(float x, float y);
    // A reference position; the origin here.
    virtual TQR_Vector3 GetLocation() const;
    // The volume enclosing the geometry, owned by the primitive or its resource, or null (here).
    virtual const TQR_BoundingVolume* GetBoundingVolume(int levelOfDetail);
    // Turns the velocity to point from the point towards GetLocation(), keeping its speed. A
    // primitive at rest, or one located at the point, ends with a zero velocity.
    virtual void SetVelocityAwayFrom(const TQR_Vector3& point);

    // Nothing at all when invisible (or without a draw helper). Otherwise SetupDrawAttributes,
    // DrawGeometry and, when asked for, the bounding volume in opaque red.
    void Draw(int levelOfDetail, TQR_DrawHelper* drawHelper);
    // ResetAttributes, the colour, flat shading and wire frame, then the volume's own edges.
    // Nothing when there is no volume or no draw helper. The attributes are left as set: the
    // next primitive starts its set-up with ResetAttributes.
    void DrawBoundingVolume(int levelOfDetail, TQR_DrawHelper* drawHelper, const TQR_Color& color);

    void SetVisible(bool visible) { m_changed.Assign(m_visible, visible); }
    bool IsVisible() const { return m_visible; }
    void SetShowBoundingVolume(bool show) { m_changed.Assign(m_showBoundingVolume, show); }
    bool IsShowBoundingVolume() const { return m_showBoundingVolume; }
    void SetFlatColor(const TQR_Color& color) { m_changed.Assign(m_flatColor, color); }
    TQR_Color GetFlatColor() const { return m_flatColor; }
    void SetSecondColor(const TQR_Color& color) { m_changed.Assign(m_secondColor, color); }
    TQR_Color GetSecondColor() const { return m_secondColor; }
    void SetFillMode(TQR_FillMode mode) { m_changed.Assign(m_fillMode, mode); }
    TQR_FillMode GetFillMode() const { return m_fillMode; }
    void SetShadeMode(TQR_ShadeMode mode) { m_changed.Assign(m_shadeMode, mode); }
    TQR_ShadeMode GetShadeMode() const { return m_shadeMode; }
    void SetBlending(bool on) { m_changed.Assign(m_blending, on); }
    bool IsBlending() const { return m_blending; }
    void SetTexturing(bool on) { m_changed.Assign(m_texturing, on); }
    bool IsTexturing() const { return m_texturing; }
    void SetLighting(bool on) { m_changed.Assign(m_lighting, on); }
    bool IsLighting() const { return m_lighting; }
    void SetMaterial(const TQR_Material& material) { m_changed.Assign(m_material, material); }
    TQR_Material GetMaterial() const { return m_material; }
    // The texture image file, looked up by the graphics system when the primitive is drawn.
    void SetTextureFileName(const std::wstring& fileName) { m_changed.Assign(m_textureFileName, fileName); }
    const wchar_t* GetTextureFileName() const { return m_textureFileName.c_str(); }
    // Adds the texture file names the primitive draws with (its own, when set) to names.
    virtual void CollectTextureFileNames(std::set<std::wstring>& names) const;

    // The number of the primitive's last change of anything its drawing shows: an attribute
    // set to a new value, or its geometry (see change_stamp.h).
    virtual TQR_ChangeNumber LastChange() const { return m_changed.Get(); }

protected:
    // Loads the attributes into the draw helper: ResetAttributes, first colour, material,
    // blending, texture file name, texturing, lighting. Derived classes that use the second
    // colour, the modes or the point size add them after calling this version.
    virtual void SetupDrawAttributes(TQR_DrawHelper* drawHelper);
    // Issues the geometry with the attributes loaded. The draw helper is never null here.
    virtual void DrawGeometry(int levelOfDetail, TQR_DrawHelper* drawHelper) = 0;
    // What surfaces add to the base attributes: the second colour, the shade and fill modes.
    void SetupSurfaceModes(TQR_DrawHelper* drawHelper) const;

    // Nothing outside the primitive family reads or writes the velocity and the point size.
    TQR_Vector3 GetPrimVelocity() const { return m_primVelocity; }
    void SetPrimVelocity(const TQR_Vector3& velocity) { m_primVelocity = velocity; }
    float GetPointSize() const { return m_pointSize; }
    // Derived primitives call this when their geometry changes.
    void MarkChanged() { m_changed.Touch(); }

private:
    TQR_ChangeStamp m_changed;
    bool m_visible = true;
    TQR_Vector3 m_primVelocity{0.0f, 0.0f, 0.0f};
    TQR_Color m_flatColor{0, 0, 0, 255};
    TQR_Color m_secondColor{255, 255, 255, 255};
    TQR_FillMode m_fillMode = TQR_FillMode::Solid;
    TQR_ShadeMode m_shadeMode = TQR_ShadeMode::Smooth;
    float m_pointSize = 2.0f;
    bool m_showBoundingVolume = false;
    bool m_blending = false;
    bool m_texturing = false;
    bool m_lighting = true;
    TQR_Material m_material;
    std::wstring m_textureFileName;
};
