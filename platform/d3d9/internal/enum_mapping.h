// The platform's enumerations mapped onto OpenGL, one exhaustive switch per enumeration. A
// value the device does not know maps to nullopt, which the callers report as an invalid call.
#pragma once

#include "platform/d3d9/d3d9types.h"
#include "platform/d3d9/internal/gl.h"

#include <optional>

std::optional<GLenum> GlPolygonMode(DWORD fillMode);
std::optional<GLenum> GlShadeModel(DWORD shadeMode);
std::optional<GLenum> GlCompareFunction(DWORD compare);
std::optional<GLenum> GlBlendFactor(DWORD blend);
std::optional<GLenum> GlBlendEquation(DWORD blendOp);
std::optional<GLenum> GlPrimitiveMode(DWORD primitiveType);
// The colour source of a texture argument at stage 0 (current colour = vertex colour there).
std::optional<GLenum> GlCombineSource(DWORD textureArgument);
// The combiner function of a texture operation; GL_NONE for D3DTOP_DISABLE.
std::optional<GLenum> GlCombineFunction(DWORD textureOp);
// The face OpenGL culls for a cull mode; GL_NONE for D3DCULL_NONE. The platform's front faces
// wind clockwise on screen (glFrontFace(GL_CW)), so culling counter-clockwise ones culls backs.
std::optional<GLenum> GlCulledFace(DWORD cullMode);
// Whether a z-buffer mode enables the depth test.
std::optional<bool> DepthTestEnabled(DWORD zBufferType);
// Whether a value names a material colour source (recorded only; see device_state.h).
bool IsMaterialColorSource(DWORD source);

// Number of vertices (or indices) that primitiveCount primitives of a type consume.
std::optional<UINT> VertexCountOf(DWORD primitiveType, UINT primitiveCount);
// Bytes per index of an index format.
std::optional<UINT> IndexSizeOf(DWORD indexFormat);
