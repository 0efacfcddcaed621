// What the mesh and terrain primitives share when they draw a surface: lighting switched off
// for the draw of an unlit primitive, and the material the surface then takes.
#pragma once

#include "platform/d3d9/d3d9.h"
#include "scene/color.h"

// Switches the device's lighting off for its lifetime when asked to, and back to the value it
// had afterwards; nothing otherwise.
class TQRD3D_LightingOffScope {
public:
    TQRD3D_LightingOffScope(IDirect3DDevice9* device, bool lightingOff);
    ~TQRD3D_LightingOffScope();
    TQRD3D_LightingOffScope(const TQRD3D_LightingOffScope&) = delete;
    TQRD3D_LightingOffScope& operator=(const TQRD3D_LightingOffScope&) = delete;

private:
    IDirect3DDevice9* m_device;
    bool m_lightingOff;
    DWORD m_savedLighting = TRUE;
};

// Unlit and untextured, a surface takes a blank material that only emits its colour;
// otherwise its own material.
D3DMATERIAL9 SurfaceMaterial(const D3DMATERIAL9& own, bool useTextures, bool lightingOff, const TQR_Color& color);
